#include "objects/extrusion.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace showdata {
namespace {

float cross2(Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool insideTriangle(Point p, Point a, Point b, Point c) {
  return cross2(a, b, p) >= 0 && cross2(b, c, p) >= 0 && cross2(c, a, p) >= 0;
}

}  // namespace

std::vector<std::uint32_t> triangulatePolygon(const std::vector<Point>& polygon) {
  std::vector<std::uint32_t> left(polygon.size());
  std::iota(left.begin(), left.end(), 0u);
  std::vector<std::uint32_t> triangles;
  std::size_t guard = 0;
  while (left.size() > 3 && guard < polygon.size() * polygon.size()) {
    bool cut = false;
    for (std::size_t i = 0; i < left.size() && !cut; ++i) {
      const std::uint32_t ia = left[(i + left.size() - 1) % left.size()], ib = left[i], ic = left[(i + 1) % left.size()];
      const Point a = polygon[ia], b = polygon[ib], c = polygon[ic];
      if (cross2(a, b, c) <= 0) continue;  // reflex corner: no ear
      bool empty = true;
      for (std::uint32_t other : left)
        if (other != ia && other != ib && other != ic && insideTriangle(polygon[other], a, b, c)) empty = false;
      if (!empty) continue;
      triangles.insert(triangles.end(), {ia, ib, ic});
      left.erase(left.begin() + static_cast<std::ptrdiff_t>(i));
      cut = true;
    }
    if (!cut) return {};
    ++guard;
  }
  if (left.size() == 3) triangles.insert(triangles.end(), {left[0], left[1], left[2]});
  return triangles;
}

std::vector<Point> insetPolygon(const std::vector<Point>& polygon, float distance) {
  const std::size_t n = polygon.size();
  std::vector<Point> out(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Point prev = polygon[(i + n - 1) % n], p = polygon[i], next = polygon[(i + 1) % n];
    auto inward = [](Point a, Point b) {  // left of a->b, the inside of a counter-clockwise polygon
      const float dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
      return Point{-dy / length, dx / length};
    };
    const Point n1 = inward(prev, p), n2 = inward(p, next);
    Point bisector{n1.x + n2.x, n1.y + n2.y};
    const float length = std::hypot(bisector.x, bisector.y);
    bisector = {bisector.x / length, bisector.y / length};
    const float cosine = std::max(0.4f, bisector.x * n1.x + bisector.y * n1.y);  // mitre, limited at sharp tips
    out[i] = {p.x + bisector.x * distance / cosine, p.y + bisector.y * distance / cosine};
  }
  return out;
}

Mesh bevelledSlab(const std::vector<Point>& outline, const BevelSettings& settings) {
  // Rings from the front face (z = -halfDepth) round the edge, along the
  // side and round the back edge to the back face.
  struct Ring {
    float inset, z;
  };
  std::vector<Ring> rings;
  const float core = settings.halfDepth - settings.bevel;
  for (int s = 0; s <= settings.steps; ++s) {
    const float angle = 1.5707963f * s / settings.steps;
    rings.push_back({settings.bevel * (1.0f - std::sin(angle)), -core - settings.bevel * std::cos(angle)});
  }
  for (int s = settings.steps; s >= 0; --s) rings.push_back({rings[static_cast<std::size_t>(s)].inset, -rings[static_cast<std::size_t>(s)].z});

  Mesh mesh;
  const std::size_t n = outline.size();
  for (const Ring& ring : rings) {
    const std::vector<Point> shape = ring.inset > 0.0f ? insetPolygon(outline, ring.inset) : outline;
    for (const Point& p : shape) mesh.add({p.x, p.y, ring.z});
  }
  auto at = [n](std::size_t ring, std::size_t i) { return static_cast<std::uint32_t>(ring * n + i % n); };
  for (std::size_t r = 0; r + 1 < rings.size(); ++r)
    for (std::size_t i = 0; i < n; ++i) mesh.quad(at(r, i), at(r, i + 1), at(r + 1, i + 1), at(r + 1, i), settings.surface);
  const std::vector<std::uint32_t> cap = triangulatePolygon(insetPolygon(outline, settings.bevel));
  const std::size_t last = rings.size() - 1;
  for (std::size_t i = 0; i + 2 < cap.size(); i += 3) {
    mesh.triangle(at(0, cap[i]), at(0, cap[i + 2]), at(0, cap[i + 1]), settings.surface);
    mesh.triangle(at(last, cap[i]), at(last, cap[i + 1]), at(last, cap[i + 2]), settings.surface);
  }
  orientOutward(mesh);
  return mesh;
}

}  // namespace showdata
