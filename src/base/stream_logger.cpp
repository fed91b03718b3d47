#include "base/stream_logger.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace kst {

StreamLogger::~StreamLogger() {
  if (owned_) std::fclose(stream_);
  else std::fflush(stream_);
}

void StreamLogger::write(const char* line, va_list arguments) {
  const std::string text = formatText(line, arguments);
  std::lock_guard<std::mutex> hold(lock_);
  std::fwrite(text.data(), 1, text.size(), stream_);
  std::fflush(stream_);
}

std::string logTo(const std::string& target) {
  if (target == "-") {
    installLogger(new StreamLogger(stderr, false), true);
    return {};
  }
  std::FILE* file = std::fopen(target.c_str(), "w");
  if (file == nullptr) return std::strerror(errno);
  installLogger(new StreamLogger(file, true), true);
  return {};
}

}  // namespace kst
