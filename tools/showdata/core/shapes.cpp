#include "core/shapes.h"

#include <algorithm>
#include <cmath>

namespace showdata {
namespace {

constexpr int kSubRows = 4;

struct Crossing {
  float x;
  int winding;
};

// Coverage of the span [a, b) over one pixel row, added with weight `w`.
void addSpan(std::vector<float>& row, float a, float b, float w) {
  const int width = static_cast<int>(row.size());
  a = std::clamp(a, 0.0f, static_cast<float>(width));
  b = std::clamp(b, 0.0f, static_cast<float>(width));
  if (b <= a) return;
  const int first = static_cast<int>(a);
  const int last = std::min(static_cast<int>(b), width - 1);
  if (first == last) {
    row[first] += (b - a) * w;
    return;
  }
  row[first] += (first + 1 - a) * w;
  for (int x = first + 1; x < last; ++x) row[x] += w;
  row[last] += (b - last) * w;
}

}  // namespace

void fillPolygon(Raster& mask, const std::vector<Point>& polygon, float value) {
  std::vector<float> row(static_cast<std::size_t>(mask.width));
  std::vector<Crossing> crossings;
  for (int y = 0; y < mask.height; ++y) {
    std::fill(row.begin(), row.end(), 0.0f);
    for (int sub = 0; sub < kSubRows; ++sub) {
      const float sy = y + (sub + 0.5f) / kSubRows;
      crossings.clear();
      for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point p = polygon[i];
        const Point q = polygon[(i + 1) % polygon.size()];
        if ((p.y <= sy) == (q.y <= sy)) continue;
        const float t = (sy - p.y) / (q.y - p.y);
        crossings.push_back({p.x + (q.x - p.x) * t, q.y > p.y ? 1 : -1});
      }
      std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
      int winding = 0;
      for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += crossings[i].winding;
        if (winding != 0) addSpan(row, crossings[i].x, crossings[i + 1].x, 1.0f / kSubRows);
      }
    }
    for (int x = 0; x < mask.width; ++x) {
      float& target = mask.at(x, y)[0];
      target = std::max(target, std::min(row[static_cast<std::size_t>(x)], 1.0f) * value);
    }
  }
}

void fillDisc(Raster& mask, Point centre, float radius, float value) {
  const int x0 = std::max(0, static_cast<int>(centre.x - radius - 1));
  const int x1 = std::min(mask.width - 1, static_cast<int>(centre.x + radius + 1));
  const int y0 = std::max(0, static_cast<int>(centre.y - radius - 1));
  const int y1 = std::min(mask.height - 1, static_cast<int>(centre.y + radius + 1));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(x + 0.5f - centre.x, y + 0.5f - centre.y);
      float& target = mask.at(x, y)[0];
      target = std::max(target, std::clamp(radius - d + 0.5f, 0.0f, 1.0f) * value);
    }
  }
}

namespace {

float segmentDistance(Point p, Point a, Point b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float length2 = dx * dx + dy * dy;
  const float t = length2 > 0.0f ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0f, 1.0f) : 0.0f;
  return std::hypot(p.x - (a.x + dx * t), p.y - (a.y + dy * t));
}

}  // namespace

void strokeLine(Raster& mask, const std::vector<Point>& line, float halfWidth, float value) {
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    const Point a = line[i], b = line[i + 1];
    const int x0 = std::max(0, static_cast<int>(std::min(a.x, b.x) - halfWidth - 1));
    const int x1 = std::min(mask.width - 1, static_cast<int>(std::max(a.x, b.x) + halfWidth + 1));
    const int y0 = std::max(0, static_cast<int>(std::min(a.y, b.y) - halfWidth - 1));
    const int y1 = std::min(mask.height - 1, static_cast<int>(std::max(a.y, b.y) + halfWidth + 1));
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const float d = segmentDistance({x + 0.5f, y + 0.5f}, a, b);
        float& target = mask.at(x, y)[0];
        target = std::max(target, std::clamp(halfWidth - d + 0.5f, 0.0f, 1.0f) * value);
      }
    }
  }
}

std::vector<Point> smoothClosedCurve(const std::vector<Point>& points, int steps) {
  std::vector<Point> curve;
  const std::size_t n = points.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point p0 = points[(i + n - 1) % n], p1 = points[i], p2 = points[(i + 1) % n], p3 = points[(i + 2) % n];
    for (int s = 0; s < steps; ++s) {
      const float t = static_cast<float>(s) / steps, t2 = t * t, t3 = t2 * t;
      auto blend = [&](float a, float b, float c, float d) {
        return 0.5f * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
      };
      curve.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
    }
  }
  return curve;
}

std::vector<Point> filletedPolygon(const std::vector<Point>& polygon, float radius, int steps) {
  std::vector<Point> out;
  const std::size_t n = polygon.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point prev = polygon[(i + n - 1) % n], p = polygon[i], next = polygon[(i + 1) % n];
    const float inLength = std::hypot(prev.x - p.x, prev.y - p.y), outLength = std::hypot(next.x - p.x, next.y - p.y);
    const Point toPrev{(prev.x - p.x) / inLength, (prev.y - p.y) / inLength};
    const Point toNext{(next.x - p.x) / outLength, (next.y - p.y) / outLength};
    const float angle = std::acos(std::clamp(toPrev.x * toNext.x + toPrev.y * toNext.y, -1.0f, 1.0f));
    if (angle > 3.1f) {  // straight on: nothing to round
      out.push_back(p);
      continue;
    }
    // Tangent points at distance t from the corner; the radius shrinks when
    // t would take more than 45% of a neighbouring edge.
    float t = radius / std::tan(angle * 0.5f);
    t = std::min(t, 0.45f * std::min(inLength, outLength));
    const float r = t * std::tan(angle * 0.5f);
    Point bisector{toPrev.x + toNext.x, toPrev.y + toNext.y};
    const float length = std::hypot(bisector.x, bisector.y);
    bisector = {bisector.x / length, bisector.y / length};
    const float centreDistance = r / std::sin(angle * 0.5f);
    const Point centre{p.x + bisector.x * centreDistance, p.y + bisector.y * centreDistance};
    const Point start{p.x + toPrev.x * t, p.y + toPrev.y * t}, end{p.x + toNext.x * t, p.y + toNext.y * t};
    float a0 = std::atan2(start.y - centre.y, start.x - centre.x), a1 = std::atan2(end.y - centre.y, end.x - centre.x);
    // The short way round from the start to the end tangent point.
    float sweep = a1 - a0;
    while (sweep > 3.14159265f) sweep -= 6.2831853f;
    while (sweep < -3.14159265f) sweep += 6.2831853f;
    for (int s = 0; s <= steps; ++s) {
      const float a = a0 + sweep * s / steps;
      out.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
  }
  return out;
}

std::vector<Point> bezier(Point a, Point b, Point c, Point d, int steps) {
  std::vector<Point> curve;
  for (int s = 0; s <= steps; ++s) {
    const float t = static_cast<float>(s) / steps, u = 1.0f - t;
    const float wa = u * u * u, wb = 3 * u * u * t, wc = 3 * u * t * t, wd = t * t * t;
    curve.push_back({wa * a.x + wb * b.x + wc * c.x + wd * d.x, wa * a.y + wb * b.y + wc * c.y + wd * d.y});
  }
  return curve;
}

Point scaled(Point point, float s) { return {point.x * s, point.y * s}; }

std::vector<Point> scaled(std::vector<Point> points, float s) {
  for (Point& point : points) point = scaled(point, s);
  return points;
}

}  // namespace showdata
