// lwoinfo: loads a LightWave object the way the mesh stock does and prints
// what came out: points, triangles, surfaces with their texture layers, the
// UV sets, whether corners carry colours, and the load's warnings; or the
// error that stopped the load (exit code 1).
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "lightwave/input_stream.h"
#include "lightwave/lw_error.h"
#include "lightwave/mesh_building.h"
#include "platform/host.h"
#include "platform/sdl_host.h"
#include "render/gl_table.h"
#include "base/log.h"

namespace {

// Keeps the log's lines; the warnings among them are printed at the end.
class LineKeeper : public kst::Logger {
 public:
  std::vector<std::string> lines;
  void write(const char* line, va_list arguments) override {
    char text[kst::kLogLineBytes];
    std::vsnprintf(text, sizeof text, line, arguments);
    lines.emplace_back(text);
  }
};

bool isWarning(const std::string& line) {
  return line.find("Warning") != std::string::npos || line.find("WARNING") != std::string::npos ||
         line.find("Unsupported") != std::string::npos;
}

const char* projectionName(int projection) {
  switch (projection) {
    case LW::kPlanar: return "planar";
    case LW::kCylindrical: return "cylindrical";
    case LW::kSpherical: return "spherical";
    case LW::kCubic: return "cubic";
    case LW::kUV: return "uv";
    default: return "unknown";
  }
}

void printLayers(const char* kind, const std::vector<std::unique_ptr<LW::TextureLayer>>& layers) {
  for (const auto& layer : layers) {
    std::cout << "    " << kind << " layer: " << projectionName(layer->projection) << " axis "
              << "?XYZ"[layer->axis & 3] << " image '" << layer->imageName << "'";
    if (!layer->uvMapName.empty()) std::cout << " uv map '" << layer->uvMapName << "'";
    std::cout << " blend " << layer->blendMode << '\n';
  }
}

void printMesh(const LW::LoadedMesh& loaded) {
  const kst::RobustMesh& mesh = *loaded.mesh;
  std::cout << "points: " << loaded.object.points.size() << '\n'
            << "triangles: " << mesh.triangleCount() << '\n'
            << "surfaces: " << loaded.context.surfaces.size() << '\n';
  for (const auto& entry : loaded.context.surfaces) {
    const LW::Surface& surface = *entry.surface;
    std::cout << "  " << surface.name << (entry.used ? "" : " (unused)") << " colour " << surface.color[0] << ' '
              << surface.color[1] << ' ' << surface.color[2] << " sides " << surface.sidedness << '\n';
    if (!surface.colorMapName.empty()) std::cout << "    vertex colours '" << surface.colorMapName << "'\n";
    printLayers("colour", surface.colorLayers);
    printLayers("diffuse", surface.diffuseLayers);
    printLayers("transparency", surface.transparencyLayers);
  }
  std::cout << "uv sets: " << mesh.texCoordChannelCount() << '\n';
  bool coloured = false;
  for (const kst::Rgba& colour : mesh.colours().values) coloured = coloured || !(colour == kst::Rgba{});
  std::cout << "corner colours: " << (coloured ? "yes" : "no") << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Loads a LightWave object (LWO2) as the show does and describes it"};
  std::string file;
  app.add_option("file", file, "the object file")->required();
  CLI11_PARSE(app, argc, argv);

  platform::SdlHost host(true);
  platform::setHost(&host);
  if (LoadGLLibraries() == 0) std::cerr << "lwoinfo: GLU is not available; polygons above three points are skipped\n";
  auto* keeper = new LineKeeper;
  kst::installLogger(keeper, true);

  int status = 0;
  try {
    const LW::LoadedMesh loaded = LW::LoadMeshWithRecord(file.c_str(), nullptr);
    if (loaded.mesh)
      printMesh(loaded);
    else
      std::cout << "not an LWO2 object\n", status = 1;
  } catch (const LW::LoadError& error) {
    std::cout << "error: " << error.what() << '\n';
    status = 1;
  }
  for (const std::string& line : keeper->lines)
    if (isWarning(line)) std::cout << "warning: " << line.substr(line.find_first_not_of("\n ")) << '\n';
  platform::setHost(nullptr);
  return status;
}
