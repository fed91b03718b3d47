#include "capture/picture_track.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <stdexcept>
#include <string>

namespace capture {

PictureTrack::PictureTrack(Muxer& muxer, const VideoSettings& settings) : track_(muxer, settings.videoEncoder) {
  AVCodecContext& context = track_.context();
  context.width = settings.width;
  context.height = settings.height;
  context.pix_fmt = AV_PIX_FMT_YUV420P;
  context.time_base = AVRational{1, settings.fps};
  context.framerate = AVRational{settings.fps, 1};
  av_opt_set(context.priv_data, "crf", std::to_string(settings.crf).c_str(), 0);
  av_opt_set(context.priv_data, "preset", settings.preset.c_str(), 0);
  track_.open();
  // A constructor that throws runs no destructor: what was had goes here.
  try {
    allocate(settings);
  } catch (...) {
    release();
    throw;
  }
}

PictureTrack::~PictureTrack() { release(); }

void PictureTrack::allocate(const VideoSettings& settings) {
  const AVPixelFormat given = settings.blueFirst ? AV_PIX_FMT_BGRA : AV_PIX_FMT_RGBA;
  converter_ = sws_getContext(settings.width, settings.height, given, settings.width, settings.height,
                              AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
  frame_ = av_frame_alloc();
  if (converter_ == nullptr || frame_ == nullptr) track_.fail("out of memory");
  frame_->format = AV_PIX_FMT_YUV420P;
  frame_->width = settings.width;
  frame_->height = settings.height;
  if (av_frame_get_buffer(frame_, 0) < 0) track_.fail("out of memory");
}

void PictureTrack::release() {
  av_frame_free(&frame_);
  sws_freeContext(converter_);
  converter_ = nullptr;
}

void PictureTrack::add(std::span<const std::uint8_t> pixelsBottomUp) {
  const int width = frame_->width;
  const int height = frame_->height;
  if (pixelsBottomUp.size() != static_cast<std::size_t>(width) * height * 4)
    throw std::invalid_argument("a captured frame must hold width * height four-byte pixels");
  // Starting at the last row with a negative stride reads the picture top down.
  const int stride = width * 4;
  const std::uint8_t* top = pixelsBottomUp.data() + static_cast<std::ptrdiff_t>(height - 1) * stride;
  const int strides[] = {-stride};
  // The encoder may still hold the previous picture: it gets a fresh buffer.
  if (av_frame_make_writable(frame_) < 0) track_.fail("out of memory");
  sws_scale(converter_, &top, strides, 0, height, frame_->data, frame_->linesize);
  frame_->pts = frames_++;
  track_.encode(frame_);
}

}  // namespace capture
