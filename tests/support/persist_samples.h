#pragma once
// Stored classes for tests, fuzzing and benchmarks: one with a field of
// every value kind, one that builds graphs (owned children, a parent and a
// free reference), and one with no body at all.
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

struct Empty : persistent {
  static constexpr const char storedName[] = "class sample::Empty";
};

inline dynamic::factory<Leaf> leafFactory;
inline dynamic::factory<Node> nodeFactory;
inline dynamic::factory<Empty> emptyFactory;

}  // namespace sample
