#pragma once
// The resources a layer names, for listings: the one place that knows
// which layer class keeps which names.
#include <string>
#include <vector>

namespace kst {
class Brush;
}

namespace shell {

// In the order the layer holds them; empty for layers that name nothing.
std::vector<std::string> layerResources(const kst::Brush& layer);

}  // namespace shell
