// kstview's orbit camera: drags, pans and wheel clicks against the eye they
// lead to, each worked out by hand from the camera's conventions (eye on the
// target's -z side at yaw 0 and pitch 0, half a degree a pixel, 10% closer
// a click, a pixel at the target's depth being 2 d tan 30 / 600 wide).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "orbit_camera.h"
#include "render/robust_mesh.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "scene/scene.h"
#include "scene_facts.h"

namespace {

using kstview::OrbitCamera;

// A box whose middle is (1, 0, 1) and whose half diagonal is sqrt(24).
persist::BoundingBox sceneBox() {
  persist::BoundingBox box;
  box.grow({-1.0f, -2.0f, -3.0f});
  box.grow({3.0f, 2.0f, 5.0f});
  return box;
}

struct Case {
  const char* what;
  std::function<void(OrbitCamera&)> input;
  Vector3 eye;
};

TEST(OrbitCamera, InputsMoveTheEyeAsWorkedOut) {
  // 100 pixels of pan at distance 10: 100 x 20 tan 30 / 600 = 1.92450.
  const std::vector<Case> cases{
      {"nothing", [](OrbitCamera&) {}, {1.0f, 0.0f, -9.0f}},
      {"drag right 180", [](OrbitCamera& o) { o.drag(180, 0); }, {-9.0f, 0.0f, 1.0f}},
      {"drag left 180", [](OrbitCamera& o) { o.drag(-180, 0); }, {11.0f, 0.0f, 1.0f}},
      {"drag down 60", [](OrbitCamera& o) { o.drag(0, 60); }, {1.0f, 5.0f, -7.66025f}},
      {"drag down 400, held at 89", [](OrbitCamera& o) { o.drag(0, 400); }, {1.0f, 9.99848f, 0.825476f}},
      {"drag up 400, held at -89", [](OrbitCamera& o) { o.drag(0, -400); }, {1.0f, -9.99848f, 0.825476f}},
      {"wheel 1 away", [](OrbitCamera& o) { o.wheel(1); }, {1.0f, 0.0f, -8.0f}},
      {"wheel 2 back", [](OrbitCamera& o) { o.wheel(-2); }, {1.0f, 0.0f, -11.345679f}},
      {"pan right 100", [](OrbitCamera& o) { o.pan(100, 0, 600); }, {-0.92450f, 0.0f, -9.0f}},
      {"pan down 100", [](OrbitCamera& o) { o.pan(0, 100, 600); }, {1.0f, 1.92450f, -9.0f}},
      {"turned 90, pan right 100", [](OrbitCamera& o) { o.drag(180, 0); o.pan(100, 0, 600); },
       {-9.0f, 0.0f, 2.92450f}},
      {"raised 30, pan down 100", [](OrbitCamera& o) { o.drag(0, 60); o.pan(0, 100, 600); },
       {1.0f, 6.66667f, -6.69800f}},
  };
  for (const Case& c : cases) {
    OrbitCamera orbit;
    orbit.frame(sceneBox());
    orbit.place(0.0f, 0.0f, 10.0f);
    c.input(orbit);
    const Vector3 eye = orbit.eye();
    EXPECT_NEAR(eye.x, c.eye.x, 1e-4f) << c.what;
    EXPECT_NEAR(eye.y, c.eye.y, 1e-4f) << c.what;
    EXPECT_NEAR(eye.z, c.eye.z, 1e-4f) << c.what;
  }
}

// Framed: from yaw 30 and pitch 20, sqrt(24) / sin 30 from the middle; the
// camera made from it sees the middle and reaches past the far corner. Fog
// that hides what lies past 5 brings it in to 5.
TEST(OrbitCamera, FramesTheBoxAndItsCameraHoldsIt) {
  OrbitCamera orbit;
  orbit.frame(sceneBox(), 5.0f);
  EXPECT_FLOAT_EQ(orbit.distance(), 5.0f);
  persist::BoundingBox sky;  // round the box, its corners 141.42 from the middle
  sky.grow({-99, 0, -99});
  sky.grow({101, 0, 101});
  orbit.frame(sceneBox(), 5.0f, sky);
  EXPECT_GE(orbit.camera(1.0f).farDistance(), 146.42f) << "the eye is 5 from the middle";
  orbit.frame(sceneBox(), 50.0f);
  EXPECT_NEAR(orbit.framedDistance(), 9.797959f, 1e-4f);
  EXPECT_EQ(orbit.distance(), orbit.framedDistance());
  const Vector3 eye = orbit.eye();
  EXPECT_NEAR(eye.x, -3.603535f, 1e-4f);
  EXPECT_NEAR(eye.y, 3.351099f, 1e-4f);
  EXPECT_NEAR(eye.z, -6.973556f, 1e-4f);

  orbit.place(200.0f, -40.0f, 3.0f);  // inside the box's sphere
  Camera camera = orbit.camera(4.0f / 3.0f);
  EXPECT_EQ(camera.eye(), orbit.eye());
  EXPECT_EQ(camera.target(), orbit.target());
  EXPECT_TRUE(camera.Frustum().Contains({1.0f, 0.0f, 1.0f}));
  EXPECT_GE(camera.farDistance(), 3.0f + 4.898979f);
  EXPECT_NEAR(camera.halfWidth() / camera.halfHeight(), 4.0f / 3.0f, 1e-5f);
}

// A shape of the 2 x 2 square at z = 0, under a transform that moves it by
// `at` and scales it by `scale`.
ShapeNode& addSquare(Scene& scene, Vector3 at, float scale) {
  auto move = std::make_unique<LW6KeyframeHandler>();
  auto size = std::make_unique<LW6KeyframeHandler>();
  for (auto [envelope, value] : {std::pair{&move->x, at.x}, {&move->y, at.y}, {&move->z, at.z},
                                 {&size->x, scale}, {&size->y, scale}, {&size->z, scale}})
    envelope->addKey(0, value, 0, 0, 0);
  auto place = std::make_unique<TransformNode>();
  place->setPosition(std::move(move));
  place->setScale(std::move(size));
  auto& shape = static_cast<ShapeNode&>(attachNode(std::make_unique<ShapeNode>(&scene), *place));
  shape.setMeshIndex(0);
  attachNode(std::move(place), *scene.root);
  return shape;
}

// What the orbit camera frames: the shapes drawn, never one a scale of 0
// hides far below, nor a backdrop round all the others (checked both ways
// round in the list); fog from 12 to 40 is seen clearly up to 26.
TEST(SceneFacts, TheVisibleBoundsHoldTheShapesThatDraw) {
  for (bool backdropFirst : {false, true}) {
    Scene scene;
    auto source = std::make_unique<kst::RobustMesh>();
    source->SetVertices({{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}});
    source->SetTriangles({0, 1, 2, 0, 2, 3}, {0, 0}, 1);
    auto square = std::make_unique<MeshPrimitive>();
    square->source = std::move(source);
    square->build(true, 0);
    scene.addMesh(std::move(square));
    scene.root = std::make_unique<TransformNode>();
    if (backdropFirst) addSquare(scene, {0, 0, 0}, 60);
    addSquare(scene, {3, 0, 0}, 1);
    addSquare(scene, {0, -100000, 0}, 0);
    if (!backdropFirst) addSquare(scene, {0, 0, 0}, 60);
    scene.root->setScene(&scene);
    scene.update(0);
    const kstview::VisibleBounds visible = kstview::visibleBounds(scene);
    EXPECT_EQ(visible.framed.min, (persist::Vec3{2, -1, 0})) << backdropFirst;
    EXPECT_EQ(visible.framed.max, (persist::Vec3{4, 1, 0})) << backdropFirst;
    EXPECT_EQ(visible.all.min, (persist::Vec3{-60, -60, 0})) << backdropFirst;
    EXPECT_EQ(visible.all.max, (persist::Vec3{60, 60, 0})) << backdropFirst;
    EXPECT_EQ(kstview::clearSight(scene), 0.0f);
    scene.fogEnabled = true;
    scene.fogStart = 12;
    scene.fogEnd = 40;
    EXPECT_EQ(kstview::clearSight(scene), 26.0f);
  }
}

}  // namespace
