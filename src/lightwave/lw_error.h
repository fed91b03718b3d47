#pragma once
// How the LightWave reader gives up on a file: the message goes to the log as
// "Error !! <message>" followed by a blank line, then LW::LoadError carries
// the same message to whoever asked for the load.
#include <stdexcept>
#include <string>

namespace LW {

class LoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Fatal(const char* format, ...) __attribute__((format(printf, 1, 2)));

inline constexpr const char kCorruptedLength[] = "Corrupted IFF length.";

// Two more blanks of log indentation for as long as it lives, also when a
// load is abandoned.
class LogIndentScope {
 public:
  LogIndentScope();
  ~LogIndentScope();
  LogIndentScope(const LogIndentScope&) = delete;
  LogIndentScope& operator=(const LogIndentScope&) = delete;
};

}  // namespace LW
