#pragma once
// Anti-aliased 2D shapes painted into one-channel coverage masks: polygons
// by scanlines with sub-rows, discs and strokes by distance. Coverage only
// grows (max), so shapes can be stacked into one mask.
#include <vector>

#include "core/raster.h"

namespace showdata {

struct Point {
  float x = 0.0f;
  float y = 0.0f;
};

// Non-zero filling of a closed polygon in pixel coordinates (y down).
void fillPolygon(Raster& mask, const std::vector<Point>& polygon, float value = 1.0f);

void fillDisc(Raster& mask, Point centre, float radius, float value = 1.0f);

// A stroke of round caps along the polyline.
void strokeLine(Raster& mask, const std::vector<Point>& line, float halfWidth, float value = 1.0f);

// A closed Catmull-Rom curve through the points, `steps` points per span.
std::vector<Point> smoothClosedCurve(const std::vector<Point>& points, int steps);

// The polygon with every corner rounded by an arc of `radius` (smaller where
// the neighbouring edges are too short), `steps` segments per arc. The arcs
// keep the outline's curvature radius at least `radius`, so an inset by less
// than that never crosses itself.
std::vector<Point> filletedPolygon(const std::vector<Point>& polygon, float radius, int steps);

// The points with each coordinate multiplied by `s`: shapes drawn in layout
// pixels, into a picture with `s` pixels for each.
std::vector<Point> scaled(std::vector<Point> points, float s);
Point scaled(Point point, float s);

// A cubic Bezier curve as `steps` + 1 points.
std::vector<Point> bezier(Point a, Point b, Point c, Point d, int steps);

}  // namespace showdata
