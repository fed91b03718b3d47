#include "scene/scene_io.h"

#include "persist/scene_file.h"
#include "scene/scene.h"

std::unique_ptr<Scene> readScene(const std::string& path, bool keepPictures) {
  std::unique_ptr<persistent> root = readSceneFile(path, nullptr, keepPictures);
  if (dynamic_cast<Scene*>(root.get()) == nullptr) return nullptr;
  return std::unique_ptr<Scene>(static_cast<Scene*>(root.release()));
}

void writeScene(const std::string& path, Scene& scene) { writeSceneFile(path, scene); }
