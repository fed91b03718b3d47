// The shadow layer's CPU work of one frame: silhouettes and volumes of a
// central mesh of 5,000 triangles and 48 objects of 500, each for its own
// light position. The reference is the floor of that work: only classifying
// every face of the same meshes against the light (one plane test a face).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "layers/shadows/shadow_caster.h"
#include "layers/shadows/shadow_volume.h"
#include "render/robust_mesh.h"

namespace {

constexpr int kObjects = 48;

// A closed torus of 2 · rings · sides triangles, wound so face normals point out.
std::unique_ptr<kst::RobustMesh> Torus(int rings, int sides, float major, float minor) {
  std::vector<Vector3> points;
  for (int i = 0; i < rings; ++i)
    for (int j = 0; j < sides; ++j) {
      const float u = 6.2831853f * i / rings, v = 6.2831853f * j / sides;
      const float r = major + minor * std::cos(v);
      points.push_back({r * std::cos(u), minor * std::sin(v), r * std::sin(u)});
    }
  std::vector<std::uint32_t> triangles;
  auto at = [&](int i, int j) { return static_cast<std::uint32_t>((i % rings) * sides + j % sides); };
  for (int i = 0; i < rings; ++i)
    for (int j = 0; j < sides; ++j)
      triangles.insert(triangles.end(), {at(i, j), at(i, j + 1), at(i + 1, j), at(i + 1, j), at(i, j + 1), at(i + 1, j + 1)});
  auto mesh = std::make_unique<kst::RobustMesh>();
  mesh->SetVertices(std::move(points));
  mesh->SetTriangles(std::move(triangles), {}, 1);
  mesh->Build(kst::RobustMesh::kBuildTopology);
  return mesh;
}

struct Frame {
  std::unique_ptr<kst::RobustMesh> central = Torus(50, 50, 1.0f, 0.4f);   // 5,000 triangles
  std::unique_ptr<kst::RobustMesh> object = Torus(25, 10, 1.0f, 0.3f);    // 500 triangles
  std::vector<kst::ShadowCaster> casters;
  std::vector<Vector3> lights;

  Frame() {
    casters.emplace_back(*central);
    for (int i = 0; i < kObjects; ++i) casters.emplace_back(*object);
    for (int i = 0; i <= kObjects; ++i) lights.push_back({3.0f + 0.1f * i, 3.0f, 5.0f - 0.05f * i});
  }
  std::size_t edges() const { return central->Topology().edgeCount() + kObjects * object->Topology().edgeCount(); }
};

void BM_ShadowSilhouettesAndVolumes(benchmark::State& state) {
  Frame frame;
  std::vector<kst::ShadowVolume> volumes(frame.casters.size());
  std::size_t quads = 0;
  for (auto _ : state) {
    quads = 0;
    for (std::size_t i = 0; i < frame.casters.size(); ++i) {
      frame.casters[i].ComputeSilhouette(frame.lights[i]);
      volumes[i].Build(frame.casters[i], frame.lights[i]);
      quads += volumes[i].quadCount();
    }
    benchmark::DoNotOptimize(volumes.data());
  }
  state.counters["quads"] = static_cast<double>(quads);
  state.counters["ns_per_edge"] = benchmark::Counter(static_cast<double>(state.iterations() * frame.edges()),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ShadowSilhouettesAndVolumes)->Unit(benchmark::kMicrosecond);

void BM_ReferenceFaceClassificationOnly(benchmark::State& state) {
  Frame frame;
  std::vector<kst::RobustMesh*> meshes{frame.central.get()};
  for (int i = 0; i < kObjects; ++i) meshes.push_back(frame.object.get());
  std::vector<std::vector<Vector3>> normals;
  std::vector<std::vector<float>> offsets;
  for (kst::RobustMesh* mesh : meshes) {
    normals.push_back(mesh->FaceNormals());
    offsets.emplace_back();
    for (std::size_t t = 0; t < mesh->triangleCount(); ++t)
      offsets.back().push_back(-Dot(normals.back()[t], mesh->positions().values[mesh->triangles()[3 * t]]));
  }
  std::vector<std::uint8_t> lit;
  for (auto _ : state) {
    for (std::size_t m = 0; m < meshes.size(); ++m) {
      lit.resize(normals[m].size());
      for (std::size_t t = 0; t < lit.size(); ++t) lit[t] = Dot(normals[m][t], frame.lights[m]) + offsets[m][t] > 0.0f;
      benchmark::DoNotOptimize(lit.data());
    }
  }
}
BENCHMARK(BM_ReferenceFaceClassificationOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
