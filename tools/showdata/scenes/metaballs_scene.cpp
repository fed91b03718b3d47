// demo\metaballs.kst: blobs that merge and split. The engine animates
// transforms only, so the blobs are a flipbook: one marching-cubes mesh per
// frame of a loop, each under a transform whose scale is 1 during its
// frame's slot and 0 the rest of the loop (stepped keys, repeating), moved
// out of sight while hidden so that the camera's culling skips it. The
// blobs take their sheen from a matcap by their normals as the camera sees
// them; a textured sphere surrounds them. The show's zoom
// layer pulses the camera's near distance, which widens and narrows the view.
#include <cmath>

#include "scenes/camera_paths.h"
#include "scenes/marching_cubes.h"
#include "scenes/scenes.h"
#include "scenes/surfaces_grid.h"
#include "textures/textures.h"

namespace showdata {
namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kLoop = 4.0f;  // seconds
constexpr int kFrames = 48;

// Six balls, each of its own colour, on closed paths: every frequency a
// whole number of turns per loop.
struct Ball {
  Vector3 radius;   // of the path, per axis
  Vector3 turns;    // per loop, per axis
  Vector3 phase;    // radians
  float strength;   // alone, a ball of this radius
  Colour colour;
};
const Ball kBalls[6] = {
    {{2.6f, 1.0f, 1.2f}, {1, 2, 1}, {0.0f, 0.4f, 1.6f}, 0.95f, {0.62f, 0.45f, 1.0f}},
    {{1.8f, 2.2f, 0.9f}, {1, 1, 2}, {2.1f, 0.0f, 0.7f}, 0.85f, {0.35f, 0.85f, 1.0f}},
    {{1.0f, 1.6f, 1.9f}, {2, 1, 1}, {4.0f, 2.5f, 0.2f}, 0.8f, {1.0f, 0.45f, 0.75f}},
    {{2.4f, 0.7f, 1.6f}, {1, 3, 1}, {3.1f, 1.1f, 4.4f}, 0.75f, {1.0f, 0.7f, 0.35f}},
    {{0.6f, 2.4f, 0.6f}, {1, 1, 1}, {1.0f, 3.7f, 2.9f}, 0.7f, {0.5f, 1.0f, 0.7f}},
    {{1.5f, 0.6f, 2.5f}, {2, 2, 1}, {5.2f, 1.9f, 0.9f}, 0.75f, {0.75f, 0.55f, 1.0f}},
};

Vector3 centreOf(const Ball& ball, float loopTime) {
  const float a = kTwoPi * loopTime / kLoop;
  return {ball.radius.x * std::sin(a * ball.turns.x + ball.phase.x), ball.radius.y * std::sin(a * ball.turns.y + ball.phase.y),
          ball.radius.z * std::cos(a * ball.turns.z + ball.phase.z)};
}

// One ball's share of the field at p.
float share(const Ball& ball, Vector3 p, float loopTime) {
  const Vector3 d = p - centreOf(ball, loopTime);
  return ball.strength * ball.strength / (Dot(d, d) + 0.01f);
}

float field(Vector3 p, float loopTime) {
  float sum = 0.0f;
  for (const Ball& ball : kBalls) sum += share(ball, p, loopTime);
  return sum;
}

// The matcap's coordinates: the normal as the camera (looking down +z from
// in front) sees it. The colour: the balls' colours by their shares, so
// that merging blobs blend theirs.
void colourAndSheen(SceneMesh& mesh, float loopTime) {
  for (SceneVertex& vertex : mesh.vertices) {
    vertex.u = 0.5f + 0.48f * vertex.normal.x;
    vertex.v = 0.5f - 0.48f * vertex.normal.y;
    Colour sum;
    float total = 0.0f;
    for (const Ball& ball : kBalls) {
      const float weight = std::pow(share(ball, vertex.position, loopTime), 2.0f);
      sum = sum + ball.colour * weight;
      total += weight;
    }
    vertex.colour = sum * (1.0f / total);
  }
}

SceneMesh blobFrame(int frame) {
  const float t = kLoop * frame / kFrames;
  SceneMesh mesh = isosurface([t](Vector3 p) { return field(p, t); }, {{-4.4f, -4.4f, -4.4f}, {4.4f, 4.4f, 4.4f}, 30}, 1.0f, 0);
  colourAndSheen(mesh, t);
  return mesh;
}

SceneMesh surroundingSphere() {
  LathePlan sphere;
  constexpr int kRows = 16;
  for (int i = 0; i <= kRows; ++i) {
    const float a = -0.5f * 3.14159265f + 3.14159265f * i / kRows;
    sphere.profile.push_back({30.0f * std::cos(a), 30.0f * std::sin(a)});
  }
  sphere.segments = 32;
  sphere.inward = true;
  SceneMesh mesh = lathe(sphere, 1);
  for (SceneVertex& vertex : mesh.vertices) vertex.v = 0.5f - vertex.position.y / 60.0f;
  return mesh;
}

NodeRecipe swayingCamera(float duration) {
  CameraRecipe camera;
  camera.nearDistance = 1.0f;  // the zoom layer's keys run from 0.475 to 1
  camera.farDistance = 60.0f;
  camera.halfWidth = 0.46f;
  camera.halfHeight = 0.345f;
  std::vector<CameraStop> stops;
  for (int k = 0; k <= 4; ++k) {
    const float a = 0.28f * std::sin(kTwoPi * k / 4.0f);
    stops.push_back({duration * k / 4.0f, {9.2f * std::sin(a), 1.2f - 0.6f * k / 4.0f, -9.2f * std::cos(a)}, {0.0f, 0.0f, 0.0f}});
  }
  return cameraRig(stops, camera);
}

}  // namespace

SceneRecipe metaballsScene(const SceneUse& use) {
  SceneRecipe scene;
  const std::int32_t matcap = scene.addTexture({"blob_matcap.jpg", PictureFormat::Jpeg, liquidMatcap(301, use.pictureScale)});
  const std::int32_t backdrop = scene.addTexture({"blob_backdrop.jpg", PictureFormat::Jpeg, studioBackdrop(302, use.pictureScale)});
  SurfaceRecipe blob;
  blob.name = "Blob";
  blob.texture = matcap;
  blob.wrapS = blob.wrapT = 1;  // the matcap is a disc: clamp at its edge
  scene.addSurface(blob);
  SurfaceRecipe around;
  around.name = "Backdrop";
  around.texture = backdrop;
  around.vertexColours = false;
  scene.addSurface(around);
  scene.background = {0.05f, 0.03f, 0.1f};

  NodeRecipe& root = scene.root = transformNode("blobs and backdrop");
  root.add(transformNode("backdrop")).add(shapeNode(scene.addMesh(surroundingSphere())));
  root.add(lightNode({-4.0f, 6.0f, -6.0f}, {1.0f, 0.9f, 1.0f}));
  root.add(swayingCamera(use.duration));
  NodeRecipe& book = root.add(transformNode("flipbook"));
  for (int frame = 0; frame < kFrames; ++frame) {
    NodeRecipe page = transformNode("frame");
    showDuring(page, kLoop * frame / kFrames, kLoop * (frame + 1) / kFrames, kLoop);
    page.add(shapeNode(scene.addMesh(blobFrame(frame))));
    book.add(std::move(page));
  }
  return scene;
}

}  // namespace showdata
