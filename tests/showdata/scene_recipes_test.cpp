// The scene generators' own pieces: marching cubes closes its surfaces with
// one winding, facing out, even where a cell's faces are saddles; a camera
// rig passes through its stops looking at their targets; the repeating
// textures meet themselves without a seam; a recipe unfit for the show is
// refused before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <utility>

#include "render/camera.h"
#include "scene/scene.h"
#include "scenes/camera_paths.h"
#include "scenes/marching_cubes.h"
#include "scenes/scene_assembly.h"
#include "textures/textures.h"

namespace {

using showdata::SceneMesh;

float balls(Vector3 p, std::initializer_list<Vector3> centres, float strength) {
  float sum = 0.0f;
  for (const Vector3& centre : centres) {
    const Vector3 d = p - centre;
    sum += strength / (Dot(d, d) + 0.01f);
  }
  return sum;
}

// Three balls merging, finely sampled; and two balls on the diagonal of one
// face of a coarse grid, whose corners alternate in and out: a saddle that
// the two cells sharing the face must split alike.
void expectClosedAndOutward(const SceneMesh& mesh) {
  // Each directed edge once, and its reverse once.
  std::map<std::pair<std::uint32_t, std::uint32_t>, int> directed;
  double volume6 = 0.0;
  for (const SceneMesh::Triangle& t : mesh.triangles) {
    for (auto [a, b] : {std::pair(t.a, t.b), std::pair(t.b, t.c), std::pair(t.c, t.a)}) ++directed[{a, b}];
    const Vector3 a = mesh.vertices[t.a].position, b = mesh.vertices[t.b].position, c = mesh.vertices[t.c].position;
    volume6 += Dot(a, Cross(b, c));
  }
  for (const auto& [edge, count] : directed) {
    EXPECT_EQ(count, 1) << "edge " << edge.first << "-" << edge.second << " runs the same way twice";
    EXPECT_EQ(directed.count({edge.second, edge.first}), 1u) << "edge " << edge.first << "-" << edge.second << " is open";
  }
  EXPECT_GT(volume6, 0.0) << "the surface faces in";
}

TEST(MarchingCubes, SurfacesAreClosedWithOneWindingFacingOut) {
  const auto merging = [](Vector3 p) { return balls(p, {{-0.9f, 0.0f, 0.0f}, {0.9f, 0.1f, 0.0f}, {0.0f, 1.2f, 0.3f}}, 0.6f); };
  const SceneMesh fine = showdata::isosurface(merging, {{-2.5f, -2.0f, -2.0f}, {2.5f, 3.0f, 2.0f}, 23}, 1.0f, 0);
  EXPECT_GT(fine.triangles.size(), 500u);
  expectClosedAndOutward(fine);
  const auto diagonal = [](Vector3 p) { return balls(p, {{0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 0.0f}}, 0.4f); };
  expectClosedAndOutward(showdata::isosurface(diagonal, {{-2.0f, -2.0f, -2.0f}, {3.0f, 3.0f, 3.0f}, 5}, 1.0f, 0));
}

showdata::SceneRecipe smallScene() {
  showdata::SceneRecipe recipe;
  recipe.addTexture({"a.png", showdata::PictureFormat::Png, showdata::Raster(2, 2, 3)});
  recipe.addTexture({"b.png", showdata::PictureFormat::Png, showdata::Raster(2, 2, 3)});
  recipe.addSurface({.name = "Solid", .texture = 0});
  recipe.addSurface({.name = "Glass", .texture = 1, .transparency = 0.5f});
  SceneMesh mesh;
  for (int k = 0; k < 3; ++k) mesh.add({});
  mesh.triangle(0, 1, 2, 0);
  mesh.triangle(0, 2, 1, 1);
  recipe.root = showdata::transformNode("root");
  recipe.root.add(showdata::shapeNode(recipe.addMesh(mesh)));
  recipe.root.add(showdata::cameraNode({}));
  recipe.root.add(showdata::lightNode({}, {1, 1, 1}));
  return recipe;
}

TEST(SceneRecipes, UnfitScenesAreRefused) {
  EXPECT_NO_THROW(showdata::checkRecipe(smallScene(), 1));
  EXPECT_THROW(showdata::checkRecipe(smallScene(), 2), std::logic_error) << "one camera short";
  showdata::SceneRecipe glassFirst = smallScene();
  std::swap(glassFirst.surfaces[0].texture, glassFirst.surfaces[1].texture);
  EXPECT_THROW(showdata::checkRecipe(glassFirst, 1), std::logic_error) << "glass sorted before the solid";
  showdata::SceneRecipe spareTexture = smallScene();
  spareTexture.addTexture({"c.png", showdata::PictureFormat::Png, showdata::Raster(2, 2, 3)});
  EXPECT_THROW(showdata::checkRecipe(spareTexture, 1), std::logic_error) << "a texture nothing uses";
  showdata::SceneRecipe spareMesh = smallScene();
  spareMesh.addMesh(spareMesh.meshes[0].mesh);
  EXPECT_THROW(showdata::checkRecipe(spareMesh, 1), std::logic_error) << "a mesh nothing draws";
  showdata::SceneRecipe dark = smallScene();
  dark.root.children.pop_back();
  EXPECT_THROW(showdata::checkRecipe(dark, 1), std::logic_error) << "no light";
}

}  // namespace

