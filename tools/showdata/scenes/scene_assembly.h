#pragma once
// A scene recipe made into the engine's Scene and written as a scene file:
// Mat_LW surfaces, textures holding the pictures as embedded JPEG or PNG
// files, MeshPrimitives over robust meshes (normals, colours, coordinates),
// and the node tree with its keyframe handlers and rotation controllers.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

#include "scenes/scene_recipe.h"

class Scene;

namespace showdata {

// What makes a recipe unfit for the show, checked before anything is
// written: an index out of range; a texture, surface or mesh nothing uses;
// a mesh without triangles; fewer than `cameras` cameras; no light; a
// transparent surface that would draw before an opaque one (the render
// list sorts by second texture, then first texture, then transparency).
// Throws std::logic_error naming what is wrong.
void checkRecipe(const SceneRecipe& recipe, int cameras);

// The pictures are written as files into `pictureFolder`, which must exist
// and outlive the scene: the textures name them and a save reads them.
std::unique_ptr<Scene> assembleScene(const SceneRecipe& recipe, const std::filesystem::path& pictureFolder);

// The bytes of the scene file (checked, assembled and written through a
// temporary folder of its own).
std::vector<std::uint8_t> sceneFileBytes(const SceneRecipe& recipe, int cameras);

}  // namespace showdata
