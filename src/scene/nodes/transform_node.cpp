#include "scene/nodes/transform_node.h"

#include "persist/object_record.h"
#include "persist/persistent_store.h"
#include "scene/nodes/stored_vector.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"

namespace {

// A part stored as a record of its own, without a reference tag. What is
// read replaces `part` only when it is of the expected class.
template <class Part>
void exchangeRecord(persistent_store& store, bool writing, std::unique_ptr<Part>& part) {
  if (writing) {
    writeRecord(*part, store);
  } else if (std::unique_ptr<Part> read = store.adopt<Part>(readRecord(store))) {
    part = std::move(read);
  }
}

template <class Part>
void replace(std::unique_ptr<Part>& part, std::unique_ptr<Part> replacement) {
  if (replacement != nullptr) part = std::move(replacement);
}

}  // namespace

TransformNode::TransformNode()
    : rotation(std::make_unique<RotationControler>()),
      scale(std::make_unique<ConstantKeyframeHandler>(Vector3{1.0f, 1.0f, 1.0f})),
      position(std::make_unique<ConstantKeyframeHandler>()) {}

TransformNode::~TransformNode() = default;

void TransformNode::serialize(persistent_store& store, bool writing) {
  SceneNode::serialize(store, writing);
  store.exchange(writing, hasPivot);
  exchangeVector(store, writing, pivot);
  store.exchangeVarint(writing, tag);
  exchangeRecord(store, writing, rotation);
  exchangeRecord(store, writing, scale);
  exchangeRecord(store, writing, position);
}

bool TransformNode::computeLocal(float time, const Matrix44& parentMatrix, Matrix44& out) {
  ownVolume.empty = true;
  out.Multiply(parentMatrix, localMatrix(time));
  staticSubtree = rotation->isConstant() && scale->isConstant() && position->isConstant();
  return true;
}

// Translation(p) · R · Scaling(s) · Translation(−pivot) without the three
// products: the columns of R scaled by s, and the translation
// p + R's translation − (R · S) · pivot.
Matrix44 TransformNode::localMatrix(float time) const {
  const Vector3 p = position->evaluate(time);
  const Vector3 s = scale->evaluate(time);
  Matrix44 local = rotation->matrix(time);
  for (int column = 0; column < 3; ++column)
    for (int row = 0; row < 4; ++row) local.at(row, column) *= s[column];
  Vector3 offset = p + Vector3{local.m[12], local.m[13], local.m[14]};
  if (hasPivot) offset = offset - local.TransformDirection(pivot);
  local.m[12] = offset.x;
  local.m[13] = offset.y;
  local.m[14] = offset.z;
  return local;
}

void TransformNode::setRotation(std::unique_ptr<RotationControler> controller) {
  replace(rotation, std::move(controller));
  invalidate();
}

void TransformNode::setScale(std::unique_ptr<KeyframeHandler> handler) {
  replace(scale, std::move(handler));
  invalidate();
}

void TransformNode::setPosition(std::unique_ptr<KeyframeHandler> handler) {
  replace(position, std::move(handler));
  invalidate();
}

void TransformNode::setPivot(Vector3 point) {
  pivot = point;
  hasPivot = true;
  invalidate();
}
