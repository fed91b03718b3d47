// The scenes and light volumes in the data set.
#include "scenes/light_shafts.h"
#include "scenes/scene_assembly.h"
#include "scenes/scenes.h"

namespace showdata {

const std::vector<SceneFile>& sceneFiles() {
  static const std::vector<SceneFile> files = {
      {"demo\\mosquee.kst", "scene: the domed hall with its windows, arcades and oculus, 32.6 s", {32.6f, 1}, mosqueScene},
      {"demo\\cubes.kst", "scene: a field of cubes under a running wave, 19.5 s", {19.5f, 1}, cubesScene},
      {"demo\\metaballs.kst", "scene: a flipbook of merging blobs, 34 s", {34.0f, 1}, metaballsScene},
      {"demo\\Artifice.kst", "scene: fireworks over the city at night, 39.5 s, two cameras", {39.5f, 2}, fireworksScene},
      {"demo\\fin2.kst", "scene: the emblem's monument in space, endless, four cameras", {0.0f, 4}, monumentScene},
  };
  return files;
}

std::vector<DataFile> sceneDataFiles(int pictureScale) {
  std::vector<DataFile> files;
  for (const SceneFile& scene : sceneFiles()) {
    SceneUse use = scene.use;
    use.pictureScale = pictureScale;
    files.push_back({scene.name, scene.what, [&scene, use] { return sceneFileBytes(scene.recipe(use), use.cameras); }});
  }
  for (DataFile& volume : lightShaftFiles()) files.push_back(std::move(volume));
  return files;
}

}  // namespace showdata
