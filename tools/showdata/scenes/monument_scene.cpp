// demo\fin2.kst: the closing scene. The show's emblem stands on a floating
// stone that bobs gently; gold rings with a transparent halo orbit it on
// tilted planes; stars and a dim nebula lie all round. Four cameras orbit
// at their own heights, distances, speeds and senses, so that the four
// quarter views of the last section always differ. Everything repeats:
// the scene plays for as long as the show lasts.
#include <cmath>

#include "core/random.h"
#include "objects/objects.h"
#include "scenes/baked_light.h"
#include "scenes/scenes.h"
#include "scenes/surfaces_grid.h"
#include "textures/textures.h"

namespace showdata {
namespace {

enum Surface : std::uint16_t { kEmblemRing, kEmblemBird, kStone, kGoldRing, kStars, kNebula, kHalo };
constexpr float kEmblemScale = 3.0f;
constexpr float kEmblemHeight = 2.6f;
constexpr float kTwoPi = 6.2831853f;

Lighting monumentLight() {
  Lighting light;
  light.ambient = {0.22f, 0.22f, 0.3f};
  light.sky = {0.1f, 0.1f, 0.14f};
  light.directional.push_back({Normalise({-0.5f, 0.7f, -0.5f}), {0.85f, 0.78f, 0.65f}});
  light.directional.push_back({Normalise({0.6f, 0.1f, 0.8f}), {0.3f, 0.45f, 0.7f}});
  return light;
}

// The emblem object's triangles with smooth vertex normals (area weighted)
// and a planar mapping for the metal.
SceneMesh emblemMesh() {
  const Mesh object = emblem();
  SceneMesh mesh;
  std::vector<Vector3> normals(object.points.size());
  for (const Mesh::Triangle& t : object.triangles)
    for (std::uint32_t corner : {t.a, t.b, t.c})
      normals[corner] += Cross(object.points[t.b] - object.points[t.a], object.points[t.c] - object.points[t.a]);
  for (std::size_t i = 0; i < object.points.size(); ++i) {
    SceneVertex vertex;
    vertex.position = object.points[i] * kEmblemScale + Vector3{0.0f, kEmblemHeight, 0.0f};
    vertex.normal = Normalise(normals[i]);
    vertex.u = object.points[i].x * 0.8f;
    vertex.v = object.points[i].y * 0.8f + object.points[i].z;
    mesh.add(vertex);
  }
  for (const Mesh::Triangle& t : object.triangles) mesh.triangle(t.a, t.b, t.c, t.surface == 0 ? kEmblemRing : kEmblemBird);
  return mesh;
}

// An octagonal plinth on a rough stone that tapers to a point below.
SceneMesh floatingStone() {
  LathePlan plinth;
  plinth.profile = {{2.25f, -0.7f}, {2.45f, -0.55f}, {2.45f, -0.15f}, {2.25f, 0.0f}, {0.0f, 0.0f}};
  plinth.segments = 8;
  plinth.uRepeats = 2.0f;
  plinth.vScale = 0.4f;
  SceneMesh stone = lathe(plinth, kStone);
  LathePlan rock;
  rock.profile = {{0.0f, -4.6f}, {0.8f, -3.6f}, {1.5f, -2.4f}, {2.0f, -1.4f}, {2.25f, -0.7f}};
  rock.segments = 14;
  rock.uRepeats = 3.0f;
  rock.vScale = 0.3f;
  SceneMesh rough = lathe(rock, kStone);
  for (SceneVertex& vertex : rough.vertices) {
    if (vertex.position.y > -0.75f || vertex.position.y < -4.5f) continue;  // the rim and the tip stay whole
    const float angle = std::atan2(vertex.position.z, vertex.position.x);
    const float bump = 0.85f + 0.3f * std::fabs(std::sin(angle * 3.0f + vertex.position.y * 2.1f));
    vertex.position.x *= bump;
    vertex.position.z *= bump;
  }
  stone.append(rough);
  return stone;
}

// The gold rings and their halos: a thin torus, and a flat band along it.
SceneMesh goldRing(float radius) { return torus(radius, 0.09f, 96, 8, 6.0f, kGoldRing); }

// Clear at both edges, most opaque along the ring.
SceneMesh halo(float radius) {
  GridPlan band;
  band.rows = 2;
  band.columns = 96;
  band.position = [radius](int i, int j) {
    const float a = kTwoPi * (j % 96) / 96.0f, r = radius + 0.6f * (i - 1);
    return Vector3{r * std::cos(a), 0.0f, r * std::sin(a)};
  };
  band.texCoord = [](int i, int j) { return std::pair{6.0f * j / 96.0f, 0.5f * i}; };
  SceneMesh mesh = grid(band, kHalo);
  for (SceneVertex& vertex : mesh.vertices) {
    const float across = std::fabs(std::hypot(vertex.position.x, vertex.position.z) - radius) / 0.6f;
    vertex.alpha = 0.65f * (1.0f - across);
  }
  return mesh;
}

SceneMesh starField(Random& random) {
  SceneMesh stars;
  for (int k = 0; k < 1600; ++k) {
    const float y = random.between(-1.0f, 1.0f), a = random.between(0.0f, kTwoPi), r = std::sqrt(1.0f - y * y);
    const Vector3 at = Vector3{r * std::cos(a), y, r * std::sin(a)} * random.between(70.0f, 110.0f);
    const float size = random.between(0.07f, 0.2f);
    SceneMesh star = box(at - Vector3{size, size, size}, at + Vector3{size, size, size}, kStars);
    star.paint(mix(Colour{0.7f, 0.8f, 1.0f}, Colour{1.0f, 0.9f, 0.75f}, random.unit()) * random.between(0.6f, 1.0f));
    stars.append(star);
  }
  return stars;
}

SceneMesh nebulaSphere() {
  LathePlan sphere;
  for (int i = 0; i <= 16; ++i) {
    const float a = -0.5f * 3.14159265f + 3.14159265f * i / 16;
    sphere.profile.push_back({150.0f * std::cos(a), 150.0f * std::sin(a)});
  }
  sphere.segments = 32;
  sphere.inward = true;
  SceneMesh mesh = lathe(sphere, kNebula);
  for (SceneVertex& vertex : mesh.vertices) vertex.v = 0.5f - vertex.position.y / 300.0f;
  return mesh;
}

// One orbit: the rig turns about y once per `period` (negative: the other
// way), the camera on it at `height` and `distance`, bobbing a little.
NodeRecipe orbitingCamera(float period, float height, float distance, float lookAt, float fov) {
  NodeRecipe orbit = transformNode("orbit");
  const float turn = period > 0.0f ? 360.0f : -360.0f;
  orbit.angleKeys = keyedVectors({{0.0f, {}}, {std::fabs(period), {0.0f, turn, 0.0f}}}, kShapeLinear, kBehaviorRepeat);
  const float bob = 0.12f * distance;
  const float half = 0.5f * std::fabs(period);
  orbit.positionKeys = keyedVectors({{0.0f, {0, -bob, 0}}, {half, {0, bob, 0}}, {2.0f * half, {0, -bob, 0}}}, kShapeTCB, kBehaviorRepeat);
  CameraRecipe camera;
  camera.nearDistance = 0.3f;
  camera.farDistance = 400.0f;
  camera.halfWidth = 0.3f * std::tan(0.5f * fov / 57.29578f);
  camera.halfHeight = camera.halfWidth * 0.75f;
  camera.eye = {0.0f, height, -distance};
  camera.target = {0.0f, lookAt, 0.0f};
  orbit.add(cameraNode(camera));
  return orbit;
}

NodeRecipe orbitingRing(Vector3 tilt, float period, std::int32_t ringMesh, std::int32_t haloMesh) {
  NodeRecipe plane = transformNode("ring plane", {0.0f, kEmblemHeight, 0.0f});
  plane.angles = tilt;
  NodeRecipe& spin = plane.add(transformNode("ring spin"));
  spin.angleKeys = keyedVectors({{0.0f, {}}, {std::fabs(period), {0.0f, period > 0.0f ? 360.0f : -360.0f, 0.0f}}}, kShapeLinear, kBehaviorRepeat);
  spin.add(shapeNode(ringMesh));
  spin.add(shapeNode(haloMesh));
  return plane;
}

}  // namespace

SceneRecipe monumentScene(const SceneUse& use) {
  SceneRecipe scene;
  Random random(501);
  scene.addTexture({"monument_metal.jpg", PictureFormat::Jpeg, brushedMetal(502, use.pictureScale)});
  scene.addTexture({"monument_stone.jpg", PictureFormat::Jpeg, veinedMarble(503, use.pictureScale)});
  scene.addTexture({"monument_rings.jpg", PictureFormat::Jpeg, ringBands(504, use.pictureScale)});
  scene.addTexture({"monument_nebula.jpg", PictureFormat::Jpeg, nebulaPanorama(505, use.pictureScale)});
  scene.addTexture({"monument_halo.jpg", PictureFormat::Jpeg, haloGlow(506, use.pictureScale)});  // last: the halo blends over the rest
  scene.addSurface({.name = "EmblemRing", .texture = 0});
  scene.addSurface({.name = "EmblemBird", .texture = 0});
  scene.addSurface({.name = "Stone", .texture = 1});
  scene.addSurface({.name = "GoldRing", .texture = 2});
  scene.addSurface({.name = "Stars"});
  scene.addSurface({.name = "Nebula", .texture = 3, .wrapT = 1, .vertexColours = false});
  scene.addSurface({.name = "Halo", .texture = 4, .transparency = 0.45f, .sidedness = 2});
  scene.background = {0.01f, 0.012f, 0.035f};

  SceneMesh emblem = emblemMesh();
  SceneMesh stone = floatingStone();
  const Lighting light = monumentLight();
  bakeLight(emblem, light, {0.9f, 0.95f, 1.05f});
  bakeLight(stone, light, {0.9f, 0.85f, 0.8f});

  NodeRecipe& root = scene.root = transformNode("space");
  // Cameras 0 to 3: near, high, low looking up, far.
  root.add(orbitingCamera(60.0f, kEmblemHeight + 1.2f, 11.0f, kEmblemHeight, 58.0f));
  root.add(orbitingCamera(-75.0f, kEmblemHeight + 9.0f, 12.0f, kEmblemHeight - 1.0f, 62.0f));
  root.add(orbitingCamera(48.0f, kEmblemHeight - 5.0f, 9.0f, kEmblemHeight + 0.5f, 66.0f));
  root.add(orbitingCamera(-95.0f, kEmblemHeight + 3.0f, 24.0f, kEmblemHeight - 0.5f, 50.0f));
  root.add(lightNode({-20.0f, 30.0f, -20.0f}, {1.0f, 0.92f, 0.8f}));
  root.add(transformNode("nebula")).add(shapeNode(scene.addMesh(nebulaSphere())));
  root.add(transformNode("stars")).add(shapeNode(scene.addMesh(starField(random))));
  NodeRecipe& monument = root.add(transformNode("monument"));
  monument.positionKeys = keyedVectors({{0.0f, {0, 0, 0}}, {4.0f, {0, 0.35f, 0}}, {8.0f, {0, 0, 0}}}, kShapeTCB, kBehaviorRepeat);
  monument.add(shapeNode(scene.addMesh(std::move(emblem))));
  monument.add(shapeNode(scene.addMesh(std::move(stone))));
  const float radii[3] = {4.2f, 5.4f, 6.6f};
  const Vector3 tilts[3] = {{70.0f, 0.0f, 10.0f}, {20.0f, 30.0f, -15.0f}, {-35.0f, -20.0f, 25.0f}};
  const float periods[3] = {14.0f, -19.0f, 26.0f};
  for (int r = 0; r < 3; ++r) {
    const std::int32_t ring = scene.addMesh(goldRing(radii[r]));
    const std::int32_t glow = scene.addMesh(halo(radii[r]));
    monument.add(orbitingRing(tilts[r], periods[r], ring, glow));
  }
  return scene;
}

}  // namespace showdata
