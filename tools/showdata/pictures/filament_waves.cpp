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
  const float height = static_cast<float>(settings.height), middle = settings.width * 0.5f;
  const float phaseA = random.between(0.0f, tau), phaseB = random.between(0.0f, tau);
  Raster picture(settings.width, settings.height, 1);
  FilamentTrace first;
  first.centre = [&](float y) { return middle + 13.0f * std::sin(tau * 2.0f * y / height + phaseA); };
  first.brightness = [&](float y) { return 0.65f + 0.35f * std::sin(tau * y / height + phaseB); };
  addFilament(picture, first);
  FilamentTrace second;
  second.centre = [&](float y) { return middle + 9.0f * std::sin(tau * 3.0f * y / height + phaseB); };
  second.brightness = [](float) { return 0.4f; };
  second.coreWidth = 1.1f;
  second.glowWidth = 5.0f;
  addFilament(picture, second);
  return picture;
}

}  // namespace showdata
