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

}  // namespace

std::vector<DataFile> pictureFiles(const Fonts& fonts) {
  using enum PictureFormat;
  const Fonts* f = &fonts;
  return {
      picture("demo\\loading.jpg", "backdrop 800x600: loading screen", Jpeg, [f] { return loadingScreen(*f); }),
      picture("demo\\Skyward.jpg", "backdrop 800x600: the title over a dawn sky", Jpeg, [f] { return titleDawn(*f); }),
      picture("demo\\backs\\1.jpg", "backdrop 800x600: night sky", Jpeg, [] { return nightSky(); }),
      picture("demo\\frontdrop.jpg", "frontdrop 800x600: white middle, ornamental frame", Jpeg, [] { return frontdropFrame(); }),
      picture("demo\\backs\\biglogo.jpg", "backdrop 800x600: final logo", Jpeg, [f] { return finalLogo(*f); }),
      picture("demo\\fil1.png", "alpha 64x512: filament of dashes, seamless", Png, [] { return filamentDashes({}); }),
      picture("demo\\fil2.png", "alpha 64x512: filament of beads, seamless", Png, [] { return filamentBeads({}); }),
      picture("demo\\fil3.png", "alpha 64x512: filament of waves, seamless", Png, [] { return filamentWaves({}); }),
      picture("demo\\greetings.jpg", "alpha 512x256: greetings", Jpeg, [f] { return greetings(*f); }),
      picture("demo\\cite-alpha.png", "alpha 400x300: city skyline mask", Png, [] { return citySkyline(); }),
      picture("demo\\pupic.jpg", "colour 320x480: kite flyer", Jpeg, [] { return kiteFlyer().colour; }),
      picture("demo\\pupic_a.jpg", "alpha 320x480: kite flyer cut-out", Jpeg, [] { return kiteFlyer().alpha; }),
  };
}

}  // namespace showdata
