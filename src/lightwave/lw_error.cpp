#include "lightwave/lw_error.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "shell/log.h"

namespace LW {

void Fatal(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  va_list copy;
  va_copy(copy, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, arguments);
  va_end(arguments);
  kst::log("Error !! %s\n\n", text.data());
  throw LoadError(text.data());
}

LogIndentScope::LogIndentScope() { kst::logIndent(); }
LogIndentScope::~LogIndentScope() { kst::logOutdent(); }

}  // namespace LW
