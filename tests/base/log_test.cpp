#include "base/log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/stream_logger.h"

namespace {

// Keeps the finished line and the arguments formatted with it.
class CapturingLogger : public kst::Logger {
 public:
  void write(const char* line, va_list arguments) override {
    lines.emplace_back(line);
    formatted.push_back(kst::formatText(line, arguments));
  }
  std::vector<std::string> lines;
  std::vector<std::string> formatted;
};

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kst::installLogger(capture, true);
    while (kst::logIndentLevel() > 0) kst::logOutdent();
  }
  void TearDown() override {
    while (kst::logIndentLevel() > 0) kst::logOutdent();
    kst::installLogger(new kst::Logger, true);  // destroys `capture`
  }
  CapturingLogger* capture = new CapturingLogger;
};

TEST_F(LogTest, LineIsNewlineIndentationAndTheFormatWithArgumentsUnchanged) {
  kst::log("%s : (%dKb => %dKb)", "sky.jpg", 1024, 512);
  kst::logIndent();
  kst::log("%s : (%dKb => %dKb)", "sea.png", 64, 32);
  kst::logOutdent();
  ASSERT_EQ(capture->lines.size(), 2u);
  EXPECT_EQ(capture->lines[0], "\n%s : (%dKb => %dKb)");
  EXPECT_EQ(capture->formatted[0], "\nsky.jpg : (1024Kb => 512Kb)");
  EXPECT_EQ(capture->lines[1], "\n  %s : (%dKb => %dKb)");
  EXPECT_EQ(capture->formatted[1], "\n  sea.png : (64Kb => 32Kb)");
}

TEST_F(LogTest, IndentationStaysWithinNoneAndSixteenLevels) {
  for (int i = 0; i < 20; ++i) kst::logIndent();
  EXPECT_EQ(kst::logIndentLevel(), 16);
  kst::log("deep");
  EXPECT_EQ(capture->lines.back(), "\n" + std::string(32, ' ') + "deep");
  for (int i = 0; i < 40; ++i) kst::logOutdent();
  EXPECT_EQ(kst::logIndentLevel(), 0);
  kst::log("flat");
  EXPECT_EQ(capture->lines.back(), "\nflat");
}

TEST_F(LogTest, UnpairedCallsFromTwoThreadsNeverLeaveTheRange) {
  auto hammer = [](int step) {
    for (int i = 0; i < 20000; ++i) step > 0 ? kst::logIndent() : kst::logOutdent();
  };
  std::thread up(hammer, 1), down(hammer, -1);
  up.join();
  down.join();
  EXPECT_GE(kst::logIndentLevel(), 0);
  EXPECT_LE(kst::logIndentLevel(), 16);
}

TEST_F(LogTest, OverlongLineIsCutToTheBuffer) {
  const std::string huge(10000, 'x');
  kst::log("%s", huge.c_str());  // the format is short: the line is not cut
  EXPECT_EQ(capture->formatted.back().size(), 1u + huge.size());
  const std::string longFormat = std::string(5000, 'y') + "%d";
  kst::log(longFormat.c_str(), 7);  // NOLINT: a format too long for the buffer
  EXPECT_EQ(capture->lines.back().size(), static_cast<size_t>(kst::kLogLineBytes - 1));
  // The line holds the newline, `room` bytes of format and the NUL. A cut
  // right after the '%' of a conversion drops that '%'; a cut after a whole
  // "%%" keeps it.
  const std::size_t room = kst::kLogLineBytes - 2;
  const std::string lone = std::string(room - 1, 'z') + "%d";
  kst::log(lone.c_str(), 7);  // NOLINT
  EXPECT_EQ(capture->lines.back(), "\n" + std::string(room - 1, 'z'));
  const std::string pair = std::string(room - 2, 'z') + "%%d";
  kst::log(pair.c_str(), 7);  // NOLINT: the 7 goes unread
  EXPECT_EQ(capture->lines.back(), "\n" + std::string(room - 2, 'z') + "%%");
  const std::string oddRun = std::string(room - 3, 'z') + "%%%d";
  kst::log(oddRun.c_str(), 7);  // NOLINT
  EXPECT_EQ(capture->lines.back(), "\n" + std::string(room - 3, 'z') + "%%");
}

