#include "geometry/strip_adjacency.h"

#include <algorithm>
#include <cstdio>

namespace tristrip {

StripAdjacency::StripAdjacency(std::span<const std::uint16_t> indices) {
  const int faceCount = static_cast<int>(indices.size() / 3);
  const auto largest = std::max_element(indices.begin(), indices.begin() + 3 * faceCount);
  heads_.assign(faceCount == 0 ? 0 : *largest + 1, -1);
  faces.reserve(faceCount);
  edges.reserve(3 * faceCount / 2 + 16);
  for (int f = 0; f < faceCount; ++f) {
    const int v0 = indices[3 * f], v1 = indices[3 * f + 1], v2 = indices[3 * f + 2];
    faces.push_back({v0, v1, v2});
    Register(v0, v1, f);
    Register(v1, v2, f);
    Register(v2, v0, f);
  }
}

void StripAdjacency::Register(int a, int b, int face) {
  const int existing = FindEdge(a, b);
  if (existing < 0) {
    edges.push_back({.firstFace = face, .v0 = a, .v1 = b, .nextOfFirst = heads_[a], .nextOfSecond = heads_[b]});
    heads_[a] = heads_[b] = static_cast<int>(edges.size()) - 1;
  } else if (edges[existing].secondFace < 0) {
    edges[existing].secondFace = face;
  } else {
    std::fputs("BuildStripifyInfo: > 2 triangles on an edge... uncertain consequences\n", stdout);
  }
}

int StripAdjacency::NextEdge(int edge, int vertex) const {
  const TriEdge& e = edges[edge];
  return e.v0 == vertex ? e.nextOfFirst : e.nextOfSecond;
}

int StripAdjacency::FindEdge(int a, int b) const {
  if (a < 0 || b < 0 || a >= vertexCount() || b >= vertexCount()) return -1;
  for (int e = heads_[a]; e >= 0; e = NextEdge(e, a)) {
    const TriEdge& edge = edges[e];
    if ((edge.v0 == a && edge.v1 == b) || (edge.v0 == b && edge.v1 == a)) return e;
  }
  return -1;
}

int StripAdjacency::OtherFace(int a, int b, int face) const {
  const int e = FindEdge(a, b);
  if (e < 0) return -1;
  return edges[e].firstFace == face ? edges[e].secondFace : edges[e].firstFace;
}

int StripAdjacency::NeighbourCount(int face) const {
  const TriFace& f = faces[face];
  return (OtherFace(f.v0, f.v1, face) >= 0) + (OtherFace(f.v1, f.v2, face) >= 0) + (OtherFace(f.v2, f.v0, face) >= 0);
}

}  // namespace tristrip