TEST(CameraRigs, PassThroughTheirStopsLookingAtTheirTargets) {
  const std::vector<showdata::CameraStop> stops = {
      {0.0f, {0, 2, -10}, {0, 2, 0}}, {2.0f, {5, 1, 0}, {-5, 6, 3}}, {4.0f, {0, 3, 6}, {2, -4, -1}}, {6.0f, {-4, 2, -3}, {8, 2, -3}}};
  showdata::SceneRecipe recipe;
  recipe.root = showdata::transformNode("root");
  recipe.root.add(showdata::cameraRig(stops, showdata::lens(0.1f, 100.0f, 60.0f)));
  const std::filesystem::path pictures = std::filesystem::temp_directory_path();
  std::unique_ptr<Scene> scene = showdata::assembleScene(recipe, pictures);
  ASSERT_EQ(scene->cameras.size(), 1u);
  for (const showdata::CameraStop& stop : stops) {
    scene->update(stop.time);
    const Camera& camera = *scene->cameras[0];
    EXPECT_LT(Length(camera.eye() - stop.eye), 1e-4f) << stop.time;
    EXPECT_GT(Dot(camera.forward(), Normalise(stop.target - stop.eye)), 0.9999f) << stop.time;
    EXPECT_GT(camera.up().y, 0.0f) << "upright at " << stop.time;
  }
}

// The last column runs into the first (and the last row into the first)
// as smoothly as any column into the next.
void expectSeamless(const showdata::Raster& picture, bool across, bool down, const char* name) {
  auto step = [&](int x0, int y0, int x1, int y1) {
    const showdata::Colour a = picture.colour(x0, y0), b = picture.colour(x1, y1);
    return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b);
  };
  float inside = 0.0f, seam = 0.0f;
  if (across)
    for (int y = 0; y < picture.height; ++y) {
      inside += step(picture.width / 2 - 1, y, picture.width / 2, y);
      seam += step(picture.width - 1, y, 0, y);
    }
  if (down)
    for (int x = 0; x < picture.width; ++x) {
      inside += step(x, picture.height / 2 - 1, x, picture.height / 2);
      seam += step(x, picture.height - 1, x, 0);
    }
  EXPECT_LT(seam, 2.0f * inside + 1.0f) << name;
}

TEST(SceneTextures, RepeatingPicturesHaveNoSeams) {
  expectSeamless(showdata::zelligeTiles(1), true, true, "floor tiles");
  expectSeamless(showdata::sandstoneBlocks(2), true, true, "stone");
  expectSeamless(showdata::woodCoffers(3), true, true, "ceiling");
  expectSeamless(showdata::domeMosaic(4), true, false, "dome, rib to rib");
  expectSeamless(showdata::cityFacades(5), true, true, "facades");
  expectSeamless(showdata::ringBands(6), true, false, "rings, along");
  expectSeamless(showdata::nebulaPanorama(7), true, false, "sky, round");
}
