#include "support/picture_files.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <vector>

#include <unistd.h>

namespace fake {

namespace {

// The library keeps 24 and 32-bit pixels blue first on this platform.
void putPixel(BYTE* out, const std::uint8_t* in, int channels) {
  if (channels == 1) {
    out[0] = in[0];
    return;
  }
  out[FI_RGBA_RED] = in[0];
  out[FI_RGBA_GREEN] = in[1];
  out[FI_RGBA_BLUE] = in[2];
  if (channels == 4) out[FI_RGBA_ALPHA] = in[3];
}

}  // namespace

bool writePicture(const Picture& picture, const std::string& path, PictureFormat format) {
  FIBITMAP* bitmap = FreeImage_Allocate(picture.width, picture.height, 8 * picture.channels);
  if (bitmap == nullptr) return false;
  if (picture.channels == 1) {
    RGBQUAD* palette = FreeImage_GetPalette(bitmap);
    for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
  }
  const std::uint8_t* source = picture.bytes.data();
  for (int row = 0; row < picture.height; ++row) {
    BYTE* line = FreeImage_GetScanLine(bitmap, picture.height - 1 - row);  // stored bottom-up
    for (int x = 0; x < picture.width; ++x, source += picture.channels)
      putPixel(line + x * picture.channels, source, picture.channels);
  }
  const BOOL saved = format == PictureFormat::Png ? FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_DEFAULT)
                                                  : FreeImage_Save(FIF_JPEG, bitmap, path.c_str(), JPEG_QUALITYSUPERB);
  FreeImage_Unload(bitmap);
  return saved != FALSE;
}

Picture readPicture(const std::string& path) {
  Picture picture;
  FIBITMAP* file = FreeImage_Load(FreeImage_GetFileType(path.c_str()), path.c_str());
  if (file == nullptr) return picture;
  FIBITMAP* rgb = FreeImage_ConvertTo24Bits(file);
  picture.width = static_cast<int>(FreeImage_GetWidth(rgb));
  picture.height = static_cast<int>(FreeImage_GetHeight(rgb));
  for (int row = 0; row < picture.height; ++row) {
    const BYTE* line = FreeImage_GetScanLine(rgb, picture.height - 1 - row);
    for (int x = 0; x < picture.width; ++x)
      for (int channel : {FI_RGBA_RED, FI_RGBA_GREEN, FI_RGBA_BLUE}) picture.bytes.push_back(line[x * 3 + channel]);
  }
  FreeImage_Unload(rgb);
  FreeImage_Unload(file);
  return picture;
}

double meanDifference(const Picture& a, const Picture& b) {
  if (a.width != b.width || a.height != b.height || a.channels != b.channels || a.bytes.empty()) return 255.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < a.bytes.size(); ++i) sum += std::abs(int{a.bytes[i]} - int{b.bytes[i]});
  return sum / static_cast<double>(a.bytes.size());
}

namespace {

// The folders a test program made go with it when it ends.
class MadeFolders {
 public:
  ~MadeFolders() {
    std::error_code ignored;
    for (const std::filesystem::path& folder : folders_) std::filesystem::remove_all(folder, ignored);
  }
  void add(const std::filesystem::path& folder) {
    std::lock_guard lock(mutex_);
    folders_.push_back(folder);
  }

 private:
  std::mutex mutex_;
  std::vector<std::filesystem::path> folders_;
};

}  // namespace

std::string freshFolder(const std::string& label) {
  static std::atomic<int> counter{0};
  static MadeFolders made;
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                       ("skyward_" + label + "_" + std::to_string(::getpid()) + "_" +
                                        std::to_string(counter++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  made.add(folder);
  return folder.string();
}

std::vector<std::uint8_t> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace fake
