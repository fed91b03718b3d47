#pragma once
// Pictures in memory: rows top to bottom, no row padding. The pixel buffer
// may be dropped once a texture holds the picture; the size stays.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class Image {
 public:
  virtual ~Image() = default;
  // Size of the pixel buffer in bytes.
  virtual std::size_t byteSize() const = 0;
  virtual int bytesPerPixel() const = 0;

  // New dimensions: the buffer is reallocated to byteSize() bytes (zeroed).
  void setSize(std::int32_t newWidth, std::int32_t newHeight);
  // Drops the pixel buffer; the size is kept.
  void dropPixels() { pixels.reset(); }

  std::string name;  // the path or file name the pixels came from; empty for raw pixels
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::unique_ptr<std::uint8_t[]> pixels;

 protected:
  Image() = default;
  std::size_t pixelCount() const;
  // Width, height and pixel bytes of `other` (same layout); not the name.
  void copyPixelsFrom(const Image& other);
};

// 24 and 32-bit pictures, whose bytes are red, green, blue (, alpha) or, with
// bgrOrder = 1, blue, green, red (, alpha) as the decoder delivers them.
template <int Bytes>
class ColourImage : public Image {
 public:
  static constexpr int kBytesPerPixel = Bytes;
  std::size_t byteSize() const override { return pixelCount() * Bytes; }
  int bytesPerPixel() const override { return Bytes; }
  void copyFrom(const ColourImage& other) {
    copyPixelsFrom(other);
    bgrOrder = other.bgrOrder;
  }

  std::int32_t bgrOrder = 0;
};

class Image32 final : public ColourImage<4> {};
class Image24 final : public ColourImage<3> {};

class Image8 final : public Image {
 public:
  static constexpr int kBytesPerPixel = 1;
  std::size_t byteSize() const override { return pixelCount(); }
  int bytesPerPixel() const override { return 1; }
  void copyFrom(const Image8& other) { copyPixelsFrom(other); }
};
