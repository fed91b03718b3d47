// Filament of waves: two sine lines that cross each other, each with a whole
// number of periods over the picture's height (so it tiles), the brighter one
// slowly breathing in brightness with the same period.
#include <cmath>

#include "core/random.h"
#include "pictures/filament.h"
#include "pictures/pictures.h"

namespace showdata {

Raster filamentWaves(const FilamentSettings& settings) {
  Random random(settings.seed + 303);
  const float tau = 6.2831853f;
  const int scale = settings.scale;
  const float s = static_cast<float>(scale);
  const float height = static_cast<float>(settings.height * scale), middle = settings.width * scale * 0.5f;
  const float phaseA = random.between(0.0f, tau), phaseB = random.between(0.0f, tau);
  Raster picture(settings.width * scale, settings.height * scale, 1);
  FilamentTrace first;
  first.centre = [&](float y) { return middle + 13.0f * s * std::sin(tau * 2.0f * y / height + phaseA); };
  first.brightness = [&](float y) { return 0.65f + 0.35f * std::sin(tau * y / height + phaseB); };
  first.coreWidth *= s;
  first.glowWidth *= s;
  addFilament(picture, first);
  FilamentTrace second;
  second.centre = [&](float y) { return middle + 9.0f * s * std::sin(tau * 3.0f * y / height + phaseB); };
  second.brightness = [](float) { return 0.4f; };
  second.coreWidth = 1.1f * s;
  second.glowWidth = 5.0f * s;
  addFilament(picture, second);
  return picture;
}

}  // namespace showdata
