// TEMPORARY, for the merge: the base of scene meshes, enough for tests to
// derive meshes of their own while the mesh primitives
// (src/scene/mesh/primitive.cpp) are on another branch. Built into the
// engine only while that file is missing; delete it with the scene's
// stand-in.
#include "scene/mesh/primitive.h"

void Primitive::serialize(persistent_store&, bool) {}

void Primitive::addSubMesh(const std::string& surfaceName) {
  surfaceNames.push_back(surfaceName);
  subMeshes.emplace_back();
}

std::vector<Vector3> Primitive::boundingPoints() const { return {}; }
