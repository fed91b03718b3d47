// Emblem: the ring is a rounded rectangle swept round a circle (sweep.h),
// the bird is the shared emblem outline made solid with rounded bevels
// (extrusion.h). Two closed parts, two surfaces.
#include <cmath>

#include "core/emblem_outline.h"
#include "objects/extrusion.h"
#include "objects/objects.h"
#include "objects/sweep.h"

namespace showdata {
namespace {

// A rounded rectangle of half sizes (w, h) with corner radius r, three
// points per corner, counter-clockwise.
std::vector<Point> roundedRectangle(float w, float h, float r) {
  std::vector<Point> profile;
  const Point corners[4] = {{w - r, h - r}, {-(w - r), h - r}, {-(w - r), -(h - r)}, {w - r, -(h - r)}};
  for (int c = 0; c < 4; ++c)
    for (int s = 0; s < 3; ++s) {
      const float a = 1.5707963f * (c + s / 2.0f);
      profile.push_back({corners[c].x + r * std::cos(a), corners[c].y + r * std::sin(a)});
    }
  return profile;
}

}  // namespace

Mesh emblem(const EmblemSettings& settings) {
  const EmblemShape shape = emblemShape(settings.outlineSmoothness);
  std::vector<Vector3> circle;
  for (int i = 0; i < settings.ringSegments; ++i) {
    const float a = 6.2831853f * i / settings.ringSegments;
    circle.push_back({shape.ringCentre.x + shape.ringRadius * std::cos(a), shape.ringCentre.y + shape.ringRadius * std::sin(a), 0.0f});
  }
  std::vector<Frame> frames = loopFrames(circle);
  // The profile's x runs outward from the centre, its y along z.
  for (std::size_t i = 0; i < frames.size(); ++i) {
    frames[i].normal = Normalise(circle[i]);
    frames[i].binormal = {0.0f, 0.0f, 1.0f};
  }
  Mesh mesh = sweepLoop(frames, roundedRectangle(shape.ringHalfWidth, 0.06f, 0.03f), [](int, int) { return std::uint16_t{0}; });
  mesh.append(bevelledSlab(shape.bird, {0.05f, 0.018f, 3, 1}));
  transform(mesh, settings.scale);
  return mesh;
}

}  // namespace showdata
