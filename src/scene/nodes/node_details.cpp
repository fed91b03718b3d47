#include "scene/nodes/node_details.h"

#include <sstream>

#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/light_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"

namespace {

std::ostream& operator<<(std::ostream& out, Vector3 v) { return out << '(' << v.x << ", " << v.y << ", " << v.z << ')'; }

void channel(std::ostream& out, char axis, const Envelope& envelope) {
  out << axis << ' ' << envelope.keyCount() << (envelope.keyCount() == 1 ? " key" : " keys");
  if (envelope.keyCount() > 1) out << " (behaviours " << envelope.preBehavior << '/' << envelope.postBehavior << ')';
}

void handler(std::ostream& out, const TransformNode::KeyframeHandler& part) {
  if (const auto* constant = dynamic_cast<const ConstantKeyframeHandler*>(&part)) {
    out << "constant " << constant->value;
  } else if (const auto* lw6 = dynamic_cast<const LW6KeyframeHandler*>(&part)) {
    out << "envelopes ";
    channel(out, 'x', lw6->x);
    channel(out << ", ", 'y', lw6->y);
    channel(out << ", ", 'z', lw6->z);
  }
}

void controller(std::ostream& out, const TransformNode::RotationControler& part) {
  if (const auto* euler = dynamic_cast<const EulerAnglesRotationControler*>(&part)) {
    out << "Euler angles ";
    if (euler->angles == nullptr) out << "(none)";
    else handler(out, *euler->angles);
  } else if (const auto* quaternion = dynamic_cast<const QuaternionRotationControler*>(&part)) {
    const Quaternion& q = quaternion->orientation;
    out << "quaternion (" << q.x << ", " << q.y << ", " << q.z << ", " << q.w << ')';
  } else {
    out << "none";
  }
}

void transform(std::ostream& out, const TransformNode& node) {
  out << "tag " << node.tag;
  if (node.hasPivot) out << ", pivot " << node.pivot;
  handler(out << ", position ", *node.position);
  controller(out << ", rotation ", *node.rotation);
  handler(out << ", scale ", *node.scale);
}

void light(std::ostream& out, const LightNode& node) {
  const LightRecord& l = node.light;
  out << "at " << node.localPosition << ", colour (" << l.color[0] << ", " << l.color[1] << ", " << l.color[2]
      << "), attenuation " << l.attenuation << (l.enabled ? "" : ", disabled");
}

void camera(std::ostream& out, const CameraNode& node) {
  const Camera& c = node.reference;
  out << "eye " << c.eye() << ", target " << c.target() << ", up " << c.upHint() << ", near " << c.nearDistance()
      << ", far " << c.farDistance() << ", window " << 2 * c.halfWidth() << " x " << 2 * c.halfHeight();
}

}  // namespace

std::string nodeDetails(const persistent& object) {
  std::ostringstream out;
  if (const auto* node = dynamic_cast<const TransformNode*>(&object)) transform(out, *node);
  else if (const auto* shape = dynamic_cast<const ShapeNode*>(&object))
    out << "mesh " << shape->meshIndex << ((shape->renderFlags & RenderableNode::kNoFog) != 0 ? ", no fog" : "");
  else if (const auto* lightNode = dynamic_cast<const LightNode*>(&object)) light(out, *lightNode);
  else if (const auto* cameraNode = dynamic_cast<const CameraNode*>(&object)) camera(out, *cameraNode);
  else if (const auto* part = dynamic_cast<const TransformNode::KeyframeHandler*>(&object)) handler(out, *part);
  else if (const auto* rotation = dynamic_cast<const TransformNode::RotationControler*>(&object)) controller(out, *rotation);
  return out.str();
}
