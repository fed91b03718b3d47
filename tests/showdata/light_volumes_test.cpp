// The hall's light volumes load as the show loads them; each is closed,
// convex, faces out (the mesh-in-scene layer's winding), lies inside the
// hall and mirrors its partner across the hall's axis; and seen through the
// hall's camera 0 while it glides, each lies over its opening in the
// scene's own geometry (a window pane, or the sky in the oculus).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "lightwave/mesh_building.h"
#include "persist/class_registration.h"
#include "render/camera.h"
#include "render/mesh_topology.h"
#include "render/robust_mesh.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/scene.h"
#include "scene/scene_io.h"
#include "scenes/hall_layout.h"
#include "showdata/showdata_folder.h"

namespace {

using Points = std::vector<Vector3>;

std::unique_ptr<kst::RobustMesh> loadVolume(const char* name) {
  std::unique_ptr<kst::RobustMesh> mesh = LW::LoadMesh(showdatatest::dataFile(name).c_str(), nullptr);
  if (mesh != nullptr) mesh->Build(kst::RobustMesh::kBuildTopology);  // the show's build option 0, with the edges for the check
  return mesh;
}

Vector3 corner(const kst::RobustMesh& mesh, std::size_t triangle, int k) {
  return mesh.positions().values[mesh.positions().corners[3 * triangle + k]];
}

// The triangles of one surface of the scene, in pieces that share corners
// (one piece per window pane).
std::vector<Points> piecesOf(const Scene& scene, const std::string& surface) {
  std::vector<Points> pieces;
  std::map<std::tuple<float, float, float>, std::size_t> pieceOf;
  for (const auto& primitive : scene.meshes) {
    const auto& mesh = dynamic_cast<const MeshPrimitive&>(*primitive);
    for (const MeshPrimitive::Chunk& chunk : mesh.chunks) {
      if (mesh.surfaceNames[chunk.subMesh] != surface) continue;
      const MeshChunk& geometry = *chunk.geometry;
      for (std::size_t t = 0; t < geometry.triangleCount; ++t) {
        std::size_t piece = pieces.size();
        for (int k = 0; k < 3; ++k) {
          const Vector3 p = geometry.positions[geometry.indices[3 * t + k]];
          const auto found = pieceOf.find({p.x, p.y, p.z});
          if (found != pieceOf.end()) piece = found->second;
        }
        if (piece == pieces.size()) pieces.emplace_back();
        for (int k = 0; k < 3; ++k) {
          const Vector3 p = geometry.positions[geometry.indices[3 * t + k]];
          pieces[piece].push_back(p);
          pieceOf[{p.x, p.y, p.z}] = piece;
        }
      }
    }
  }
  return pieces;
}

float distance(const Points& a, const Points& b) {
  float nearest = 1e30f;
  for (const Vector3& p : a)
    for (const Vector3& q : b) nearest = std::min(nearest, Length(p - q));
  return nearest;
}

struct Point2 {
  float x, y;
};

// Window coordinates (-1 .. 1 across the view) of the points in front of
// the camera. Of a convex volume that reaches behind the camera, they
// cover part of what the volume covers on screen.
std::vector<Point2> projected(Camera& camera, const Points& points) {
  const Matrix44 m = Multiply(camera.ProjectionMatrix(), camera.ViewMatrix());
  std::vector<Point2> out;
  for (const Vector3& p : points) {
    const float w = m.m[3] * p.x + m.m[7] * p.y + m.m[11] * p.z + m.m[15];
    if (w > camera.nearDistance())
      out.push_back({(m.m[0] * p.x + m.m[4] * p.y + m.m[8] * p.z + m.m[12]) / w, (m.m[1] * p.x + m.m[5] * p.y + m.m[9] * p.z + m.m[13]) / w});
  }
  return out;
}

// Whether the convex hulls of two point sets meet: no axis among the
// directions between points of either set separates them.
bool hullsMeet(const std::vector<Point2>& a, const std::vector<Point2>& b) {
  for (const auto* set : {&a, &b})
    for (const Point2& p : *set)
      for (const Point2& q : *set) {
        const Point2 axis{q.y - p.y, p.x - q.x};
        auto range = [&](const std::vector<Point2>& s) {
          float low = 1e30f, high = -1e30f;
          for (const Point2& r : s) low = std::min(low, r.x * axis.x + r.y * axis.y), high = std::max(high, r.x * axis.x + r.y * axis.y);
          return std::pair(low, high);
        };
        const auto [a0, a1] = range(a);
        const auto [b0, b1] = range(b);
        if (a1 < b0 || b1 < a0) return false;
      }
  return true;
}

bool onScreen(const std::vector<Point2>& points) {
  const std::vector<Point2> screen = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  return !points.empty() && hullsMeet(points, screen);
}

TEST(LightVolumes, ClosedConvexOutwardInsideTheHallAndMirrored) {
  std::map<std::string, Points> pointsOf;
  for (const showdata::hall::Shaft& shaft : showdata::hall::shafts()) {
    SCOPED_TRACE(shaft.file);
    std::unique_ptr<kst::RobustMesh> mesh = loadVolume(shaft.file);
    ASSERT_NE(mesh, nullptr);
    const kst::EdgeTable& edges = mesh->Topology();
    for (std::size_t e = 0; e < edges.edgeCount(); ++e) {
      const std::vector<std::uint32_t> faces = edges.FaceRefs(e);
      ASSERT_EQ(faces.size(), 2u) << "an open edge";
      EXPECT_NE(kst::FaceRef::Forward(faces[0]), kst::FaceRef::Forward(faces[1])) << "two windings";
    }
    // Every face plane has the whole volume behind its front: convex, and
    // fronts outward (clockwise seen from outside, as the layer draws them).
    for (std::size_t t = 0; t < mesh->triangleCount(); ++t) {
      const Vector3 a = corner(*mesh, t, 0), normal = Cross(corner(*mesh, t, 1) - a, corner(*mesh, t, 2) - a);
      for (const Vector3& p : mesh->positions().values) EXPECT_LE(Dot(normal, p - a), 1e-7f) << "triangle " << t;
    }
    // The hall's inner faces: 16 m by 22 m, the oculus 15 m up, in scene units.
    const float unit = showdata::hall::kUnitsPerMetre;
    for (const Vector3& p : mesh->positions().values) {
      EXPECT_LE(std::fabs(p.x), 8.0f * unit * 1.0001f);
      EXPECT_LE(std::fabs(p.z), 11.0f * unit);
      EXPECT_GE(p.y, -1e-6f);
      EXPECT_LE(p.y, 15.0f * unit);
    }
    pointsOf[shaft.file] = mesh->positions().values;
  }
  for (std::size_t k = 0; k < 8; k += 2) {
    const Points& points = pointsOf[showdata::hall::shafts()[k].file];
    const Points& partner = pointsOf[showdata::hall::shafts()[k + 1].file];
    EXPECT_EQ(points.size(), partner.size());
    for (const Vector3& p : points) EXPECT_LT(distance({{-p.x, p.y, p.z}}, partner), 1e-6f) << showdata::hall::shafts()[k].file;
  }
}

TEST(LightVolumes, LieOverTheirOpeningsSeenThroughTheGlidingCamera) {
  RegisterClassFactories();
  std::unique_ptr<Scene> scene = readScene(showdatatest::dataFile("demo\\mosquee.kst"));
  ASSERT_NE(scene, nullptr);
  std::vector<Points> openings = piecesOf(*scene, "HallWindow");
  ASSERT_EQ(openings.size(), 8u) << "window panes";
  const std::vector<Points> sky = piecesOf(*scene, "HallSky");
  ASSERT_EQ(sky.size(), 1u) << "the oculus";
  openings.push_back(sky[0]);
  for (const showdata::hall::Shaft& shaft : showdata::hall::shafts()) {
    SCOPED_TRACE(shaft.file);
    std::unique_ptr<kst::RobustMesh> mesh = loadVolume(shaft.file);
    ASSERT_NE(mesh, nullptr);
    const Points& volume = mesh->positions().values;
    const Points& opening = *std::min_element(openings.begin(), openings.end(),
                                              [&](const Points& a, const Points& b) { return distance(a, volume) < distance(b, volume); });
    EXPECT_LT(distance(opening, volume), 0.02f) << "no opening next to the volume";
    int seen = 0;
    for (float time = 0.0f; time <= 32.6f; time += 1.63f) {
      scene->update(time);
      Camera& camera = *scene->cameras[0];
      const std::vector<Point2> window = projected(camera, opening), light = projected(camera, volume);
      if (window.size() != opening.size() || !onScreen(window) || light.empty()) continue;
      ++seen;
      EXPECT_TRUE(hullsMeet(window, light)) << "at " << time << " s";
    }
    EXPECT_GE(seen, 2) << "the camera hardly sees this opening";
  }
}

}  // namespace