// Work moved to another thread, or finished later, reads where it was
// asked for: a place's lines (indented from where it was held) come before
// the lines logged after it was held, even when a later place closes first.
// Lines wait only behind a place still open.
TEST_F(LogTest, PlacesKeepTheOrderTheyWereHeldIn) {
  kst::log("before");
  kst::logIndent();
  auto first = std::make_unique<kst::LogPlace>();
  kst::logOutdent();
  kst::log("between");
  auto second = std::make_unique<kst::LogPlace>();
  kst::log("after");
  std::thread([&] {
    const kst::LogPlace::Writing writing(second.get());
    kst::log("second %d", 2);
  }).join();
  second->close();
  EXPECT_EQ(capture->formatted, std::vector<std::string>{"\nbefore"}) << "all wait for the first place";
  {
    const kst::LogPlace::Writing writing(first.get());
    kst::log("first");
    kst::logIndent();
    kst::log("first, deeper");
  }
  EXPECT_EQ(capture->formatted, (std::vector<std::string>{"\nbefore", "\n  first", "\n    first, deeper"}))
      << "nothing before the first place is open: its lines go out as they come";
  kst::log("last");
  first->close();
  EXPECT_EQ(capture->formatted, (std::vector<std::string>{"\nbefore", "\n  first", "\n    first, deeper", "\nbetween",
                                                          "\nsecond 2", "\nafter", "\nlast"}));
  EXPECT_EQ(kst::logIndentLevel(), 0) << "the place's indents are its own";
  kst::log("straight");
  EXPECT_EQ(capture->formatted.back(), "\nstraight");
}

// A place that comes to the front writes what it held first, then its
// lines as they come.
TEST_F(LogTest, APlaceThatComesToTheFrontWritesWhatItHeldFirst) {
  kst::LogPlace first, second;
  const auto write = [](kst::LogPlace& place, const char* text) {
    const kst::LogPlace::Writing writing(&place);
    kst::log("%s", text);
  };
  write(second, "held");
  first.close();
  write(second, "at once");
  EXPECT_EQ(capture->formatted, (std::vector<std::string>{"\nheld", "\nat once"}));
}

TEST(DefaultLogger, WritesNothingAndCanBeTakenBack) {
  kst::Logger* before = kst::installLogger(new kst::Logger, false);
  ASSERT_NE(before, nullptr);
  kst::log("nothing %d", 1);  // the base logger ignores it
  kst::Logger* mine = kst::installLogger(before, false);
  EXPECT_NE(mine, before);
  delete mine;
}

TEST(StreamLoggerTest, LinesFromTwoThreadsStayWhole) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  kst::installLogger(new kst::StreamLogger(file, false), true);
  auto writer = [](char mark) {
    const std::string payload(200, mark);
    for (int i = 0; i < 500; ++i) kst::log("%s|", payload.c_str());
  };
  std::thread a(writer, 'a'), b(writer, 'b');
  a.join();
  b.join();
  kst::installLogger(new kst::Logger, true);
  std::rewind(file);
  std::string all;
  for (int c; (c = std::fgetc(file)) != EOF;) all.push_back(static_cast<char>(c));
  std::fclose(file);
  int lines = 0;
  for (size_t start = all.find('\n'); start != std::string::npos; start = all.find('\n', start + 1)) {
    const std::string line = all.substr(start + 1, 201);
    ASSERT_TRUE(line == std::string(200, 'a') + "|" || line == std::string(200, 'b') + "|") << line;
    ++lines;
  }
  EXPECT_EQ(lines, 1000);
}

}  // namespace
