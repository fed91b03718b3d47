// Objects written by LightWave and Modo, loaded the way the mesh stock does.
// Triangle counts follow from each file's own POLS list: a triangle stays
// one triangle, a simple n-point polygon becomes n - 2, and a polygon the
// tessellator can only split with new points is skipped.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "lwo_samples.h"
#include "support/log_capture.h"

namespace {

std::string testFile(const char* name) { return std::string(SKYWARD_LWO_TESTDATA) + "/" + name; }

struct Case {
  const char* file;
  std::size_t triangles;
  int texCoordSets;
  const char* warning;  // a log text the load must write, or ""
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.file; }

class RealFilesTest : public ::testing::TestWithParam<Case> {};

TEST_P(RealFilesTest, LoadsWithTheTrianglesOfItsPolygonList) {
  lwtest::useRealGlu();
  fake::LogCapture log;
  const Case& c = GetParam();
  const LW::LoadedMesh loaded = LW::LoadMeshWithRecord(testFile(c.file).c_str(), nullptr);
  ASSERT_TRUE(loaded.mesh);
  EXPECT_EQ(loaded.mesh->triangleCount(), c.triangles);
  EXPECT_EQ(loaded.object.triangles.size(), c.triangles);
  EXPECT_EQ(loaded.mesh->texCoordChannelCount(), c.texCoordSets);
  EXPECT_NE(log.text().find(c.warning), std::string::npos) << log.text();
}

INSTANTIATE_TEST_SUITE_P(
    Files, RealFilesTest,
    ::testing::Values(
        // Six quads.
        Case{"boxuv.lwo", 12, 1, ""},
        // Sixteen quads, each with its own surface using the UV map.
        Case{"uvtest.lwo", 32, 1, ""},
        // 48 triangles at the poles and 240 quads: 48 + 480.
        Case{"earth_planar_z.lwo", 528, 1, ""},
        Case{"earth_cylindrical_y.lwo", 528, 1, ""},
        // 288 triangles and 1446 quads would give 3180. Polygon 294 has 24
        // indices at one single position and quad 205 is twisted so far out of
        // its plane that its outline crosses itself: both need new points.
        Case{"UglyVertexColors.lwo", 3178, 1,
             "** Warning: 2 polygons were skipped because they couldn't be properly triangulated."},
        // One 14-point outline that crosses itself.
        Case{"concave_self_intersecting.lwo", 0, 0, "** Warning: 1 polygons were skipped"},
        // One 66-index polygon: its first index (30) comes back at position 34,
        // closing a first contour that passes point 31 twice; the doubled point
        // would have to be merged into a new vertex, so the polygon is skipped.
        Case{"concave_polygon.lwo", 0, 0, "** Warning: 1 polygons were skipped"}),
    [](const auto& info) {
      std::string name = info.param.file;
      return name.substr(0, name.find('.'));
    });

TEST(RealFileDetailsTest, VertexColoursAndSurfacesOfUglyVertexColors) {
  lwtest::useRealGlu();
  fake::LogCapture log;
  const LW::LoadedMesh loaded = LW::LoadMeshWithRecord(testFile("UglyVertexColors.lwo").c_str(), nullptr);
  ASSERT_TRUE(loaded.mesh);
  EXPECT_EQ(loaded.object.points.size(), 1628u);
  EXPECT_EQ(loaded.context.surfaceNames,
            (std::vector<std::string>{"::DkBlu", "::Default", "::Default2", "::Textured"}));
  EXPECT_EQ(loaded.context.surfaces[2].surface->colorMapName, "MyVColor");
  bool coloured = false;
  for (const kst::Rgba& colour : loaded.mesh->colours().values) coloured = coloured || !(colour == kst::Rgba{});
  EXPECT_TRUE(coloured);
  // What the load logs stands indented below the file's line.
  EXPECT_NE(log.text().find("\n  ** Warning: 2 polygons were skipped"), std::string::npos) << log.text();
  EXPECT_NE(log.text().find("\n  Surface : ::Default2 ( source : )"), std::string::npos) << log.text();
}

TEST(RealFileDetailsTest, ObjectsWithSeveralLayersAreRefused) {
  lwtest::useRealGlu();
  fake::LogCapture log;
  EXPECT_THROW(LW::LoadMesh(testFile("hierarchy.lwo").c_str(), nullptr), LW::LoadError);
  EXPECT_EQ(kst::logIndentLevel(), 0);  // restored although the load was abandoned
  EXPECT_NE(log.text().find("Error !! Objects with multiple layers are not yet supported.\n\n"), std::string::npos);
}

TEST(RealFileDetailsTest, ASearchDirectoryFindsRelativeNames) {
  lwtest::useRealGlu();
  fake::LogCapture log;
  EXPECT_THROW(LW::LoadMesh("boxuv.lwo", nullptr), LW::LoadError);
  EXPECT_NE(log.text().find("Error !! Couldn't open file!!\n\n"), std::string::npos);
  auto mesh = LW::LoadMesh("boxuv.lwo", SKYWARD_LWO_TESTDATA);
  ASSERT_TRUE(mesh);
  EXPECT_EQ(mesh->triangleCount(), 12u);
  EXPECT_NE(log.text().find("Reading file 'boxuv.lwo'.."), std::string::npos);
  EXPECT_NE(log.text().find("  ok!"), std::string::npos);  // indented below the file line
}

TEST(FileNamesTest, CandidatesInOrder) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(LW::CandidatePaths("obj\\a.lwo", {"d1", "d2"}), (Names{"d1\\obj\\a.lwo", "d2\\obj\\a.lwo", "obj\\a.lwo"}));
  // The drive-letter fix: "C:x" is read as "C:\x", then tried as given.
  EXPECT_EQ(LW::CandidatePaths("C:x.lwo", {"d1"}), (Names{"C:\\x.lwo", "C:x.lwo"}));
  EXPECT_EQ(LW::CandidatePaths("C:\\x.lwo", {"d1"}), (Names{"C:\\x.lwo"}));
  EXPECT_EQ(LW::CandidatePaths("/data/x.lwo", {"d1"}), (Names{"/data/x.lwo"}));
}

}  // namespace
