#include "shell/warning_watch.h"

#include <memory>
#include <mutex>

#include "base/log.h"

namespace shell {

class WarningWatch::Tap : public kst::Logger {
 public:
  void write(const char* line, va_list arguments) override {
    va_list copy;
    va_copy(copy, arguments);
    const std::string text = kst::formatText(line, copy);
    va_end(copy);
    if (text.find("Warning") != std::string::npos || text.find("WARNING") != std::string::npos) {
      std::lock_guard<std::mutex> hold(lock_);
      last_ = text.substr(std::min(text.find_first_not_of("\n "), text.size()));
    }
    if (next) next->write(line, arguments);
  }
  std::string last() const {
    std::lock_guard<std::mutex> hold(lock_);
    return last_;
  }

  std::unique_ptr<kst::Logger> next;

 private:
  mutable std::mutex lock_;
  std::string last_;
};

WarningWatch::WarningWatch() : tap_(new Tap) { tap_->next.reset(kst::installLogger(tap_, false)); }

WarningWatch::~WarningWatch() { delete kst::installLogger(tap_->next.release(), false); }

std::string WarningWatch::last() const { return tap_->last(); }

}  // namespace shell
