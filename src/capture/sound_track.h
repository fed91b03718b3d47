#pragma once
// The sound of a capture: interleaved stereo blocks of any length, as floats
// (-1 to 1) or 16-bit samples, gathered into the AAC encoder's frames.
#include <cstdint>
#include <span>

#include "capture/codec_track.h"
#include "capture/video_settings.h"

struct AVAudioFifo;
struct SwrContext;

namespace capture {

class SoundTrack {
 public:
  SoundTrack(Muxer& muxer, const VideoSettings& settings);
  ~SoundTrack();
  SoundTrack(const SoundTrack&) = delete;
  SoundTrack& operator=(const SoundTrack&) = delete;

  void add(std::span<const float> stereo);
  void add(std::span<const std::int16_t> stereo);
  // Encodes what is left (a shorter last frame) and drains the encoder.
  void finish();
  std::int64_t samples() const { return queued_; }  // stereo frames given so far

 private:
  void add(const std::uint8_t* interleaved, int frames, SwrContext* converter);
  void release();
  void encodeFrames(int minimum);

  CodecTrack track_;
  SwrContext* fromFloat_ = nullptr;
  SwrContext* fromShort_ = nullptr;
  AVAudioFifo* waiting_ = nullptr;  // planar floats not yet a whole encoder frame
  AVFrame* frame_ = nullptr;
  std::int64_t queued_ = 0;
  std::int64_t encoded_ = 0;
};

}  // namespace capture
