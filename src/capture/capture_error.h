#pragma once
// What went wrong with a capture: the file it was writing and why, in words
// a person can act on ("No space left on device", "no encoder named ...").
#include <stdexcept>
#include <string>

namespace capture {

class CaptureError : public std::runtime_error {
 public:
  CaptureError(std::string file, std::string reason)
      : std::runtime_error("cannot capture to " + file + ": " + reason), file_(std::move(file)), reason_(std::move(reason)) {}

  const std::string& file() const { return file_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string file_;
  std::string reason_;
};

// FFmpeg's text for one of its (negative) error codes.
std::string avErrorText(int code);

// The reason any failure met while capturing gives as a CaptureError's:
// "out of memory" for an allocation that failed, else the failure's text.
std::string failureReason(const std::exception& error);

}  // namespace capture
