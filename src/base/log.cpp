#include "base/log.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kst {

// Lines of a place, or lines that wait behind one.
struct LogPlace::Lines {
  std::vector<std::string> text;  // each formatted whole
  bool open = false;
};

// The places held, in order, each followed by the lines that came after it.
// Empty while no place is held: lines then go to the logger at once.
class LogSequence {
 public:
  // False when the line may go to the logger at once.
  static bool hold(const char* line, va_list arguments);
  static void open(LogPlace& place);
  static void close(LogPlace& place);
  static void moveLevel(LogPlace& place, int step);
  static int levelOf(const LogPlace& place);

 private:
  static std::mutex lock_;
  static std::list<LogPlace::Lines> lines_;
  static std::atomic<bool> holding_;
};

namespace {

constexpr int kMaxLevels = 16;
constexpr char kBlanks[] = "                                 ";  // 33 blanks
static_assert(sizeof kBlanks - 1 == 33);

// Shared by every thread that logs; clamped so that unpaired or concurrent
// calls can never point outside the blanks.
std::atomic<int> level{0};

std::unique_ptr<Logger>& installed() {
  static std::unique_ptr<Logger> logger = std::make_unique<Logger>();
  return logger;
}

thread_local LogPlace* writingPlace = nullptr;

void moveLevel(int step) {
  if (writingPlace != nullptr) return LogSequence::moveLevel(*writingPlace, step);
  int current = level.load();
  while (!level.compare_exchange_weak(current, std::clamp(current + step, 0, kMaxLevels))) {
  }
}

// Hands finished text to a logger, whose write takes a format.
void writeText(Logger& logger, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  logger.write(format, arguments);
  va_end(arguments);
}

// Appends as much of `text` as fits; a cut that would leave a lone '%' at
// the end drops it, so the line stays a valid format.
void appendCut(char* line, std::size_t& used, const char* text) {
  const std::size_t room = kLogLineBytes - 1 - used;
  std::size_t length = std::min(std::strlen(text), room);
  std::memcpy(line + used, text, length);
  used += length;
  std::size_t percents = 0;
  while (percents < used && line[used - 1 - percents] == '%') ++percents;
  if (percents % 2 == 1) --used;
  line[used] = '\0';
}

}  // namespace

std::mutex LogSequence::lock_;
std::list<LogPlace::Lines> LogSequence::lines_;
std::atomic<bool> LogSequence::holding_{false};

bool LogSequence::hold(const char* line, va_list arguments) {
  if (writingPlace == nullptr && !holding_.load()) return false;
  std::string text = formatText(line, arguments);
  const std::lock_guard guard(lock_);
  if (writingPlace != nullptr) {
    // Every place before this one is closed: its lines are in order as they come.
    if (writingPlace->lines_ == &lines_.front()) {
      if (Logger* logger = installed().get()) writeText(*logger, "%s", text.c_str());
      return true;
    }
    writingPlace->lines_->text.push_back(std::move(text));
    return true;
  }
  if (lines_.empty()) return false;
  lines_.back().text.push_back(std::move(text));
  return true;
}

void LogSequence::open(LogPlace& place) {
  const std::lock_guard guard(lock_);
  place.level_ = writingPlace != nullptr ? writingPlace->level_ : level.load();
  place.lines_ = &lines_.emplace_back();
  place.lines_->open = true;
  lines_.emplace_back();  // what comes after the place waits here
  holding_ = true;
}

// The lines at the front go out as far as the first place still open, and
// that place's lines so far with them: from now on its lines go out as
// they come.
void LogSequence::close(LogPlace& place) {
  const std::lock_guard guard(lock_);
  if (place.lines_ == nullptr) return;
  place.lines_->open = false;
  place.lines_ = nullptr;
  Logger* logger = installed().get();
  const auto writeFront = [&] {
    if (logger != nullptr)
      for (const std::string& text : lines_.front().text) writeText(*logger, "%s", text.c_str());
    lines_.front().text.clear();
  };
  while (!lines_.empty() && !lines_.front().open) {
    writeFront();
    lines_.pop_front();
  }
  if (!lines_.empty()) writeFront();
  holding_ = !lines_.empty();
}

void LogSequence::moveLevel(LogPlace& place, int step) {
  const std::lock_guard guard(lock_);
  place.level_ = std::clamp(place.level_ + step, 0, kMaxLevels);
}

int LogSequence::levelOf(const LogPlace& place) {
  const std::lock_guard guard(lock_);
  return place.level_;
}

LogPlace::LogPlace() { LogSequence::open(*this); }
LogPlace::~LogPlace() { close(); }
void LogPlace::close() { LogSequence::close(*this); }
LogPlace* LogPlace::current() { return writingPlace; }

LogPlace::Writing::Writing(LogPlace* place) : previous_(writingPlace) {
  if (place != nullptr) writingPlace = place;
}
LogPlace::Writing::~Writing() { writingPlace = previous_; }

void Logger::write(const char*, va_list) {}

void vlog(const char* format, va_list arguments) {
  Logger* logger = installed().get();
  if (logger == nullptr) return;
  const int indent = writingPlace != nullptr ? LogSequence::levelOf(*writingPlace) : level.load();
  char line[kLogLineBytes] = "\n";
  std::size_t used = 1;
  appendCut(line, used, kBlanks + (sizeof kBlanks - 1) - 2 * indent);
  appendCut(line, used, format);
  if (!LogSequence::hold(line, arguments)) logger->write(line, arguments);
}

void log(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  vlog(format, arguments);
  va_end(arguments);
}

void logIndent() { moveLevel(1); }
void logOutdent() { moveLevel(-1); }
int logIndentLevel() { return writingPlace != nullptr ? LogSequence::levelOf(*writingPlace) : level.load(); }

Logger* installLogger(Logger* logger, bool destroyPrevious) {
  Logger* previous = installed().release();
  installed().reset(logger);
  if (!destroyPrevious) return previous;
  delete previous;
  return nullptr;
}

std::string formatText(const char* format, va_list arguments) {
  va_list measuring;
  va_copy(measuring, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, measuring);
  va_end(measuring);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  va_list writing;
  va_copy(writing, arguments);
  std::vsnprintf(text.data(), text.size(), format, writing);
  va_end(writing);
  text.pop_back();
  return text;
}

void debugTrace(const char*, ...) {}

}  // namespace kst
