// What a scene must satisfy before it is written: see checkRecipe.
#include <set>
#include <string>
#include <tuple>

#include "scenes/scene_assembly.h"

namespace showdata {
namespace {

struct Census {
  int cameras = 0;
  int lights = 0;
  std::set<std::int32_t> meshes;
};

void countNodes(const NodeRecipe& node, Census& census) {
  census.cameras += node.kind == NodeRecipe::Kind::Camera;
  census.lights += node.kind == NodeRecipe::Kind::Light;
  if (node.kind == NodeRecipe::Kind::Shape) census.meshes.insert(node.mesh);
  for (const NodeRecipe& child : node.children) countNodes(child, census);
}

void require(bool condition, const std::string& what) {
  if (!condition) throw std::logic_error("scene recipe: " + what);
}

// The render list's order of a surface: second texture, then first.
std::tuple<std::int32_t, std::int32_t> drawOrder(const SurfaceRecipe& surface) {
  return {surface.secondTexture, surface.texture};
}

}  // namespace

void checkRecipe(const SceneRecipe& recipe, int cameras) {
  const auto surfaceCount = static_cast<std::int32_t>(recipe.surfaces.size());
  const auto textureCount = static_cast<std::int32_t>(recipe.textures.size());
  std::set<std::int32_t> texturesUsed;
  for (const SurfaceRecipe& surface : recipe.surfaces)
    for (std::int32_t texture : {surface.texture, surface.secondTexture}) {
      require(texture >= -1 && texture < textureCount, surface.name + " names a texture the scene lacks");
      if (texture >= 0) texturesUsed.insert(texture);
    }
  require(static_cast<std::int32_t>(texturesUsed.size()) == textureCount, "a texture no surface uses");
  std::set<std::uint16_t> surfacesUsed;
  for (const MeshRecipe& mesh : recipe.meshes) {
    require(!mesh.mesh.triangles.empty(), "a mesh without triangles");
    for (const SceneMesh::Triangle& t : mesh.mesh.triangles) {
      require(t.surface < surfaceCount, "a triangle names a surface the scene lacks");
      surfacesUsed.insert(t.surface);
    }
  }
  require(static_cast<std::int32_t>(surfacesUsed.size()) == surfaceCount, "a surface no mesh uses");
  Census census;
  countNodes(recipe.root, census);
  require(recipe.root.kind == NodeRecipe::Kind::Transform, "the root is not a transform");
  for (std::int32_t mesh : census.meshes) require(mesh >= 0 && mesh < static_cast<std::int32_t>(recipe.meshes.size()), "a shape names a mesh the scene lacks");
  require(census.meshes.size() == recipe.meshes.size(), "a mesh no shape draws");
  require(census.cameras >= cameras, "fewer cameras than the show uses");
  require(census.lights > 0, "no light");
  for (const SurfaceRecipe& clear : recipe.surfaces) {
    if (clear.transparency <= 0.0f) continue;
    require(clear.texture >= 0 || clear.secondTexture >= 0, clear.name + " is transparent without a texture to sort it last");
    for (const SurfaceRecipe& solid : recipe.surfaces)
      if (solid.transparency <= 0.0f) require(drawOrder(solid) < drawOrder(clear), clear.name + " would draw before " + solid.name);
  }
}

}  // namespace showdata
