#include "persist/class_registration.h"

#include "persist/dynamic_factory.h"
#include "render/robust_mesh.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/nodes/bone_node.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/light_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"

class TextureImage;
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
  [[maybe_unused]] static const dynamic::abstract_factory* const staticFactories[] = {&textureImageFactory};
  // Runs the registrations on the first call only: a function-local static
  // is initialised once, even when two threads arrive together.
  [[maybe_unused]] static const bool registered = [] {
    dynamic::registerFactory<BoneNode>();
    dynamic::registerFactory<CameraNode>();
    dynamic::registerFactory<LightNode>();
    dynamic::registerFactory<ShapeNode>();
    dynamic::registerFactory<TransformNode>();
    dynamic::registerFactory<ConstantKeyframeHandler>();
    dynamic::registerFactory<LW6KeyframeHandler>();
    dynamic::registerFactory<TransformNode::RotationControler>();
    dynamic::registerFactory<EulerAnglesRotationControler>();
    dynamic::registerFactory<QuaternionRotationControler>();
    dynamic::registerFactory<kst::RobustMesh>();
    return true;
  }();
}
