#include "support/log_capture.h"

namespace fake {

class LogCapture::Keeper : public kst::Logger {
 public:
  void write(const char* line, va_list arguments) override {
    lines.push_back(kst::formatText(line, arguments));
  }
  std::vector<std::string> lines;
};

LogCapture::LogCapture() : keeper_(new Keeper) { kst::installLogger(keeper_, true); }

LogCapture::~LogCapture() { kst::installLogger(new kst::Logger, true); }

std::string LogCapture::text() const {
  std::string all;
  for (const std::string& line : keeper_->lines) all += line;
  return all;
}

const std::vector<std::string>& LogCapture::lines() const { return keeper_->lines; }

}  // namespace fake
