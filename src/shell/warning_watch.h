#pragma once
// The last warning the engine logged, for the development mode's notes on
// screen. While it lives it sits in front of the installed logger (which
// still gets every line) and puts that logger back when it goes. Lines may
// come from any thread.
#include <cstddef>
#include <string>
#include <vector>

namespace shell {

class WarningWatch {
 public:
  WarningWatch();
  ~WarningWatch();
  WarningWatch(const WarningWatch&) = delete;
  WarningWatch& operator=(const WarningWatch&) = delete;

  // The last line with "Warning" or "WARNING" in it, without the leading
  // newline and blanks; empty while there has been none or since forget().
  std::string last() const;
  void forget();
  // How many warnings came so far, and those that came after the first
  // `mark` of them (the latest kKept at most), in order.
  std::size_t count() const;
  std::vector<std::string> since(std::size_t mark) const;
  static constexpr std::size_t kKept = 32;

 private:
  class Tap;
  Tap* tap_;  // owned by the log while installed
};

}  // namespace shell
