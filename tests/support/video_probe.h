#pragma once
// Reading a capture file back with libavformat and libavcodec, the way a
// player would: what its streams are and what they decode to.
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fake {

struct VideoProbe {
  std::string videoCodec;  // FFmpeg's short names: "h264", "aac", "yuv420p"
  std::string soundCodec;
  std::string pixelFormat;
  int width = 0;
  int height = 0;
  int frames = 0;  // pictures decoded
  int sampleRate = 0;
  int channels = 0;
  std::vector<float> sound;  // decoded, interleaved stereo, encoder delay removed
  // RGB, 3 bytes a pixel, top row first, of the pictures asked for by index.
  std::vector<std::vector<std::uint8_t>> pictures;
};

// Throws std::runtime_error when the file does not open as a video.
VideoProbe probeVideo(const std::filesystem::path& file, const std::set<int>& keepPictures = {});

}  // namespace fake
