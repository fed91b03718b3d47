// Scene files that once crashed the engine: nodes read where no owner takes
// them (their cameras and lights must not stay listed once the store frees
// them), trees nested far deeper than a thread's stack, and a render cut
// short by an exception.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/light_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "scene/scene.h"
#include "scene/scene_io.h"
#include "scene/surfaces/surface.h"
#include "stocks/scene_loader.h"
#include "support/memory_store.h"
#include "support/picture_files.h"
#include "support/recording_gl.h"
#include "support/scene_stand_ins.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes recordBytes(persistent& object, Scene& scene) {
  fake::MemoryStore store;
  store.enterWritten(&scene);  // the scene is record 0 of a scene file
  writeRecord(object, store);
  return store.bytes;
}

// `stream` with the first occurrence of `part` replaced by `replacement`.
Bytes splice(Bytes stream, const Bytes& part, const Bytes& replacement) {
  const auto at = std::search(stream.begin(), stream.end(), part.begin(), part.end());
  EXPECT_NE(at, stream.end());
  const auto offset = at - stream.begin();
  stream.erase(at, at + static_cast<std::ptrdiff_t>(part.size()));
  stream.insert(stream.begin() + offset, replacement.begin(), replacement.end());
  return stream;
}

std::unique_ptr<Scene> readSceneRecord(const Bytes& bytes) {
  // The store frees what no owner took when it goes, as a file's does.
  fake::MemoryStore store(bytes);
  std::unique_ptr<persistent> root = readRoot(store);
  EXPECT_NE(dynamic_cast<Scene*>(root.get()), nullptr);
  return std::unique_ptr<Scene>(static_cast<Scene*>(root.release()));
}

// Children written with no parent link: a record can then take another's
// place without the back references after it pointing elsewhere.
void unlinkParents(SceneNode& node) {
  for (SceneNode* child = node.firstChild.get(); child != nullptr; child = child->nextSibling.get())
    child->parent = nullptr;
}

// A scene whose tree is root > B, A, L (cameras B and A, light L): B's
// record holds A's, which holds L's, so A is complete (and listed) before
// B. Each placement puts a stray camera node and a stray light node where
// nothing adopts them.
class StrayNodes : public ::testing::Test {
 protected:
  StrayNodes() {
    RegisterClassFactories();
    fake::RecordingGL::FillTable();
    auto root = std::make_unique<TransformNode>();
    attachNode(std::make_unique<LightNode>(LightRecord{}, &model), *root);
    attachNode(std::make_unique<CameraNode>(&model), *root);
    attachNode(std::make_unique<CameraNode>(&model), *root);
    unlinkParents(*root);
    model.root = std::move(root);
    model.addMesh(std::make_unique<MeshPrimitive>());
  }

  Bytes stray(SceneNode& node) { return recordBytes(node, model); }

  // The scene read back: cameras and lights as listed, against the nodes
  // of its tree.
  void expectOnlyTheTreeListed(const Bytes& bytes, const char* placement) {
    const std::unique_ptr<Scene> scene = readSceneRecord(bytes);
    ASSERT_NE(scene->root, nullptr) << placement;
    auto* b = dynamic_cast<CameraNode*>(scene->root->firstChild.get());
    ASSERT_NE(b, nullptr) << placement;
    auto* a = dynamic_cast<CameraNode*>(b->nextSibling.get());
    ASSERT_NE(a, nullptr) << placement;
    auto* l = dynamic_cast<LightNode*>(a->nextSibling.get());
    ASSERT_NE(l, nullptr) << placement;
    EXPECT_EQ(scene->cameras, (std::vector<Camera*>{&a->camera, &b->camera})) << placement;
    EXPECT_EQ(scene->lights, std::vector<LightRecord*>{&l->light}) << placement;
    // Drawing through every listed camera reads only live nodes.
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(scene->cameras.size()); ++i) {
      scene->setPendingCamera(i);
      scene->update(0.0f);
      scene->render();
    }
  }

  fake::FakeGLWorld world;
  Scene model;
  CameraNode strayCamera{&model};
  LightNode strayLight{LightRecord{}, &model};
};

TEST_F(StrayNodes, OnlyTheCamerasAndLightsOfTheTreeStayListedInTheirOrder) {
  const Bytes scene = recordBytes(model, model);
  const Bytes mesh = recordBytes(*model.meshes[0], model);
  const Bytes rotation = recordBytes(*std::make_unique<TransformNode::RotationControler>(), model);
  const Bytes scale = recordBytes(*std::make_unique<ConstantKeyframeHandler>(Vector3{1, 1, 1}), model);
  const Bytes camera = stray(strayCamera);
  const Bytes light = stray(strayLight);
  Bytes both = camera;
  both.insert(both.end(), light.begin(), light.end());
  // A transform that nothing adopts, holding the strays as its children.
  TransformNode holder;
  attachNode(std::make_unique<CameraNode>(&model), holder);
  attachNode(std::make_unique<LightNode>(LightRecord{}, &model), holder);
  unlinkParents(holder);
  // No surface, no texture, one mesh; or two.
  const Bytes oneMesh{0x80, 0x80, 0x81}, twoMeshes{0x80, 0x80, 0x82};

  struct Placement {
    const char* name;
    Bytes bytes;
  };
  const std::vector<Placement> placements{
      {"in the mesh list", splice(splice(scene, mesh, both), oneMesh, twoMeshes)},
      {"as the root's rotation and scale", splice(splice(scene, rotation, camera), scale, light)},
      {"below a record in the mesh list", splice(scene, mesh, recordBytes(holder, model))},
  };
  for (const Placement& placement : placements) expectOnlyTheTreeListed(placement.bytes, placement.name);
}

