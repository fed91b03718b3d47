// Loading the meshes of a scene file, stage by stage, against the bare
// bzip2 stage of the same file (BZ2_bzRead alone), in the same run:
//   reading  the MeshPrimitive records (their robust meshes), no chunks made;
//   build    cutting every mesh into chunks ordered for the vertex cache;
//   upload   the chunks' vertex arrays on a real (software) GL context.
// Targets: reading within 1.3x of bzip2 alone; build at most 2x the reading.
// The file holds meshes only: texture records upload as they are read, so
// they would need the GL context inside the reading stage.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include "bzip2_reference.h"
#include "persist/class_registration.h"
#include "persist/dynamic_factory.h"
#include "persist/object_record.h"
#include "persist/persistent_file.h"
#include "platform/sdl_host.h"
#include "render/device.h"
#include "scene/mesh/mesh_primitive.h"

namespace {

constexpr int kMeshes = 48;
constexpr int kColumns = 60;  // 60 × 50 quads: 6,000 triangles a mesh
constexpr int kRows = 50;
constexpr int kSurfaces = 4;

// Terrain-like: a seeded height field, corner colours and projected
// coordinates given per corner (as imported objects carry them), smoothed
// normals, four surfaces in bands.
std::unique_ptr<kst::RobustMesh> terrain(std::mt19937& random) {
  std::uniform_real_distribution<float> bump(-0.3f, 0.3f);
  const int across = kColumns + 1;
  std::vector<Vector3> vertices;
  for (int r = 0; r <= kRows; ++r)
    for (int c = 0; c < across; ++c)
      vertices.push_back({float(c), std::sin(c * 0.2f) * std::cos(r * 0.3f) * 4.0f + bump(random), float(r)});
  std::vector<std::uint32_t> triangles;
  std::vector<std::int32_t> tags;
  std::vector<kst::Rgba> colours;
  std::vector<kst::TexCoord> coordinates;
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) {
      const std::uint32_t a = r * across + c, b = a + 1, d = a + across, e = d + 1;
      for (std::uint32_t v : {a, d, e, a, e, b}) {
        triangles.push_back(v);
        const float height = vertices[v].y;
        colours.push_back({static_cast<std::uint8_t>(128 + height * 20), 96, static_cast<std::uint8_t>(v % 7 * 30), 255});
        coordinates.push_back({vertices[v].x / kColumns, vertices[v].z / kRows});
      }
      tags.insert(tags.end(), 2, c * kSurfaces / kColumns);
    }
  auto mesh = std::make_unique<kst::RobustMesh>();
  mesh->SetVertices(std::move(vertices));
  mesh->SetTriangles(std::move(triangles), std::move(tags), kSurfaces);
  mesh->SetCornerColours(std::move(colours));
  mesh->AddCornerTexCoords(std::move(coordinates));
  mesh->Build(kst::RobustMesh::kBuildNormals);
  return mesh;
}

const std::string& benchFile() {
  static const std::string path = [] {
    RegisterClassFactories();
    const auto file = std::filesystem::temp_directory_path() / "skyward_mesh_loading_bench.kst";
    FILE* out = std::fopen(file.c_str(), "wb");
    persistent_file store(out, persistent_file::Writing, true);
    std::mt19937 random(11);
    for (int i = 0; i < kMeshes; ++i) {
      MeshPrimitive mesh;
      mesh.source = terrain(random);
      mesh.surfaceNames = {"Grass", "Rock", "Sand", "Snow"};
      mesh.surfaceIndices = {0, 1, 2, 3};
      mesh.build(false, 0);
      writeRecord(mesh, store);
    }
    store.close();
    return file.string();
  }();
  return path;
}

// Reads like a MeshPrimitive but makes no chunks: what reading alone costs.
class UnbuiltMesh : public MeshPrimitive {
 public:
  static constexpr const char storedName[] = "class MeshPrimitive";
  void build(bool, unsigned) override {}
};

// The file, written once, and the reading factory; outside every timing.
void prepareReading() {
  static const bool registered = [] {
    benchFile();
    dynamic::registerFactory<UnbuiltMesh>();  // answers before the real one
    return true;
  }();
  (void)registered;
}

std::vector<std::unique_ptr<MeshPrimitive>> readMeshes(std::uint64_t* bytes = nullptr) {
  std::vector<std::unique_ptr<MeshPrimitive>> meshes;
  FILE* in = std::fopen(benchFile().c_str(), "rb");
  persistent_file store(in, persistent_file::Reading, true);
  for (int i = 0; i < kMeshes; ++i) meshes.push_back(store.adopt<MeshPrimitive>(readRecord(store)));
  if (bytes != nullptr) *bytes = store.bytesRead();
  return meshes;
}

void buildAll(std::vector<std::unique_ptr<MeshPrimitive>>& meshes) {
  for (auto& mesh : meshes) mesh->MeshPrimitive::build(false, 0);
}

void BM_Bzip2ReadAlone(benchmark::State& state) { bench::measureDecompression(state, benchFile()); }
BENCHMARK(BM_Bzip2ReadAlone)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_ReadMeshRecords(benchmark::State& state) {
  prepareReading();
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    std::vector<std::unique_ptr<MeshPrimitive>> meshes = readMeshes(&bytes);
    state.PauseTiming();
    meshes.clear();
    state.ResumeTiming();
  }
  state.counters["decompressed_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ReadMeshRecords)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_BuildChunks(benchmark::State& state) {
  prepareReading();
  std::vector<std::unique_ptr<MeshPrimitive>> meshes = readMeshes();
  for (auto _ : state) buildAll(meshes);
  std::size_t triangles = 0, chunks = 0, vertices = 0;
  for (const auto& mesh : meshes) {
    triangles += mesh->source->triangleCount();
    chunks += mesh->chunks.size();
    for (const auto& chunk : mesh->chunks) vertices += chunk.geometry->vertexCount;
  }
  state.counters["triangles"] = static_cast<double>(triangles);
  state.counters["chunks"] = static_cast<double>(chunks);
  state.counters["vertices_per_triangle"] = static_cast<double>(vertices) / static_cast<double>(triangles);
}
BENCHMARK(BM_BuildChunks)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The device the upload stage draws for: llvmpipe offers neither ATI nor NV
// vertex memory, so the arrays go to system memory as on any such driver.
bool softwareDevice() {
  static const bool ready = [] {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LP_NUM_THREADS", "0", 0);
    static platform::SdlHost host(true);
    platform::setHost(&host);
    return host.createWindow("mesh loading", 64, 64, false) && CreateRenderDevice(host.windowDC(), 0, 64, 64);
  }();
  return ready;
}

void BM_UploadChunks(benchmark::State& state) {
  if (!softwareDevice()) {
    state.SkipWithError("no GL context");
    return;
  }
  prepareReading();
  std::vector<std::unique_ptr<MeshPrimitive>> meshes = readMeshes();
  buildAll(meshes);
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (auto& mesh : meshes)
      for (auto& data : mesh->retained) data.reset();
    state.ResumeTiming();
    bytes = 0;
    for (auto& mesh : meshes)
      for (std::uint32_t c = 0; c < mesh->chunks.size(); ++c) {
        mesh->retainedData(c);
        const MeshChunk& chunk = *mesh->chunks[c].geometry;
        bytes += chunk.vertexCount * (12 + 4 + 8 * std::min(chunk.texCoordSets, 2u));
      }
  }
  state.counters["uploaded_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_UploadChunks)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
