// The pictures of the data set: which generator makes each file, in which
// format, and how the show loads it.
#include "core/picture_file.h"
#include "data_set.h"
#include "pictures/pictures.h"

namespace showdata {
namespace {

DataFile picture(std::string name, std::string what, PictureFormat format, std::function<Raster()> make) {
  return {std::move(name), std::move(what), [format, make = std::move(make)] { return encodePicture(make(), format); }};
}

// "backdrop 800x600: ..." with the picture's own size at the data set's scale.
std::string sized(const char* kind, int width, int height, int scale, const char* what) {
  return std::string(kind) + " " + std::to_string(width * scale) + "x" + std::to_string(height * scale) + ": " + what;
}

}  // namespace

std::vector<DataFile> pictureFiles(const Fonts& fonts, int scale) {
  using enum PictureFormat;
  const Fonts* f = &fonts;
  const int s = scale;
  const BackdropSize backdrop{800, 600, s};
  const FilamentSettings filament{64, 512, 0, s};
  return {
      picture("demo\\loading.jpg", sized("backdrop", 800, 600, s, "loading screen"), Jpeg,
              [f, backdrop] { return loadingScreen(*f, backdrop); }),
      picture("demo\\Skyward.jpg", sized("backdrop", 800, 600, s, "the title over a dawn sky"), Jpeg,
              [f, backdrop] { return titleDawn(*f, {.size = backdrop}); }),
      picture("demo\\backs\\1.jpg", sized("backdrop", 800, 600, s, "night sky"), Jpeg,
              [backdrop] { return nightSky({.size = backdrop}); }),
      picture("demo\\frontdrop.jpg", sized("frontdrop", 800, 600, s, "white middle, ornamental frame"), Jpeg,
              [backdrop] { return frontdropFrame({.size = backdrop}); }),
      picture("demo\\backs\\biglogo.jpg", sized("backdrop", 800, 600, s, "final logo"), Jpeg,
              [f, backdrop] { return finalLogo(*f, {.size = backdrop}); }),
      picture("demo\\fil1.png", sized("alpha", 64, 512, s, "filament of dashes, seamless"), Png,
              [filament] { return filamentDashes(filament); }),
      picture("demo\\fil2.png", sized("alpha", 64, 512, s, "filament of beads, seamless"), Png,
              [filament] { return filamentBeads(filament); }),
      picture("demo\\fil3.png", sized("alpha", 64, 512, s, "filament of waves, seamless"), Png,
              [filament] { return filamentWaves(filament); }),
      picture("demo\\greetings.jpg", sized("alpha", 512, 256, s, "greetings"), Jpeg,
              [f, s] { return greetings(*f, {.scale = s}); }),
      picture("demo\\cite-alpha.png", sized("alpha", 400, 300, s, "city skyline mask"), Png,
              [s] { return citySkyline({.scale = s}); }),
      picture("demo\\pupic.jpg", sized("colour", 320, 480, s, "kite flyer"), Jpeg,
              [s] { return kiteFlyer({.scale = s}).colour; }),
      picture("demo\\pupic_a.jpg", sized("alpha", 320, 480, s, "kite flyer cut-out"), Jpeg,
              [s] { return kiteFlyer({.scale = s}).alpha; }),
  };
}

}  // namespace showdata
