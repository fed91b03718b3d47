#include "persist/class_registration.h"

#include "persist/dynamic_factory.h"
#include "render/robust_mesh.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/surfaces/surface.h"

class Scene;
class TextureImage;
extern dynamic::factory<Scene> sceneFactory;
extern dynamic::factory<TextureImage> textureImageFactory;

// Scene and TextureImage register through static factories defined beside
// their classes (`dynamic::factory<Scene> sceneFactory;`, not `static`).
// Declare each one here as `extern` and name it in the list below: that keeps
// its object file in every program linking the static engine library, tools
// included, since nothing else there may refer to it.
//
// Every other stored class adds one line to the body of the lambda, in
// this order (the registry answers newest first):
//   BoneNode, CameraNode, LightNode, ShapeNode, TransformNode,
//   ConstantKeyframeHandler, LW6KeyframeHandler,
//   TransformNode::RotationControler, EulerAnglesRotationControler,
//   QuaternionRotationControler, Surface, Mat_LW, kst::RobustMesh,
//   MeshPrimitive
// as in   dynamic::registerFactory<BoneNode>();
void RegisterClassFactories() {
  [[maybe_unused]] static const dynamic::abstract_factory* const staticFactories[] = {&sceneFactory, &textureImageFactory};
  // Runs the registrations on the first call only: a function-local static
  // is initialised once, even when two threads arrive together.
  [[maybe_unused]] static const bool registered = [] {
    dynamic::registerFactory<Surface>();
    dynamic::registerFactory<Mat_LW>();
    dynamic::registerFactory<kst::RobustMesh>();
    dynamic::registerFactory<MeshPrimitive>();
    return true;
  }();
}
