#pragma once
// Scene files as scenes. Reading is what the scene stock does (the caller
// then prepares the scene); writing is for tools that build scenes in code.
#include <memory>
#include <string>

class Scene;

// The scene the file holds; null when its root record is of another class.
// Throws SceneFileError naming the file, the reason and, for a damaged
// record, its persistent::exception code (also in SceneFileError::code).
// Reading uploads the scene's textures: it needs a current GL context,
// unless the textures keep their pictures for later (TextureImage::uploadKept).
std::unique_ptr<Scene> readScene(const std::string& path, bool keepPictures = false);

// One bzip2 stream (block size 9, work factor 30) holding the scene record.
// Throws SceneFileError, PictureSaveError (a texture whose picture cannot be
// stored) or std::invalid_argument (a list with an empty slot).
void writeScene(const std::string& path, Scene& scene);
