#pragma once
// Derived topology of a robust mesh: the edge table, where every edge keeps
// the ring of faces that use it, and the ring of faces around every vertex.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kst {

// A face reference: bits 0-28 the triangle, bits 29-30 the side of it that
// lies on the edge (0: first to second corner, 1: second to third, 2: third to
// first), bit 31 set when the triangle runs along that side from the edge's
// smaller vertex to its larger one.
struct FaceRef {
  static constexpr std::uint32_t kTriangleMask = 0x1FFFFFFF;
  static constexpr std::uint32_t kForward = 0x80000000;

  static std::uint32_t Make(std::uint32_t triangle, int side, bool forward) {
    return triangle + (static_cast<std::uint32_t>(side) << 29) + (forward ? kForward : 0u);
  }
  static std::uint32_t Triangle(std::uint32_t ref) { return ref & kTriangleMask; }
  static int Side(std::uint32_t ref) { return static_cast<int>((ref >> 29) & 3u); }
  static bool Forward(std::uint32_t ref) { return (ref & kForward) != 0; }
};

class EdgeTable {
 public:
  struct Slot {
    std::uint32_t faceRef = 0;
    std::int32_t next = -1;  // next slot of the ring; itself on the last one, −1 with no face at all
  };

  // Edges in order of their vertex pairs, each face ring in triangle order.
  static EdgeTable FromTriangles(std::span<const std::uint32_t> triangles);

  std::size_t edgeCount() const { return edges_.size(); }
  // The two vertices, smaller first.
  const std::array<std::uint32_t, 2>& Vertices(std::size_t edge) const { return edges_[edge]; }
  // The ring of an edge starts at slot `edge`.
  const std::vector<Slot>& slots() const { return slots_; }
  std::vector<std::uint32_t> FaceRefs(std::size_t edge) const;

 private:
  std::vector<std::array<std::uint32_t, 2>> edges_;
  std::vector<Slot> slots_;
};

class FaceRings {
 public:
  static FaceRings FromTriangles(std::span<const std::uint32_t> triangles, std::size_t vertexCount);

  // The triangles that use the vertex, in triangle order.
  std::span<const std::uint32_t> Of(std::uint32_t vertex) const {
    return {faces_.data() + start_[vertex], faces_.data() + start_[vertex + 1]};
  }

 private:
  std::vector<std::uint32_t> start_;
  std::vector<std::uint32_t> faces_;
};

}  // namespace kst
