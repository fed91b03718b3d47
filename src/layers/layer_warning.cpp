#include "layers/layer_warning.h"

#include <cstdarg>

#include "base/log.h"

namespace kst {

void LayerWarning::once(const char* format, ...) {
  if (said_) return;
  said_ = true;
  va_list arguments;
  va_start(arguments, format);
  vlog(format, arguments);
  va_end(arguments);
}

}  // namespace kst
