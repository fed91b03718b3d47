#pragma once
// A logger for tests: keeps each line as handed over (still a format) and
// the same line formatted with its arguments.
#include <cstdio>
#include <string>
#include <vector>

#include "shell/log.h"

namespace fake {

class CapturingLogger : public kst::Logger {
 public:
  void write(const char* line, va_list arguments) override {
    lines.emplace_back(line);
    std::vector<char> text(32768);
    std::vsnprintf(text.data(), text.size(), line, arguments);
    formatted.emplace_back(text.data());
  }
  std::vector<std::string> lines;
  std::vector<std::string> formatted;
};

// Installs a CapturingLogger for the lifetime of the object, with the
// indentation at none; the default logger comes back afterwards.
class CapturedLog {
 public:
  CapturedLog() {
    kst::installLogger(capture, true);
    while (kst::logIndentLevel() > 0) kst::logOutdent();
  }
  ~CapturedLog() {
    while (kst::logIndentLevel() > 0) kst::logOutdent();
    kst::installLogger(new kst::Logger, true);  // destroys `capture`
  }
  CapturedLog(const CapturedLog&) = delete;
  CapturedLog& operator=(const CapturedLog&) = delete;

  CapturingLogger* capture = new CapturingLogger;
};

}  // namespace fake
