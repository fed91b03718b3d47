#include "core/emblem_outline.h"

#include <algorithm>

namespace showdata {

EmblemShape emblemShape(int smoothness) {
  // The right half, from the crown of the head down to the notch of the
  // tail; the left half is its mirror image.
  const std::vector<Point> half = {
      {0.0f, 0.60f},   {0.07f, 0.55f},  {0.09f, 0.44f},  {0.22f, 0.47f},  {0.45f, 0.58f},  {0.68f, 0.76f},
      {0.86f, 0.96f},  {0.80f, 0.70f},  {0.64f, 0.46f},  {0.44f, 0.30f},  {0.24f, 0.20f},  {0.11f, 0.12f},
      {0.10f, -0.14f}, {0.22f, -0.50f}, {0.05f, -0.36f}, {0.0f, -0.27f},
  };
  std::vector<Point> outline = half;
  for (auto it = half.rbegin() + 1; it != half.rend() - 1; ++it) outline.push_back({-it->x, it->y});
  // Clockwise as listed (right half first, going down); reverse for y up.
  std::reverse(outline.begin(), outline.end());
  EmblemShape shape;
  shape.bird = filletedPolygon(outline, 0.04f, smoothness);
  for (Point& p : shape.bird) p.y -= 0.12f;  // the bird's middle on the ring's centre
  shape.ringCentre = {0.0f, 0.0f};
  shape.ringRadius = 0.78f;
  shape.ringHalfWidth = 0.07f;
  return shape;
}

}  // namespace showdata
