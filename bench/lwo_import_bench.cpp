// Import of LightWave objects: the real test objects and a 200k-polygon
// object (quads and triangles) written by our LWO2 writer, read into a mesh
// the way the mesh stock does. The reference, in the same run, is the Open
// Asset Import Library reading the same files with triangulation only.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "lightwave/lw_error.h"
#include "lightwave/lwo_writer.h"
#include "lightwave/mesh_building.h"
#include "platform/host.h"
#include "platform/sdl_host.h"
#include "render/gl_table.h"

#ifdef SKYWARD_HAVE_ASSIMP
#include <assimp/cimport.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#endif

namespace {

constexpr int kQuadSide = 317;      // 317 x 317 = 100489 quads
constexpr int kTriangleSide = 224;  // 2 x 224 x 224 = 100352 triangles

// A wavy grid of side x side cells starting at point `base`, as quads or as
// pairs of triangles.
void addGrid(LW::ObjectDescription& object, int side, bool quads, float offset) {
  const auto base = static_cast<std::uint32_t>(object.points.size());
  for (int y = 0; y <= side; ++y)
    for (int x = 0; x <= side; ++x)
      object.points.push_back({static_cast<float>(x) + offset, static_cast<float>(y), std::sin(0.3f * x) * std::cos(0.2f * y)});
  auto at = [&](int x, int y) { return base + static_cast<std::uint32_t>(y * (side + 1) + x); };
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      if (quads) {
        object.polygons.push_back({{at(x, y), at(x, y + 1), at(x + 1, y + 1), at(x + 1, y)}, 0});
      } else {
        object.polygons.push_back({{at(x, y), at(x, y + 1), at(x + 1, y)}, 0});
        object.polygons.push_back({{at(x + 1, y), at(x, y + 1), at(x + 1, y + 1)}, 0});
      }
    }
}

std::string largeObject() {
  static const std::string path = [] {
    LW::ObjectDescription object;
    object.surfaces = {{.name = "Ground"}};
    addGrid(object, kQuadSide, true, 0.0f);
    addGrid(object, kTriangleSide, false, 400.0f);
    const std::string file = (std::filesystem::temp_directory_path() / "skyward_bench_200k.lwo").string();
    LW::SaveLwo2(file, object);
    return file;
  }();
  return path;
}

void useGlu() {
  static platform::SdlHost* host = [] {
    auto* h = new platform::SdlHost(true);
    platform::setHost(h);
    LoadGLLibraries();
    return h;
  }();
  (void)host;
}

void BM_SkywardImport(benchmark::State& state, std::string path) {
  useGlu();
  std::size_t triangles = 0;
  for (auto _ : state) {
    try {
      auto mesh = LW::LoadMesh(path.c_str(), nullptr);
      triangles = mesh ? mesh->triangleCount() : 0;
    } catch (const LW::LoadError& error) {
      state.SkipWithError(error.what());
      return;
    }
  }
  state.counters["triangles"] = static_cast<double>(triangles);
}

#ifdef SKYWARD_HAVE_ASSIMP
void BM_AssimpImport(benchmark::State& state, std::string path) {
  std::size_t triangles = 0;
  for (auto _ : state) {
    const aiScene* scene = aiImportFile(path.c_str(), aiProcess_Triangulate);
    if (scene == nullptr) {
      state.SkipWithError(aiGetErrorString());
      return;
    }
    triangles = 0;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) triangles += scene->mMeshes[m]->mNumFaces;
    aiReleaseImport(scene);
  }
  state.counters["triangles"] = static_cast<double>(triangles);
}
#endif

void registerFile(const std::string& name, const std::string& path) {
  benchmark::RegisterBenchmark(("Skyward/" + name).c_str(), BM_SkywardImport, path)->Unit(benchmark::kMicrosecond);
#ifdef SKYWARD_HAVE_ASSIMP
  benchmark::RegisterBenchmark(("Assimp/" + name).c_str(), BM_AssimpImport, path)->Unit(benchmark::kMicrosecond);
#endif
}

const int registered = [] {
  for (const char* name : {"boxuv", "uvtest", "earth_planar_z", "earth_cylindrical_y", "UglyVertexColors",
                           "concave_polygon"})
    registerFile(name, std::string(SKYWARD_LWO_TESTDATA) + "/" + name + ".lwo");
  registerFile("grid200k", largeObject());
  return 0;
}();

}  // namespace
