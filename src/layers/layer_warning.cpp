#include "layers/layer_warning.h"

#include <cstdio>

namespace kst {

void LayerWarning(std::string_view message) {
  std::fprintf(stderr, "** Warning: %.*s\n", static_cast<int>(message.size()), message.data());
}

}  // namespace kst
