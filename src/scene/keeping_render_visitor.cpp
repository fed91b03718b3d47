#include "scene/keeping_render_visitor.h"

#include <memory>

#include "scene/render_list.h"

void KeepingRenderVisitor::enter(SceneNode& node) {
  if (node.settled() && node.keptDraws != nullptr && node.keptDraws->view == view_) {
    renderList.addKept(*node.keptDraws);
    reused_ = true;
    return;
  }
  // Not a subtree the last update placed anew: it may well move again.
  if (keeper_ == nullptr && keep_ && node.standing()) {
    if (node.keptDraws == nullptr) node.keptDraws = std::make_unique<KeptDraws>();
    node.keptDraws->entries.clear();
    node.keptDraws->view = 0;  // not whole until the subtree is left
    keeper_ = &node;
    renderList.keepInto(node.keptDraws.get());
  }
  RenderVisitor::enter(node);
}

// A node that added its kept records is left at once: nothing below it was
// entered.
void KeepingRenderVisitor::leave(SceneNode& node) {
  if (reused_) {
    reused_ = false;
    return;
  }
  RenderVisitor::leave(node);
  if (&node != keeper_) return;
  node.keptDraws->view = view_;
  renderList.keepInto(nullptr);
  keeper_ = nullptr;
}
