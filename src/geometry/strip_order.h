#pragma once
// Cuts committed strips to the cache's length and orders the pieces so that
// each one reuses as much as possible of what the previous ones left in the
// vertex cache.
#include <vector>

#include "geometry/strip_finder.h"

namespace tristrip {

struct OrderedFaces {
  std::vector<std::vector<int>> strips;  // face numbers, in drawing order
  std::vector<int> looseFaces;           // faces of strips below the shortest length
};

OrderedFaces SplitAndOrder(const StripAdjacency& adjacency, const std::vector<TriStrip>& committed, int cacheSize,
                           int shortestStrip);

}  // namespace tristrip
