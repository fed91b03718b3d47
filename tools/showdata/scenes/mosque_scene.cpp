// demo\mosquee.kst: the domed hall. The camera glides from the door toward
// the dome in 32.6 s, turning to the shafts on either side, then up to the
// oculus; a dim fog deepens the far end. The light volumes drawn over it
// are the files of light_shafts.cpp, on the same plan.
#include "scenes/camera_paths.h"
#include "scenes/hall_geometry.h"
#include "scenes/hall_layout.h"
#include "scenes/hall_light.h"
#include "scenes/scenes.h"
#include "textures/textures.h"

namespace showdata {
namespace {

using namespace hall;

constexpr float kUnits = kUnitsPerMetre;

Matrix44 toScene() { return scaling(kUnits); }

void addTextures(SceneRecipe& scene, int pictureScale) {
  scene.addTexture({"hall_tiles.jpg", PictureFormat::Jpeg, zelligeTiles(101, pictureScale)});
  scene.addTexture({"hall_stone.jpg", PictureFormat::Jpeg, sandstoneBlocks(102, pictureScale)});
  scene.addTexture({"hall_window.jpg", PictureFormat::Jpeg, windowLattice(103, pictureScale)});
  scene.addTexture({"hall_voussoirs.jpg", PictureFormat::Jpeg, voussoirStripes(104, pictureScale)});
  scene.addTexture({"hall_marble.jpg", PictureFormat::Jpeg, veinedMarble(105, pictureScale)});
  scene.addTexture({"hall_dome.jpg", PictureFormat::Jpeg, domeMosaic(106, pictureScale)});
  scene.addTexture({"hall_ceiling.jpg", PictureFormat::Jpeg, woodCoffers(107, pictureScale)});
  scene.addTexture({"hall_niche.jpg", PictureFormat::Jpeg, nicheMosaic(108, pictureScale)});
  scene.addTexture({"hall_door.jpg", PictureFormat::Jpeg, studdedDoor(109, pictureScale)});
  scene.addTexture({"hall_floor_light.jpg", PictureFormat::Jpeg, floorLightMap()});
}

// In the order of hall::Surface; each of the first nine has the picture of
// the same number, the floor the light map as its second layer.
void addSurfaces(SceneRecipe& scene) {
  const char* names[kSurfaceCount] = {"HallFloor", "HallStone", "HallWindow", "HallArch", "HallColumn",
                                      "HallDome",  "HallCeiling", "HallNiche", "HallDoor", "HallSky"};
  for (int s = 0; s < kSurfaceCount; ++s) {
    SurfaceRecipe surface;
    surface.name = names[s];
    surface.texture = s < kSky ? s : -1;
    scene.addSurface(surface);
  }
  scene.surfaces[kFloor].secondTexture = 9;
}

SceneMesh lit(SceneMesh mesh, Colour albedo, const Matrix44& placedAt = Matrix44{}) {
  bakeLight(mesh, hallLighting(), albedo, placedAt);
  return mesh;
}

SceneMesh scaled(const SceneMesh& mesh) {
  SceneMesh out;
  out.append(mesh, toScene());
  return out;
}

SceneMesh shell() {
  SceneMesh shell;
  for (int side : {-1, 1}) shell.append(lit(sideWall(side), {1.15f, 1.1f, 1.05f}));
  for (int end : {-1, 1}) shell.append(lit(endWall(end), {1.15f, 1.1f, 1.05f}));
  shell.append(lit(ceilingAroundDome(), {1.3f, 1.25f, 1.2f}));
  shell.append(lit(domeWithOculus(), {1.4f, 1.4f, 1.4f}));
  // The openings give light rather than take it.
  shell.paintSurface(kGlass, {1.0f, 1.0f, 1.0f});
  shell.paintSurface(kSky, {0.85f, 0.93f, 1.0f});
  return scaled(shell);
}

NodeRecipe placedShape(std::string label, Vector3 metres, std::int32_t mesh) {
  NodeRecipe node = transformNode(std::move(label), metres * kUnits);
  node.add(shapeNode(mesh));
  return node;
}

// The glide: in at the door, a look at the shafts and windows to the left,
// then to the right, up toward the niche and the dome, and the oculus at
// the end.
// Stop times are fractions of the scene's duration.
NodeRecipe glidingCamera(float duration) {
  const std::vector<CameraStop> metres = {
      {0.0f, {0.0f, 1.7f, -9.8f}, {0.0f, 2.8f, 2.0f}},
      {0.25f, {0.5f, 1.8f, -7.4f}, {-3.5f, 2.4f, 0.5f}},
      {0.5f, {0.2f, 1.9f, -4.8f}, {6.0f, 3.2f, -0.5f}},
      {0.75f, {-0.2f, 2.0f, -2.4f}, {0.0f, 5.5f, 8.0f}},
      {1.0f, {0.0f, 2.2f, -0.4f}, {0.0f, 12.5f, 4.0f}},
  };
  std::vector<CameraStop> stops;
  for (CameraStop stop : metres) stops.push_back({stop.time * duration, stop.eye * kUnits, stop.target * kUnits});
  return cameraRig(stops, lens(0.1f * kUnits, 60.0f * kUnits, 72.0f));
}

}  // namespace

SceneRecipe mosqueScene(const SceneUse& use) {
  SceneRecipe scene;
  addTextures(scene, use.pictureScale);
  addSurfaces(scene);
  const Colour fog{0.09f, 0.075f, 0.06f};
  scene.background = fog;
  scene.fog = true;
  scene.fogStart = 6.0f * kUnits;
  scene.fogEnd = 45.0f * kUnits;
  scene.fogColour = fog;

  const std::int32_t floor = scene.addMesh(scaled(lit(floorSlab(), {1.45f, 1.4f, 1.35f})), 2);
  const std::int32_t building = scene.addMesh(shell());
  const std::int32_t columnMesh = scene.addMesh(scaled(lit(column(), {1.2f, 1.15f, 1.1f}, translation({-kColumnRow, 0.0f, 0.0f}))));
  const std::int32_t archMesh = scene.addMesh(scaled(lit(archBand(), {1.2f, 1.15f, 1.1f}, translation({-kColumnRow, 0.0f, 0.0f}))));

  NodeRecipe& root = scene.root = transformNode("hall");
  root.add(placedShape("floor", {}, floor));
  root.add(placedShape("walls, ceiling and dome", {}, building));
  for (int side : {-1, 1}) {
    for (float z : kColumnZ) root.add(placedShape("column", {side * kColumnRow, 0.0f, z}, columnMesh));
    for (std::size_t k = 0; k + 1 < kColumnZ.size(); ++k)
      root.add(placedShape("arch", {side * kColumnRow, 0.0f, 0.5f * (kColumnZ[k] + kColumnZ[k + 1])}, archMesh));
  }
  root.add(lightNode(Vector3{0.0f, oculusHeight(), 0.0f} * kUnits, {1.0f, 0.95f, 0.85f}));
  root.add(glidingCamera(use.duration));
  return scene;
}

}  // namespace showdata
