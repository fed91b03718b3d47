// The generated scenes read back and prepared as the show's scene stock
// does, and drawn as its scene layers draw them: every camera the show uses
// shows a full frame at the start, the middle and the end of the scene's
// time, the frames move, and the views of a scene with several cameras
// differ. Their lists hold nothing unused and nothing
// missing, the transparent surfaces draw last, the blobs' flipbook shows
// exactly one page at a time, and scene meshes face the way they were built.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "core/raster.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/shape_node.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scenes/scene_assembly.h"
#include "scenes/scenes.h"
#include "sheet/scene_frames.h"
#include "stocks/scene_stock.h"
#include "showdata/showdata_folder.h"
#include "support/shared_device.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

void forEachNode(const SceneNode* first, const std::function<void(const SceneNode&)>& visit) {
  for (const SceneNode* node = first; node != nullptr; node = node->nextSibling.get()) {
    visit(*node);
    forEachNode(node->firstChild.get(), visit);
  }
}

// The share of pixels more than a few levels apart in the two pictures.
float shareDifferent(const showdata::Raster& frame, const showdata::Raster& other) {
  int count = 0;
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) {
      const showdata::Colour a = frame.colour(x, y), b = other.colour(x, y);
      if (std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b) > 6.0f / 255.0f) ++count;
    }
  return static_cast<float>(count) / static_cast<float>(frame.width * frame.height);
}

showdata::Raster filled(const Scene& scene) {
  showdata::Raster flat(kWidth, kHeight, 3);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) flat.set(x, y, {scene.backgroundColor[0], scene.backgroundColor[1], scene.backgroundColor[2]});
  return flat;
}

// Each scene is read through a scene stock when a test first needs it, and
// kept there for the others.
class GeneratedScenes : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { stock.reset(); }
  void SetUp() override { ASSERT_TRUE(fake::sharedRenderDevice("showdata scenes", kWidth, kHeight)); }

  static Scene& scene(const std::string& name) {
    if (stock == nullptr) stock = std::make_unique<kst::SceneStock>();
    return showdata::readThroughStock(*stock, showdatatest::dataFile(name));
  }

  static std::unique_ptr<kst::SceneStock> stock;
};

std::unique_ptr<kst::SceneStock> GeneratedScenes::stock;

TEST_F(GeneratedScenes, EveryCameraShowsAFullFrameThatMoves) {
  for (const showdata::SceneFile& file : showdata::sceneFiles()) {
    SCOPED_TRACE(file.name);
    Scene* scene = &GeneratedScenes::scene(file.name);
    ASSERT_GE(scene->cameras.size(), static_cast<std::size_t>(file.use.cameras));
    EXPECT_GE(scene->lights.size(), 1u);
    const float end = file.use.seen();
    std::vector<std::vector<showdata::Raster>> frames(static_cast<std::size_t>(file.use.cameras));  // by camera, then time
    for (int camera = 0; camera < file.use.cameras; ++camera)
      for (float time : {0.0f, 0.5f * end, end}) {
        frames[static_cast<std::size_t>(camera)].push_back(showdata::sceneFrame(*scene, camera, time, kWidth, kHeight));
        EXPECT_GT(shareDifferent(frames[static_cast<std::size_t>(camera)].back(), filled(*scene)), 0.25f) << "camera " << camera << " at " << time;
      }
    // Each view moves, and no two views of one time look alike.
    for (std::size_t c = 0; c < frames.size(); ++c)
      for (std::size_t t = 0; t < 3; ++t)
        for (std::size_t other = t + 1; other < 3; ++other)
          EXPECT_GT(shareDifferent(frames[c][t], frames[c][other]), 0.01f) << "camera " << c << ", times " << t << " and " << other;
    for (std::size_t t = 0; t < 3; ++t)
      for (std::size_t c = 0; c < frames.size(); ++c)
        for (std::size_t other = c + 1; other < frames.size(); ++other)
          EXPECT_GT(shareDifferent(frames[c][t], frames[other][t]), 0.1f) << "cameras " << c << " and " << other << ", time " << t;
  }
}

