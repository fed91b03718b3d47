#pragma once
// The last warning the engine logged, for the development mode's notes on
// screen. While it lives it sits in front of the installed logger (which
// still gets every line) and puts that logger back when it goes. Lines may
// come from any thread.
#include <string>

namespace shell {

class WarningWatch {
 public:
  WarningWatch();
  ~WarningWatch();
  WarningWatch(const WarningWatch&) = delete;
  WarningWatch& operator=(const WarningWatch&) = delete;

  // The last line with "Warning" or "WARNING" in it, without the leading
  // newline and blanks; empty while there has been none.
  std::string last() const;

 private:
  class Tap;
  Tap* tap_;  // owned by the log while installed
};

}  // namespace shell
