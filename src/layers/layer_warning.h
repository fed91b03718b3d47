#pragma once
// The one way the layer stack reports a refused request. It writes to
// standard error until the program's log takes it over.
#include <string_view>

namespace kst {

// Writes "** Warning: <message>" as one line.
void LayerWarning(std::string_view message);

}  // namespace kst