TEST_F(GeneratedScenes, ListsHoldNothingUnusedOrMissingAndGlassDrawsLast) {
  for (const showdata::SceneFile& file : showdata::sceneFiles()) {
    SCOPED_TRACE(file.name);
    const Scene* scene = &GeneratedScenes::scene(file.name);
    std::set<std::int32_t> meshesDrawn;
    forEachNode(scene->root.get(), [&](const SceneNode& node) {
      if (const auto* shape = dynamic_cast<const ShapeNode*>(&node)) meshesDrawn.insert(shape->meshIndex);
    });
    EXPECT_EQ(meshesDrawn.size(), scene->meshes.size());
    std::set<std::uint32_t> surfacesUsed;
    for (std::int32_t index : meshesDrawn) {
      ASSERT_TRUE(index >= 0 && index < static_cast<std::int32_t>(scene->meshes.size())) << index;
      const auto* mesh = dynamic_cast<const MeshPrimitive*>(scene->meshes[static_cast<std::size_t>(index)].get());
      ASSERT_NE(mesh, nullptr);
      ASSERT_EQ(mesh->surfaceIndices.size(), mesh->subMeshes.size());
      for (std::size_t s = 0; s < mesh->subMeshes.size(); ++s) {
        EXPECT_LT(mesh->surfaceIndices[s], scene->surfaces.size()) << "mesh " << index << " names a surface the scene lacks";
        EXPECT_FALSE(mesh->subMeshes[s].box.empty) << "mesh " << index << " has an empty sub-mesh";
        surfacesUsed.insert(mesh->surfaceIndices[s]);
      }
    }
    EXPECT_EQ(surfacesUsed.size(), scene->surfaces.size());
    std::set<std::int32_t> texturesUsed;
    for (const auto& surface : scene->surfaces) {
      const auto* lw = dynamic_cast<const Mat_LW*>(surface.get());
      ASSERT_NE(lw, nullptr);
      for (const Mat_LW::Layer* layer : {&lw->layer1, &lw->layer2})
        if (layer->active()) texturesUsed.insert(layer->texture);
      if (!lw->isTransparent()) continue;
      // Drawn in the order of the second texture, then the first: after every opaque surface.
      for (const auto& other : scene->surfaces) {
        if (!other->isTransparent()) {
          EXPECT_LT(std::pair(other->layer2Texture(), other->layer1Texture()), std::pair(lw->layer2Texture(), lw->layer1Texture()))
              << lw->name << " draws before " << other->name;
        }
      }
    }
    EXPECT_EQ(texturesUsed.size(), scene->textures.size());
    EXPECT_TRUE(texturesUsed.empty() || *texturesUsed.rbegin() < static_cast<std::int32_t>(scene->textures.size()));
  }
}

// A page shows when its matrix keeps some size and sits above the floor of
// the scene (a hidden page waits far below).
int blobPagesShown(Scene& scene, float time) {
  scene.update(time);
  int shown = 0;
  forEachNode(scene.root.get(), [&](const SceneNode& node) {
    const auto* shape = dynamic_cast<const ShapeNode*>(&node);
    if (shape == nullptr || scene.surfaces[scene.meshes[static_cast<std::size_t>(shape->meshIndex)]->surfaceIndices[0]]->name != "Blob")
      return;
    const Matrix44& m = node.worldMatrix;
    const float size = std::fabs(m.m[0]) + std::fabs(m.m[5]) + std::fabs(m.m[10]);
    shown += size > 0.5f && m.m[13] > -100.0f;
  });
  return shown;
}

TEST_F(GeneratedScenes, TheFlipbookShowsOnePageAtATime) {
  Scene& blobs = scene("demo\\metaballs.kst");
  // Times inside pages, on the page boundaries of the 4 s loop (48 pages),
  // at the loop's end and across the layer's 34 s.
  for (float time : {0.0f, 0.04f, 1.0f, 1.0f / 12.0f, 2.0f, 3.99f, 4.0f, 4.05f, 17.0f, 33.333f, 34.0f})
    EXPECT_EQ(blobPagesShown(blobs, time), 1) << time;
}

// A square 5 units ahead of the default camera, seen from the camera's
// side or turned away, written as a scene file and drawn as the show
// draws scenes: the seen side shows, the other is culled.
showdata::Colour centreOfSquare(Vector3 seenFrom) {
  showdata::SceneRecipe recipe;
  recipe.addSurface({.name = "Square"});
  showdata::SceneMesh square;
  for (Vector3 corner : {Vector3{-1, -1, 5}, Vector3{1, -1, 5}, Vector3{1, 1, 5}, Vector3{-1, 1, 5}}) square.add({.position = corner});
  square.quad(0, 1, 2, 3, 0);
  showdata::faceToward(square, seenFrom);
  recipe.root = showdata::transformNode("root");
  recipe.root.add(showdata::shapeNode(recipe.addMesh(square)));
  recipe.root.add(showdata::cameraNode({}));
  recipe.root.add(showdata::lightNode({}, {1, 1, 1}));
  const std::vector<std::uint8_t> bytes = showdata::sceneFileBytes(recipe, 1);
  const std::string path = ::testing::TempDir() + "square" + std::to_string(seenFrom.z) + ".kst";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  kst::SceneStock stock;
  const showdata::Raster frame = showdata::sceneFrame(showdata::readThroughStock(stock, path), 0, 0.0f, kWidth, kHeight);
  return frame.colour(kWidth / 2, kHeight / 2);
}

TEST_F(GeneratedScenes, SceneMeshesShowTheSideTheyWereBuiltToShow) {
  EXPECT_GT(centreOfSquare({0, 0, -1}).r, 0.9f) << "the side facing the camera is culled";
  EXPECT_LT(centreOfSquare({0, 0, 1}).r, 0.1f) << "the side facing away is drawn";
}

}  // namespace
