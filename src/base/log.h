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

// A place held in the log for lines that come later: work moved to another
// thread, or finished later, reads in the log where it was asked for. While
// places are held, lines logged outside them wait behind the last place
// held. Nothing waits longer than the lines before it: a place's lines go to
// the logger as they come once every place held before it is closed, and
// the lines waiting behind a place as soon as it closes. Lines in a place
// are indented from the level the log had when the place was held.
class LogPlace {
 public:
  LogPlace();
  ~LogPlace();  // closes the place
  LogPlace(const LogPlace&) = delete;
  LogPlace& operator=(const LogPlace&) = delete;

  // While it lives, the calling thread's lines (and its indents) go into
  // `place`; a null place changes nothing.
  class Writing {
   public:
    explicit Writing(LogPlace* place);
    ~Writing();
    Writing(const Writing&) = delete;
    Writing& operator=(const Writing&) = delete;

   private:
    LogPlace* previous_;
  };

  // No more lines come into the place. Any thread; the lines go out on it.
  void close();
  // The place the calling thread's lines go into, or null.
  static LogPlace* current();

 private:
  friend class LogSequence;
  struct Lines;
  Lines* lines_;  // kept by the log until they go out
  int level_;     // the indentation inside the place
};

// The debug trace hook: printf-style, does nothing.
void debugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The buffer a line is built in; longer lines are cut to fit.
inline constexpr int kLogLineBytes = 4096;

}  // namespace kst
