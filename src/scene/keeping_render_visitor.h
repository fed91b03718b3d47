#pragma once
// The scene's render walk. A settled subtree (see SceneNode) adds the same
// records every frame that sees it the same way, so the walk keeps what the
// outermost settled nodes' subtrees added and, in a later frame of the same
// view, adds that again in their place without walking them. The records,
// and their order in every bucket, are those a full walk would add.
#include <cstdint>

#include "scene/nodes/node_visitor.h"

class KeepingRenderVisitor : public RenderVisitor {
 public:
  // `view` names how the scene is seen this frame (camera and buckets);
  // `keep`: whether to keep records for later frames at all.
  KeepingRenderVisitor(Camera& camera, RenderList& renderList, std::uint64_t view, bool keep)
      : RenderVisitor(camera, renderList), view_(view), keep_(keep) {}

  void enter(SceneNode& node) override;
  bool descend() override { return !reused_ && RenderVisitor::descend(); }
  void leave(SceneNode& node) override;

 private:
  std::uint64_t view_;
  bool keep_;
  SceneNode* keeper_ = nullptr;  // whose subtree's records are being kept
  bool reused_ = false;          // the node just entered added its kept records
};
