#pragma once
// Polygons to triangles through the GLU tessellator. The tessellator may
// only reuse the polygon's own points: where it would need a new vertex
// (a self-intersection) the polygon fails instead. A list index equal to the
// current contour's first index closes that contour and starts another.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "render/vector3.h"

namespace LW {

using IndexTriple = std::array<int, 3>;

class Triangulator {
 public:
  // With `reuseQuadSplits`, a convex quad of a class the tessellator has
  // already split is split the same way without it (see quad_class.h).
  explicit Triangulator(bool reuseQuadSplits = true) : reuseQuadSplits_(reuseQuadSplits) {}
  ~Triangulator();
  Triangulator(const Triangulator&) = delete;
  Triangulator& operator=(const Triangulator&) = delete;

  // Appends the polygon's triangles to `out`; false (and `out` unchanged)
  // when the tessellator cannot be had or the polygon cannot be split into
  // triangles of its own points.
  bool triangulate(std::span<const std::uint32_t> indices, std::span<const Vector3> points,
                   std::vector<IndexTriple>& out);

  // The tessellator's callbacks reach the polygon being split through this.
  struct Polygon {
    std::vector<IndexTriple>* out;
    std::size_t firstOut;
    int pending[3];
    int pendingCount;
    bool failed;
  };

 private:
  void* tessellator();
  void dropTessellator();
  bool tessellate(std::span<const std::uint32_t> indices, std::span<const Vector3> points,
                  std::vector<IndexTriple>& out);
  bool reuseQuadSplit(int quadClass, std::span<const std::uint32_t> quad, std::vector<IndexTriple>& out) const;
  void learnQuadSplit(int quadClass, std::span<const std::uint32_t> quad, std::span<const IndexTriple> triangles);

  bool reuseQuadSplits_;

  void* tess_ = nullptr;  // GLUtesselator, kept for the next polygon while it stays clean
  std::vector<std::array<double, 3>> coordinates_;
};

}  // namespace LW
