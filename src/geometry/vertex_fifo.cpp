#include "geometry/vertex_fifo.h"

namespace tristrip {

void VertexFifo::Add(int vertex) {
  const int size = static_cast<int>(entries_.size());
  front_ = (front_ + size - 1) % size;
  if (entries_[front_] >= 0) member_[entries_[front_]] = false;
  entries_[front_] = vertex;
  member_[vertex] = true;
}

void VertexFifo::AddFace(const TriFace& face) {
  for (int v : {face.v0, face.v1, face.v2})
    if (!Contains(v)) Add(v);
}

}  // namespace tristrip
