// The classes that scene files may name: the one list each new stored class
// joins. It lives with the classes it names; the registry and the device
// reach it through the declarations in persist/ (the linker brings it in
// with the registry).
#include "persist/class_registration.h"

#include "persist/dynamic_factory.h"
#include "render/robust_mesh.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/bone_node.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/light_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

// Known to every program as soon as it uses the registry (reading a scene
// file needs no device).
void dynamic::registerStaticFactories() {
  registerStatic<Scene>();
  registerStatic<TextureImage>();
}

// Every other stored class adds one line to the body of the lambda, in
// this order (the registry answers newest first):
//   BoneNode, CameraNode, LightNode, ShapeNode, TransformNode,
//   ConstantKeyframeHandler, LW6KeyframeHandler,
//   TransformNode::RotationControler, EulerAnglesRotationControler,
//   QuaternionRotationControler, Surface, Mat_LW, kst::RobustMesh,
//   MeshPrimitive
// as in   dynamic::registerFactory<BoneNode>();
void RegisterClassFactories() {
  // Runs the registrations on the first call only: a function-local static
  // is initialised once, even when two threads arrive together.
  [[maybe_unused]] static const bool registered = [] {
    dynamic::registerStaticFactories();  // first, as if registered before the program started
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
    dynamic::registerFactory<Surface>();
    dynamic::registerFactory<Mat_LW>();
    dynamic::registerFactory<kst::RobustMesh>();
    dynamic::registerFactory<MeshPrimitive>();
    return true;
  }();
}
