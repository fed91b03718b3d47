#include <set>

#include "layers/bitmap_layers.h"
#include "platform/data_files.h"
#include "render/gl_state_cache.h"
#include "scene/texture_image.h"
#include "base/log.h"
#include "stocks/bitmap_stock.h"

namespace kst {

namespace {

// A missing bitmap is a fault of the show script; the show goes on without
// the layer, and the log says so once rather than every frame.
TextureImage* findBitmap(const std::string& name) {
  TextureImage* bitmap = theBitmapStock().get(name.c_str());
  static std::set<std::string> reported;
  if (bitmap == nullptr && reported.insert(name).second)
    log("** Warning: bitmap \"%s\" is not in the bitmap stock: its layer draws nothing\n",
        platform::shownName(name).c_str());
  return bitmap;
}

}  // namespace

TextureImage* TexturedBrush::beginBitmap(float localTime) {
  TextureImage* bitmap = findBitmap(bitmapName);
  if (bitmap == nullptr) return nullptr;
  EvaluateParameters(localTime, values);
  UseScreenCoordinates();
  glStateCache.SetTextureMask(1);
  prepareTexture(*bitmap);
  bitmap->bind(0);
  return bitmap;
}

void TexturedBrush::endBitmap() { glStateCache.SetTextureMask(0); }

}  // namespace kst
