#pragma once
// The five scenes of the show, each as a recipe (scene_recipe.h), and the
// data-set entries that write them.
#include <vector>

#include "data_set.h"
#include "scenes/scene_recipe.h"

namespace showdata {

// How the show plays a scene: for how long (its layer's duration; 0 when
// the layer never ends) and through which cameras (numbers 0 .. cameras - 1);
// and the data set's scale its textures are painted at.
struct SceneUse {
  float duration;
  int cameras;
  int pictureScale = 1;

  // How long the scene is seen: its duration, or for the endless closing
  // scene the 75 s it plays before the final logo covers it.
  float seen() const { return duration > 0.0f ? duration : 75.0f; }
};

SceneRecipe mosqueScene(const SceneUse& use);     // demo\mosquee.kst: the domed hall
SceneRecipe cubesScene(const SceneUse& use);      // demo\cubes.kst: the rippling field of cubes
SceneRecipe metaballsScene(const SceneUse& use);  // demo\metaballs.kst: the blob flipbook
SceneRecipe fireworksScene(const SceneUse& use);  // demo\Artifice.kst: fireworks over the city
SceneRecipe monumentScene(const SceneUse& use);   // demo\fin2.kst: the closing monument

struct SceneFile {
  const char* name;  // the show's name
  const char* what;
  SceneUse use;
  SceneRecipe (*recipe)(const SceneUse& use);
};
const std::vector<SceneFile>& sceneFiles();

// The scene files, their textures at the data set's scale, and the light
// volumes of the hall.
std::vector<DataFile> sceneDataFiles(int pictureScale = 1);

}  // namespace showdata
