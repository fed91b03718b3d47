// Normal maps from height fields; expected texels worked out by hand.
#include "scene/normal_map.h"

#include <gtest/gtest.h>

#include <array>

#include "normal_map_samples.h"

namespace {

using Texel = std::array<int, 4>;  // blue, green, red, alpha

Texel texelAt(const NormalMapLevel& level, int x, int y) {
  const std::uint8_t* texel = &level.texels[(static_cast<std::size_t>(y) * level.width + x) * 4];
  return {texel[0], texel[1], texel[2], texel[3]};
}

NormalMapLevel levelOf(int width, int height, std::initializer_list<Texel> texels) {
  NormalMapLevel level{width, height, {}};
  for (const Texel& texel : texels)
    for (int byte : texel) level.texels.push_back(static_cast<std::uint8_t>(byte));
  return level;
}

TEST(NormalMapTest, SlopesTowardTheWrappedNeighbours) {
  const NormalMapLevel level = BuildNormalMap(*scenetest::PeakHeights());
  ASSERT_EQ(level.width, 2);
  ASSERT_EQ(level.height, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(texelAt(level, x, y), scenetest::kPeakNormals[y][x]) << x << "," << y;
}

TEST(NormalMapTest, NextLevelIsTheWeightedMeanDirection) {
  const NormalMapLevel next = HalveNormalMap(BuildNormalMap(*scenetest::PeakHeights()));
  ASSERT_EQ(next.width, 1);
  ASSERT_EQ(next.height, 1);
  EXPECT_EQ(texelAt(next, 0, 0), scenetest::kPeakFirstMip);
}

TEST(NormalMapTest, AgreeingBlockIsOpaqueAndDisagreeingOneTranslucent) {
  const NormalMapLevel flat = levelOf(2, 2, {{255, 128, 128, 255}, {255, 128, 128, 255}, {255, 128, 128, 255},
                                             {255, 128, 128, 255}});
  EXPECT_EQ(texelAt(HalveNormalMap(flat), 0, 0), (Texel{254, 128, 128, 255}));
  // A one-texel-high level wraps: its row counts twice.
  const NormalMapLevel row = levelOf(2, 1, {{255, 128, 128, 255}, {128, 255, 128, 255}});
  EXPECT_EQ(texelAt(HalveNormalMap(row), 0, 0), (Texel{217, 217, 129, 183}));
}

TEST(NormalMapTest, TransparentBlockHasNoDirection) {
  const NormalMapLevel clear = levelOf(2, 2, {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}, {1, 2, 3, 0}});
  EXPECT_EQ(texelAt(HalveNormalMap(clear), 0, 0), (Texel{255, 128, 128, 0}));
}

TEST(NormalMapTest, OddSidesHalveDownToOne) {
  const NormalMapLevel wide = levelOf(4, 1, {{255, 128, 128, 255}, {255, 128, 128, 255}, {255, 128, 128, 255},
                                             {255, 128, 128, 255}});
  const NormalMapLevel next = HalveNormalMap(wide);
  EXPECT_EQ(next.width, 2);
  EXPECT_EQ(next.height, 1);
  EXPECT_EQ(next.texels.size(), 8u);
}

}  // namespace
