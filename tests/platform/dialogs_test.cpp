#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

}  // namespace
