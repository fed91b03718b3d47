// Scenes in scene files: the record bytes, a round trip through a file, and
// files whose root is no scene or that do not read.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "persist/persistent_file.h"
#include "persist/scene_file.h"
#include "recorded_textures.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/scene.h"
#include "scene/scene_io.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "support/memory_store.h"
#include "support/picture_files.h"
#include "support/scene_stand_ins.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void appendText(Bytes& bytes, const char* text) { bytes.insert(bytes.end(), text, text + std::strlen(text) + 1); }

void appendFloats(Bytes& bytes, std::initializer_list<float> values) {
  for (float value : values) {
    std::uint8_t raw[4];
    std::memcpy(raw, &value, 4);
    bytes.insert(bytes.end(), raw, raw + 4);
  }
}

Bytes fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

class SceneStore : public scenetest::RecordedTextures {
 protected:
  SceneStore() {
    RegisterClassFactories();
    standin::registerNodes();
  }

  std::string path(const char* name) const { return folder + "/" + name; }

  std::string folder = fake::freshFolder("scene_store");
};

TEST_F(SceneStore, EmptySceneBytesReadAsAnEmptyScene) {
  Bytes bytes;
  appendText(bytes, "class Scene");
  bytes.insert(bytes.end(), {0x00, 0x00, 0x80, 0x80, 0x80, 0x00});
  appendFloats(bytes, {1, 2, 3, 4, 0.5f, 0.25f, 0.125f, 1});
  bytes.push_back(1);
  appendFloats(bytes, {10, 20, 0.75f, 0.5f, 0.25f, 0});
  fake::MemoryStore store(bytes);
  std::unique_ptr<Scene> scene = store.adopt<Scene>(readRecord(store));
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(store.position, bytes.size());
  EXPECT_TRUE(scene->surfaces.empty() && scene->textures.empty() && scene->meshes.empty());
  EXPECT_EQ(scene->root, nullptr);
  EXPECT_EQ(scene->auxColor, (persist::Colour{1, 2, 3, 4}));
  EXPECT_EQ(scene->backgroundColor, (persist::Colour{0.5f, 0.25f, 0.125f, 1}));
  EXPECT_TRUE(scene->fogEnabled);
  EXPECT_EQ(scene->fogStart, 10.0f);
  EXPECT_EQ(scene->fogEnd, 20.0f);
  EXPECT_EQ(scene->fogColor, (persist::Colour{0.75f, 0.5f, 0.25f, 0}));
}

// Every stored class of the scene: both surface kinds, a texture, a mesh
// with its source, and a tree of stand-in nodes with a camera.
std::unique_ptr<Scene> fullScene() {
  auto scene = std::make_unique<Scene>();
  auto plain = std::make_unique<Surface>();
  plain->name = "plain";
  plain->color = {0.5f, 0.25f, 1, 1};
  plain->diffuse = 0.75f;
  plain->sortKey = 300;
  plain->setSidedness(1);
  scene->addSurface(std::move(plain));
  auto lw = std::make_unique<Mat_LW>();
  lw->name = "lw";
  lw->layer1 = {0, 1, 2, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, true};
  lw->transparency = 0.5f;
  lw->useVertexColors = true;
  scene->addSurface(std::move(lw));
  auto image = std::make_unique<Image24>();
  image->setSize(4, 2);
  for (std::size_t i = 0; i < image->byteSize(); ++i) image->pixels[i] = static_cast<std::uint8_t>(7 * i);
  auto texture = std::make_unique<TextureImage>();
  texture->flags = TextureImage::TEX_NO_MIPMAPS;
  texture->upload(std::move(image));
  scene->addTexture(std::move(texture));
  scene->addMesh(standin::twoTriangleMesh("lw", "plain"));

  scene->root = std::make_unique<standin::Transform>();
  auto& root = static_cast<standin::Transform&>(*scene->root);
  root.local = standin::translation(1, 2, 3);
  root.animated = true;
  auto& holder = standin::attach(std::make_unique<standin::CameraHolder>(), root);
  holder.reference.SetEye({0, 0, -5});
  auto& shape = standin::attach(std::make_unique<standin::Shape>(), root);
  shape.box = standin::box({-1, -2, -3}, {1, 2, 3});
  shape.surface = 1;
  shape.renderFlags = RenderableNode::kNoFog;
  shape.offsetMatrix = standin::translation(0, 0, 9);
  auto& meshShape = standin::attach(std::make_unique<standin::MeshShape>(), shape);
  meshShape.meshIndex = 0;
  meshShape.scene = scene.get();
  standin::attach(std::make_unique<standin::Transform>(), shape);
  scene->root->setScene(scene.get());
  for (SceneNode* node : {static_cast<SceneNode*>(&holder), static_cast<SceneNode*>(&shape), shape.firstChild.get()})
    node->scene = scene.get();
  scene->backgroundColor = {0.1f, 0.2f, 0.3f, 1};
  scene->fogEnabled = true;
  scene->fogStart = 4;
  scene->fogEnd = 40;
  scene->fogColor = {0.5f, 0.5f, 0.5f, 1};
  return scene;
}

