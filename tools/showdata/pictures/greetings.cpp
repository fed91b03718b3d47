// Greetings: white lettering on black (the picture is used as alpha): a
// heading, a hairline, and the invented group names in two columns.
#include "pictures/pictures.h"

namespace showdata {

Raster greetings(const Fonts& fonts, const GreetingsSettings& settings) {
  Raster picture(settings.width, settings.height, 1);
  const Raster heading = fonts.bold.render("greetings to", 30, 2);
  paintMask(picture, heading, 24, 16, {1, 1, 1}, 1.0f);
  const int lineY = 16 + heading.height + 10;
  for (int x = 24; x < settings.width - 24; ++x) picture.at(x, lineY)[0] = 0.8f;

  const std::size_t rows = (settings.groups.size() + 1) / 2;
  const int rowHeight = (settings.height - lineY - 16) / static_cast<int>(rows);
  for (std::size_t i = 0; i < settings.groups.size(); ++i) {
    const Raster name = fonts.regular.render(settings.groups[i], 19);
    const int column = static_cast<int>(i / rows);
    const int left = column == 0 ? 36 : settings.width / 2 + 20;
    const int top = lineY + 12 + static_cast<int>(i % rows) * rowHeight + (rowHeight - name.height) / 2;
    paintMask(picture, name, left, top, {1, 1, 1}, 1.0f);
  }
  return picture;
}

}  // namespace showdata
