// The order surfaces are drawn in: a least-significant-digit radix sort,
// one stable pass per key, each pass keeping the order the previous one
// left, so the last key decides first.
#include <array>

#include "scene/render_list.h"
#include "scene/surfaces/surface.h"

namespace {

using Order = std::vector<std::uint32_t>;
using Keys = std::vector<std::int32_t>;
constexpr std::size_t kKeysPerSurface = 3;

// Signed keys as unsigned ones that sort the same way.
std::uint32_t unsignedKey(std::int32_t key) { return static_cast<std::uint32_t>(key) ^ 0x80000000u; }

// Reorders `order` stably by keys[order[i]], eight bits at a time.
void radixPass(Order& order, const std::vector<std::uint32_t>& keys, Order& scratch) {
  for (int shift = 0; shift < 32; shift += 8) {
    std::array<std::uint32_t, 257> start{};
    for (const std::uint32_t index : order) ++start[((keys[index] >> shift) & 0xFF) + 1];
    if (start[((keys[order[0]] >> shift) & 0xFF) + 1] == order.size()) continue;  // one digit value: no change
    for (std::size_t digit = 1; digit < start.size(); ++digit) start[digit] += start[digit - 1];
    for (const std::uint32_t index : order) scratch[start[(keys[index] >> shift) & 0xFF]++] = index;
    order.swap(scratch);
  }
}

// Transparency, layer-1 texture, layer-2 texture of each surface, in the
// order of the passes. An empty slot (it draws nothing) sorts like a plain
// surface.
void sortKeys(std::span<Surface* const> surfaces, Keys& keys) {
  static const Surface plain;
  keys.resize(kKeysPerSurface * surfaces.size());
  for (std::size_t i = 0; i < surfaces.size(); ++i) {
    const Surface& surface = surfaces[i] != nullptr ? *surfaces[i] : plain;
    keys[kKeysPerSurface * i] = surface.isTransparent() ? 1 : 0;
    keys[kKeysPerSurface * i + 1] = surface.layer1Texture();
    keys[kKeysPerSurface * i + 2] = surface.layer2Texture();
  }
}

Order orderOf(const Keys& keys) {
  const std::size_t count = keys.size() / kKeysPerSurface;
  Order order(count);
  for (std::size_t i = 0; i < count; ++i) order[i] = static_cast<std::uint32_t>(i);
  if (order.empty()) return order;
  Order scratch(count);
  std::vector<std::uint32_t> passKeys(count);
  for (std::size_t pass = 0; pass < kKeysPerSurface; ++pass) {
    for (std::size_t i = 0; i < count; ++i) passKeys[i] = unsignedKey(keys[kKeysPerSurface * i + pass]);
    radixPass(order, passKeys, scratch);
  }
  return order;
}

}  // namespace

std::vector<std::uint32_t> drawOrder(std::span<Surface* const> surfaces) {
  Keys keys;
  sortKeys(surfaces, keys);
  return orderOf(keys);
}

// The keys are read afresh every frame (a surface may change its textures
// or transparency); the sort runs only when one of them differs.
const std::vector<std::uint32_t>& RenderList::order(std::span<Surface* const> surfaces) {
  sortKeys(surfaces, frameKeys_);
  if (frameKeys_ != sortKeys_) {
    order_ = orderOf(frameKeys_);
    sortKeys_.swap(frameKeys_);
  }
  return order_;
}
