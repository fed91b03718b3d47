#include "shell/screenshot.h"

#include <FreeImage.h>

#include <memory>
#include <vector>

#include "render/device.h"
#include "render/gl_table.h"

namespace shell {

bool saveScreenshot(const std::string& file) {
  const KS_3Ddevice* device = RenderDevice();
  if (device == nullptr) return false;
  const int width = device->width;
  const int height = device->height;
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
  gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.glReadBuffer(GL_BACK);
  gl.glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
  // GL rows run bottom-up, as FreeImage's do: no flip needed.
  std::unique_ptr<FIBITMAP, decltype(&FreeImage_Unload)> bitmap(
      FreeImage_ConvertFromRawBits(pixels.data(), width, height, width * 4, 32, FI_RGBA_RED_MASK,
                                   FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, FALSE),
      &FreeImage_Unload);
  if (!bitmap) return false;
  std::unique_ptr<FIBITMAP, decltype(&FreeImage_Unload)> opaque(FreeImage_ConvertTo24Bits(bitmap.get()),
                                                                &FreeImage_Unload);
  return opaque && FreeImage_Save(FIF_PNG, opaque.get(), file.c_str(), PNG_DEFAULT) != 0;
}

}  // namespace shell
