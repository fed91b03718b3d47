#pragma once
// Simulated FIFO vertex cache: a new vertex goes in front and the oldest
// falls out. Membership is kept per vertex so a lookup costs nothing.
#include <vector>

#include "geometry/strip_adjacency.h"

namespace tristrip {

class VertexFifo {
 public:
  VertexFifo(int size, int vertexCount) : entries_(size, -1), member_(vertexCount, false) {}

  bool Contains(int vertex) const { return member_[vertex]; }
  void Add(int vertex);
  // Adds the face's vertices that are not cached yet, v0, v1, v2 in order.
  void AddFace(const TriFace& face);
  int Hits(const TriFace& face) const { return Contains(face.v0) + Contains(face.v1) + Contains(face.v2); }
  // Entries from newest to oldest; −1 for empty.
  const std::vector<int>& entries() const { return entries_; }

 private:
  std::vector<int> entries_;
  std::vector<bool> member_;
  int front_ = 0;
};

}  // namespace tristrip
