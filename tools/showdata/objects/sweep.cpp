#include "objects/sweep.h"

#include <cmath>

namespace showdata {
namespace {

Vector3 rotateAbout(Vector3 v, Vector3 axis, float angle) {
  // Rodrigues' rotation formula.
  const float c = std::cos(angle), s = std::sin(angle);
  return v * c + Cross(axis, v) * s + axis * (Dot(axis, v) * (1.0f - c));
}

}  // namespace

std::vector<Frame> loopFrames(const std::vector<Vector3>& path) {
  const std::size_t n = path.size();
  std::vector<Vector3> tangents(n);
  for (std::size_t i = 0; i < n; ++i) tangents[i] = Normalise(path[(i + 1) % n] - path[(i + n - 1) % n]);
  // A start normal perpendicular to the first tangent.
  Vector3 start = std::fabs(tangents[0].z) < 0.9f ? Vector3{0, 0, 1} : Vector3{1, 0, 0};
  start = Normalise(start - tangents[0] * Dot(start, tangents[0]));
  std::vector<Vector3> normals(n + 1);
  normals[0] = start;
  for (std::size_t i = 1; i <= n; ++i) {
    const Vector3 t = tangents[i % n];
    const Vector3 carried = normals[i - 1] - t * Dot(normals[i - 1], t);
    normals[i] = Normalise(carried);
  }
  // The normal after one lap differs from the first by a twist about the
  // tangent; undo it a little at every step.
  const Vector3 t0 = tangents[0];
  const float twist = std::atan2(Dot(Cross(normals[n], start), t0), Dot(normals[n], start));
  std::vector<Frame> frames(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Vector3 t = tangents[i];
    const Vector3 normal = Normalise(rotateAbout(normals[i], t, twist * static_cast<float>(i) / n));
    frames[i] = {path[i], normal, Normalise(Cross(t, normal))};
  }
  return frames;
}

Mesh sweepLoop(const std::vector<Frame>& frames, const std::vector<Point>& profile,
               const std::function<std::uint16_t(int segment, int side)>& surface) {
  Mesh mesh;
  const int n = static_cast<int>(frames.size()), m = static_cast<int>(profile.size());
  for (const Frame& f : frames)
    for (const Point& p : profile) mesh.add(f.origin + f.normal * p.x + f.binormal * p.y);
  auto index = [&](int i, int j) { return static_cast<std::uint32_t>(((i % n) * m) + (j % m)); };
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j) mesh.quad(index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1), surface(i, j));
  orientOutward(mesh);
  return mesh;
}

}  // namespace showdata
