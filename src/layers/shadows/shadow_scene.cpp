#include "layers/shadows/shadow_scene.h"

#include <cmath>
#include <cstdlib>

#include "scene/mesh/mesh_primitive.h"
#include "stocks/mesh_stock.h"

namespace kst {

namespace {

struct Key {
  float time;
  float value;
};

// TCB keys that repeat outside their range; the first and last key get
// `endContinuity`, the others none.
void setKeys(Envelope& envelope, std::initializer_list<Key> keys, float endContinuity = 0.0f) {
  std::size_t index = 0;
  for (const Key& key : keys) {
    const bool end = index == 0 || index + 1 == keys.size();
    envelope.addKey(key.time, key.value, end ? endContinuity : 0.0f, 0.0f, 0.0f);
    ++index;
  }
  envelope.setBehaviors(kBehaviorRepeat);
}

// The C library's next number brought to 0 .. 32767 whatever its RAND_MAX.
int nextRandom() { return std::rand() / (RAND_MAX / 32768 + 1); }
float nextUnit() { return static_cast<float>(nextRandom()) / 32767.0f; }

ShadowMesh lookUp(const std::string& name) {
  ShadowMesh entry{name, theMeshStock().get(name.c_str()), 0, nullptr};
  if (entry.mesh != nullptr && entry.mesh->source) {
    entry.serial = entry.mesh->serial;
    entry.caster = std::make_unique<ShadowCaster>(*entry.mesh->source);
  }
  if (entry.caster == nullptr) entry.mesh = nullptr;
  return entry;
}

const Vector3 kOrbitAxis{0.2f, 0.9f, 0.0f};
constexpr float kOrbitSpeed = 15.0f;          // degrees per second
constexpr float kRingStep = -0.3926991f;      // radians between neighbours
constexpr float kObjectScale = 0.1f;

}  // namespace

ShadowScene::ShadowScene(const std::string& centralName, std::span<const std::string> objectNames,
                         std::span<Material* const> objectMaterials)
    : central(lookUp(centralName)) {
  for (const std::string& name : objectNames) objectMeshes.push_back(lookUp(name));
  // The same calls in the same order for every record, even where a list
  // is empty, so the sequence stays the one the show was made with.
  for (OrbitingObject& object : objects) {
    const int mesh = nextRandom(), material = nextRandom();
    if (!objectNames.empty()) object.mesh = mesh % static_cast<int>(objectNames.size());
    if (!objectMaterials.empty()) object.litMaterial = objectMaterials[material % objectMaterials.size()];
    object.axis.x = nextUnit();
    object.axis.y = nextUnit();
    object.axis.z = nextUnit();
    object.speed = (nextUnit() - 0.5f) * 10.0f + 30.0f;
  }
  setKeys(tumble[0], {{0, 10}, {5, -10}, {10, 10}});
  setKeys(tumble[1], {{0, 10}, {2, -10}, {6, 190}, {8, 170}, {10, 370}});
  setKeys(tumble[2], {{0, 10}, {5, -10}, {10, 10}});
  setKeys(heights[0], {{0, -0.1f}, {4, 0.2f}, {8, -0.1f}}, 1.0f);
  setKeys(heights[1], {{0, 0.2f}, {4, -0.1f}, {8, 0.2f}}, 1.0f);
  setKeys(radii[0], {{0, 1.4f}, {2, 1.6f}, {4, 1.4f}, {6, 1.2f}, {8, 1.4f}}, 1.0f);
  setKeys(radii[1], {{0, 1.4f}, {2, 1.2f}, {4, 1.4f}, {6, 1.6f}, {8, 1.4f}}, 1.0f);
  heights[2].setBehaviors(kBehaviorRepeat);  // the third ring has no keys: it stays at 0
  radii[2].setBehaviors(kBehaviorRepeat);
}

int ShadowScene::visibleObjects(float t) {
  const float n = std::trunc((t - 4.0f) * 2.5f);
  return n <= 0 ? 0 : n >= kObjects ? kObjects : static_cast<int>(n);
}

Vector3 ShadowScene::ringPlacement(int ring, int i, float t) const {
  const float r = evaluateEnvelope(radii[ring], t);
  const float angle = static_cast<float>(i) * kRingStep;
  return {r * std::cos(angle), evaluateEnvelope(heights[ring], t), r * std::sin(angle)};
}

void ShadowScene::animate(float t) {
  const float a = evaluateEnvelope(tumble[0], t), b = evaluateEnvelope(tumble[1], t),
              c = evaluateEnvelope(tumble[2], t);
  world = Multiply(Multiply(Matrix44().RotationX(a), Matrix44().RotationY(b)), Matrix44().RotationZ(c));
  fromWorld = Multiply(Multiply(Matrix44().RotationZ(-c), Matrix44().RotationY(-b)), Matrix44().RotationX(-a));
  const float orbit = kOrbitSpeed * t;
  for (int k = 0; k < kObjects; ++k) {
    OrbitingObject& object = objects[k];
    const Vector3 p = ringPlacement(k / kObjectsPerRing, k % kObjectsPerRing, t);
    const float spin = object.speed * t;
    object.toWorld = Multiply(Multiply(Matrix44().RotationAxis(orbit, kOrbitAxis), Matrix44().Translation(p.x, p.y, p.z)),
                              Multiply(Matrix44().RotationAxis(spin, object.axis),
                                       Matrix44().Scaling(kObjectScale, kObjectScale, kObjectScale)));
    object.fromWorld =
        Multiply(Multiply(Matrix44().Scaling(1 / kObjectScale, 1 / kObjectScale, 1 / kObjectScale),
                          Matrix44().RotationAxis(-spin, object.axis)),
                 Multiply(Matrix44().Translation(-p.x, -p.y, -p.z), Matrix44().RotationAxis(-orbit, kOrbitAxis)));
  }
}

}  // namespace kst
