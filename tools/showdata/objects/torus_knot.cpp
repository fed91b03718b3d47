// Torus knot: the curve that winds p times through the hole and q times
// around the axis of a torus, swept with a circular profile into a thick
// tube (sweep.h); bands of two surfaces alternate along it.
#include <cmath>

#include "objects/objects.h"
#include "objects/sweep.h"

namespace showdata {

Mesh torusKnot(const TorusKnotSettings& settings) {
  std::vector<Vector3> path;
  for (int i = 0; i < settings.segments; ++i) {
    const float t = 6.2831853f * i / settings.segments;
    const float r = 2.0f + std::cos(settings.q * t);
    path.push_back({r * std::cos(settings.p * t), r * std::sin(settings.p * t), std::sin(settings.q * t)});
  }
  std::vector<Point> profile;
  for (int j = 0; j < settings.sides; ++j) {
    const float a = 6.2831853f * j / settings.sides;
    profile.push_back({settings.tubeRadius * std::cos(a), settings.tubeRadius * std::sin(a)});
  }
  const int bandLength = settings.segments / settings.bands;
  Mesh mesh = sweepLoop(loopFrames(path), profile, [bandLength](int segment, int) {
    return static_cast<std::uint16_t>((segment / bandLength) % 2);
  });
  transform(mesh, settings.scale);
  return mesh;
}

}  // namespace showdata
