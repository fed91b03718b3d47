#pragma once
// What the three filaments share: a glowing vertical line whose brightness
// and horizontal position are periodic in y with the picture's height, so
// the strip tiles seamlessly when scrolled.
#include <functional>

#include "core/raster.h"

namespace showdata {

struct FilamentTrace {
  std::function<float(float y)> brightness;  // 0 to 1, period = height
  std::function<float(float y)> centre;      // x of the line, period = height
  float coreWidth = 1.6f;                    // Gaussian radius of the bright core
  float glowWidth = 7.0f;                    // and of the halo around it
};

// Adds one trace into a one-channel picture (values are clamped at 1).
void addFilament(Raster& picture, const FilamentTrace& trace);

}  // namespace showdata
