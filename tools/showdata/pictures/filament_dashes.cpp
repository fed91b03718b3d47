// Filament of dashes: a faint thread with bright dashes of seeded lengths,
// laid end to end around one period and scaled to fit it exactly, with soft
// ends; the pattern wraps, so the strip is seamless.
#include <cmath>
#include <vector>

#include "core/random.h"
#include "pictures/filament.h"
#include "pictures/pictures.h"

namespace showdata {

Raster filamentDashes(const FilamentSettings& settings) {
  Random random(settings.seed + 101);
  struct Dash {
    float start, length;
  };
  std::vector<Dash> dashes;
  float at = 0.0f;
  while (at < settings.height) {
    const float length = random.between(14.0f, 56.0f), gap = random.between(10.0f, 30.0f);
    dashes.push_back({at, length});
    at += length + gap;
  }
  const float fit = settings.height / at;
  const float period = static_cast<float>(settings.height);
  const float s = static_cast<float>(settings.scale);
  FilamentTrace trace;
  trace.centre = [&](float) { return settings.width * s * 0.5f; };
  trace.coreWidth *= s;
  trace.glowWidth *= s;
  // The dashes are laid out in layout pixels.
  trace.brightness = [&](float picturesY) {
    const float y = picturesY / s;
    float light = 0.18f;
    for (const Dash& dash : dashes) {
      // Distance into the dash, looking one period either way.
      for (float shift : {-period, 0.0f, period}) {
        const float s = (y - shift) - dash.start * fit, e = dash.length * fit;
        light = std::fmax(light, smoothstep(0.0f, 4.0f, s) * smoothstep(0.0f, 4.0f, e - s));
      }
    }
    return light;
  };
  Raster picture(settings.width * settings.scale, settings.height * settings.scale, 1);
  addFilament(picture, trace);
  return picture;
}

}  // namespace showdata
