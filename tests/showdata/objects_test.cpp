// The generated objects load through the LWO2 reader as the show loads them,
// within their triangle budgets; the closed ones are two-manifold with one
// winding, and face outward (clockwise seen from outside, the side the
// mesh and shadow layers draw).
#include <gtest/gtest.h>

#include "lightwave/mesh_building.h"
#include "render/mesh_topology.h"
#include "render/robust_mesh.h"
#include "showdata/showdata_folder.h"

namespace {

struct Expected {
  const char* name;
  unsigned buildOption;  // the show's build option for the object
  std::size_t fewest, most;
  int surfaces;
};

const Expected kObjects[] = {
    {"demo\\intro\\objet\\tsark.lwo", 1, 2000, 6000, 2}, {"demo\\ombres\\kst.lwo", 3, 2000, 5000, 2},
    {"demo\\ombres\\1.lwo", 3, 100, 600, 1},           {"demo\\ombres\\2.lwo", 3, 100, 600, 1},
    {"demo\\ombres\\3.lwo", 3, 100, 600, 1},
};

// Every edge has exactly two faces that run along it in opposite directions.
bool closedWithOneWinding(kst::RobustMesh& mesh) {
  const kst::EdgeTable& edges = mesh.Topology();
  for (std::size_t e = 0; e < edges.edgeCount(); ++e) {
    const std::vector<std::uint32_t> faces = edges.FaceRefs(e);
    if (faces.size() != 2) return false;
    if (kst::FaceRef::Forward(faces[0]) == kst::FaceRef::Forward(faces[1])) return false;
  }
  return edges.edgeCount() > 0;
}

// Six times the enclosed volume: positive when Cross(b - a, c - a) of every
// triangle points out of the solid.
double volume6(const kst::RobustMesh& mesh) {
  double sum = 0.0;
  const auto& p = mesh.positions();
  for (std::size_t t = 0; t < mesh.triangleCount(); ++t) {
    const Vector3 a = p.values[p.corners[3 * t]], b = p.values[p.corners[3 * t + 1]], c = p.values[p.corners[3 * t + 2]];
    sum += Dot(a, Cross(b, c));
  }
  return sum;
}

TEST(GeneratedObjects, LoadWithinBudgetClosedAndFacingOut) {
  for (const Expected& e : kObjects) {
    SCOPED_TRACE(e.name);
    const std::string path = showdatatest::dataFile(e.name);
    std::unique_ptr<kst::RobustMesh> mesh = LW::LoadMesh(path.c_str(), nullptr);
    ASSERT_NE(mesh, nullptr);
    mesh->Build(e.buildOption);
    EXPECT_GE(mesh->triangleCount(), e.fewest);
    EXPECT_LE(mesh->triangleCount(), e.most);
    EXPECT_EQ(mesh->surfaceCount(), e.surfaces);
    EXPECT_TRUE(closedWithOneWinding(*mesh));
    EXPECT_GT(volume6(*mesh), 0.0);
  }
}

// The shadow layer's camera frames the central object by its box; the ring
// objects, scaled by 0.1, orbit at radius 1.2 to 1.6 around it.
TEST(GeneratedObjects, ShadowObjectsFitTheirOrbits) {
  std::unique_ptr<kst::RobustMesh> central = LW::LoadMesh(showdatatest::dataFile("demo\\ombres\\kst.lwo").c_str(), nullptr);
  ASSERT_NE(central, nullptr);
  central->Build(3);
  for (int axis = 0; axis < 3; ++axis) EXPECT_LT(central->boundingBox().max[axis], 1.2f);
  for (const char* name : {"demo\\ombres\\1.lwo", "demo\\ombres\\2.lwo", "demo\\ombres\\3.lwo"}) {
    std::unique_ptr<kst::RobustMesh> small = LW::LoadMesh(showdatatest::dataFile(name).c_str(), nullptr);
    ASSERT_NE(small, nullptr);
    small->Build(3);
    for (int axis = 0; axis < 3; ++axis) EXPECT_LT(small->boundingBox().max[axis] * 0.1f, 0.2f) << name;
  }
}

}  // namespace
