#include "objects/mesh.h"

#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace showdata {

std::uint32_t Mesh::add(Vector3 point) {
  points.push_back(point);
  return static_cast<std::uint32_t>(points.size() - 1);
}

void TriangleList::triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint16_t surface) {
  triangles.push_back({a, b, c, surface});
}

void TriangleList::quad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint16_t surface) {
  triangle(a, b, c, surface);
  triangle(a, c, d, surface);
}

void Mesh::append(const Mesh& other) {
  const auto base = static_cast<std::uint32_t>(points.size());
  points.insert(points.end(), other.points.begin(), other.points.end());
  for (const Triangle& t : other.triangles) triangle(t.a + base, t.b + base, t.c + base, t.surface);
}

double signedVolume6(const Mesh& mesh) {
  double sum = 0.0;
  for (const Mesh::Triangle& t : mesh.triangles) {
    const Vector3 a = mesh.points[t.a], b = mesh.points[t.b], c = mesh.points[t.c];
    sum += static_cast<double>(Dot(a, Cross(b, c)));
  }
  return sum;
}

void orientOutward(Mesh& mesh) {
  if (signedVolume6(mesh) >= 0.0) return;
  for (Mesh::Triangle& t : mesh.triangles) std::swap(t.b, t.c);
}

Mesh welded(const Mesh& mesh, float tolerance) {
  // Points are keyed by their rounded coordinates; a point near a cell
  // border may miss its twin in the next cell, so the neighbours are tried.
  using Key = std::tuple<long, long, long>;
  std::map<Key, std::uint32_t> cells;
  auto keyOf = [&](Vector3 p, int dx, int dy, int dz) {
    return Key{std::lround(p.x / tolerance) + dx, std::lround(p.y / tolerance) + dy, std::lround(p.z / tolerance) + dz};
  };
  Mesh out;
  std::vector<std::uint32_t> renumber(mesh.points.size());
  for (std::size_t i = 0; i < mesh.points.size(); ++i) {
    const Vector3 p = mesh.points[i];
    std::uint32_t found = UINT32_MAX;
    for (int dx = -1; dx <= 1 && found == UINT32_MAX; ++dx)
      for (int dy = -1; dy <= 1 && found == UINT32_MAX; ++dy)
        for (int dz = -1; dz <= 1 && found == UINT32_MAX; ++dz) {
          const auto it = cells.find(keyOf(p, dx, dy, dz));
          if (it != cells.end()) found = it->second;
        }
    if (found == UINT32_MAX) {
      found = out.add(p);
      cells.emplace(keyOf(p, 0, 0, 0), found);
    }
    renumber[i] = found;
  }
  for (const Mesh::Triangle& t : mesh.triangles) {
    const std::uint32_t a = renumber[t.a], b = renumber[t.b], c = renumber[t.c];
    if (a != b && b != c && a != c) out.triangle(a, b, c, t.surface);
  }
  return out;
}

void transform(Mesh& mesh, float scale, Vector3 offset) {
  for (Vector3& p : mesh.points) p = (p + offset) * scale;
}

LW::ObjectDescription lwoDescription(const Mesh& mesh, std::vector<LW::SurfaceDescription> surfaces) {
  LW::ObjectDescription object;
  object.points = mesh.points;
  object.surfaces = std::move(surfaces);
  for (const Mesh::Triangle& t : mesh.triangles) object.polygons.push_back({{t.a, t.b, t.c}, t.surface});
  return object;
}

}  // namespace showdata
