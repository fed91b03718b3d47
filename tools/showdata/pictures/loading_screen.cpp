// Loading screen: a vertical gradient of night blues, the name in spaced
// capitals with a soft glow (the lettering blurred and added as light), a
// hairline and a small "loading" line under it.
#include <cmath>

#include "pictures/pictures.h"

namespace showdata {

Raster loadingScreen(const Fonts& fonts, BackdropSize layout) {
  const int s = layout.scale;
  const BackdropSize size{layout.width * s, layout.height * s, s};
  Raster picture(size.width, size.height, 3);
  const Colour top{0.008f, 0.014f, 0.045f}, bottom{0.035f, 0.085f, 0.20f};
  for (int y = 0; y < size.height; ++y) {
    const float t = static_cast<float>(y) / (size.height - 1);
    for (int x = 0; x < size.width; ++x) {
      // A faint lift of light around the lettering.
      const float dx = (x - size.width * 0.5f) / size.width, dy = (y - size.height * 0.47f) / size.height;
      const float halo = 0.05f * std::exp(-(dx * dx * 6.0f + dy * dy * 18.0f));
      picture.set(x, y, mix(top, bottom, t * t) + Colour{halo * 0.4f, halo * 0.7f, halo});
    }
  }
  const Raster name = fonts.bold.render("SKYWARD", 84 * s, 18 * s);
  const int left = (size.width - name.width) / 2, top_ = size.height * 47 / 100 - name.height / 2;
  glow(picture, name, left, top_, 9 * s, {0.25f, 0.45f, 0.95f}, 0.9f);
  paintMask(picture, name, left, top_, {0.86f, 0.92f, 1.0f}, 1.0f);

  const int lineY = top_ + name.height + 26 * s;
  for (int x = left; x < left + name.width; ++x) {
    const float fade = std::sin(3.14159265f * (x - left) / name.width);
    for (int row = 0; row < s; ++row) picture.blend(x, lineY + row, {0.45f, 0.6f, 0.9f}, 0.6f * fade);
  }
  const Raster loading = fonts.regular.render("loading", 18 * s, 6 * s);
  paintMask(picture, loading, (size.width - loading.width) / 2, lineY + 16 * s, {0.55f, 0.66f, 0.85f}, 0.9f);
  return picture;
}

}  // namespace showdata
