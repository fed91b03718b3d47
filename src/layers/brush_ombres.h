#pragma once
// The shadow layer: a central mesh tumbling slowly, up to 48 small objects
// orbiting it in three rings and appearing one after another, all lit by
// one point light and casting stencil shadows on each other and on it.
// Leaves the frame's state as it found it, but for GL_NORMALIZE (its lit
// materials', mat_lit.h) and the stencil function of its lit pass. Its
// first draw builds the scene, with the show's random numbers.
// Main thread only.
#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "layers/brush.h"
#include "scene/envelope.h"

namespace kst {

class Material;
struct ShadowScene;

class BrushOmbres : public Brush {
 public:
  BrushOmbres();
  ~BrushOmbres() override;

  // The scene is built on the first draw, from the meshes the mesh stock
  // then holds. Without the central mesh the layer draws nothing; without
  // an object mesh, the objects made of it are left out. Each missing mesh
  // is said once.
  void Draw(float localTime) override;

  std::string centralMeshName;
  std::vector<Material*> baseMaterials;    // not owned: the central mesh, and every unlit object
  std::vector<Material*> objectMaterials;  // not owned: each object's lit pass picks one
  std::vector<std::string> objectMeshNames;
  std::array<Envelope, 3> envelopes;       // kept for scripts; the drawing reads none of them

 private:
  void warnMissing(const std::string& mesh, const char* consequence);

  std::unique_ptr<ShadowScene> scene_;
  std::set<std::string> warnedMeshes_;
};

}  // namespace kst
