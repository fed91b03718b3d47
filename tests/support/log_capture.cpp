#include "support/log_capture.h"

#include <mutex>

namespace fake {

// Loader threads log too: lines are added under a lock.
class LogCapture::Keeper : public kst::Logger {
 public:
  void write(const char* line, va_list arguments) override {
    std::string text = kst::formatText(line, arguments);
    std::lock_guard<std::mutex> hold(lock);
    lines.push_back(std::move(text));
  }
  std::mutex lock;
  std::vector<std::string> lines;
};

LogCapture::LogCapture() : keeper_(new Keeper) { kst::installLogger(keeper_, true); }

LogCapture::~LogCapture() { kst::installLogger(new kst::Logger, true); }

std::string LogCapture::text() const {
  std::lock_guard<std::mutex> hold(keeper_->lock);
  std::string all;
  for (const std::string& line : keeper_->lines) all += line;
  return all;
}

const std::vector<std::string>& LogCapture::lines() const { return keeper_->lines; }

}  // namespace fake
