// The development mode's notes say what a reading again did, whole: every
// warning it logged, cut into lines that fit the window, and none left from
// before once the files read.
#include "shell/dev_notes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "shell/warning_watch.h"

namespace {

using Lines = std::vector<std::string>;

TEST(DevNotes, LongLinesAreCutAtBlanksIntoIndentedLinesThatFit) {
  const struct {
    std::string line;
    Lines wrapped;
  } cases[] = {
      {"short note", {"short note"}},
      {"", {""}},
      {"aaaa bbbb cccc", {"aaaa bbbb", "  cccc"}},
      {"aaaa bbbbbbbbbbbbbb c", {"aaaa", "  bbbbbbbbbbbbbb", "  c"}},
  };
  for (const auto& c : cases) EXPECT_EQ(shell::wrapNote(c.line, 10), c.wrapped) << c.line;
}

TEST(WarningWatch, GivesTheWarningsSinceAMarkAndForgetsTheLast) {
  shell::WarningWatch watch;
  kst::log("** Warning: demo/a.jpg not read again: damaged");
  const std::size_t mark = watch.count();
  kst::log("Reading demo/b.kst");
  kst::log("** Warning: demo/b.kst not read: bad record");
  kst::log("** Warning: demo/c.jpg not read again: cut short");
  EXPECT_EQ(watch.since(mark), (Lines{"** Warning: demo/b.kst not read: bad record",
                                      "** Warning: demo/c.jpg not read again: cut short"}));
  EXPECT_EQ(watch.last(), "** Warning: demo/c.jpg not read again: cut short");
  watch.forget();
  EXPECT_EQ(watch.last(), "");
  EXPECT_TRUE(watch.since(watch.count()).empty());
  for (std::size_t i = 0; i < shell::WarningWatch::kKept + 5; ++i) kst::log("** Warning: %zu", i);
  EXPECT_EQ(watch.since(0).size(), shell::WarningWatch::kKept);
  EXPECT_EQ(watch.since(0).back(), "** Warning: " + std::to_string(shell::WarningWatch::kKept + 4));
}

}  // namespace
