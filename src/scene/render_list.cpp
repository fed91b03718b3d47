#include "scene/render_list.h"

void RenderList::add(const RetainedModeData::Element& element, float depth, std::int32_t flags,
                     std::uint32_t surfaceIndex, const Matrix44& worldMatrix) {
  if (surfaceIndex >= buckets_.size()) return;
  buckets_[surfaceIndex].push_back(DrawRecord{&element, depth, flags, worldMatrix});
}
