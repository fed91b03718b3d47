#include "persist/class_registration.h"

#include <mutex>

#include "persist/dynamic_factory.h"

// Scene and TextureImage register themselves with static factories next to
// their classes:  static dynamic::factory<Scene> sceneFactory;
// Every other stored class adds one line below, in this order (the registry
// is searched newest first):
//   BoneNode, CameraNode, LightNode, ShapeNode, TransformNode,
//   ConstantKeyframeHandler, LW6KeyframeHandler,
//   TransformNode::RotationControler, EulerAnglesRotationControler,
//   QuaternionRotationControler, Surface, Mat_LW, kst::RobustMesh,
//   MeshPrimitive
// e.g.  dynamic::registerFactory<BoneNode>();
void RegisterClassFactories() {
  static std::once_flag once;
  std::call_once(once, [] {
  });
}
