#include "scenes/scene_assembly.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include "core/picture_file.h"
#include "persist/class_registration.h"
#include "render/camera.h"
#include "render/robust_mesh.h"
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
#include "scene/texture_image.h"

namespace showdata {
namespace {

std::unique_ptr<TransformNode::KeyframeHandler> handler(const std::optional<Motion>& keys, Vector3 constant) {
  if (!keys) return std::make_unique<ConstantKeyframeHandler>(constant);
  auto animated = std::make_unique<LW6KeyframeHandler>();
  animated->x = (*keys)[0];
  animated->y = (*keys)[1];
  animated->z = (*keys)[2];
  return animated;
}

std::unique_ptr<SceneNode> transform(const NodeRecipe& recipe) {
  auto node = std::make_unique<TransformNode>();
  node->setPosition(handler(recipe.positionKeys, recipe.position));
  node->setScale(handler(recipe.scaleKeys, recipe.scale));
  if (recipe.angleKeys || recipe.angles != Vector3{})
    node->setRotation(std::make_unique<EulerAnglesRotationControler>(handler(recipe.angleKeys, recipe.angles)));
  return node;
}

std::unique_ptr<SceneNode> camera(const NodeRecipe& recipe, Scene& scene) {
  const CameraRecipe& c = recipe.camera;
  return std::make_unique<CameraNode>(Camera(c.eye, c.target, c.up, c.nearDistance, c.farDistance, c.halfWidth, c.halfHeight), &scene);
}

std::unique_ptr<SceneNode> light(const NodeRecipe& recipe, Scene& scene) {
  LightRecord description;
  description.color = {recipe.lightColour.r, recipe.lightColour.g, recipe.lightColour.b, 1.0f};
  description.position = recipe.position;
  return std::make_unique<LightNode>(description, &scene);
}

std::unique_ptr<SceneNode> node(const NodeRecipe& recipe, Scene& scene) {
  std::unique_ptr<SceneNode> made;
  switch (recipe.kind) {
    case NodeRecipe::Kind::Transform: made = transform(recipe); break;
    case NodeRecipe::Kind::Shape: {
      auto shape = std::make_unique<ShapeNode>(&scene);
      shape->setMeshIndex(recipe.mesh);
      if (recipe.withoutFog) shape->renderFlags = RenderableNode::kNoFog;
      made = std::move(shape);
      break;
    }
    case NodeRecipe::Kind::Camera: made = camera(recipe, scene); break;
    case NodeRecipe::Kind::Light: made = light(recipe, scene); break;
  }
  // Every node names its scene in the file; the reader tells only the root.
  made->scene = &scene;
  // Children are put in front of their siblings: the last one first keeps
  // the listed order, and with it the order a reader meets the cameras.
  for (auto child = recipe.children.rbegin(); child != recipe.children.rend(); ++child) attachNode(node(*child, scene), *made);
  return made;
}

void writePicture(const TextureRecipe& texture, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = encodePicture(texture.picture, texture.format);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error(path.string() + ": cannot be written");
}

// The texture names its picture file, which a save stores as it lies on
// disk; nothing is uploaded here.
std::unique_ptr<TextureImage> texture(const TextureRecipe& recipe, const std::filesystem::path& folder) {
  const std::filesystem::path path = folder / recipe.fileName;
  writePicture(recipe, path);
  auto made = std::make_unique<TextureImage>();
  if (recipe.picture.channels == 1) {
    made->image8 = std::make_unique<Image8>();
    made->image8->name = path.string();
  } else {
    made->image24 = std::make_unique<Image24>();
    made->image24->name = path.string();
  }
  return made;
}

std::unique_ptr<Surface> surface(const SurfaceRecipe& recipe) {
  auto made = std::make_unique<Mat_LW>();
  made->name = recipe.name;
  made->color = {recipe.colour.r, recipe.colour.g, recipe.colour.b, 1.0f};
  made->layer1.texture = recipe.texture;
  made->layer1.enabled = recipe.texture >= 0;
  made->layer1.wrapSCode = recipe.wrapS;
  made->layer1.wrapTCode = recipe.wrapT;
  made->layer2.texture = recipe.secondTexture;
  made->layer2.enabled = recipe.secondTexture >= 0;
  made->transparency = recipe.transparency;
  made->useVertexColors = recipe.vertexColours;
  made->setSidedness(recipe.sidedness);
  return made;
}

std::unique_ptr<Primitive> mesh(const MeshRecipe& recipe, const std::vector<std::string>& surfaceNames) {
  auto made = std::make_unique<MeshPrimitive>();
  std::vector<std::string> names;
  made->source = robustMesh(recipe.mesh, surfaceNames, recipe.texCoordSets, names);
  made->surfaceNames = std::move(names);
  made->build(false, 0);
  return made;
}

class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "showdata-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder for the scene's pictures");
    path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace

std::unique_ptr<Scene> assembleScene(const SceneRecipe& recipe, const std::filesystem::path& pictureFolder) {
  auto scene = std::make_unique<Scene>();
  std::vector<std::string> surfaceNames;
  for (const SurfaceRecipe& s : recipe.surfaces) {
    surfaceNames.push_back(s.name);
    scene->addSurface(surface(s));
  }
  for (const TextureRecipe& t : recipe.textures) scene->addTexture(texture(t, pictureFolder));
  for (const MeshRecipe& m : recipe.meshes) scene->addMesh(mesh(m, surfaceNames));
  scene->root = node(recipe.root, *scene);
  scene->backgroundColor = {recipe.background.r, recipe.background.g, recipe.background.b, 1.0f};
  scene->auxColor = {0.0f, 0.0f, 0.0f, 1.0f};
  scene->fogEnabled = recipe.fog;
  scene->fogStart = recipe.fogStart;
  scene->fogEnd = recipe.fogEnd;
  scene->fogColor = {recipe.fogColour.r, recipe.fogColour.g, recipe.fogColour.b, 1.0f};
  return scene;
}

std::vector<std::uint8_t> sceneFileBytes(const SceneRecipe& recipe, int cameras) {
  checkRecipe(recipe, cameras);
  RegisterClassFactories();  // the writer names every record by its registered class
  const TemporaryFolder folder;
  std::unique_ptr<Scene> scene = assembleScene(recipe, folder.path());
  const std::filesystem::path file = folder.path() / "scene.kst";
  writeScene(file.string(), *scene);
  std::ifstream in(file, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace showdata
