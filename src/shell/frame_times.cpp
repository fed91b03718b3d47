#include "shell/frame_times.h"

#include <cstdio>
#include <memory>

namespace shell {
namespace {

// Every thread of the process counts: the driver draws on threads of its own.
double processorMilliseconds() { return static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC; }

}  // namespace

void FrameTimes::start() {
  frames_.clear();
  lastWall_ = Clock::now();
  lastProcessor_ = processorMilliseconds();
}

void FrameTimes::presented(float showTime) {
  const Clock::time_point wall = Clock::now();
  const double processor = processorMilliseconds();
  frames_.push_back({showTime, std::chrono::duration<double, std::milli>(wall - lastWall_).count(),
                     processor - lastProcessor_});
  lastWall_ = wall;
  lastProcessor_ = processor;
}

bool FrameTimes::write(const std::string& file) const {
  std::unique_ptr<std::FILE, decltype(&std::fclose)> out(std::fopen(file.c_str(), "w"), &std::fclose);
  if (!out) return false;
  for (const Frame& frame : frames_)
    std::fprintf(out.get(), "%.4f %.4f %.4f\n", frame.showTime, frame.wallMilliseconds, frame.processorMilliseconds);
  return std::fflush(out.get()) == 0 && std::ferror(out.get()) == 0;
}

}  // namespace shell
