// demo\Artifice.kst: fireworks over a city at night. Rockets rise from the
// roofs and burst; each burst swells fast, slows, sags and fades in three
// steps (three meshes of the same sparks, dimmer each, shown one after the
// other under the burst's transform). Camera 1 looks wide over the city,
// camera 0 up from the street.
#include <cmath>

#include "scenes/camera_paths.h"
#include "scenes/fireworks_parts.h"
#include "scenes/scenes.h"
#include "textures/textures.h"

namespace showdata {
namespace {

using namespace fireworks;

constexpr int kColours = 6;
const Colour kColoursOf[kColours] = {{1.0f, 0.78f, 0.32f}, {1.0f, 0.3f, 0.24f}, {0.38f, 1.0f, 0.45f},
                                     {0.42f, 0.62f, 1.0f}, {0.88f, 0.45f, 1.0f}, {1.0f, 0.95f, 0.9f}};
constexpr float kFade[3] = {1.0f, 0.75f, 0.45f};
constexpr float kFadeStart[4] = {0.0f, 1.1f, 1.8f, 2.5f};  // after the burst: bright, dimmer, dimmest, gone
constexpr float kRise = 1.5f;                              // a rocket's climb, seconds

struct Burst {
  float time;
  Vector3 at;
  float radius;
  int colour;
};

std::vector<Burst> schedule(float duration, Random& random) {
  std::vector<Burst> bursts;
  for (float t = 0.6f; t < duration - 1.0f;) {
    // Every colour in turn, the turns shifted so that neighbours differ;
    // every other burst over the street, where the low camera looks.
    const int k = static_cast<int>(bursts.size());
    const float across = k % 2 == 0 ? 90.0f : 260.0f;
    bursts.push_back({t, {random.between(-across, across), random.between(190.0f, 300.0f), random.between(280.0f, 460.0f)},
                      random.between(85.0f, 130.0f), (k + k / kColours) % kColours});
    // Now and then two at once.
    t += random.unit() < 0.25f ? 0.2f : random.between(0.6f, 1.3f);
  }
  return bursts;
}

NodeRecipe rocket(const Burst& burst, std::int32_t mesh) {
  const Vector3 start{burst.at.x * 0.9f, 30.0f, burst.at.z - 20.0f};
  NodeRecipe climb = transformNode("rocket");
  const float from = burst.time - kRise;
  climb.positionKeys = keyedVectors({{from, start}, {from + 0.6f * kRise, start + (burst.at - start) * 0.78f}, {burst.time, burst.at}});
  NodeRecipe& shown = climb.add(transformNode("rocket shown"));
  showDuring(shown, from, burst.time);
  shown.add(shapeNode(mesh));
  return climb;
}

NodeRecipe burstNode(const Burst& burst, const std::int32_t (&meshes)[kColours][3]) {
  NodeRecipe swell = transformNode("burst");
  const float t = burst.time;
  swell.positionKeys = keyedVectors({{t, burst.at}, {t + 1.2f, burst.at - Vector3{0, 9, 0}}, {t + kFadeStart[3], burst.at - Vector3{0, 34, 0}}});
  const float r = burst.radius;
  swell.scaleKeys = keyedVectors({{t, Vector3{1, 1, 1} * (0.03f * r)}, {t + 0.3f, Vector3{1, 1, 1} * (0.7f * r)},
                                  {t + 1.0f, Vector3{1, 1, 1} * (0.93f * r)}, {t + kFadeStart[3], Vector3{1, 1, 1} * r}});
  for (int step = 0; step < 3; ++step) {
    NodeRecipe& shown = swell.add(transformNode("fade step"));
    showDuring(shown, t + kFadeStart[step], t + kFadeStart[step + 1]);
    shown.add(shapeNode(meshes[burst.colour][step]));
  }
  return swell;
}

// Camera 0 first: it is the street view, camera 1 the wide one.
void addCameras(NodeRecipe& root, float duration) {
  root.add(cameraRig({{0.0f, {4.0f, 1.8f, 18.0f}, {-20.0f, 240.0f, 380.0f}},
                      {duration * 0.5f, {2.0f, 1.8f, 30.0f}, {10.0f, 260.0f, 380.0f}},
                      {duration, {-2.0f, 1.8f, 42.0f}, {30.0f, 240.0f, 380.0f}}},
                     lens(0.5f, 4000.0f, 84.0f)));
  root.add(cameraRig({{0.0f, {-130.0f, 55.0f, -190.0f}, {30.0f, 190.0f, 400.0f}},
                      {duration * 0.5f, {-40.0f, 62.0f, -200.0f}, {0.0f, 205.0f, 400.0f}},
                      {duration, {50.0f, 58.0f, -180.0f}, {-20.0f, 195.0f, 400.0f}}},
                     lens(1.0f, 4000.0f, 76.0f)));
}

}  // namespace

SceneRecipe fireworksScene(const SceneUse& use) {
  SceneRecipe scene;
  Random random(401);
  // The spark's picture comes last: the sparks blend over everything else.
  scene.addTexture({"city_facades.jpg", PictureFormat::Jpeg, cityFacades(402, use.pictureScale)});
  scene.addTexture({"city_sky.jpg", PictureFormat::Jpeg, nightSkyDome(403, use.pictureScale)});
  scene.addTexture({"spark.jpg", PictureFormat::Jpeg, sparkStreak(404, use.pictureScale)});
  scene.addSurface({.name = "Facade", .texture = 0});
  scene.addSurface({.name = "Ground"});
  scene.addSurface({.name = "NightSky", .texture = 1, .wrapT = 1, .vertexColours = false});
  scene.addSurface({.name = "Spark", .texture = 2, .transparency = 0.35f, .sidedness = 2});
  scene.background = {0.01f, 0.015f, 0.05f};

  NodeRecipe& root = scene.root = transformNode("night");
  addCameras(root, use.duration);
  root.add(lightNode({0.0f, 250.0f, 400.0f}, {1.0f, 0.85f, 0.6f}));
  root.add(transformNode("sky")).add(shapeNode(scene.addMesh(skyDome())));
  root.add(transformNode("ground")).add(shapeNode(scene.addMesh(groundAndLamps())));
  root.add(transformNode("city")).add(shapeNode(scene.addMesh(cityBlocks(random))));
  std::int32_t sparks[kColours][3];
  for (int c = 0; c < kColours; ++c)
    for (int step = 0; step < 3; ++step) sparks[c][step] = scene.addMesh(sparkBurst(kColoursOf[c], kFade[step], random));
  const std::int32_t trail = scene.addMesh(rocketTrail());
  for (const Burst& burst : schedule(use.duration, random)) {
    root.add(rocket(burst, trail));
    root.add(burstNode(burst, sparks));
  }
  return scene;
}

}  // namespace showdata
