#pragma once
// Every node of a sibling chain and of the subtrees below it, depth first, a
// node before its children, children in chain order. The walk keeps its own
// stack (one entry per open level) instead of recursing: a tree read from a
// file may be nested far deeper than a thread's stack holds.
#include <vector>

#include "scene/nodes/scene_node.h"

// Calls visit(node, depth) for each node; depth 0 is the chain `first`
// starts. Node is SceneNode or const SceneNode. Visit must not unlink nodes.
template <typename Node, typename Visit>
void forEachNode(Node* first, Visit&& visit) {
  std::vector<Node*> resume;  // per open level: the sibling to go on with
  Node* node = first;
  for (;;) {
    if (node == nullptr) {
      if (resume.empty()) return;
      node = resume.back();
      resume.pop_back();
      continue;
    }
    visit(*node, resume.size());
    if (node->firstChild != nullptr) {
      resume.push_back(node->nextSibling.get());
      node = node->firstChild.get();
    } else {
      node = node->nextSibling.get();
    }
  }
}
