#include "support/video_probe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <stdexcept>

namespace fake {
namespace {

struct Decoder {
  AVCodecContext* context = nullptr;
  int stream = -1;
  ~Decoder() { avcodec_free_context(&context); }
};

void openDecoder(AVFormatContext* format, AVMediaType type, Decoder& decoder) {
  decoder.stream = av_find_best_stream(format, type, -1, -1, nullptr, 0);
  if (decoder.stream < 0) return;
  const AVCodecParameters* parameters = format->streams[decoder.stream]->codecpar;
  const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
  decoder.context = avcodec_alloc_context3(codec);
  avcodec_parameters_to_context(decoder.context, parameters);
  decoder.context->pkt_timebase = format->streams[decoder.stream]->time_base;
  if (avcodec_open2(decoder.context, codec, nullptr) < 0) throw std::runtime_error("cannot open a decoder");
}

std::vector<std::uint8_t> toRgb(const AVFrame& frame) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(frame.width) * frame.height * 3);
  SwsContext* converter = sws_getContext(frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), frame.width,
                                         frame.height, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr);
  std::uint8_t* planes[] = {rgb.data()};
  const int strides[] = {frame.width * 3};
  sws_scale(converter, frame.data, frame.linesize, 0, frame.height, planes, strides);
  sws_freeContext(converter);
  return rgb;
}

void take(const AVFrame& frame, bool picture, const std::set<int>& keep, VideoProbe& probe) {
  if (picture) {
    if (keep.count(probe.frames) != 0) probe.pictures.push_back(toRgb(frame));
    ++probe.frames;
    return;
  }
  const auto* left = reinterpret_cast<const float*>(frame.extended_data[0]);
  const auto* right = reinterpret_cast<const float*>(frame.extended_data[frame.ch_layout.nb_channels > 1 ? 1 : 0]);
  for (int i = 0; i < frame.nb_samples; ++i) {
    probe.sound.push_back(left[i]);
    probe.sound.push_back(right[i]);
  }
}

void decode(Decoder& decoder, const AVPacket* packet, const std::set<int>& keep, VideoProbe& probe) {
  if (decoder.context == nullptr) return;
  avcodec_send_packet(decoder.context, packet);
  AVFrame* frame = av_frame_alloc();
  while (avcodec_receive_frame(decoder.context, frame) == 0) {
    take(*frame, decoder.context->codec_type == AVMEDIA_TYPE_VIDEO, keep, probe);
  }
  av_frame_free(&frame);
}

}  // namespace

VideoProbe probeVideo(const std::filesystem::path& file, const std::set<int>& keepPictures) {
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, file.c_str(), nullptr, nullptr) < 0) throw std::runtime_error("cannot open " + file.string());
  std::unique_ptr<AVFormatContext*, void (*)(AVFormatContext**)> closing(&format, avformat_close_input);
  if (avformat_find_stream_info(format, nullptr) < 0) throw std::runtime_error("no streams in " + file.string());
  Decoder picture;
  Decoder sound;
  openDecoder(format, AVMEDIA_TYPE_VIDEO, picture);
  openDecoder(format, AVMEDIA_TYPE_AUDIO, sound);
  VideoProbe probe;
  if (picture.context != nullptr) {
    probe.videoCodec = picture.context->codec->name;
    probe.width = picture.context->width;
    probe.height = picture.context->height;
    probe.pixelFormat = av_get_pix_fmt_name(picture.context->pix_fmt);
  }
  if (sound.context != nullptr) {
    probe.soundCodec = sound.context->codec->name;
    probe.sampleRate = sound.context->sample_rate;
    probe.channels = sound.context->ch_layout.nb_channels;
  }
  AVPacket* packet = av_packet_alloc();
  while (av_read_frame(format, packet) >= 0) {
    decode(packet->stream_index == picture.stream ? picture : sound, packet, keepPictures, probe);
    av_packet_unref(packet);
  }
  av_packet_free(&packet);
  decode(picture, nullptr, keepPictures, probe);
  decode(sound, nullptr, keepPictures, probe);
  return probe;
}

}  // namespace fake
