#pragma once
// Stored classes for tests, fuzzing and benchmarks: one with a field of
// every value kind, one that builds graphs (owned children, a parent and a
// free reference), one linked as scene nodes are, and one with no body at
// all. followReferences reads through every plain reference, as a scene's
// post-load step does, so that the sanitizers see one left dangling.
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "persist/dynamic_factory.h"
#include "persist/persistent_store.h"

namespace sample {

struct Leaf : persistent {
  static constexpr const char storedName[] = "class sample::Leaf";

  std::uint8_t byte = 0;
  bool flag = false;
  std::int16_t shortValue = 0;
  std::uint32_t word = 0;
  float number = 0;
  std::uint32_t count = 0;
  std::string label;
  persist::Vec2 uv{};
  persist::Vec3 position{};
  persist::Colour colour{};
  persist::Matrix16 matrix{};
  persist::BoundingBox box;
  std::vector<std::uint16_t> indices16;
  std::vector<std::uint32_t> indices32;

  void serialize(persistent_store& s, bool w) override {
    s.exchange(w, byte);
    s.exchange(w, flag);
    s.exchange(w, shortValue);
    s.exchange(w, word);
    s.exchange(w, number);
    s.exchangeVarint(w, count);
    s.exchange(w, label);
    s.exchange(w, uv);
    s.exchange(w, position);
    s.exchange(w, colour);
    s.exchange(w, matrix);
    s.exchange(w, box);
    s.exchangeDelta(w, indices16);
    s.exchangeDelta(w, indices32);
  }
  auto fields() const {
    return std::tie(byte, flag, shortValue, word, number, count, label, uv, position, colour, matrix, box,
                    indices16, indices32);
  }
};

struct Node : persistent {
  static constexpr const char storedName[] = "class sample::Node";

  std::string name;
  Node* parent = nullptr;
  persistent* other = nullptr;
  std::vector<std::unique_ptr<persistent>> children;

  void serialize(persistent_store& s, bool w) override {
    s.exchange(w, name);
    s.exchangeReference(w, parent);
    s.exchangeReference(w, other);
    auto n = static_cast<std::uint32_t>(children.size());
    s.exchangeVarint(w, n);
    if (w) {
      for (auto& child : children) s.exchangeOwned(w, child);
      return;
    }
    children.clear();
    for (std::uint32_t i = 0; i < n; ++i) {
      std::unique_ptr<persistent> child;
      s.exchangeOwned(w, child);
      children.push_back(std::move(child));
    }
  }
  Node* add(std::unique_ptr<persistent> child) {
    children.push_back(std::move(child));
    return this;
  }
};

// Linked as scene nodes are: a node owns its first child and its next
// sibling, and points at its scene (here a Node) and its parent without
// owning them. Written in the order scene, first child, next sibling,
// parent, the records of a sibling chain nest one per sibling.
struct Linked : persistent {
  static constexpr const char storedName[] = "class sample::Linked";

  Node* scene = nullptr;
  std::unique_ptr<Linked> firstChild;
  std::unique_ptr<Linked> nextSibling;
  Linked* parent = nullptr;

  Linked() = default;
  Linked(const Linked&) = delete;
  Linked& operator=(const Linked&) = delete;
  // Chains of any length go without recursion.
  ~Linked() override {
    std::vector<std::unique_ptr<Linked>> doomed;
    auto takeLinks = [&doomed](Linked& node) {
      if (node.firstChild) doomed.push_back(std::move(node.firstChild));
      if (node.nextSibling) doomed.push_back(std::move(node.nextSibling));
    };
    takeLinks(*this);
    while (!doomed.empty()) {
      std::unique_ptr<Linked> node = std::move(doomed.back());
      doomed.pop_back();
      takeLinks(*node);
    }
  }

  void serialize(persistent_store& s, bool w) override {
    s.exchangeReference(w, scene);
    s.exchangeOwned(w, firstChild);
    s.exchangeOwned(w, nextSibling);
    s.exchangeReference(w, parent);
  }
};

struct Empty : persistent {
  static constexpr const char storedName[] = "class sample::Empty";
};

inline dynamic::factory<Leaf> leafFactory;
inline dynamic::factory<Node> nodeFactory;
inline dynamic::factory<Linked> linkedFactory;
inline dynamic::factory<Empty> emptyFactory;

// Reads through every plain reference of the graph below root (a virtual
// call on each object pointed at) and returns how many were not null.
inline std::size_t followReferences(const persistent& root) {
  std::size_t followed = 0;
  auto follow = [&followed](const persistent* target) {
    if (target != nullptr && target->version() == 0) ++followed;
  };
  std::vector<const persistent*> pending{&root};
  while (!pending.empty()) {
    const persistent* object = pending.back();
    pending.pop_back();
    if (const auto* node = dynamic_cast<const Node*>(object)) {
      follow(node->parent);
      follow(node->other);
      for (const auto& child : node->children)
        if (child) pending.push_back(child.get());
    } else if (const auto* linked = dynamic_cast<const Linked*>(object)) {
      follow(linked->scene);
      follow(linked->parent);
      for (const Linked* owned : {linked->firstChild.get(), linked->nextSibling.get()})
        if (owned != nullptr) pending.push_back(owned);
    }
  }
  return followed;
}

}  // namespace sample
