#include "scenes/surfaces_grid.h"

#include <cmath>

namespace showdata {
namespace {

constexpr float kTwoPi = 6.2831853f;

int neighbour(int index, int step, int last, bool wrap) {
  const int n = index + step;
  if (wrap) return (n + last) % last;
  return n < 0 ? 0 : n > last ? last : n;
}

Vector3 gridNormal(const GridPlan& plan, int i, int j) {
  const Vector3 di = plan.position(neighbour(i, 1, plan.rows, plan.wrapRows), j) -
                     plan.position(neighbour(i, -1, plan.rows, plan.wrapRows), j);
  const Vector3 dj = plan.position(i, neighbour(j, 1, plan.columns, plan.wrapColumns)) -
                     plan.position(i, neighbour(j, -1, plan.columns, plan.wrapColumns));
  const Vector3 normal = Normalise(Cross(di, dj));
  if (Dot(normal, normal) > 0.5f) return normal;
  // A pole (a row or column shrunk to a point): the next ring's normal.
  const int inner = i == 0 ? 1 : i == plan.rows ? plan.rows - 1 : i;
  const int across = j == 0 ? 1 : j == plan.columns ? plan.columns - 1 : j;
  if (inner == i && across == j) return normal;
  return gridNormal(plan, inner, across);
}

}  // namespace

SceneMesh grid(const GridPlan& plan, std::uint16_t surface) {
  SceneMesh mesh;
  for (int i = 0; i <= plan.rows; ++i)
    for (int j = 0; j <= plan.columns; ++j) {
      SceneVertex vertex;
      vertex.position = plan.position(i, j);
      vertex.normal = gridNormal(plan, i, j);
      if (plan.texCoord) {
        std::tie(vertex.u, vertex.v) = plan.texCoord(i, j);
      } else {
        vertex.u = static_cast<float>(j) / plan.columns;
        vertex.v = static_cast<float>(i) / plan.rows;
      }
      mesh.add(vertex);
    }
  auto at = [&](int i, int j) { return static_cast<std::uint32_t>(i * (plan.columns + 1) + j); };
  for (int i = 0; i < plan.rows; ++i)
    for (int j = 0; j < plan.columns; ++j) {
      const std::uint32_t a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
      // Quads that shrink to a triangle at a pole lose their empty half.
      const bool poleAtI = mesh.vertices[a].position == mesh.vertices[d].position;
      const bool poleAtNext = mesh.vertices[b].position == mesh.vertices[c].position;
      if (!poleAtI) mesh.triangle(a, b, d, surface);
      if (!poleAtNext) mesh.triangle(b, c, d, surface);
    }
  return mesh;
}

SceneMesh lathe(const LathePlan& plan, std::uint16_t surface) {
  std::vector<float> lengths{0.0f};
  for (std::size_t k = 1; k < plan.profile.size(); ++k) {
    const float dr = plan.profile[k].first - plan.profile[k - 1].first;
    const float dy = plan.profile[k].second - plan.profile[k - 1].second;
    lengths.push_back(lengths.back() + std::sqrt(dr * dr + dy * dy));
  }
  const float turn = plan.inward ? -1.0f : 1.0f;
  GridPlan g;
  g.rows = static_cast<int>(plan.profile.size()) - 1;
  g.columns = plan.segments;
  g.wrapColumns = true;
  g.position = [&](int i, int j) {
    const float angle = turn * kTwoPi * static_cast<float>(j % plan.segments) / plan.segments;
    const auto [r, y] = plan.profile[static_cast<std::size_t>(i)];
    return Vector3{r * std::cos(angle), y, r * std::sin(angle)};
  };
  g.texCoord = [&](int i, int j) {
    return std::pair{plan.uRepeats * static_cast<float>(j) / plan.segments, lengths[static_cast<std::size_t>(i)] * plan.vScale};
  };
  return grid(g, surface);
}

SceneMesh box(Vector3 low, Vector3 high, std::uint16_t surface, float uvScale, bool inward) {
  SceneMesh mesh;
  // Each face: its outward axis and sign, and the two axes it spans.
  for (int axis = 0; axis < 3; ++axis)
    for (int side = 0; side < 2; ++side) {
      const int uAxis = (axis + 1) % 3, vAxis = (axis + 2) % 3;
      Vector3 normal;
      normal[axis] = side == 1 ? 1.0f : -1.0f;
      const float plane = side == 1 ? high[axis] : low[axis];
      std::uint32_t corners[4];
      const int order[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
      for (int k = 0; k < 4; ++k) {
        SceneVertex vertex;
        vertex.position[axis] = plane;
        vertex.position[uAxis] = order[k][0] == 0 ? low[uAxis] : high[uAxis];
        vertex.position[vAxis] = order[k][1] == 0 ? low[vAxis] : high[vAxis];
        vertex.normal = inward ? -normal : normal;
        vertex.u = (vertex.position[uAxis] - low[uAxis]) * uvScale;
        vertex.v = (vertex.position[vAxis] - low[vAxis]) * uvScale;
        corners[k] = mesh.add(vertex);
      }
      // Cross(u, v) is +axis: that order faces the high side.
      const bool seenFromHigh = (side == 1) != inward;
      if (seenFromHigh)
        mesh.quad(corners[0], corners[1], corners[2], corners[3], surface);
      else
        mesh.quad(corners[0], corners[3], corners[2], corners[1], surface);
    }
  return mesh;
}

SceneMesh convexPolygon(const std::vector<Vector3>& points, Vector3 uAxis, Vector3 vAxis, float uvScale, std::uint16_t surface) {
  SceneMesh mesh;
  const Vector3 normal = Normalise(Cross(points[1] - points[0], points[2] - points[0]));
  for (const Vector3& p : points) {
    SceneVertex vertex;
    vertex.position = p;
    vertex.normal = normal;
    vertex.u = Dot(p, uAxis) * uvScale;
    vertex.v = Dot(p, vAxis) * uvScale;
    mesh.add(vertex);
  }
  for (std::uint32_t k = 1; k + 1 < points.size(); ++k) mesh.triangle(0, k, k + 1, surface);
  return mesh;
}

SceneMesh torus(float ringRadius, float tubeRadius, int segments, int sides, float uRepeats, std::uint16_t surface) {
  GridPlan g;
  g.rows = segments;
  g.columns = sides;
  g.wrapRows = g.wrapColumns = true;
  g.position = [=](int i, int j) {
    const float a = kTwoPi * static_cast<float>(i % segments) / segments;
    const float b = kTwoPi * static_cast<float>(j % sides) / sides;
    const float r = ringRadius + tubeRadius * std::cos(b);
    // The tube turns downward first so that the outside is the seen side.
    return Vector3{r * std::cos(a), -tubeRadius * std::sin(b), r * std::sin(a)};
  };
  g.texCoord = [=](int i, int j) {
    return std::pair{uRepeats * static_cast<float>(i) / segments, static_cast<float>(j) / sides};
  };
  return grid(g, surface);
}

}  // namespace showdata
