#include "support/scene_files.h"

#include <cstring>
#include <memory>

#include "scene/scene.h"
#include "scene/scene_io.h"
#include "scene/texture_image.h"

namespace fake {

void saveTestScene(const std::string& path, const persist::Colour& background, std::optional<Texel> texel) {
  Scene scene;
  scene.backgroundColor = background;
  if (texel) {
    auto picture = std::make_unique<Image32>();
    picture->setSize(4, 4);
    for (int i = 0; i < 16; ++i) std::memcpy(picture->pixels.get() + 4 * i, texel->data(), 4);
    auto texture = std::make_unique<TextureImage>();
    texture->flags = TextureImage::TEX_NO_MIPMAPS;
    texture->upload(std::move(picture));
    scene.textures.push_back(std::move(texture));
  }
  writeScene(path, scene);
}

}  // namespace fake
