#include "scene/nodes/bone_node.h"

bool BoneNode::computeLocal(float, const Matrix44&, Matrix44&) {
  ownVolume.empty = true;
  staticSubtree = true;
  return false;
}
