#include "shell/warning_watch.h"

#include <algorithm>
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
      kept_.push_back(last_);
      if (kept_.size() > kKept) kept_.erase(kept_.begin());
      ++count_;
    }
    if (next) next->write(line, arguments);
  }
  std::string last() const {
    std::lock_guard<std::mutex> hold(lock_);
    return last_;
  }
  void forget() {
    std::lock_guard<std::mutex> hold(lock_);
    last_.clear();
  }
  std::size_t count() const {
    std::lock_guard<std::mutex> hold(lock_);
    return count_;
  }
  std::vector<std::string> since(std::size_t mark) const {
    std::lock_guard<std::mutex> hold(lock_);
    const std::size_t wanted = std::min(count_ - std::min(mark, count_), kept_.size());
    return {kept_.end() - static_cast<std::ptrdiff_t>(wanted), kept_.end()};
  }

  std::unique_ptr<kst::Logger> next;

 private:
  mutable std::mutex lock_;
  std::string last_;
  std::vector<std::string> kept_;  // the latest kKept
  std::size_t count_ = 0;
};

WarningWatch::WarningWatch() : tap_(new Tap) { tap_->next.reset(kst::installLogger(tap_, false)); }

WarningWatch::~WarningWatch() { delete kst::installLogger(tap_->next.release(), false); }

std::string WarningWatch::last() const { return tap_->last(); }
void WarningWatch::forget() { tap_->forget(); }
std::size_t WarningWatch::count() const { return tap_->count(); }
std::vector<std::string> WarningWatch::since(std::size_t mark) const { return tap_->since(mark); }

}  // namespace shell
