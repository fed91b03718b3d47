// Filament of beads: a thin thread strung with round glowing beads of seeded
// sizes at seeded places; beads near the ends of the period are also drawn
// shifted by one period, so they continue across the seam.
#include <cmath>

#include "core/random.h"
#include "core/shapes.h"
#include "pictures/filament.h"
#include "pictures/pictures.h"

namespace showdata {

Raster filamentBeads(const FilamentSettings& settings) {
  const int width = settings.width * settings.scale, height = settings.height * settings.scale;
  const float s = static_cast<float>(settings.scale);
  Raster picture(width, height, 1);
  FilamentTrace thread;
  thread.centre = [&](float) { return width * 0.5f; };
  thread.brightness = [](float) { return 0.22f; };
  thread.coreWidth = 1.0f * s;
  thread.glowWidth = 4.0f * s;
  addFilament(picture, thread);

  Random random(settings.seed + 202);
  Raster beads(width, height, 1);
  const int count = 9;
  const float spacing = static_cast<float>(height) / count;
  for (int i = 0; i < count; ++i) {
    const float y = (i + random.between(0.2f, 0.8f)) * spacing;
    const float radius = random.between(2.5f, 6.5f) * s;
    const float light = random.between(0.7f, 1.0f);
    for (float shift : {-1.0f, 0.0f, 1.0f}) fillDisc(beads, {width * 0.5f, y + shift * height}, radius, light);
  }
  const Raster halo = blurred(beads, 5 * settings.scale, 3, true);
  for (std::size_t i = 0; i < picture.values.size(); ++i)
    picture.values[i] = std::fmin(1.0f, picture.values[i] + beads.values[i] + halo.values[i] * 0.8f);
  return picture;
}

}  // namespace showdata
