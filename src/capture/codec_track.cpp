#include "capture/codec_track.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "capture/capture_error.h"
#include "capture/muxer.h"

namespace capture {

CodecTrack::CodecTrack(Muxer& muxer, const std::string& encoderName) : muxer_(muxer) {
  codec_ = avcodec_find_encoder_by_name(encoderName.c_str());
  if (codec_ == nullptr) fail("no encoder named " + encoderName + " in this FFmpeg build");
  context_ = avcodec_alloc_context3(codec_);
  packet_ = av_packet_alloc();
  if (context_ == nullptr || packet_ == nullptr) {
    avcodec_free_context(&context_);
    av_packet_free(&packet_);
    fail("out of memory");
  }
}

CodecTrack::~CodecTrack() {
  av_packet_free(&packet_);
  avcodec_free_context(&context_);
}

void CodecTrack::fail(const std::string& reason) const { throw CaptureError(muxer_.file(), reason); }

void CodecTrack::open() {
  if (muxer_.wantsGlobalHeaders()) context_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  const int opened = avcodec_open2(context_, codec_, nullptr);
  if (opened < 0) fail(avErrorText(opened) + " (opening the " + codec_->name + " encoder)");
  stream_ = muxer_.addStream(*context_);
}

void CodecTrack::encode(const AVFrame* frame) {
  const int sent = avcodec_send_frame(context_, frame);
  if (sent < 0) fail(avErrorText(sent) + " (" + codec_->name + " encoding)");
  for (;;) {
    const int received = avcodec_receive_packet(context_, packet_);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
    if (received < 0) fail(avErrorText(received) + " (" + codec_->name + " encoding)");
    // A picture lasts one tick of its time base; without it MP4's edit list
    // would leave the last picture out.
    if (packet_->duration == 0 && context_->codec_type == AVMEDIA_TYPE_VIDEO) packet_->duration = 1;
    muxer_.write(*packet_, *context_, stream_);
  }
}

}  // namespace capture
