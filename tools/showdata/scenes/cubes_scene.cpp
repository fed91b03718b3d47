// demo\cubes.kst: a field of coloured cubes under a wave that runs out from
// the middle. Every cube has the same keys — a bob up and down, a tilt with
// the wave's slope, a quarter turn per wave — shifted in time by its
// distance from the middle, repeating. The camera circles the field; the
// show flickers it against the title picture.
#include <algorithm>
#include <cmath>

#include "scenes/baked_light.h"
#include "scenes/camera_paths.h"
#include "scenes/scenes.h"
#include "scenes/surfaces_grid.h"
#include "textures/textures.h"

namespace showdata {
namespace {

constexpr int kRows = 13;           // cubes per side
constexpr float kSpacing = 1.3f;
constexpr float kWavePeriod = 3.25f;  // six waves in the scene's 19.5 s
constexpr float kWaveAmplitude = 2.0f;
constexpr float kWaveNumber = 0.8f;   // radians of phase per unit of distance
constexpr float kTwoPi = 6.2831853f;

const Colour kPalette[5] = {{1.0f, 0.42f, 0.35f}, {1.0f, 0.68f, 0.25f}, {0.95f, 0.9f, 0.42f}, {0.22f, 0.8f, 0.74f}, {0.58f, 0.46f, 0.98f}};

// A dome round the field, from the dusk's glow at the horizon to the deep
// sky overhead (the title picture's colours), drawn clear of the fog whose
// colour is the horizon's.
const Colour kHorizon{0.46f, 0.24f, 0.38f};

SceneMesh duskDome() {
  LathePlan dome;
  for (int i = 0; i <= 10; ++i) {
    const float a = -0.1f + 1.67f * i / 10.0f;
    dome.profile.push_back({60.0f * std::cos(a), 60.0f * std::sin(a)});
  }
  dome.segments = 24;
  dome.inward = true;
  SceneMesh sky = lathe(dome, 1);
  for (SceneVertex& vertex : sky.vertices) {
    const float up = std::max(0.0f, vertex.position.y / 60.0f);
    vertex.colour = mix(kHorizon, Colour{0.08f, 0.06f, 0.2f}, std::sqrt(up));
  }
  return sky;
}

SceneMesh colouredCube(Colour colour) {
  SceneMesh cube = box({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, 0);
  Lighting light;
  light.ambient = {0.32f, 0.3f, 0.36f};
  light.sky = {0.15f, 0.15f, 0.15f};
  light.directional.push_back({Normalise({-0.4f, 1.0f, -0.6f}), {0.75f, 0.72f, 0.66f}});
  bakeLight(cube, light, colour);
  return cube;
}

// The wave as it passes one cube: keys one period long, starting `delay`
// seconds late and repeating both ways. Rising through 0, top, 0, bottom,
// 0 on smooth (TCB) spans; the tilt follows the slope, a quarter period
// ahead; the heading turns a quarter turn per wave on a straight span,
// which a cube cannot tell from no turn at all at the seam.
std::pair<Motion, Motion> waveKeys(Vector3 at, float delay) {
  Motion position, angles;
  const float quarter = 0.25f * kWavePeriod;
  const float rise[5] = {0.0f, kWaveAmplitude, 0.0f, -kWaveAmplitude, 0.0f};
  const float tilt[5] = {22.0f, 0.0f, -22.0f, 0.0f, 22.0f};
  std::vector<std::pair<float, float>> y, pitch;
  for (int k = 0; k < 5; ++k) {
    y.push_back({delay + k * quarter, rise[k]});
    pitch.push_back({delay + k * quarter, tilt[k]});
  }
  position[0] = keyed({{0.0f, at.x}});
  position[1] = keyed(y, kShapeTCB, kBehaviorRepeat);
  position[2] = keyed({{0.0f, at.z}});
  angles[0] = keyed(pitch, kShapeTCB, kBehaviorRepeat);
  angles[1] = keyed({{delay, 0.0f}, {delay + kWavePeriod, 90.0f}}, kShapeLinear, kBehaviorRepeat);
  angles[2] = keyed({{0.0f, 0.0f}});
  return {std::move(position), std::move(angles)};
}

NodeRecipe circlingCamera(float duration) {
  NodeRecipe orbit = transformNode("orbit");
  Motion turn;
  turn[0] = keyed({{0.0f, 0.0f}});
  turn[1] = keyed({{0.0f, -30.0f}, {duration, 75.0f}}, kShapeLinear);
  turn[2] = keyed({{0.0f, 0.0f}});
  orbit.angleKeys = std::move(turn);
  CameraRecipe camera = lens(0.5f, 80.0f, 64.0f);
  camera.eye = {0.0f, 4.2f, -14.5f};
  camera.target = {0.0f, 0.0f, 3.0f};
  orbit.add(cameraNode(camera));
  return orbit;
}

}  // namespace

SceneRecipe cubesScene(const SceneUse& use) {
  SceneRecipe scene;
  const std::int32_t panel = scene.addTexture({"cube_panel.jpg", PictureFormat::Jpeg, bevelledPanel(201, use.pictureScale)});
  SurfaceRecipe surface;
  surface.name = "Cube";
  surface.texture = panel;
  scene.addSurface(surface);
  scene.addSurface({.name = "Dusk"});
  std::int32_t meshes[5];
  for (int c = 0; c < 5; ++c) meshes[c] = scene.addMesh(colouredCube(kPalette[c]));
  scene.background = kHorizon;
  scene.fog = true;
  scene.fogStart = 12.0f;
  scene.fogEnd = 40.0f;
  scene.fogColour = kHorizon;

  NodeRecipe& root = scene.root = transformNode("field");
  root.add(lightNode({-6.0f, 14.0f, -8.0f}, {1.0f, 0.95f, 0.9f}));
  root.add(circlingCamera(use.duration));
  NodeRecipe sky = shapeNode(scene.addMesh(duskDome()));
  sky.withoutFog = true;
  root.add(transformNode("sky")).add(std::move(sky));
  const float middle = 0.5f * (kRows - 1);
  for (int row = 0; row < kRows; ++row)
    for (int column = 0; column < kRows; ++column) {
      const Vector3 at{(column - middle) * kSpacing, 0.0f, (row - middle) * kSpacing};
      const float distance = std::hypot(at.x, at.z);
      NodeRecipe cube = transformNode("cube");
      std::tie(cube.positionKeys, cube.angleKeys) = waveKeys(at, distance * kWaveNumber / kTwoPi * kWavePeriod);
      // Rings of one colour, so that the colours ride the wave outward.
      cube.add(shapeNode(meshes[static_cast<int>(distance / (1.4f * kSpacing)) % 5]));
      root.add(std::move(cube));
    }
  return scene;
}

}  // namespace showdata
