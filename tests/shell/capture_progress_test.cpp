// The capture's progress line: its figures, and silence off a terminal.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "shell/capture_progress.h"

namespace {

std::string written(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
  return text;
}

// 750 frames in 25 s of wall time over 12.5 s of show: 30 frames per
// second, and 2 wall seconds per show second for what is left: 232.5 s
// (7:45) from the start, 32.5 s (1:05) from a start at 200 s.
TEST(CaptureProgress, SaysTheRateAndTheTimeLeftAtThatPace) {
  EXPECT_EQ(shell::CaptureProgress::text(12.5f, 0.0f, 245.0f, 750, 25.0),
            "capture: 12.5 s of 245.0 s, 750 frames, 30.0 frames/s, 7:45 left");
  EXPECT_EQ(shell::CaptureProgress::text(212.5f, 200.0f, 245.0f, 750, 25.0),
            "capture: 212.5 s of 245.0 s, 750 frames, 30.0 frames/s, 1:05 left");
}

TEST(CaptureProgress, RewritesOneLineOnATerminalAndSaysNothingElsewhere) {
  std::FILE* terminal = std::tmpfile();
  std::FILE* pipe = std::tmpfile();
  shell::CaptureProgress onTerminal(0.0f, 2.0f, terminal, true);
  shell::CaptureProgress elsewhere(0.0f, 2.0f, pipe, false);
  for (shell::CaptureProgress* progress : {&onTerminal, &elsewhere}) {
    progress->update(0.5f, 15);
    progress->finish(1.0f, 30);
  }
  const std::string line = written(terminal);
  EXPECT_EQ(line.front(), '\r');
  EXPECT_EQ(line.back(), '\n');
  EXPECT_NE(line.find("1.0 s of 2.0 s, 30 frames"), std::string::npos) << line;
  EXPECT_EQ(written(pipe), "");
  std::fclose(terminal);
  std::fclose(pipe);
}

}  // namespace
