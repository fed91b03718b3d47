#include "capture/sound_track.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace capture {
namespace {

constexpr int kChannels = 2;
constexpr std::int64_t kBitRate = 192000;

// Interleaved input to the encoder's planar floats, at the same rate.
SwrContext* converterFrom(AVSampleFormat input, int rate) {
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  SwrContext* converter = nullptr;
  if (swr_alloc_set_opts2(&converter, &stereo, AV_SAMPLE_FMT_FLTP, rate, &stereo, input, rate, 0, nullptr) < 0 ||
      swr_init(converter) < 0) {
    swr_free(&converter);
  }
  return converter;
}

}  // namespace

SoundTrack::SoundTrack(Muxer& muxer, const VideoSettings& settings) : track_(muxer, "aac") {
  AVCodecContext& context = track_.context();
  context.sample_fmt = AV_SAMPLE_FMT_FLTP;
  context.sample_rate = settings.sampleRate;
  context.ch_layout = AV_CHANNEL_LAYOUT_STEREO;
  context.bit_rate = kBitRate;
  context.time_base = AVRational{1, settings.sampleRate};
  track_.open();
  fromFloat_ = converterFrom(AV_SAMPLE_FMT_FLT, settings.sampleRate);
  fromShort_ = converterFrom(AV_SAMPLE_FMT_S16, settings.sampleRate);
  waiting_ = av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, kChannels, context.frame_size * 4);
  frame_ = av_frame_alloc();
  if (fromFloat_ == nullptr || fromShort_ == nullptr || waiting_ == nullptr || frame_ == nullptr) {
    // A constructor that throws runs no destructor: what was had goes here.
    release();
    track_.fail("out of memory");
  }
}

SoundTrack::~SoundTrack() { release(); }

void SoundTrack::release() {
  av_frame_free(&frame_);
  av_audio_fifo_free(waiting_);
  waiting_ = nullptr;
  swr_free(&fromShort_);
  swr_free(&fromFloat_);
}

void SoundTrack::add(std::span<const float> stereo) {
  add(reinterpret_cast<const std::uint8_t*>(stereo.data()), static_cast<int>(stereo.size() / kChannels), fromFloat_);
}

void SoundTrack::add(std::span<const std::int16_t> stereo) {
  add(reinterpret_cast<const std::uint8_t*>(stereo.data()), static_cast<int>(stereo.size() / kChannels), fromShort_);
}

void SoundTrack::add(const std::uint8_t* interleaved, int frames, SwrContext* converter) {
  if (frames == 0) return;
  std::vector<float> left(static_cast<std::size_t>(frames));
  std::vector<float> right(static_cast<std::size_t>(frames));
  std::uint8_t* planes[] = {reinterpret_cast<std::uint8_t*>(left.data()), reinterpret_cast<std::uint8_t*>(right.data())};
  const int converted = swr_convert(converter, planes, frames, &interleaved, frames);
  if (converted < 0) track_.fail("cannot convert the sound");
  void* written[] = {left.data(), right.data()};
  if (av_audio_fifo_write(waiting_, written, converted) < converted) track_.fail("out of memory");
  queued_ += converted;
  encodeFrames(track_.context().frame_size);
}

// Encodes whole frames while at least `minimum` samples wait (1 at the end,
// where the encoder takes a shorter last frame).
void SoundTrack::encodeFrames(int minimum) {
  const AVCodecContext& context = track_.context();
  while (av_audio_fifo_size(waiting_) >= minimum && av_audio_fifo_size(waiting_) > 0) {
    const int count = std::min(av_audio_fifo_size(waiting_), context.frame_size);
    av_frame_unref(frame_);
    frame_->nb_samples = count;
    frame_->format = context.sample_fmt;
    frame_->sample_rate = context.sample_rate;
    av_channel_layout_copy(&frame_->ch_layout, &context.ch_layout);
    if (av_frame_get_buffer(frame_, 0) < 0) track_.fail("out of memory");
    av_audio_fifo_read(waiting_, reinterpret_cast<void**>(frame_->data), count);
    frame_->pts = encoded_;
    encoded_ += count;
    track_.encode(frame_);
  }
}

void SoundTrack::finish() {
  encodeFrames(1);
  track_.encode(nullptr);
}

}  // namespace capture
