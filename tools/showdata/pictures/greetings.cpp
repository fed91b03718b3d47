// Greetings: white lettering on black (the picture is used as alpha): a
// heading, a hairline, and the invented group names in two columns.
#include "pictures/pictures.h"

namespace showdata {

Raster greetings(const Fonts& fonts, const GreetingsSettings& settings) {
  const int s = settings.scale;
  const int width = settings.width * s, height = settings.height * s;
  Raster picture(width, height, 1);
  const Raster heading = fonts.bold.render("greetings to", 30 * s, 2 * s);
  paintMask(picture, heading, 24 * s, 16 * s, {1, 1, 1}, 1.0f);
  const int lineY = 16 * s + heading.height + 10 * s;
  for (int row = 0; row < s; ++row)
    for (int x = 24 * s; x < width - 24 * s; ++x) picture.at(x, lineY + row)[0] = 0.8f;

  const std::size_t rows = (settings.groups.size() + 1) / 2;
  const int rowHeight = (height - lineY - 16 * s) / static_cast<int>(rows);
  for (std::size_t i = 0; i < settings.groups.size(); ++i) {
    const Raster name = fonts.regular.render(settings.groups[i], 19 * s);
    const int column = static_cast<int>(i / rows);
    const int left = column == 0 ? 36 * s : width / 2 + 20 * s;
    const int top = lineY + 12 * s + static_cast<int>(i % rows) * rowHeight + (rowHeight - name.height) / 2;
    paintMask(picture, name, left, top, {1, 1, 1}, 1.0f);
  }
  return picture;
}

}  // namespace showdata
