#include "capture/capture_error.h"

#include <new>

extern "C" {
#include <libavutil/error.h>
}

namespace capture {

std::string avErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  if (av_strerror(code, text, sizeof text) < 0) return "error " + std::to_string(code);
  return text;
}

std::string failureReason(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return "out of memory";
  return error.what();
}

}  // namespace capture
