#include "base/log.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kst {
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

void moveLevel(int step) {
  int current = level.load();
  while (!level.compare_exchange_weak(current, std::clamp(current + step, 0, kMaxLevels))) {
  }
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

void Logger::write(const char*, va_list) {}

void vlog(const char* format, va_list arguments) {
  Logger* logger = installed().get();
  if (logger == nullptr) return;
  char line[kLogLineBytes] = "\n";
  std::size_t used = 1;
  appendCut(line, used, kBlanks + (sizeof kBlanks - 1) - 2 * level.load());
  appendCut(line, used, format);
  logger->write(line, arguments);
}

void log(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  vlog(format, arguments);
  va_end(arguments);
}

void logIndent() { moveLevel(1); }
void logOutdent() { moveLevel(-1); }
int logIndentLevel() { return level.load(); }

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
