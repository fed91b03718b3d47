// TextureImage records in scene files.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "persist/persistent_store.h"
#include "platform/data_files.h"
#include "scene/image_decoding.h"
#include "scene/texture_image.h"
#include "base/log.h"

namespace {

enum : std::uint8_t { kEmbeddedFile = 0, kRawPixels = 1 };

// Reads `size` bytes a piece at a time, so that a damaged length costs no
// more memory than the stream really holds before it runs out.
std::vector<std::uint8_t> readBytes(persistent_store& store, std::uint64_t size) {
  constexpr std::uint64_t kPiece = 1 << 20;
  std::vector<std::uint8_t> bytes;
  while (bytes.size() < size) {
    const std::size_t at = bytes.size();
    bytes.resize(at + static_cast<std::size_t>(std::min(kPiece, size - at)));
    store.readBytes(bytes.data() + at, bytes.size() - at);
  }
  return bytes;
}

std::vector<std::uint8_t> pictureFile(const std::string& name) {
  std::FILE* file = platform::openDataFile(name, "rb");
  if (file == nullptr) throw PictureSaveError(name, std::string("cannot open its file: ") + std::strerror(errno));
  std::vector<std::uint8_t> bytes;
  std::uint8_t piece[65536];
  for (std::size_t n; (n = std::fread(piece, 1, sizeof piece, file)) > 0;) bytes.insert(bytes.end(), piece, piece + n);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw PictureSaveError(name, "cannot read its file");
  return bytes;
}

std::string lastPathComponent(const std::string& name) {
  const std::size_t slash = name.find_last_of("\\/");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

template <typename ImageType>
constexpr bool kHasByteOrder = ImageType::kBytesPerPixel != 1;

template <typename ImageType>
void writeRawPixels(persistent_store& store, const ImageType& image) {
  if (image.pixels == nullptr && image.byteSize() != 0)
    throw PictureSaveError("(unnamed picture)", "its pixels were released after upload");
  store.writeVarint(static_cast<std::uint32_t>(image.width));
  store.writeVarint(static_cast<std::uint32_t>(image.height));
  if constexpr (kHasByteOrder<ImageType>) store.writeVarint(static_cast<std::uint32_t>(image.bgrOrder));
  store.writeBytes(image.pixels.get(), image.byteSize());
}

template <typename ImageType>
void writePicture(persistent_store& store, const ImageType& image) {
  if (image.name.empty()) {
    store.writeValue(kRawPixels);
    writeRawPixels(store, image);
    return;
  }
  const std::vector<std::uint8_t> file = pictureFile(image.name);  // before anything of it is written
  store.writeValue(kEmbeddedFile);
  store.writeString(lastPathComponent(image.name));
  store.writeVarint(static_cast<std::uint32_t>(file.size()));
  store.writeBytes(file.data(), file.size());
}

template <typename ImageType>
void readRawPixels(persistent_store& store, ImageType& image) {
  const auto width = static_cast<std::int32_t>(store.readVarint());
  const auto height = static_cast<std::int32_t>(store.readVarint());
  if constexpr (kHasByteOrder<ImageType>) image.bgrOrder = static_cast<std::int32_t>(store.readVarint());
  if (width < 0 || height < 0) throw persistent::ReadFailed;
  const std::vector<std::uint8_t> pixels =
      readBytes(store, static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * ImageType::kBytesPerPixel);
  image.setSize(width, height);
  std::copy(pixels.begin(), pixels.end(), image.pixels.get());
}

// A picture that cannot be decoded leaves the texture empty; the rest of
// the scene still loads.
template <typename ImageType>
void readEmbeddedFile(persistent_store& store, ImageType& image) {
  const std::string fileName = store.readString();
  const std::vector<std::uint8_t> file = readBytes(store, store.readVarint());
  if (!LoadImageFromMemory(image, file, fileName))
    kst::log("** Warning: cannot decode the picture %s stored in the scene; its texture stays empty", fileName.c_str());
  image.name = fileName;
}

template <typename ImageType>
std::unique_ptr<ImageType> readPicture(persistent_store& store) {
  auto image = std::make_unique<ImageType>();
  switch (store.readValue<std::uint8_t>()) {
    case kRawPixels: readRawPixels(store, *image); break;
    case kEmbeddedFile: readEmbeddedFile(store, *image); break;
    default: throw persistent::ReadFailed;
  }
  return image;
}

}  // namespace

PictureSaveError::PictureSaveError(const std::string& name, const std::string& reason)
    : std::runtime_error("cannot store the picture \"" + name + "\": " + reason), picture(name) {}

void TextureImage::serialize(persistent_store& store, bool writing) {
  store.exchangeVarint(writing, magFilter);
  store.exchangeVarint(writing, minFilter);
  store.exchangeVarint(writing, wrapS);
  store.exchangeVarint(writing, wrapT);
  store.exchange(writing, maxAnisotropy);
  store.exchangeVarint(writing, flags);
  exchangeImage(store, writing, image32);
  exchangeImage(store, writing, image24);
  exchangeImage(store, writing, image8);
}

template <typename ImageType>
void TextureImage::exchangeImage(persistent_store& store, bool writing, std::unique_ptr<ImageType>& slot) {
  if (writing) {
    store.writeValue<std::uint8_t>(slot != nullptr ? 1 : 0);
    if (slot != nullptr) writePicture(store, *slot);
  } else if (store.readValue<std::uint8_t>() != 0) {
    receive(readPicture<ImageType>(store), store.keepPictures);
  }
}
