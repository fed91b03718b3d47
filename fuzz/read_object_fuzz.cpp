// Arbitrary bytes as a LightWave object, taken as far as the mesh stock
// takes one: read, built into a mesh (normals and topology), then cut into
// chunks ordered for the vertex cache. Any input must end in a mesh with
// its chunks, in no mesh (another form type) or in LW::LoadError, without
// crash, hang, leak or a read outside the file.
#include <GL/glu.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lightwave/lw_error.h"
#include "lightwave/mesh_building.h"
#include "lightwave/object_file.h"
#include "render/gl_table.h"
#include "scene/mesh/mesh_primitive.h"

namespace {

// The tessellator straight from libGLU, as the loader would bind it.
void bindGlu() {
  gl.gluNewTess = &::gluNewTess;
  gl.gluDeleteTess = &::gluDeleteTess;
  gl.gluTessBeginPolygon = &::gluTessBeginPolygon;
  gl.gluTessBeginContour = &::gluTessBeginContour;
  gl.gluTessVertex = &::gluTessVertex;
  gl.gluTessEndContour = &::gluTessEndContour;
  gl.gluTessEndPolygon = &::gluTessEndPolygon;
  gl.gluTessCallback = &::gluTessCallback;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool bound = (bindGlu(), true);
  (void)bound;
  LW::LoadContext context;
  try {
    if (auto object = LW::ReadObject(std::vector<std::uint8_t>(data, data + size), context)) {
      MeshPrimitive mesh;
      mesh.source = LW::BuildMesh(*object, context);
      mesh.build(true, kst::RobustMesh::kBuildNormals | kst::RobustMesh::kBuildTopology);
    }
  } catch (const LW::LoadError&) {
  }
  return 0;
}
