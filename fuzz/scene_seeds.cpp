// Writes the seed inputs of read_scene_fuzz into a folder: the streams of
// scenes from the scene writer that hold, between them, every stored class,
// an empty scene, and a tree with a camera where no owner takes it.
//   scene_seeds FOLDER
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/bone_node.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/light_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "support/memory_store.h"

namespace {

template <typename ImageType>
std::unique_ptr<ImageType> picture(int width, int height) {
  auto image = std::make_unique<ImageType>();
  image->setSize(width, height);
  for (std::size_t i = 0; i < image->byteSize(); ++i) image->pixels[i] = static_cast<std::uint8_t>(37 * i);
  return image;
}

std::unique_ptr<MeshPrimitive> mesh() {
  auto source = std::make_unique<kst::RobustMesh>();
  source->SetVertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}, {2, 0, 1}});
  source->SetTriangles({0, 1, 2, 1, 3, 2, 1, 4, 3}, {0, 1, 1}, 2);
  source->SetCornerColours(std::vector<kst::Rgba>(9, kst::Rgba{200, 100, 50, 255}));
  for (float v : {0.0f, 0.5f}) source->AddCornerTexCoords(std::vector<kst::TexCoord>(9, kst::TexCoord{v, 1 - v}));
  auto made = std::make_unique<MeshPrimitive>();
  made->source = std::move(source);
  made->addSubMesh("lw");
  made->addSubMesh("plain");
  made->build(true, kst::RobustMesh::kBuildNormals);
  return made;
}

std::unique_ptr<LW6KeyframeHandler> envelopes(float scale) {
  auto handler = std::make_unique<LW6KeyframeHandler>();
  for (Envelope* channel : {&handler->x, &handler->y, &handler->z}) {
    channel->addKey(0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    channel->addKey(2.0f, scale, 0.5f, -0.5f, 0.25f).shape = 1;
    channel->postBehavior = 2;
  }
  return handler;
}

void fillTree(Scene& scene) {
  auto root = std::make_unique<TransformNode>();
  root->setPosition(envelopes(3.0f));
  root->setRotation(std::make_unique<EulerAnglesRotationControler>(envelopes(90.0f)));
  root->setPivot({0.5f, 0.5f, 0.0f});
  auto& turned = static_cast<TransformNode&>(attachNode(std::make_unique<TransformNode>(), *root));
  turned.setRotation(std::make_unique<QuaternionRotationControler>(Quaternion{0.0f, 0.7071f, 0.0f, 0.7071f}));
  turned.setScale(std::make_unique<ConstantKeyframeHandler>(Vector3{2, 2, 2}));
  auto& shape = static_cast<ShapeNode&>(attachNode(std::make_unique<ShapeNode>(&scene), turned));
  shape.setMeshIndex(0);
  shape.renderFlags = RenderableNode::kNoFog;
  shape.offsetMatrix = Matrix44{}.Translation(0, 0, 8);
  attachNode(std::make_unique<BoneNode>(), turned);
  LightRecord light;
  light.position = {1, 2, 3};
  attachNode(std::make_unique<LightNode>(light, &scene), *root);
  attachNode(std::make_unique<CameraNode>(&scene), *root);
  scene.root = std::move(root);
  scene.root->setScene(&scene);
}

std::unique_ptr<Scene> everyClass() {
  auto scene = std::make_unique<Scene>();
  auto plain = std::make_unique<Surface>();
  plain->name = "plain";
  scene->addSurface(std::move(plain));
  auto lw = std::make_unique<Mat_LW>();
  lw->name = "lw";
  lw->layer1 = {0, 1, 2, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR, true};
  lw->layer2 = {1, 0, 0, GL_NEAREST, GL_NEAREST, true};
  lw->useVertexColors = true;
  scene->addSurface(std::move(lw));
  auto texture = std::make_unique<TextureImage>();
  texture->upload(picture<Image32>(4, 2));
  texture->upload(picture<Image24>(3, 3));
  scene->addTexture(std::move(texture));
  auto grey = std::make_unique<TextureImage>();
  grey->upload(picture<Image8>(2, 5));
  scene->addTexture(std::move(grey));
  scene->addMesh(mesh());
  fillTree(*scene);
  scene->fogEnabled = true;
  scene->fogStart = 2;
  scene->fogEnd = 30;
  return scene;
}

// The tree's camera, and one more in the mesh list where nothing adopts it.
std::vector<std::uint8_t> strayCamera() {
  Scene scene;
  fillTree(scene);
  CameraNode stray(&scene);
  fake::MemoryStore store;
  store.writeString(Scene::storedName);
  store.writeValue<std::int16_t>(0);
  store.enterWritten(&scene);
  for (std::uint32_t count : {0u, 0u, 1u}) store.writeVarint(count);
  writeRecord(stray, store);
  store.writeValue<std::uint8_t>(1);
  writeRecord(*scene.root, store);
  for (int i = 0; i < 8; ++i) store.writeValue(0.5f);  // aux and background colours
  store.writeValue(false);                               // no fog
  for (int i = 0; i < 6; ++i) store.writeValue(1.0f);  // fog start, end, colour
  return store.bytes;
}

void save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

void saveStream(const std::string& path, Scene& scene) {
  fake::MemoryStore store;
  writeRecord(scene, store);
  save(path, store.bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: scene_seeds FOLDER\n");
    return 2;
  }
  RegisterClassFactories();
  const std::string folder = argv[1];
  Scene empty;
  saveStream(folder + "/empty", empty);
  saveStream(folder + "/every_class", *everyClass());
  save(folder + "/stray_camera", strayCamera());
  return 0;
}
