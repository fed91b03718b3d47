#include "lightwave/lw_error.h"

#include <cstdarg>
#include <string>

#include "base/log.h"

namespace LW {

void Fatal(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const std::string text = kst::formatText(format, arguments);
  va_end(arguments);
  kst::log("Error !! %s\n\n", text.c_str());
  throw LoadError(text);
}

LogIndentScope::LogIndentScope() { kst::logIndent(); }
LogIndentScope::~LogIndentScope() { kst::logOutdent(); }

}  // namespace LW
