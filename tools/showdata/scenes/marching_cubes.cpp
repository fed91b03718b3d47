#include "scenes/marching_cubes.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

namespace showdata {
namespace {

// Cell corners by their offsets (bit 0: x, bit 1: y, bit 2: z); each face
// lists its four corners in order round it.
constexpr int kFaces[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 6, 7, 5}};

using Segment = std::pair<std::uint32_t, std::uint32_t>;

class Sampler {
 public:
  Sampler(const std::function<float(Vector3)>& field, const FieldGrid& grid, float level, SceneMesh& mesh)
      : field_(field), grid_(grid), level_(level), mesh_(mesh), n_(grid.cells + 1), values_(static_cast<std::size_t>(n_ * n_ * n_)) {
    for (int z = 0; z < n_; ++z)
      for (int y = 0; y < n_; ++y)
        for (int x = 0; x < n_; ++x) values_[index(x, y, z)] = field(point(x, y, z));
  }

  std::size_t index(int x, int y, int z) const { return (static_cast<std::size_t>(z) * n_ + y) * n_ + x; }
  Vector3 point(int x, int y, int z) const {
    const Vector3 size = grid_.high - grid_.low;
    return grid_.low + Vector3{size.x * x / grid_.cells, size.y * y / grid_.cells, size.z * z / grid_.cells};
  }
  float value(std::size_t i) const { return values_[i]; }
  bool inside(std::size_t i) const { return values_[i] > level_; }
  float level() const { return level_; }

  // The crossing on the grid edge between two neighbouring points, made
  // once and shared by the cells around that edge.
  std::uint32_t crossing(std::size_t a, std::size_t b, Vector3 pa, Vector3 pb) {
    const auto [low, high] = std::minmax(a, b);
    const std::uint64_t key = static_cast<std::uint64_t>(low) << 32 | high;
    const auto found = crossings_.find(key);
    if (found != crossings_.end()) return found->second;
    const float t = (level_ - values_[a]) / (values_[b] - values_[a]);
    SceneVertex vertex;
    vertex.position = pa + (pb - pa) * t;
    vertex.normal = outward(vertex.position);
    const std::uint32_t made = mesh_.add(vertex);
    crossings_.emplace(key, made);
    return made;
  }

 private:
  // Down the gradient: away from the blobs' middles.
  Vector3 outward(Vector3 p) const {
    const float h = 0.25f * (grid_.high.x - grid_.low.x) / grid_.cells;
    const Vector3 gradient{field_(p + Vector3{h, 0, 0}) - field_(p - Vector3{h, 0, 0}), field_(p + Vector3{0, h, 0}) - field_(p - Vector3{0, h, 0}),
                           field_(p + Vector3{0, 0, h}) - field_(p - Vector3{0, 0, h})};
    return Normalise(-gradient);
  }

  const std::function<float(Vector3)>& field_;
  const FieldGrid& grid_;
  float level_;
  SceneMesh& mesh_;
  int n_;
  std::vector<float> values_;
  std::unordered_map<std::uint64_t, std::uint32_t> crossings_;  // by the edge's two grid points
};

struct Cell {
  std::array<std::size_t, 8> corner;
  std::array<Vector3, 8> at;
};

// The segments of one face, each joining the crossings of two of its edges.
void faceSegments(const int (&face)[4], const Cell& cell, Sampler& sampler, std::vector<Segment>& segments) {
  std::array<std::int64_t, 4> crossing{};  // per face edge k (corner k to k + 1); -1: no crossing
  int count = 0;
  float mean = 0.0f;
  for (int k = 0; k < 4; ++k) {
    const int a = face[k], b = face[(k + 1) % 4];
    mean += 0.25f * sampler.value(cell.corner[a]);
    crossing[k] = -1;
    if (sampler.inside(cell.corner[a]) != sampler.inside(cell.corner[b])) {
      crossing[k] = sampler.crossing(cell.corner[a], cell.corner[b], cell.at[a], cell.at[b]);
      ++count;
    }
  }
  auto join = [&](int e, int f) { segments.push_back({static_cast<std::uint32_t>(crossing[e]), static_cast<std::uint32_t>(crossing[f])}); };
  if (count == 2) {
    std::vector<int> edges;
    for (int k = 0; k < 4; ++k)
      if (crossing[k] >= 0) edges.push_back(k);
    join(edges[0], edges[1]);
  } else if (count == 4) {
    // The corners alternate. Those on the other side than the face's
    // middle are cut off; corner 1 lies between edges 0 and 1.
    const bool middleInside = mean > sampler.level();
    if (sampler.inside(cell.corner[face[1]]) != middleInside) {
      join(0, 1), join(2, 3);
    } else {
      join(1, 2), join(3, 0);
    }
  }
}

// Closes the cell's segments into loops (every crossing ends two of them)
// and fans each loop, turned to face down the gradient.
void fanLoops(const std::vector<Segment>& segments, SceneMesh& mesh, std::uint16_t surface) {
  std::vector<bool> used(segments.size(), false);
  for (std::size_t start = 0; start < segments.size(); ++start) {
    if (used[start]) continue;
    used[start] = true;
    std::vector<std::uint32_t> loop{segments[start].first, segments[start].second};
    for (bool extended = true; extended;) {
      extended = false;
      for (std::size_t s = 0; s < segments.size(); ++s) {
        if (used[s]) continue;
        const auto [a, b] = segments[s];
        if (a != loop.back() && b != loop.back()) continue;
        used[s] = true;
        const std::uint32_t next = a == loop.back() ? b : a;
        if (next != loop.front()) loop.push_back(next);
        extended = true;
        break;
      }
    }
    // The loop's turn (its area vector) against the gradient's way out,
    // for the whole loop at once: a saddle-shaped loop has fan triangles
    // that lean either way, but all of them must keep the loop's winding.
    Vector3 area, outward;
    for (std::size_t k = 0; k < loop.size(); ++k) {
      area += Cross(mesh.vertices[loop[k]].position, mesh.vertices[loop[(k + 1) % loop.size()]].position);
      outward += mesh.vertices[loop[k]].normal;
    }
    if (Dot(area, outward) < 0.0f) std::reverse(loop.begin(), loop.end());
    for (std::size_t k = 1; k + 1 < loop.size(); ++k) mesh.triangle(loop[0], loop[k], loop[k + 1], surface);
  }
}

}  // namespace

SceneMesh isosurface(const std::function<float(Vector3)>& field, const FieldGrid& grid, float level, std::uint16_t surface) {
  SceneMesh mesh;
  Sampler sampler(field, grid, level, mesh);
  std::vector<Segment> segments;
  for (int z = 0; z < grid.cells; ++z)
    for (int y = 0; y < grid.cells; ++y)
      for (int x = 0; x < grid.cells; ++x) {
        Cell cell;
        for (int c = 0; c < 8; ++c) {
          const int cx = x + (c & 1), cy = y + ((c >> 1) & 1), cz = z + ((c >> 2) & 1);
          cell.corner[static_cast<std::size_t>(c)] = sampler.index(cx, cy, cz);
          cell.at[static_cast<std::size_t>(c)] = sampler.point(cx, cy, cz);
        }
        segments.clear();
        for (const auto& face : kFaces) faceSegments(face, cell, sampler, segments);
        fanLoops(segments, mesh, surface);
      }
  return mesh;
}

}  // namespace showdata
