// LightWave objects in the mesh stock: the object's triangles as a drawable
// mesh built with the show's build option, and loads that fail naming the
// file and the reason, leaving the stock as it was.
#include <gtest/gtest.h>

#include <fstream>

#include "lightwave/lwo_samples.h"
#include "stocks/load_error.h"
#include "stocks/mesh_stock.h"
#include "support/picture_files.h"

namespace {

class MeshStockTest : public ::testing::Test {
 protected:
  void SetUp() override { lwtest::useRealGlu(); }

  std::string save(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
  }
  std::string save(const std::string& name, const LW::ObjectDescription& object) {
    return save(name, LW::WriteLwo2(object));
  }

  // The reason the load of `file` gave, after checking that the error names it.
  std::string failure(const std::string& file) {
    try {
      stock.loadObject(file.c_str(), nullptr, nullptr);
    } catch (const kst::LoadError& error) {
      EXPECT_EQ(error.file, file);
      return error.reason;
    }
    ADD_FAILURE() << file << " loaded";
    return "";
  }

  std::string folder = fake::freshFolder("mesh-stock");
  kst::MeshStock stock;
};

TEST_F(MeshStockTest, KeepsTheObjectBuiltWithTheGivenOptionUnderItsFileName) {
  // The square (surface 0) and one more triangle on a second surface.
  LW::ObjectDescription object = lwtest::square();
  object.points.push_back({2, 0, 0});
  object.polygons.push_back({{1, 4, 2}, 1});
  object.surfaces.push_back({.name = "Bone"});
  const std::string file = save("two.lwo", object);

  const int withNormals = kst::RobustMesh::kBuildNormals;
  MeshPrimitive* mesh = stock.loadObject(file.c_str(), nullptr, &withNormals);
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(stock.get(file.c_str()), mesh);
  ASSERT_NE(mesh->source, nullptr);
  EXPECT_EQ(mesh->source->triangleCount(), 3u);
  EXPECT_EQ(mesh->subMeshes.size(), 2u);
  EXPECT_EQ(mesh->chunks.size(), 2u);  // one small chunk per surface
  EXPECT_EQ(mesh->source->normals().corners.size(), 9u);

  // No option builds nothing more (a relative name is also looked for in
  // the search directory); a name already there keeps its mesh.
  save("plain.lwo", lwtest::square());
  MeshPrimitive* plain = stock.loadObject("plain.lwo", folder.c_str(), nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(stock.get("plain.lwo"), plain);
  EXPECT_TRUE(plain->source->normals().corners.empty());
  EXPECT_EQ(stock.loadObject(file.c_str(), nullptr, nullptr), mesh);
  EXPECT_EQ(stock.size(), 2u);
}

TEST_F(MeshStockTest, AnObjectThatCannotBeLoadedFailsNamingTheFileAndTheReason) {
  LW::ObjectDescription layered = lwtest::square();
  layered.layers = 2;
  std::vector<std::uint8_t> cut = LW::WriteLwo2(lwtest::square());
  cut.resize(cut.size() - 4);

  EXPECT_NE(failure(folder + "/missing.lwo").find("Couldn't open file"), std::string::npos);
  EXPECT_NE(failure(save("layers.lwo", layered)).find("multiple layers"), std::string::npos);
  EXPECT_NE(failure(save("cut.lwo", cut)).find("Corrupted IFF length"), std::string::npos);
  EXPECT_NE(failure(save("old.lwo", {'F', 'O', 'R', 'M', 0, 0, 0, 4, 'L', 'W', 'O', 'B'})).find("not a LightWave"),
            std::string::npos);
  EXPECT_EQ(stock.size(), 0u);
}

}  // namespace
