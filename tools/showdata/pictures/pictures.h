#pragma once
// The show's pictures. Each generator is a pure function of its settings
// (seed included) and the fonts it is handed, and names its technique in
// its file.
#include <cstdint>
#include <string>
#include <vector>

#include "core/raster.h"
#include "core/text.h"

namespace showdata {

// Sizes are those of the 800x600 layout; a picture of a data set drawn at
// `scale` has scale x scale pixels for each of them, and every length in it
// (lettering, strokes, blurs, stars) grows alike, so that it is sharp in a
// frame that large. Scale 1 is the data set the show was made with.
struct BackdropSize {
  int width = 800;
  int height = 600;
  int scale = 1;
};

// Vertical gradient with lettering (loading_screen.cpp).
Raster loadingScreen(const Fonts& fonts, BackdropSize size = {});

struct DawnSettings {
  BackdropSize size;
  std::uint64_t seed = 75;
  float cloudCover = 0.52f;  // fraction of the noise range that stays clear sky
};
// Dawn gradient, fractal-noise clouds lit from below, the title (title_dawn.cpp).
Raster titleDawn(const Fonts& fonts, const DawnSettings& settings = {});

struct NightSkySettings {
  BackdropSize size;
  std::uint64_t seed = 1;
  int faintStars = 1400;
  int brightStars = 60;
  float nebula = 0.45f;  // strength of the nebula's light
};
// Gradient, scattered stars with glow, a noise nebula (night_sky.cpp).
Raster nightSky(const NightSkySettings& settings = {});

struct FrameSettings {
  BackdropSize size;
  float inset = 18.0f;      // outer edge of the ornamental band
  float bandWidth = 26.0f;
  float vignette = 0.45f;   // darkening at the far corners
};
// Distance-field frame with repeated ornaments and a vignette (frontdrop_frame.cpp).
Raster frontdropFrame(const FrameSettings& settings = {});

struct LogoSettings {
  BackdropSize size;
  std::uint64_t seed = 241;
  std::string closingLine = "thank you for watching - keep looking up";
};
// The emblem, the name and a closing line over a soft glow (final_logo.cpp).
Raster finalLogo(const Fonts& fonts, const LogoSettings& settings = {});

struct FilamentSettings {
  int width = 64;
  int height = 512;
  std::uint64_t seed = 0;
  int scale = 1;
};
// Seamless vertical filaments, periodic in y (filament_*.cpp): a dashed
// line, a thread of beads, and two interlaced waves.
Raster filamentDashes(const FilamentSettings& settings);
Raster filamentBeads(const FilamentSettings& settings);
Raster filamentWaves(const FilamentSettings& settings);

struct GreetingsSettings {
  int width = 512;
  int height = 256;
  int scale = 1;
  std::vector<std::string> groups = {"Tin Lantern",    "Moth Cartography", "Orbital Tea Club", "Salt and Static",
                                     "Quiet Comet Crew", "Velvet Vectorworks", "Lumen Drift",   "Paper Satellites",
                                     "Hollow Tide",    "Nine Kites"};
};
// White lettering on black in two columns (greetings.cpp).
Raster greetings(const Fonts& fonts, const GreetingsSettings& settings = {});

struct SkylineSettings {
  int width = 400;
  int height = 300;
  std::uint64_t seed = 166;
  int scale = 1;
  float tallest = 0.55f;  // fraction of the height the highest tower reaches
};
// A city of random blocks with towers and antennas as an alpha mask (city_skyline.cpp).
Raster citySkyline(const SkylineSettings& settings = {});

struct KiteFlyerSettings {
  int width = 320;
  int height = 480;
  std::uint64_t seed = 936;
  int scale = 1;
};
struct ColourWithAlpha {
  Raster colour;
  Raster alpha;
};
// A figure on a hill flying a kite, in flat shapes with a rim light, and its
// cut-out mask (kite_flyer.cpp).
ColourWithAlpha kiteFlyer(const KiteFlyerSettings& settings = {});

}  // namespace showdata
