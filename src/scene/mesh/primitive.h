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

  // The corners of `box`, for a clip volume's ArePointsOutside test of the
  // whole mesh; none for an empty box, which then counts as outside.
  std::vector<Vector3> boundingPoints() const;

  // Counts the changes that make earlier draw records of the mesh stale
  // (its elements rebuilt, its surface indices edited): a scene keeps the
  // records a still part of its tree drew only while the count stands.
  // Building bumps it; code that edits surfaceIndices in place bumps it
  // after (the scene's own preparation places its whole tree anew).
  std::uint64_t generation() const { return generation_; }
  void bumpGeneration() { ++generation_; }

  std::vector<std::uint32_t> surfaceIndices;
  std::vector<SubMesh> subMeshes;
  persist::BoundingBox box;
  std::vector<std::string> surfaceNames;

 private:
  std::uint64_t generation_ = 0;
};
