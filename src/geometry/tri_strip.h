#pragma once
// Reorders an indexed triangle list for the post-transform vertex cache:
// strips are grown over the edge adjacency (several seeds tried, the best
// kept), cut to the cache's length and ordered greedily by simulated cache
// hits. The settings are module state and persist between calls; calls must
// not overlap.
#include <cstdint>
#include <span>
#include <vector>

namespace tristrip {

enum class PrimitiveType : int { kList = 0, kStrip = 1 };

struct PrimitiveGroup {
  PrimitiveType type = PrimitiveType::kList;
  std::vector<std::uint16_t> indices;

  std::size_t indexCount() const { return indices.size(); }
};

// Entries of the hardware vertex cache (default 16).
void SetCacheEntries(int entries);
// Strips with fewer faces become loose triangles (default 0: none do).
void SetShortestStrip(int faces);
// With list output, Generate returns one triangle-list group holding every
// input triangle once, in its own orientation (default false).
void SetListOutput(bool listOutput);

int CacheEntries();
int ShortestStrip();
bool ListOutput();

// Three indices per triangle; the input is copied, never changed. Without
// list output: strip groups, then one list group for the faces no strip
// could draw in their own winding; every triangle keeps its winding.
std::vector<PrimitiveGroup> Generate(std::span<const std::uint16_t> indices);

}  // namespace tristrip
