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

// True when (a, b, c) is the face's own corner order, from whichever corner.
bool SameWinding(const TriFace& face, int a, int b, int c) {
  return (a == face.v0 && b == face.v1 && c == face.v2) || (a == face.v1 && b == face.v2 && c == face.v0) ||
         (a == face.v2 && b == face.v0 && c == face.v1);
}

// The face's corner opposite its edge (p, q); −1 when it has no such edge.
int FreshCorner(const TriFace& face, int p, int q) {
  const int corners[3] = {face.v0, face.v1, face.v2};
  for (int k = 0; k < 3; ++k) {
    const int a = corners[(k + 1) % 3], b = corners[(k + 2) % 3];
    if ((a == p && b == q) || (a == q && b == p)) return corners[k];
  }
  return -1;
}

// The index sequence of the longest run of the strip's faces, from `first`
// on, that one strip draws each in its own winding; empty when that run is
// a single face. A strip turns every other triangle over, so a face wound
// against its neighbours (a mesh of mixed winding) ends the run.
std::vector<std::uint16_t> RunSequence(const std::vector<TriFace>& faces, const std::vector<int>& strip,
                                       std::size_t first) {
  if (first + 1 >= strip.size()) return {};
  const TriFace& start = faces[strip[first]];
  const TriFace& second = faces[strip[first + 1]];
  const int corners[3] = {start.v0, start.v1, start.v2};
  int lead = 0;  // the corner the second face lacks: the strip leaves by the other two
  while (lead < 3 && FreshCorner(second, corners[(lead + 1) % 3], corners[(lead + 2) % 3]) < 0) ++lead;
  if (lead == 3) return {};
  std::vector<std::uint16_t> sequence;
  for (int k = 0; k < 3; ++k) sequence.push_back(static_cast<std::uint16_t>(corners[(lead + k) % 3]));
  for (std::size_t i = first + 1; i < strip.size(); ++i) {
    const TriFace& face = faces[strip[i]];
    const int p = sequence[sequence.size() - 2], q = sequence.back();
    const int fresh = FreshCorner(face, p, q);
    // Triangle k of a strip is (s[k], s[k+1], s[k+2]), turned over when k is odd.
    const bool even = sequence.size() % 2 == 0;
    if (fresh < 0 || !(even ? SameWinding(face, p, q, fresh) : SameWinding(face, q, p, fresh))) break;
    sequence.push_back(static_cast<std::uint16_t>(fresh));
  }
  if (sequence.size() == 3) return {};
  return sequence;
}

// Runs of two faces or more become strip groups (separate, not joined);
// every other face goes to one trailing triangle list.
std::vector<PrimitiveGroup> StripGroups(const std::vector<TriFace>& faces, const OrderedFaces& ordered) {
  std::vector<PrimitiveGroup> groups;
  PrimitiveGroup list;
  for (const std::vector<int>& strip : ordered.strips) {
    for (std::size_t first = 0; first < strip.size();) {
      std::vector<std::uint16_t> sequence = RunSequence(faces, strip, first);
      if (sequence.empty()) {
        AppendFace(faces[strip[first++]], list.indices);
      } else {
        first += sequence.size() - 2;
        groups.push_back({PrimitiveType::kStrip, std::move(sequence)});
      }
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
