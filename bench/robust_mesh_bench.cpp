// Build(0x03) of a 100k-triangle mesh (face normals, smoothed corner
// normals, edge table, face rings), per triangle. The reference is the floor
// of that work: one pass computing the unit face normals of the same mesh.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "render/robust_mesh.h"

namespace {

constexpr int kSide = 224;  // 2 x 224 x 224 = 100352 triangles

std::vector<Vector3> GridPoints() {
  std::vector<Vector3> points;
  for (int y = 0; y <= kSide; ++y)
    for (int x = 0; x <= kSide; ++x)
      points.push_back({static_cast<float>(x), static_cast<float>(y), std::sin(0.3f * x) * std::cos(0.2f * y)});
  return points;
}

std::vector<std::uint32_t> GridTriangles() {
  std::vector<std::uint32_t> indices;
  auto at = [](int x, int y) { return static_cast<std::uint32_t>(y * (kSide + 1) + x); };
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      indices.insert(indices.end(), {at(x, y), at(x, y + 1), at(x + 1, y), at(x + 1, y), at(x, y + 1), at(x + 1, y + 1)});
  return indices;
}

void BM_RobustMeshBuildNormalsAndTopology(benchmark::State& state) {
  kst::RobustMesh mesh;
  mesh.SetVertices(GridPoints());
  mesh.SetTriangles(GridTriangles(), {}, 1);
  for (auto _ : state) {
    mesh.Build(kst::RobustMesh::kBuildNormals | kst::RobustMesh::kBuildTopology);
    benchmark::DoNotOptimize(mesh.normals().values.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(mesh.triangleCount()));
  state.counters["ns_per_triangle"] = benchmark::Counter(
      static_cast<double>(state.iterations() * mesh.triangleCount()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RobustMeshBuildNormalsAndTopology)->Unit(benchmark::kMillisecond);

void BM_ReferenceFaceNormalsOnly(benchmark::State& state) {
  const std::vector<Vector3> points = GridPoints();
  const std::vector<std::uint32_t> triangles = GridTriangles();
  std::vector<Vector3> normals(triangles.size() / 3);
  for (auto _ : state) {
    for (std::size_t t = 0; t < normals.size(); ++t) {
      const Vector3 a = points[triangles[3 * t]], b = points[triangles[3 * t + 1]], c = points[triangles[3 * t + 2]];
      normals[t] = Normalise(Cross(b - a, c - a));
    }
    benchmark::DoNotOptimize(normals.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(normals.size()));
  state.counters["ns_per_triangle"] = benchmark::Counter(static_cast<double>(state.iterations() * normals.size()),
                                                          benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReferenceFaceNormalsOnly)->Unit(benchmark::kMillisecond);

}  // namespace
