#pragma once
// The engine's one process-wide log. A call builds the line (newline,
// current indentation, the format unchanged) and hands it with the caller's
// arguments to the installed logger, which decides where text goes. The
// default logger writes nothing.
#include <cstdarg>
#include <string>

namespace kst {

class Logger {
 public:
  virtual ~Logger() = default;
  // `line` is still a printf format for `arguments`.
  virtual void write(const char* line, va_list arguments);
};

void log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void vlog(const char* format, va_list arguments);

// Two more blanks before every line until the matching outdent. Sixteen
// levels at most; unpaired calls never move it below none or past sixteen.
void logIndent();
void logOutdent();
int logIndentLevel();

// Installs `logger` (the log takes it). With destroyPrevious the previous one
// is destroyed and null returned; otherwise it is handed back to the caller.
Logger* installLogger(Logger* logger, bool destroyPrevious);

// A printf format and its arguments as one string, whatever its length.
// Loggers that write use it; `arguments` is left unread for the caller.
std::string formatText(const char* format, va_list arguments);

// The debug trace hook: printf-style, does nothing.
void debugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The buffer a line is built in; longer lines are cut to fit.
inline constexpr int kLogLineBytes = 4096;

}  // namespace kst
