#pragma once
// The pictures of a capture: RGBA or BGRA frames as GL reads them (rows bottom-up)
// turned upright into yuv420p and encoded as H.264 at a constant rate factor.
#include <cstdint>
#include <span>

#include "capture/codec_track.h"
#include "capture/video_settings.h"

struct SwsContext;

namespace capture {

class PictureTrack {
 public:
  PictureTrack(Muxer& muxer, const VideoSettings& settings);
  ~PictureTrack();
  PictureTrack(const PictureTrack&) = delete;
  PictureTrack& operator=(const PictureTrack&) = delete;

  // width * height * 4 bytes, width * 4 bytes per row, the bottom row first.
  void add(std::span<const std::uint8_t> pixelsBottomUp);
  void finish() { track_.encode(nullptr); }
  std::int64_t frames() const { return frames_; }

 private:
  void allocate(const VideoSettings& settings);
  void release();

  CodecTrack track_;
  SwsContext* converter_ = nullptr;
  AVFrame* frame_ = nullptr;
  std::int64_t frames_ = 0;
};

}  // namespace capture
