#include "support/log_capture.h"

#include <algorithm>
#include <cstdio>

namespace fake {

class LogCapture::Keeper : public kst::Logger {
 public:
  void write(const char* line, va_list arguments) override {
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, line, measuring);
    va_end(measuring);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), line, arguments);
    text.pop_back();
    lines.push_back(std::move(text));
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
