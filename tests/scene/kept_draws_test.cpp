// Records a still part of a scene drew in one frame, added again in later
// frames of the same view: whatever changes what would be drawn (the
// camera, a node moved, attached or detached, a mesh replaced, a surface
// added, render flags) draws exactly what a scene built afresh in that state
// draws, in the same order.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene/animation/keyframe_handler.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/mesh/primitive.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "scene/surfaces/surface.h"
#include "support/recording_gl.h"
#include "support/scene_stand_ins.h"

namespace {

using Strings = std::vector<std::string>;

// A mesh of one sub-mesh, named "second", that adds one record for its own
// element: to the surface its name was resolved to, to surface 0 before.
class ElementMesh : public Primitive {
 public:
  explicit ElementMesh(int id) : element(id) {
    box = standin::box({-1, -1, -1}, {1, 1, 1});
    addSubMesh("second");
  }
  void render(Camera&, const Matrix44& worldMatrix, RenderList& renderList, std::int32_t flags) override {
    renderList.add(element, 0.0f, flags, surfaceIndices.empty() ? 0 : surfaceIndices.front(), worldMatrix);
  }
  standin::Element element;
};

// root > group (at z 20) > shapes 1, 2, 3 at x −6, 0, 6 on surfaces 0, 1
// and 2 (there are two surfaces: the third draws nothing), and a shape of
// mesh 0 (element 10); root > a mover that draws nothing and stops moving
// when told. Shape n draws element n. Seen from the origin along +z, 90
// degrees across.
struct StillScene {
  StillScene() {
    scene.addSurface(std::make_unique<Surface>());
    scene.addSurface(std::make_unique<Surface>());
    scene.surfaces[1]->name = "second";
    scene.addMesh(std::make_unique<ElementMesh>(10));
    scene.root = std::make_unique<standin::Transform>();
    mover = &standin::attach(std::make_unique<standin::Transform>(), *scene.root);
    group = &standin::attach(std::make_unique<TransformNode>(), *scene.root);
    group->setPosition(std::make_unique<ConstantKeyframeHandler>(Vector3{0, 0, 20}));
    for (int n = 1; n <= 3; ++n) shapes.push_back(&shapeAt(static_cast<float>(n - 2) * 6, n, n - 1));
    auto& meshShape = standin::attach(std::make_unique<standin::MeshShape>(), *group);
    meshShape.meshIndex = 0;
    meshShape.scene = &scene;
    scene.addCamera(&camera);
    scene.setPendingCamera(0);
  }

  standin::Shape& shapeAt(float x, int n, int surface) {
    elements.push_back(std::make_unique<standin::Element>(n));
    auto& shape = standin::attach(std::make_unique<standin::Shape>(), *group);
    shape.box = standin::box({x - 1, -1, -1}, {x + 1, 1, 1});
    shape.offsetMatrix = standin::translation(x, 0, 0);
    shape.surface = static_cast<std::uint32_t>(surface);
    shape.element = elements.back().get();
    return shape;
  }

  std::vector<std::unique_ptr<standin::Element>> elements;  // outlive the nodes
  Camera camera{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 1.0f, 1.0f};
  Scene scene;
  TransformNode* group;
  standin::Transform* mover;
  std::vector<standin::Shape*> shapes;
  std::unique_ptr<SceneNode> taken;
};

struct Change {
  std::string name;
  std::function<void(StillScene&)> apply;
  bool betweenUpdateAndRender = false;
};

class KeptDraws : public ::testing::Test {
 protected:
  KeptDraws() {
    fake::RecordingGL::FillTable();
    world.driver.on<GLEntryId::glMultMatrixf>([this](const GLfloat* m) {
      char text[64];
      std::snprintf(text, sizeof text, "at (%g, %g, %g)", m[12], m[13], m[14]);
      world.driver.record(text);
    });
  }

  // The frame's draws in order: each record's place, then its draw call.
  Strings frame(StillScene& still, const Change* change = nullptr) {
    if (change != nullptr && !change->betweenUpdateAndRender) change->apply(still);
    still.scene.update(0.0f);
    if (change != nullptr && change->betweenUpdateAndRender) change->apply(still);
    world.driver.clear();
    still.scene.render();
    Strings draws;
    for (const std::string& line : world.driver.calls)
      if (line.starts_with("at (") || line.starts_with("glDrawArrays")) draws.push_back(line);
    return draws;
  }

