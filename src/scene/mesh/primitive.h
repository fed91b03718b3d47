#pragma once
// A mesh resource of a scene: sub-meshes (one per surface) with their boxes
// and surface names, and the scene surface index each one draws with.
#include <cstdint>
#include <string>
#include <vector>

#include "persist/persistent.h"
#include "persist/stored_values.h"
#include "render/matrix44.h"
#include "render/vector3.h"

class Camera;
class RenderList;

class Primitive : public persistent {
 public:
  struct SubMesh {
    persist::BoundingBox box;
    bool visible = true;  // set by the shape that draws the mesh, per frame
  };

  ~Primitive() override = default;

  // Sub-mesh boxes, surface indices (delta coded), box, surface names.
  void serialize(persistent_store& store, bool writing) override;

  // After the scene resolved the surface indices.
  virtual void prepare() {}
  virtual void render(Camera& camera, const Matrix44& worldMatrix, RenderList& renderList, std::int32_t flags) = 0;
  // Appends a sub-mesh with an empty box.
  virtual void addSubMesh(const std::string& surfaceName);

  // The corners of `box`: what a clip volume tests for the whole mesh.
  std::vector<Vector3> boundingPoints() const;

  std::vector<std::uint32_t> surfaceIndices;
  std::vector<SubMesh> subMeshes;
  persist::BoundingBox box;
  std::vector<std::string> surfaceNames;
};