// Writing what was read gives the same bytes: every stored field came back.
// What the bytes cannot show is checked here: links into the new scene.
TEST_F(SceneStore, EveryClassComesBackAndWritesTheSameBytesAgain) {
  std::unique_ptr<Scene> original = fullScene();
  writeScene(path("full.kst"), *original);
  std::unique_ptr<Scene> back = readScene(path("full.kst"));
  ASSERT_NE(back, nullptr);
  writeScene(path("again.kst"), *back);
  EXPECT_EQ(fileBytes(path("again.kst")), fileBytes(path("full.kst")));

  ASSERT_EQ(back->surfaces.size(), 2u);
  EXPECT_EQ(back->surfaces[1]->scene, back.get());
  EXPECT_EQ(dynamic_cast<Mat_LW&>(*back->surfaces[1]).layer1.wrapTCode, 2u);
  ASSERT_EQ(back->textures.size(), 1u);
  ASSERT_NE(back->textures[0]->image24, nullptr);
  EXPECT_EQ(back->textures[0]->image24->pixels[23], 7 * 23);
  ASSERT_EQ(back->meshes.size(), 1u);
  const auto* mesh = dynamic_cast<const MeshPrimitive*>(back->meshes[0].get());
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->chunks.size(), 2u);  // built again from the source read back
  const SceneNode* shape = back->root->firstChild.get();
  ASSERT_NE(dynamic_cast<const standin::Shape*>(shape), nullptr);
  EXPECT_EQ(shape->parent, back->root.get());
  EXPECT_EQ(shape->firstChild->parent, shape);
  const auto* holder = dynamic_cast<const standin::CameraHolder*>(shape->nextSibling.get());
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(back->cameras, std::vector<Camera*>{const_cast<Camera*>(&holder->camera)});
  EXPECT_EQ(holder->scene, back.get());
}

TEST_F(SceneStore, SurfacesReferToTheSceneAsRecordZero) {
  std::unique_ptr<Scene> scene = fullScene();
  fake::MemoryStore store;
  writeRecord(*scene, store);
  const Bytes& bytes = store.bytes;
  auto find = [&bytes](const char* text) {
    const auto at = std::search(bytes.begin(), bytes.end(), text, text + std::strlen(text) + 1);
    return static_cast<std::size_t>(at - bytes.begin());
  };
  // name, version, "plain", colour, diffuse, sort key (2 bytes), culling, cull mode
  const std::size_t plainScene = find("class Surface") + 14 + 2 + 6 + 16 + 4 + 2 + 1 + 4;
  EXPECT_EQ(Bytes(bytes.begin() + plainScene, bytes.begin() + plainScene + 2), (Bytes{0x02, 0x80}));
  // ... then layer 1 (texture 0, wraps 1 and 2, the two filters, enabled) and layer 2's texture -1.
  const std::size_t layer2 = find("class Mat_LW") + 13 + 2 + 3 + 16 + 4 + 1 + 1 + 4 + 2 + (1 + 1 + 1 + 2 + 2 + 1);
  EXPECT_EQ(Bytes(bytes.begin() + layer2, bytes.begin() + layer2 + 5), (Bytes{0x7F, 0x7F, 0x7F, 0x7F, 0x8F}));
}

TEST_F(SceneStore, OtherRootsGiveNoSceneAndDamageNamesFileAndCode) {
  standin::Shape notAScene;
  writeSceneFile(path("shape.kst"), notAScene);
  EXPECT_EQ(readScene(path("shape.kst")), nullptr);

  std::unique_ptr<Scene> scene = fullScene();
  fake::MemoryStore store;
  writeRecord(*scene, store);
  Bytes bytes = store.bytes;
  const auto at = std::search(bytes.begin(), bytes.end(), "class Mat_LW", "class Mat_LW" + 12);
  *(at + 13) = 1;  // version 1
  FILE* file = std::fopen(path("bad.kst").c_str(), "wb");
  ASSERT_NE(file, nullptr);
  {
    persistent_file out(file, persistent_file::Writing, true);
    out.writeBytes(bytes.data(), bytes.size());
  }
  try {
    readScene(path("bad.kst"));
    FAIL() << "read a damaged scene";
  } catch (const SceneFileError& error) {
    EXPECT_EQ(error.code, persistent::VersionMismatch);
    const std::string text = error.what();
    EXPECT_NE(text.find("bad.kst"), std::string::npos);
    EXPECT_NE(text.find("persistent::exception 1"), std::string::npos);
  }
}

}  // namespace
