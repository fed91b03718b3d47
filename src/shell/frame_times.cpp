#include "shell/frame_times.h"

#include <cstdio>
#include <memory>

namespace shell {

void FrameTimes::start() {
  frames_.clear();
  last_ = Clock::now();
}

void FrameTimes::presented(float showTime) {
  const Clock::time_point now = Clock::now();
  frames_.push_back({showTime, std::chrono::duration<double, std::milli>(now - last_).count()});
  last_ = now;
}

bool FrameTimes::write(const std::string& file) const {
  std::unique_ptr<std::FILE, decltype(&std::fclose)> out(std::fopen(file.c_str(), "w"), &std::fclose);
  if (!out) return false;
  for (const Frame& frame : frames_) std::fprintf(out.get(), "%.4f %.4f\n", frame.showTime, frame.milliseconds);
  return std::fflush(out.get()) == 0 && std::ferror(out.get()) == 0;
}

}  // namespace shell
