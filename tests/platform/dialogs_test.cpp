#include "platform/dialogs.h"

#include "platform/message_text.h"
#include "shell/texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

platform::Answer answerWith(const char* typed, std::string* shown = nullptr) {
  char input[64];
  std::snprintf(input, sizeof input, "%s", typed);
  // Nothing typed at all: the terminal reaches its end of input.
  std::FILE* in = typed[0] == '\0' ? std::fopen("/dev/null", "r") : fmemopen(input, std::strlen(input), "r");
  char* printed = nullptr;
  size_t printedSize = 0;
  std::FILE* out = open_memstream(&printed, &printedSize);
  const platform::Answer answer = platform::askOnTerminal("Preload?", "DISCLAIMER", in, out);
  std::fclose(in);
  std::fclose(out);
  if (shown != nullptr) *shown = printed;
  std::free(printed);
  return answer;
}

TEST(TerminalQuestion, YesNoAndEverythingElseIsCancel) {
  EXPECT_EQ(answerWith("y\n"), platform::Answer::Yes);
  EXPECT_EQ(answerWith("No\n"), platform::Answer::No);
  EXPECT_EQ(answerWith("\n"), platform::Answer::Cancel);
  EXPECT_EQ(answerWith("maybe\n"), platform::Answer::Cancel);
}

TEST(TerminalQuestion, EndOfInputIsCancelAndTheTextIsShown) {
  std::string shown;
  EXPECT_EQ(answerWith("", &shown), platform::Answer::Cancel);
  EXPECT_NE(shown.find("DISCLAIMER"), std::string::npos);
  EXPECT_NE(shown.find("Preload?"), std::string::npos);
}

TEST(MessageText, LongLinesBreakBetweenWordsAndTheirContinuationKeepsTheIndent) {
  using platform::layOutMessageText;
  EXPECT_EQ(layOutMessageText("one two three four", 10), "one two\nthree four");
  EXPECT_EQ(layOutMessageText("\tab cd ef gh", 10), "    ab cd\n    ef gh");
  EXPECT_EQ(layOutMessageText("abcdefghijkl", 5), "abcde\nfghij\nkl");
  EXPECT_EQ(layOutMessageText("short\n\nlines stay", 10), "short\n\nlines stay");
}

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> all;
  for (std::string word; in >> word;) all.push_back(word);
  return all;
}

TEST(MessageText, TheStartUpQuestionFitsTheBoxWithEveryWordInPlace) {
  const std::string shown = platform::layOutMessageText(shell::kDisclaimer, platform::kMessageBoxColumns);
  std::istringstream lines(shown);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), platform::kMessageBoxColumns) << line;
  EXPECT_EQ(words(shown), words(shell::kDisclaimer));
  EXPECT_EQ(shown.find('\t'), std::string::npos);
  EXPECT_NE(shown.find("\n    - 400+MHz processor,\n"), std::string::npos);
}

}  // namespace
