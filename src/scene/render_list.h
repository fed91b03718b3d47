#pragma once
// One frame's draw records of a scene, in one bucket per scene surface, and
// their drawing surface by surface in an order that changes textures and
// blending as rarely as possible. A scene keeps its list from one render to
// the next (the buckets keep their room, the order is sorted again only
// when it changes); the buckets are empty between renders.
#include <cstdint>
#include <span>
#include <vector>

#include "render/convex_volume.h"
#include "render/matrix44.h"
#include "scene/mesh/retained_mode_data.h"

class Camera;
class Surface;

// The element and the world matrix are held by address: records are copied
// into the buckets every frame, a still subtree's over and over. The element
// is owned by its mesh, the matrix is the drawing node's own; both outlive
// the frame's drawing and a still subtree's kept records.
struct DrawRecord {
  const RetainedModeData::Element* element = nullptr;
  float depth = 0.0f;       // smallest view-space z of the chunk's box
  std::int32_t flags = 0;   // 0x8: draw without fog
  const Matrix44* worldMatrix = nullptr;
};

// The records a part of the tree added in one frame, in the order it added
// them, kept to be added again in a later frame that sees it the same way.
struct KeptDraws {
  struct Entry {
    std::uint32_t surfaceIndex;
    DrawRecord record;
  };
  std::uint64_t view = 0;  // the view they were made in (see Scene::render)
  std::vector<Entry> entries;
};

class RenderList {
 public:
  explicit RenderList(std::size_t surfaceCount) : buckets_(surfaceCount) {}

  // A surface index with no bucket (one past the last surface, what an
  // unresolved surface name gives) drops the record. `worldMatrix` is held
  // by address and read when the list is drawn: pass the node's own.
  void add(const RetainedModeData::Element& element, float depth, std::int32_t flags, std::uint32_t surfaceIndex,
           const Matrix44& worldMatrix) {
    push(surfaceIndex, DrawRecord{&element, depth, flags, &worldMatrix});
  }
  // A temporary matrix would be gone before the list is drawn.
  void add(const RetainedModeData::Element&, float, std::int32_t, std::uint32_t, const Matrix44&&) = delete;

  std::size_t bucketCount() const { return buckets_.size(); }
  std::span<const DrawRecord> bucket(std::size_t surfaceIndex) const { return buckets_[surfaceIndex]; }

  // The camera's clip planes (a mask of ClipVolume planes) that the node now
  // adding records may cross: the render walk found its bounds well inside
  // the others, so its own tests may leave those out. All of them outside
  // the walk.
  std::uint32_t openPlanes() const { return openPlanes_; }
  void setOpenPlanes(std::uint32_t planes) { openPlanes_ = planes; }

  // While `kept` is set, every record added goes there too.
  void keepInto(KeptDraws* kept) { keeping_ = kept; }
  // Adds the kept records again, in their order (and keeps them again).
  void addKept(const KeptDraws& kept);

  // Draws every non-empty bucket with its surface, in the order of
  // drawOrder(), then empties the buckets. `surfaces` has one entry per
  // bucket; a null entry draws nothing.
  void draw(Camera& camera, std::span<Surface* const> surfaces, std::int32_t extraFlags);

 private:
  void push(std::uint32_t surfaceIndex, const DrawRecord& record) {
    if (surfaceIndex >= buckets_.size()) return;
    buckets_[surfaceIndex].push_back(record);
    if (keeping_ != nullptr) keeping_->entries.push_back({surfaceIndex, record});
  }
  // drawOrder() of the surfaces, sorted again only when a sort key changed.
  const std::vector<std::uint32_t>& order(std::span<Surface* const> surfaces);

  std::vector<std::vector<DrawRecord>> buckets_;
  std::vector<std::int32_t> sortKeys_;  // three per surface, as `order_` was sorted by
  std::vector<std::int32_t> frameKeys_;  // this frame's
  std::vector<std::uint32_t> order_;
  std::uint32_t openPlanes_ = ConvexVolume::kAllPlanes;
  KeptDraws* keeping_ = nullptr;
};

// The surfaces' drawing order: by layer-2 texture, then layer-1 texture,
// then transparency (a stable three-pass radix sort on signed keys).
std::vector<std::uint32_t> drawOrder(std::span<Surface* const> surfaces);
