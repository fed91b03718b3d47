// kstview's orbit camera: drags, pans and wheel clicks against the eye they
// lead to, each worked out by hand from the camera's conventions (eye on the
// target's -z side at yaw 0 and pitch 0, half a degree a pixel, 10% closer
// a click, a pixel at the target's depth being 2 d tan 30 / 600 wide).
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "orbit_camera.h"

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
// camera made from it sees the middle and reaches past the far corner.
TEST(OrbitCamera, FramesTheBoxAndItsCameraHoldsIt) {
  OrbitCamera orbit;
  orbit.frame(sceneBox());
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

}  // namespace
