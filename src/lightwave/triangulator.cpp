#include "lightwave/triangulator.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>

#include "lightwave/quad_class.h"
#include "render/gl_table.h"

namespace LW {
namespace {

using Polygon = Triangulator::Polygon;

// The split the tessellator made of each quad class: six corner positions of
// two bits each, and kLearnt once known. The tessellator always splits a
// class the same way, so what one load learnt serves every later load, on
// any thread.
constexpr std::uint16_t kLearnt = 0x8000;
std::array<std::atomic<std::uint16_t>, kQuadClassCount> quadSplits{};

void onBegin(GLenum, void*) {}
void onEnd(void*) {}
// Registering an edge-flag callback makes the tessellator emit separate
// triangles only (no fans, no strips).
void onEdgeFlag(GLboolean, void*) {}

void onVertex(void* vertexData, void* polygonData) {
  auto* polygon = static_cast<Polygon*>(polygonData);
  polygon->pending[polygon->pendingCount++] = static_cast<int>(reinterpret_cast<std::intptr_t>(vertexData));
  if (polygon->pendingCount == 3) {
    polygon->out->push_back({polygon->pending[0], polygon->pending[1], polygon->pending[2]});
    polygon->pendingCount = 0;
  }
}

void onError(GLenum, void* polygonData) { static_cast<Polygon*>(polygonData)->failed = true; }

// The program never invents vertices: a polygon that needs one fails.
void onCombine(GLdouble*, void**, GLfloat*, void** outData, void* polygonData) {
  *outData = nullptr;
  static_cast<Polygon*>(polygonData)->failed = true;
}

template <typename Function>
void setCallback(GLUtesselator* tess, GLenum which, Function function) {
  gl.gluTessCallback(tess, which, reinterpret_cast<_GLUfuncptr>(function));
}

}  // namespace

Triangulator::~Triangulator() { dropTessellator(); }

void Triangulator::dropTessellator() {
  if (tess_ != nullptr) gl.gluDeleteTess(static_cast<GLUtesselator*>(tess_));
  tess_ = nullptr;
}

void* Triangulator::tessellator() {
  if (tess_ != nullptr || gl.gluNewTess == nullptr) return tess_;
  auto* tess = gl.gluNewTess();
  if (tess == nullptr) return nullptr;
  setCallback(tess, GLU_TESS_BEGIN_DATA, &onBegin);
  setCallback(tess, GLU_TESS_VERTEX_DATA, &onVertex);
  setCallback(tess, GLU_TESS_END_DATA, &onEnd);
  setCallback(tess, GLU_TESS_ERROR_DATA, &onError);
  setCallback(tess, GLU_TESS_COMBINE_DATA, &onCombine);
  setCallback(tess, GLU_TESS_EDGE_FLAG_DATA, &onEdgeFlag);
  tess_ = tess;
  return tess_;
}

bool Triangulator::triangulate(std::span<const std::uint32_t> indices, std::span<const Vector3> points,
                               std::vector<IndexTriple>& out) {
  if (!reuseQuadSplits_ || indices.size() != 4) return tessellate(indices, points, out);
  const std::span<const std::uint32_t, 4> quad(indices.data(), 4);
  const int quadClass = QuadClass(quad, points);
  if (quadClass < 0) return tessellate(indices, points, out);
  if (reuseQuadSplit(quadClass, quad, out)) return true;
  const std::size_t first = out.size();
  if (!tessellate(indices, points, out)) return false;
  learnQuadSplit(quadClass, quad, std::span<const IndexTriple>(out).subspan(first));
  return true;
}

bool Triangulator::reuseQuadSplit(int quadClass, std::span<const std::uint32_t> quad,
                                  std::vector<IndexTriple>& out) const {
  const std::uint16_t split = quadSplits[quadClass].load(std::memory_order_relaxed);
  if ((split & kLearnt) == 0) return false;
  auto at = [&](int k) { return static_cast<int>(quad[(split >> (2 * k)) & 3]); };
  out.push_back({at(0), at(1), at(2)});
  out.push_back({at(3), at(4), at(5)});
  return true;
}

void Triangulator::learnQuadSplit(int quadClass, std::span<const std::uint32_t> quad,
                                  std::span<const IndexTriple> triangles) {
  if (triangles.size() != 2) return;
  std::uint16_t split = kLearnt;
  for (int k = 0; k < 6; ++k) {
    const auto corner = static_cast<std::uint32_t>(triangles[k / 3][k % 3]);
    split |= static_cast<std::uint16_t>((std::find(quad.begin(), quad.end(), corner) - quad.begin()) << (2 * k));
  }
  quadSplits[quadClass].store(split, std::memory_order_relaxed);
}

bool Triangulator::tessellate(std::span<const std::uint32_t> indices, std::span<const Vector3> points,
                              std::vector<IndexTriple>& out) {
  for (std::uint32_t index : indices)
    if (index >= points.size() || !std::isfinite(points[index].x) || !std::isfinite(points[index].y) ||
        !std::isfinite(points[index].z))
      return false;
  auto* tess = static_cast<GLUtesselator*>(tessellator());
  if (tess == nullptr) return false;

  // The tessellator keeps the coordinate pointers until the polygon ends.
  coordinates_.resize(indices.size());
  Polygon polygon{&out, out.size(), {0, 0, 0}, 0, false};
  gl.gluTessBeginPolygon(tess, &polygon);
  gl.gluTessBeginContour(tess);
  bool haveFirst = false;
  std::uint32_t first = 0;
  for (std::size_t i = 0; i < indices.size(); ++i) {
    const std::uint32_t index = indices[i];
    if (haveFirst && index == first) {
      gl.gluTessEndContour(tess);
      gl.gluTessBeginContour(tess);
      haveFirst = false;
      continue;
    }
    if (!haveFirst) first = index, haveFirst = true;
    const Vector3& p = points[index];
    coordinates_[i] = {p.x, p.y, p.z};
    gl.gluTessVertex(tess, coordinates_[i].data(), reinterpret_cast<void*>(static_cast<std::intptr_t>(index)));
  }
  gl.gluTessEndContour(tess);
  gl.gluTessEndPolygon(tess);

  if (!polygon.failed) return true;
  out.resize(polygon.firstOut);
  // A tessellator that gave up half-way keeps its half-built mesh; a fresh
  // one starts clean.
  dropTessellator();
  return false;
}

}  // namespace LW
