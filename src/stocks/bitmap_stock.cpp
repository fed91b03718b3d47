#include "stocks/bitmap_stock.h"

#include <GL/gl.h>

#include <string>

#include "platform/data_files.h"
#include "scene/image_decoding.h"
#include "stocks/bitmap_building.h"
#include "stocks/load_error.h"

namespace kst {

namespace {

template <typename ImageType>
std::unique_ptr<ImageType> readPicture(const char* file) {
  const std::string name = file != nullptr ? file : "";
  if (!platform::dataFileExists(name)) throw LoadError(name, "cannot open the file");
  auto picture = std::make_unique<ImageType>();
  if (!LoadImage(*picture, name)) throw LoadError(name, "cannot decode the picture");
  return picture;
}

// Full-screen and mask textures are drawn at their own size: no mipmaps,
// and no repeat at the edges.
std::unique_ptr<TextureImage> screenTexture(std::uint32_t flags) {
  auto texture = std::make_unique<TextureImage>();
  texture->flags = flags;
  texture->setWrapS(GL_CLAMP);
  texture->setWrapT(GL_CLAMP);
  return texture;
}

}  // namespace

void BitmapStock::loadBackdrop(const char* file) {
  load(file, {file}, [file] {
    const auto picture = readPicture<Image24>(file);
    auto padded = PadToPowerOfTwo(*picture);
    // Named after its file, the texture keeps no second copy of the pixels.
    padded->name = picture->name;
    auto texture = screenTexture(TextureImage::TEX_NO_MIPMAPS);
    texture->name = file;
    texture->upload(std::move(padded));
    return texture;
  });
}

void BitmapStock::loadAlpha(const char* file) {
  load(file, {file}, [file] {
    auto picture = readPicture<Image8>(file);
    auto texture = screenTexture(TextureImage::TEX_NO_MIPMAPS | TextureImage::TEX_ALPHA_ONLY);
    texture->name = file;
    texture->upload(std::move(picture));
    return texture;
  });
}

void BitmapStock::loadWithAlpha(const char* name, const char* colourFile, const char* alphaFile) {
  load(name, {colourFile, alphaFile}, [=] {
    const auto colour = readPicture<Image24>(colourFile);
    const auto alpha = readPicture<Image8>(alphaFile);
    auto merged = MergeAlpha(*colour, *alpha);
    if (merged == nullptr) {
      throw LoadError(alphaFile, "its size " + std::to_string(alpha->width) + "x" + std::to_string(alpha->height) +
                                     " differs from the colour picture " + colourFile + " (" +
                                     std::to_string(colour->width) + "x" + std::to_string(colour->height) + ")");
    }
    merged->name = name != nullptr ? name : "";
    auto texture = screenTexture(TextureImage::TEX_NO_MIPMAPS);
    texture->name = merged->name;
    texture->upload(std::move(merged));
    return texture;
  });
}

BitmapStock& theBitmapStock() {
  static BitmapStock stock;
  return stock;
}

}  // namespace kst
