// The order surfaces are drawn in: a least-significant-digit radix sort,
// one stable pass per key, each pass keeping the order the previous one
// left, so the last key decides first.
#include <array>

#include "scene/render_list.h"
#include "scene/surfaces/surface.h"

namespace {

using Order = std::vector<std::uint32_t>;

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

// An empty slot (it draws nothing) sorts like a plain surface.
template <typename KeyOf>
void sortBy(Order& order, std::span<Surface* const> surfaces, Order& scratch, KeyOf keyOf) {
  static const Surface plain;
  std::vector<std::uint32_t> keys(surfaces.size());
  for (std::size_t i = 0; i < surfaces.size(); ++i)
    keys[i] = unsignedKey(keyOf(surfaces[i] != nullptr ? *surfaces[i] : plain));
  radixPass(order, keys, scratch);
}

}  // namespace

std::vector<std::uint32_t> drawOrder(std::span<Surface* const> surfaces) {
  Order order(surfaces.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  if (order.empty()) return order;
  Order scratch(order.size());
  sortBy(order, surfaces, scratch, [](const Surface& s) { return s.isTransparent() ? 1 : 0; });
  sortBy(order, surfaces, scratch, [](const Surface& s) { return s.layer1Texture(); });
  sortBy(order, surfaces, scratch, [](const Surface& s) { return s.layer2Texture(); });
  return order;
}
