#pragma once
// Picture files made at test time through the decoder library itself.
#include <cstdint>
#include <string>
#include <vector>

namespace fake {

// Rows top to bottom; each pixel grey, or red, green, blue (, alpha).
struct Picture {
  int width = 0;
  int height = 0;
  int channels = 3;  // 1, 3 or 4
  std::vector<std::uint8_t> bytes;

  // A picture whose pixel (x, y) has the channel values `pixel(x, y)`.
  template <typename F>
  static Picture make(int width, int height, int channels, F pixel) {
    Picture picture{width, height, channels, {}};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        for (int c = 0; c < channels; ++c) picture.bytes.push_back(static_cast<std::uint8_t>(pixel(x, y)[c]));
    return picture;
  }
};

enum class PictureFormat { Png, Jpeg };

// Writes `picture` as a PNG or a (best quality) JPEG file; false on failure.
bool writePicture(const Picture& picture, const std::string& path, PictureFormat format);

// A picture file as red, green, blue; an empty picture when it does not load.
Picture readPicture(const std::string& path);

// The mean difference per channel (0 to 255) of two pictures of one size
// and kind; 255 when they differ in either.
double meanDifference(const Picture& a, const Picture& b);

// A fresh folder under the test temporary folder, removed when the program ends.
std::string freshFolder(const std::string& label);

std::vector<std::uint8_t> readWholeFile(const std::string& path);

}  // namespace fake