// A chain of transforms `levels` deep with, at the bottom, a camera at the
// origin looking along +z and a shape of two triangles at z 10 (one of
// them on the scene's one surface).
void writeDeepScene(const std::string& path, int levels) {
  Scene scene;
  scene.addSurface(std::make_unique<Surface>());
  scene.surfaces[0]->name = "first";
  scene.addMesh(standin::twoTriangleMesh("first", "second"));
  scene.root = std::make_unique<TransformNode>();
  SceneNode* bottom = scene.root.get();
  for (int level = 1; level < levels; ++level) bottom = &attachNode(std::make_unique<TransformNode>(), *bottom);
  attachNode(std::make_unique<CameraNode>(&scene), *bottom);
  auto& shape = static_cast<ShapeNode&>(attachNode(std::make_unique<ShapeNode>(&scene), *bottom));
  shape.setMeshIndex(0);
  shape.offsetMatrix = standin::translation(0, 0, 10);
  writeScene(path, scene);
}

std::size_t drawCalls() {
  const std::vector<std::string>& calls = fake::RecordingGL::Active()->calls;
  return static_cast<std::size_t>(
      std::count_if(calls.begin(), calls.end(), [](const std::string& line) { return line.starts_with("glDraw"); }));
}

// Read and prepared, drawn at two times, then freed, on the calling thread.
std::size_t drawsOfADeepScene(const std::string& path) {
  std::unique_ptr<Scene> scene = kst::readPreparedScene(path);
  if (scene == nullptr) return 0;
  const std::size_t before = drawCalls();
  scene->setPendingCamera(0);
  for (float time : {0.0f, 1.0f}) {
    scene->update(time);
    scene->render();
  }
  return drawCalls() - before;
}

TEST(DeepTrees, AHundredThousandLevelsLoadDrawAndGoOnTheMainThreadAndOnAnother) {
  RegisterClassFactories();
  fake::FakeGLWorld world;
  fake::RecordingGL::FillTable();
  const std::string path = fake::freshFolder("deep_tree") + "/deep.kst";
  writeDeepScene(path, 100000);
  EXPECT_EQ(drawsOfADeepScene(path), 2u);
  std::size_t draws = 0;
  std::thread loader([&] { draws = drawsOfADeepScene(path); });
  loader.join();
  EXPECT_EQ(draws, 2u);
}

// Draws its element, unless armed: then it throws, as a draw that runs out
// of memory would.
class Thrower : public standin::Shape {
 public:
  void render(Camera& camera, RenderList& renderList) override {
    if (armed) throw std::runtime_error("out of room");
    standin::Shape::render(camera, renderList);
  }
  bool armed = false;
};

TEST(RenderCutShort, TheNextRenderDrawsWhatAFreshSceneDraws) {
  fake::FakeGLWorld world;
  fake::RecordingGL::FillTable();
  // root > shape (element 1), thrower (element 2), camera: the shape draws first.
  auto build = [](Scene& scene, std::vector<std::unique_ptr<standin::Element>>& elements) {
    scene.addSurface(std::make_unique<Surface>());
    scene.root = std::make_unique<standin::Transform>();
    standin::attach(std::make_unique<standin::CameraHolder>(), *scene.root).setScene(&scene);
    Thrower* thrower = nullptr;
    for (int id : {2, 1}) {
      elements.push_back(std::make_unique<standin::Element>(id));
      standin::Shape& shape = id == 2 ? standin::attach(std::make_unique<Thrower>(), *scene.root)
                                      : standin::attach(std::make_unique<standin::Shape>(), *scene.root);
      shape.box = standin::box({-1, -1, 9}, {1, 1, 11});
      shape.element = elements.back().get();
      if (id == 2) thrower = static_cast<Thrower*>(&shape);
    }
    scene.setPendingCamera(0);
    return thrower;
  };
  auto frame = [&world](Scene& scene) {
    scene.update(0.0f);
    world.driver.clear();
    scene.render();
    std::vector<std::string> draws;
    for (const std::string& line : world.driver.calls)
      if (line.starts_with("glDrawArrays")) draws.push_back(line);
    return draws;
  };
  std::vector<std::unique_ptr<standin::Element>> elements;
  Scene cut;
  Thrower* thrower = build(cut, elements);
  frame(cut);
  // The tree stands still from the second frame: the walk keeps its records
  // for later frames while the thrower throws.
  thrower->armed = true;
  EXPECT_THROW(frame(cut), std::runtime_error);
  thrower->armed = false;
  thrower->invalidate();  // the next update drops what the root kept
  Scene fresh;
  build(fresh, elements);
  const std::vector<std::string> expected = frame(fresh);
  EXPECT_EQ(expected.size(), 2u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(frame(cut), expected) << "frame " << i;
}

}  // namespace
