#include "geometry/tri_strip.h"

#include "geometry/strip_order.h"

namespace tristrip {

namespace {

struct Settings {
  int cacheEntries = 16;
  int shortestStrip = 0;
  bool listOutput = false;
};

Settings settings;

constexpr int kSamplesPerRound = 10;

// Six entries of the hardware cache are kept in reserve: strips are cut to
// what is sure to stay cached.
int EffectiveCacheSize() { return settings.cacheEntries >= 7 ? settings.cacheEntries - 6 : 1; }

void AppendFace(const TriFace& face, std::vector<std::uint16_t>& out) {
  out.insert(out.end(), {static_cast<std::uint16_t>(face.v0), static_cast<std::uint16_t>(face.v1),
                         static_cast<std::uint16_t>(face.v2)});
}

// The index sequence of a strip, started so that its first triangle keeps
// its own winding; empty when a face does not continue the previous two.
std::vector<std::uint16_t> StripSequence(const std::vector<TriFace>& faces, const std::vector<int>& strip) {
  const TriFace& first = faces[strip[0]];
  const TriFace& second = faces[strip[1]];
  const int corners[3] = {first.v0, first.v1, first.v2};
  int lead = 0;
  while (lead < 3 && (corners[lead] == second.v0 || corners[lead] == second.v1 || corners[lead] == second.v2)) ++lead;
  if (lead == 3) return {};
  std::vector<int> sequence{corners[lead], corners[(lead + 1) % 3], corners[(lead + 2) % 3]};
  for (std::size_t i = 1; i < strip.size(); ++i) {
    const TriFace& face = faces[strip[i]];
    const int p = sequence[sequence.size() - 2], q = sequence.back();
    int fresh = -1, known = 0;
    for (int v : {face.v0, face.v1, face.v2}) {
      if (v == p || v == q)
        ++known;
      else
        fresh = v;
    }
    if (known != 2 || fresh < 0) return {};
    sequence.push_back(fresh);
  }
  return {sequence.begin(), sequence.end()};
}

// Strips of two faces or more become strip groups (separate, not joined);
// everything else goes to one trailing triangle list.
std::vector<PrimitiveGroup> StripGroups(const std::vector<TriFace>& faces, const OrderedFaces& ordered) {
  std::vector<PrimitiveGroup> groups;
  PrimitiveGroup list;
  for (const std::vector<int>& strip : ordered.strips) {
    std::vector<std::uint16_t> sequence = strip.size() >= 2 ? StripSequence(faces, strip) : std::vector<std::uint16_t>{};
    if (sequence.empty()) {
      for (int face : strip) AppendFace(faces[face], list.indices);
    } else {
      groups.push_back({PrimitiveType::kStrip, std::move(sequence)});
    }
  }
  for (int face : ordered.looseFaces) AppendFace(faces[face], list.indices);
  if (!list.indices.empty()) groups.push_back(std::move(list));
  return groups;
}

PrimitiveGroup ListGroup(const std::vector<TriFace>& faces, const OrderedFaces& ordered) {
  PrimitiveGroup group;
  group.indices.reserve(3 * faces.size());
  for (const std::vector<int>& strip : ordered.strips)
    for (int face : strip) AppendFace(faces[face], group.indices);
  for (int face : ordered.looseFaces) AppendFace(faces[face], group.indices);
  return group;
}

}  // namespace

void SetCacheEntries(int entries) { settings.cacheEntries = entries; }
void SetShortestStrip(int faces) { settings.shortestStrip = faces; }
void SetListOutput(bool listOutput) { settings.listOutput = listOutput; }
int CacheEntries() { return settings.cacheEntries; }
int ShortestStrip() { return settings.shortestStrip; }
bool ListOutput() { return settings.listOutput; }

std::vector<PrimitiveGroup> Generate(std::span<const std::uint16_t> indices) {
  StripAdjacency adjacency(indices);
  const std::vector<TriStrip> committed = StripFinder(adjacency).FindAllStrips(kSamplesPerRound);
  const OrderedFaces ordered = SplitAndOrder(adjacency, committed, EffectiveCacheSize(), settings.shortestStrip);
  if (settings.listOutput) return {ListGroup(adjacency.faces, ordered)};
  return StripGroups(adjacency.faces, ordered);
}

}  // namespace tristrip
