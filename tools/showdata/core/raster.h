#pragma once
// A picture being made: rows top to bottom, `channels` floats per pixel,
// nominally 0 to 1 (1 channel: grey or alpha; 3: red, green, blue). The
// picture generators paint into rasters; only the file encoder turns them
// into bytes.
#include <cstddef>
#include <vector>

namespace showdata {

struct Colour {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
};

Colour mix(Colour a, Colour b, float t);
Colour operator*(Colour c, float s);
Colour operator+(Colour a, Colour b);

float clamp01(float value);
float smoothstep(float edge0, float edge1, float x);

struct Raster {
  int width = 0;
  int height = 0;
  int channels = 3;
  std::vector<float> values;

  Raster() = default;
  Raster(int w, int h, int c, float fill = 0.0f);

  float* at(int x, int y) { return &values[(static_cast<std::size_t>(y) * width + x) * channels]; }
  const float* at(int x, int y) const { return &values[(static_cast<std::size_t>(y) * width + x) * channels]; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

  Colour colour(int x, int y) const;
  void set(int x, int y, Colour c);
  // Paints `c` over the pixel with the given opacity (0 to 1).
  void blend(int x, int y, Colour c, float opacity);
  // Adds light: c x amount on top of what is there.
  void add(int x, int y, Colour c, float amount);
};

// Separable box blur repeated `passes` times (three passes look Gaussian).
// Edges clamp, or wrap vertically when `wrapRows` is set.
Raster blurred(const Raster& source, int radius, int passes, bool wrapRows = false);

// Area-averaged reduction to the given size (nearest pixel when enlarging).
Raster resized(const Raster& source, int width, int height);

// Paints `colour` through a one-channel coverage mask placed with its top
// left corner at (left, top); `add` makes it light rather than paint.
void paintMask(Raster& target, const Raster& mask, int left, int top, Colour colour, float opacity, bool add = false);

// Light around a mask: the mask, with room around it, blurred (three box
// passes of `radius`) and added in `colour` (or painted, with `add` false).
void glow(Raster& target, const Raster& mask, int left, int top, int radius, Colour colour, float opacity, bool add = true);

// A one-channel picture as a three-channel one (grey), for the review sheet.
Raster asColour(const Raster& grey);

}  // namespace showdata
