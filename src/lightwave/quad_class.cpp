#include "lightwave/quad_class.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace LW {
namespace {

using Point = std::array<double, 3>;

// The axis of the largest normal component, as GLU picks it; -1 when the
// runner-up is too close for rounding to leave the choice alone.
int clearLongAxis(const Point& n) {
  const std::array<double, 3> a{std::fabs(n[0]), std::fabs(n[1]), std::fabs(n[2])};
  const int i = static_cast<int>(std::max_element(a.begin(), a.end()) - a.begin());
  const double second = std::max(a[(i + 1) % 3], a[(i + 2) % 3]);
  return a[i] > 0.0 && a[i] > second * 1.01 ? i : -1;
}

Point normalOf(const Point& a, const Point& b, const Point& c) {
  const Point d1{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
  const Point d2{c[0] - b[0], c[1] - b[1], c[2] - b[2]};
  return {d1[1] * d2[2] - d1[2] * d2[1], d1[2] * d2[0] - d1[0] * d2[2], d1[0] * d2[1] - d1[1] * d2[0]};
}

// GLU takes its normal from some three of the corners; every choice must
// lean to the same axis.
int projectionAxis(const std::array<Point, 4>& p) {
  int axis = -1;
  for (int skip = 0; skip < 4; ++skip) {
    std::array<Point, 3> t;
    for (int k = 0, j = 0; k < 4; ++k)
      if (k != skip) t[j++] = p[k];
    const int a = clearLongAxis(normalOf(t[0], t[1], t[2]));
    if (a < 0 || (axis >= 0 && a != axis)) return -1;
    axis = a;
  }
  return axis;
}

}  // namespace

int QuadClass(std::span<const std::uint32_t, 4> quad, std::span<const Vector3> points) {
  std::array<Point, 4> p;
  for (int k = 0; k < 4; ++k) {
    if (quad[k] >= points.size()) return -1;
    const Vector3& v = points[quad[k]];
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return -1;
    p[k] = {v.x, v.y, v.z};
  }
  const int axis = projectionAxis(p);
  if (axis < 0) return -1;
  // The projection: s and t are plain coordinates, as in the tessellator.
  std::array<std::array<double, 2>, 4> st;
  for (int k = 0; k < 4; ++k) st[k] = {p[k][(axis + 1) % 3], p[k][(axis + 2) % 3]};
  // Strictly convex, one winding, no corner near a neighbouring edge's line.
  int winding = 0;
  for (int k = 0; k < 4; ++k) {
    const auto& a = st[k];
    const auto& b = st[(k + 1) % 4];
    const auto& c = st[(k + 2) % 4];
    const double ux = b[0] - a[0], uy = b[1] - a[1], vx = c[0] - b[0], vy = c[1] - b[1];
    const double cross = ux * vy - uy * vx;
    const double scale = (std::fabs(ux) + std::fabs(uy)) * (std::fabs(vx) + std::fabs(vy));
    if (!(std::fabs(cross) > 1e-6 * scale)) return -1;
    const int sign = cross > 0 ? 1 : -1;
    if (winding != 0 && sign != winding) return -1;
    winding = sign;
  }
  // The sweep order of the corners: s, then t; coinciding corners excluded.
  std::array<int, 4> order{0, 1, 2, 3};
  std::sort(order.begin(), order.end(), [&](int a, int b) { return st[a] < st[b]; });
  // The tessellator may see t mirrored, which reverses the corners of equal
  // s; which neighbours in the order share their s is part of the class.
  int equalS = 0;
  for (int k = 0; k < 3; ++k) {
    if (st[order[k]] == st[order[k + 1]]) return -1;
    equalS = equalS * 2 + (st[order[k]][0] == st[order[k + 1]][0] ? 1 : 0);
  }
  int permutation = 0;  // the rank of the order among the 24
  std::array<bool, 4> taken{};
  for (int k = 0; k < 4; ++k) {
    int smaller = 0;
    for (int j = 0; j < order[k]; ++j) smaller += taken[j] ? 0 : 1;
    taken[order[k]] = true;
    permutation = permutation * (4 - k) + smaller;
  }
  return ((axis * 2 + (winding > 0 ? 1 : 0)) * 8 + equalS) * 24 + permutation;
}

}  // namespace LW
