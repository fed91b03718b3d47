// The shadow layer's animation: which objects show when, where the rings
// put them, and the random choices made in the order the show depends on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "layers/shadows/shadow_scene.h"
#include "render/materials/mat_lit.h"

namespace {

void expectNear(Vector3 got, Vector3 want) {
  EXPECT_NEAR(got.x, want.x, 1e-4f);
  EXPECT_NEAR(got.y, want.y, 1e-4f);
  EXPECT_NEAR(got.z, want.z, 1e-4f);
}

TEST(ShadowScene, ObjectsAppearTwoAndAHalfPerSecondFromFourSeconds) {
  EXPECT_EQ(kst::ShadowScene::visibleObjects(0.0f), 0);
  EXPECT_EQ(kst::ShadowScene::visibleObjects(4.3f), 0);
  EXPECT_EQ(kst::ShadowScene::visibleObjects(4.5f), 1);
  EXPECT_EQ(kst::ShadowScene::visibleObjects(10.0f), 15);
  EXPECT_EQ(kst::ShadowScene::visibleObjects(23.3f), 48);
  EXPECT_EQ(kst::ShadowScene::visibleObjects(500.0f), 48);
}

TEST(ShadowScene, RingsRepeatEveryEightSecondsWhileTheObjectsKeepSpinning) {
  const std::vector<std::string> names{"a.lwo"};
  kst::ShadowScene scene("central.lwo", names, {});
  // At a key time the rings sit on the key values: ring 0 at 4 s has height
  // 0.2 and radius 1.4; its fifth object is a quarter turn round (-90°).
  expectNear(scene.ringPlacement(0, 4, 4.0f), {0.0f, 0.2f, -1.4f});
  const Vector3 second = scene.ringPlacement(1, 0, 2.0f);
  EXPECT_NEAR(second.x, 1.2f, 1e-4f);
  EXPECT_NEAR(second.z, 0.0f, 1e-4f);
  expectNear(scene.ringPlacement(2, 7, 3.0f), {0, 0, 0});  // the third ring has no keys
  for (const float t : {1.3f, 5.7f}) expectNear(scene.ringPlacement(1, 9, t), scene.ringPlacement(1, 9, t + 8.0f));

  scene.animate(1.3f);
  const Matrix44 before = scene.objects[9].toWorld;
  scene.animate(9.3f);
  const kst::OrbitingObject& object = scene.objects[9];
  // Each object's two matrices undo each other; the spin has moved on.
  const Matrix44 product = Multiply(object.toWorld, object.fromWorld);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(product.m[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-4f) << i;
  float change = 0;
  for (int i = 0; i < 16; ++i) change += std::fabs(object.toWorld.m[i] - before.m[i]);
  EXPECT_GT(change, 0.01f);
  // The central mesh's matrix and its inverse, likewise.
  const Matrix44 central = Multiply(scene.world, scene.fromWorld);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(central.m[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-4f) << i;
}

TEST(ShadowScene, EachRecordDrawsMeshMaterialAxisAndSpeedInThatOrder) {
  const std::vector<std::string> names{"a.lwo", "b.lwo", "c.lwo"};
  kst::Mat_Lit first, second;
  kst::Material* materials[] = {&first, &second};
  std::srand(41);
  std::vector<int> draws(6 * 48);
  for (int& draw : draws) draw = std::rand() / (RAND_MAX / 32768 + 1);
  std::srand(41);
  const kst::ShadowScene scene("central.lwo", names, materials);
  for (const int record : {0, 47}) {
    const int* d = &draws[6 * record];
    const kst::OrbitingObject& object = scene.objects[record];
    EXPECT_EQ(object.mesh, d[0] % 3);
    EXPECT_EQ(object.litMaterial, materials[d[1] % 2]);
    expectNear(object.axis, {d[2] / 32767.0f, d[3] / 32767.0f, d[4] / 32767.0f});
    EXPECT_NEAR(object.speed, (d[5] / 32767.0f - 0.5f) * 10.0f + 30.0f, 1e-4f);
    EXPECT_GE(object.speed, 25.0f);
    EXPECT_LE(object.speed, 35.0f);
  }
  // Without object meshes or materials the sequence is drawn all the same,
  // and the objects have neither.
  std::srand(41);
  const kst::ShadowScene bare("central.lwo", {}, {});
  EXPECT_EQ(bare.objects[47].mesh, -1);
  EXPECT_EQ(bare.objects[47].litMaterial, nullptr);
  EXPECT_NEAR(bare.objects[47].speed, scene.objects[47].speed, 1e-6f);
}

}  // namespace