  fake::FakeGLWorld world;
};

TEST_F(KeptDraws, EveryChangeIsDrawn) {
  const std::vector<Change> changes{
      {"camera turned", [](StillScene& s) { s.camera.SetTarget({1, 0, 1}); }},
      {"camera moved", [](StillScene& s) { s.camera.SetEye({0, 0, 10}); }},
      {"camera window narrowed", [](StillScene& s) { s.camera.SetHalfWidth(0.2f); }},
      {"camera far plane drawn in", [](StillScene& s) { s.camera.SetFar(15.0f); }},
      {"node moved", [](StillScene& s) { s.group->setPosition(std::make_unique<ConstantKeyframeHandler>(Vector3{0, 2, 30})); }},
      {"node attached", [](StillScene& s) { s.shapeAt(3, 4, 0); }},
      {"node attached after the update", [](StillScene& s) { s.shapeAt(3, 4, 0); }, true},
      {"node detached", [](StillScene& s) { s.taken = s.shapes[1]->detach(); }},
      {"mesh replaced after the update",
       [](StillScene& s) { s.scene.meshes[0] = std::make_unique<ElementMesh>(20); }, true},
      {"surface added", [](StillScene& s) { s.scene.addSurface(std::make_unique<Surface>()); }},
      {"surface names resolved", [](StillScene& s) { s.scene.prepareAfterLoad(); }},
      {"render flags written, then invalidated",
       [](StillScene& s) {
         s.shapes[0]->renderFlags = RenderableNode::kNoFog;
         s.shapes[0]->invalidate();
       }},
  };
  for (const Change& change : changes) {
    StillScene kept;
    for (int i = 0; i < 3; ++i) frame(kept);
    const Strings drawn = frame(kept, &change);
    StillScene fresh;
    EXPECT_EQ(drawn, frame(fresh, &change)) << change.name;
    for (int i = 0; i < 2; ++i) EXPECT_EQ(frame(kept), frame(fresh)) << change.name << ", frame " << i;
    StillScene unchanged;
    EXPECT_NE(drawn, frame(unchanged)) << change.name << " changes nothing";
  }
}

// The group stands still before the whole tree does: what the group kept
// goes into what the root keeps.
TEST_F(KeptDraws, AStillSceneDrawsTheSameEveryFrame) {
  StillScene still;
  still.mover->animated = true;
  const Strings first = frame(still);
  EXPECT_EQ(first.size(), 6u);  // shapes 1, 2 and the mesh: a place and a draw each
  for (int i = 0; i < 6; ++i) {
    if (i == 2) {
      still.mover->animated = false;
      still.mover->invalidate();
    }
    EXPECT_EQ(frame(still), first) << i;
  }
}

// A real shape node over a real mesh of three triangles: the first on
// surface "a" (one chunk of 3 indices), the other two on "b" (one chunk of
// 6), in front of the camera.
struct MeshScene {
  MeshScene() {
    for (const char* name : {"a", "b"}) {
      scene.addSurface(std::make_unique<Surface>());
      scene.surfaces.back()->name = name;
    }
    auto mesh = std::make_unique<MeshPrimitive>();
    mesh->source = std::make_unique<kst::RobustMesh>();
    mesh->source->SetVertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 1, 0}});
    mesh->source->SetTriangles({0, 1, 2, 1, 3, 2, 1, 4, 3}, {0, 1, 1}, 2);
    mesh->addSubMesh("a");
    mesh->addSubMesh("b");
    mesh->build(true, 0);
    scene.addMesh(std::move(mesh));
    scene.root = std::make_unique<TransformNode>();
    auto& shape = standin::attach(std::make_unique<ShapeNode>(&scene), *scene.root);
    shape.setMeshIndex(0);
    shape.offsetMatrix = standin::translation(0, 0, 10);
    scene.addCamera(&camera);
    scene.setPendingCamera(0);
    scene.prepareAfterLoad();
  }
  MeshPrimitive& mesh() { return static_cast<MeshPrimitive&>(*scene.meshes[0]); }

  Camera camera{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 1.0f, 1.0f};
  Scene scene;
};

// The index counts of the frame's draws, in order.
std::vector<int> drawnCounts(fake::RecordingGL& driver, Scene& scene) {
  scene.update(0.0f);
  driver.clear();
  scene.render();
  std::vector<int> counts;
  for (const std::string& line : driver.calls) {
    int mode = 0, count = 0;
    if (std::sscanf(line.c_str(), "glDrawElements(%d, %d", &mode, &count) == 2) counts.push_back(count);
  }
  return counts;
}

TEST_F(KeptDraws, AMeshChangedInPlaceIsDrawnAsItNowIs) {
  SetGLCapability(GLCap::EXT_draw_range_elements, 0);
  struct Edit {
    const char* name;
    std::function<void(MeshPrimitive&)> apply;
    std::vector<int> drawn;
  };
  const std::vector<Edit> edits{
      {"rebuilt with every triangle on surface a",
       [](MeshPrimitive& mesh) {
         mesh.source->SetTriangles({0, 1, 2, 1, 3, 2, 1, 4, 3}, {0, 0, 0}, 2);
         mesh.build(true, 0);
       },
       {9}},
      {"surface indices swapped",
       [](MeshPrimitive& mesh) {
         std::swap(mesh.surfaceIndices[0], mesh.surfaceIndices[1]);
         mesh.bumpGeneration();
       },
       {6, 3}},
  };
  for (const Edit& edit : edits) {
    MeshScene still;
    for (int i = 0; i < 3; ++i) ASSERT_EQ(drawnCounts(world.driver, still.scene), (std::vector<int>{3, 6}));
    edit.apply(still.mesh());
    for (int i = 0; i < 2; ++i) EXPECT_EQ(drawnCounts(world.driver, still.scene), edit.drawn) << edit.name;
  }
}

}  // namespace
