#include "scenes/scene_mesh.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "render/robust_mesh.h"

namespace showdata {

std::uint32_t SceneMesh::add(const SceneVertex& vertex) {
  vertices.push_back(vertex);
  return static_cast<std::uint32_t>(vertices.size() - 1);
}

void SceneMesh::append(const SceneMesh& other, const Matrix44& matrix) {
  const auto base = static_cast<std::uint32_t>(vertices.size());
  for (SceneVertex vertex : other.vertices) {
    vertex.position = matrix.TransformPoint(vertex.position);
    vertex.normal = turnedNormal(matrix, vertex.normal);
    vertices.push_back(vertex);
  }
  for (const Triangle& t : other.triangles) triangle(t.a + base, t.b + base, t.c + base, t.surface);
}

void SceneMesh::paint(Colour colour, float alpha) {
  for (SceneVertex& vertex : vertices) vertex.colour = colour, vertex.alpha = alpha;
}

void SceneMesh::paintSurface(std::uint16_t surface, Colour colour) {
  for (const Triangle& t : triangles)
    if (t.surface == surface)
      for (std::uint32_t index : {t.a, t.b, t.c}) vertices[index].colour = colour;
}

Vector3 turnedNormal(const Matrix44& matrix, Vector3 normal) { return Normalise(matrix.TransformDirection(normal)); }

Matrix44 translation(Vector3 offset) { return Matrix44{}.Translation(offset.x, offset.y, offset.z); }
Matrix44 scaling(float factor) { return Matrix44{}.Scaling(factor, factor, factor); }

namespace {

std::uint8_t colourByte(float value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

std::unique_ptr<kst::RobustMesh> robustMesh(const SceneMesh& mesh, const std::vector<std::string>& sceneSurfaceNames,
                                            int texCoordSets, std::vector<std::string>& surfaceNames) {
  if (mesh.triangles.empty()) throw std::logic_error("a scene mesh without triangles");
  std::map<std::uint16_t, std::int32_t> local;
  surfaceNames.clear();
  std::vector<Vector3> positions;
  positions.reserve(mesh.vertices.size());
  for (const SceneVertex& vertex : mesh.vertices) positions.push_back(vertex.position);
  std::vector<std::uint32_t> corners;
  std::vector<std::int32_t> tags;
  std::vector<kst::Rgba> colours;
  std::vector<kst::TexCoord> texCoords, secondTexCoords;
  for (const SceneMesh::Triangle& t : mesh.triangles) {
    if (t.surface >= sceneSurfaceNames.size()) throw std::logic_error("a scene mesh names a surface the scene lacks");
    const auto [entry, added] = local.emplace(t.surface, static_cast<std::int32_t>(local.size()));
    if (added) surfaceNames.push_back(sceneSurfaceNames[t.surface]);
    tags.push_back(entry->second);
    // Turned over: the scene draws counter-clockwise fronts.
    for (std::uint32_t index : {t.a, t.c, t.b}) {
      const SceneVertex& vertex = mesh.vertices[index];
      corners.push_back(index);
      colours.push_back({colourByte(vertex.colour.r), colourByte(vertex.colour.g), colourByte(vertex.colour.b), colourByte(vertex.alpha)});
      texCoords.push_back({vertex.u, vertex.v});
      secondTexCoords.push_back({vertex.u2, vertex.v2});
    }
  }
  auto robust = std::make_unique<kst::RobustMesh>();
  robust->SetVertices(std::move(positions));
  robust->SetTriangles(std::move(corners), std::move(tags), static_cast<int>(local.size()));
  robust->SetCornerColours(std::move(colours));
  robust->AddCornerTexCoords(std::move(texCoords));
  if (texCoordSets > 1) robust->AddCornerTexCoords(std::move(secondTexCoords));
  robust->Build(kst::RobustMesh::kBuildNormals);
  return robust;
}

void faceToward(SceneMesh& mesh, Vector3 seen) {
  if (mesh.triangles.empty()) return;
  const SceneMesh::Triangle& t = mesh.triangles.front();
  const Vector3 a = mesh.vertices[t.a].position, b = mesh.vertices[t.b].position, c = mesh.vertices[t.c].position;
  if (Dot(Cross(b - a, c - a), seen) >= 0.0f) return;
  for (SceneMesh::Triangle& triangle : mesh.triangles) std::swap(triangle.b, triangle.c);
  for (SceneVertex& vertex : mesh.vertices) vertex.normal = -vertex.normal;
}

}  // namespace showdata
