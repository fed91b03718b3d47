#pragma once
#include <cstdio>
#include <mutex>
#include <string>

#include "base/log.h"

namespace kst {

// A logger that writes: each line is formatted whole, then written under a
// lock, so lines from the main thread and the loader threads never mix.
class StreamLogger : public Logger {
 public:
  // Takes the stream when `owned` (a file opened for the log).
  StreamLogger(std::FILE* stream, bool owned) : stream_(stream), owned_(owned) {}
  ~StreamLogger() override;
  void write(const char* line, va_list arguments) override;

 private:
  std::FILE* stream_;
  bool owned_;
  std::mutex lock_;
};

}  // namespace kst

namespace kst {

// Installs a StreamLogger on standard error ("-") or on a new file. An empty
// string when done, else the reason the file could not be opened.
std::string logTo(const std::string& target);

}  // namespace kst
