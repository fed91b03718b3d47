#include "scene/normal_map.h"

#include <cmath>

namespace {

constexpr float kSlopeScale = 2.0f;

std::uint8_t encode(float component) { return static_cast<std::uint8_t>(static_cast<int>(component * 127.0f + 128.0f)); }

float decode(std::uint8_t byte) { return static_cast<float>(byte) / 127.0f - 1.0f; }

void putTexel(NormalMapLevel& level, int x, int y, std::uint8_t blue, std::uint8_t green, std::uint8_t red,
              std::uint8_t alpha) {
  std::uint8_t* texel = &level.texels[(static_cast<std::size_t>(y) * level.width + x) * 4];
  texel[0] = blue;
  texel[1] = green;
  texel[2] = red;
  texel[3] = alpha;
}

NormalMapLevel emptyLevel(int width, int height) {
  NormalMapLevel level{width, height, {}};
  level.texels.resize(static_cast<std::size_t>(width) * height * 4);
  return level;
}

// The weighted sum of the block's directions, in blue, green, red order.
void addBlockTexel(const NormalMapLevel& level, int x, int y, float sum[3]) {
  const std::uint8_t* texel =
      &level.texels[(static_cast<std::size_t>(y % level.height) * level.width + x % level.width) * 4];
  const float weight = static_cast<float>(texel[3]) / 255.0f;
  for (int c = 0; c < 3; ++c) sum[c] += decode(texel[c]) * weight;
}

}  // namespace

NormalMapLevel BuildNormalMap(const Image8& heights) {
  const int width = heights.width;
  const int height = heights.height;
  NormalMapLevel level = emptyLevel(width, height);
  auto h = [&](int x, int y) {
    return static_cast<float>(heights.pixels[static_cast<std::size_t>(y % height) * width + x % width]) / 255.0f;
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float dx = kSlopeScale * (h(x, y) - h(x + 1, y));
      const float dy = kSlopeScale * (h(x, y) - h(x, y + 1));
      const float k = 1.0f / std::sqrt(dx * dx + dy * dy + 1.0f);
      putTexel(level, x, y, encode(k), encode(-dx * k), encode(dy * k), 255);
    }
  }
  return level;
}

NormalMapLevel HalveNormalMap(const NormalMapLevel& level) {
  NormalMapLevel next =
      emptyLevel(level.width > 1 ? level.width / 2 : 1, level.height > 1 ? level.height / 2 : 1);
  for (int y = 0; y < next.height; ++y) {
    for (int x = 0; x < next.width; ++x) {
      float sum[3] = {0.0f, 0.0f, 0.0f};
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) addBlockTexel(level, 2 * x + dx, 2 * y + dy, sum);
      const float length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
      if (length == 0.0f) {
        putTexel(next, x, y, 255, 128, 128, 0);
        continue;
      }
      const float agreement = length * 0.25f;
      const auto alpha = static_cast<std::uint8_t>(agreement > 1.0f ? 255 : static_cast<int>(agreement * 255.0f));
      putTexel(next, x, y, encode(sum[0] / length), encode(sum[1] / length), encode(sum[2] / length), alpha);
    }
  }
  return next;
}
