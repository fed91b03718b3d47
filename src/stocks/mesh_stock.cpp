#include "stocks/mesh_stock.h"

#include <memory>
#include <string>

#include "lightwave/lw_error.h"
#include "lightwave/mesh_building.h"
#include "render/gl_table.h"
#include "stocks/load_error.h"

namespace kst {
namespace {

std::unique_ptr<RobustMesh> readObject(const std::string& file, const char* searchDir) {
  // Polygons are cut into triangles by the GLU tessellator.
  if (LoadGLLibraries() == 0) throw LoadError(file, "the GL libraries (with the GLU tessellator) cannot be loaded");
  std::unique_ptr<RobustMesh> mesh;
  try {
    mesh = LW::LoadMesh(file.c_str(), searchDir);
  } catch (const LW::LoadError& error) {
    throw LoadError(file, error.what());
  }
  if (mesh == nullptr) throw LoadError(file, "not a LightWave object (the IFF form is not LWO2)");
  return mesh;
}

}  // namespace

MeshPrimitive* MeshStock::loadObject(const char* file, const char* searchDir, const int* options) {
  const std::string name = file != nullptr ? file : "";
  load(name.c_str(), {name}, [&] {
    auto primitive = std::make_unique<MeshPrimitive>();
    primitive->source = readObject(name, searchDir);
    primitive->build(true, options != nullptr ? static_cast<unsigned>(*options) : 0u);
    return primitive;
  });
  return get(name.c_str());
}

MeshStock& theMeshStock() {
  static MeshStock stock;
  return stock;
}

}  // namespace kst
