#pragma once
// Single meshes read from LightWave objects, for the mesh layers and the
// shadow layer, named by the object file they came from. Main thread only.
#include "scene/mesh/mesh_primitive.h"
#include "stocks/object_stock.h"

namespace kst {

class MeshStock : public ObjectStock<MeshPrimitive> {
 public:
  // Reads the LWO2 object `file` (also tried inside `searchDir` when that is
  // given and the name is relative), builds its drawing data with the build
  // option `*options` (0 when null) and stores it under `file`. Returns the
  // mesh the stock now holds under that name: a name already present keeps
  // its mesh, and that one is returned.
  // Throws LoadError naming the file and the reason (missing, damaged, not
  // an LWO2 object, several layers, GL libraries missing); the stock is then
  // unchanged.
  MeshPrimitive* loadObject(const char* file, const char* searchDir, const int* options);
};

// The mesh stock of the program.
MeshStock& theMeshStock();

}  // namespace kst
