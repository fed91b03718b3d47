#pragma once
// Grid meshes for the mesh primitive tests: columns × rows quads of two
// triangles each in the plane z = 0, with corner colours and two texture
// coordinate sets whose values follow from the vertex (colours, set 0) or
// the quad (set 1, unless told to follow the vertex as well), so corners
// that agree by value can share a vertex.
#include <functional>
#include <memory>
#include <vector>

#include "render/robust_mesh.h"

namespace scenetest {

struct GridShape {
  int columns = 1;
  int rows = 1;
  float cellWidth = 1.0f;
  float cellHeight = 1.0f;
  // Surface of the quad in column c, row r (both triangles).
  std::function<int(int c, int r)> surfaceOf = [](int, int) { return 0; };
  int surfaceCount = 1;
  bool quadCoordinates = true;
};

inline std::unique_ptr<kst::RobustMesh> gridMesh(const GridShape& shape) {
  auto mesh = std::make_unique<kst::RobustMesh>();
  const int across = shape.columns + 1;
  std::vector<Vector3> vertices;
  for (int r = 0; r <= shape.rows; ++r)
    for (int c = 0; c < across; ++c) vertices.push_back({c * shape.cellWidth, r * shape.cellHeight, 0.0f});
  std::vector<std::uint32_t> triangles;
  std::vector<std::int32_t> tags;
  std::vector<kst::Rgba> colours;
  std::vector<kst::TexCoord> byVertex, byQuad;
  for (int r = 0; r < shape.rows; ++r)
    for (int c = 0; c < shape.columns; ++c) {
      const std::uint32_t a = r * across + c, b = a + 1, d = a + across, e = d + 1;
      for (std::uint32_t v : {a, b, e, a, e, d}) {
        triangles.push_back(v);
        colours.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), 7, 255});
        byVertex.push_back({vertices[v].x * 0.5f, vertices[v].y * 0.25f});
        byQuad.push_back(shape.quadCoordinates ? kst::TexCoord{static_cast<float>(c), static_cast<float>(r)}
                                               : byVertex.back());
      }
      tags.insert(tags.end(), 2, shape.surfaceOf(c, r));
    }
  mesh->SetVertices(std::move(vertices));
  mesh->SetTriangles(std::move(triangles), std::move(tags), shape.surfaceCount);
  mesh->SetCornerColours(std::move(colours));
  mesh->AddCornerTexCoords(std::move(byVertex));
  mesh->AddCornerTexCoords(std::move(byQuad));
  return mesh;
}

}  // namespace scenetest
