#include "capture/media_reader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "capture/capture_error.h"

namespace capture {

MediaReader::MediaReader(std::string file) : file_(std::move(file)) {
  const int opened = avformat_open_input(&format_, file_.c_str(), nullptr, nullptr);
  if (opened < 0) fail(avErrorText(opened) + " (opening the file)");
  packet_ = av_packet_alloc();
  if (packet_ == nullptr) {
    avformat_close_input(&format_);
    fail("out of memory");
  }
  const int found = avformat_find_stream_info(format_, nullptr);
  stream_ = found < 0 ? found : av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (stream_ < 0) {
    av_packet_free(&packet_);
    avformat_close_input(&format_);
    fail(found < 0 ? avErrorText(found) + " (reading the streams)" : "it holds no pictures");
  }
}

MediaReader::~MediaReader() {
  av_packet_free(&packet_);
  avformat_close_input(&format_);
}

void MediaReader::fail(const std::string& reason) const { throw CaptureError(file_, reason); }

std::string MediaReader::comment() const {
  const AVDictionaryEntry* entry = av_dict_get(format_->metadata, "comment", nullptr, 0);
  return entry != nullptr ? entry->value : "";
}

const AVCodecParameters& MediaReader::pictureParameters() const { return *format_->streams[stream_]->codecpar; }

AVRational MediaReader::pictureTimeBase() const { return format_->streams[stream_]->time_base; }

AVPacket* MediaReader::nextPicture() {
  for (;;) {
    av_packet_unref(packet_);
    const int read = av_read_frame(format_, packet_);
    if (read == AVERROR_EOF) return nullptr;
    if (read < 0) fail(avErrorText(read) + " (reading)");
    if (packet_->stream_index == stream_) return packet_;
  }
}

bool MediaReader::seekPictures(std::int64_t time) {
  return av_seek_frame(format_, stream_, time, AVSEEK_FLAG_BACKWARD) >= 0;
}

PictureDecoder::PictureDecoder(const AVCodecParameters& parameters, AVRational timeBase) {
  const AVCodec* codec = avcodec_find_decoder(parameters.codec_id);
  frame_ = av_frame_alloc();
  if (codec != nullptr) context_ = avcodec_alloc_context3(codec);
  if (context_ == nullptr || frame_ == nullptr) return;  // nothing decodes: send() says so
  // A checker wants to hear of damage, not have it hidden.
  context_->err_recognition |= AV_EF_EXPLODE;
  context_->pkt_timebase = timeBase;
  if (avcodec_parameters_to_context(context_, &parameters) < 0 || avcodec_open2(context_, codec, nullptr) < 0)
    avcodec_free_context(&context_);
}

PictureDecoder::~PictureDecoder() {
  av_frame_free(&frame_);
  avcodec_free_context(&context_);
}

bool PictureDecoder::send(const AVPacket* packet, std::int64_t& decoded) {
  if (context_ == nullptr) return false;
  const int sent = avcodec_send_packet(context_, packet);
  if (sent < 0 && sent != AVERROR_EOF) return false;
  for (;;) {
    const int received = avcodec_receive_frame(context_, frame_);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
    if (received < 0) return false;
    if ((frame_->flags & AV_FRAME_FLAG_CORRUPT) != 0 || frame_->decode_error_flags != 0) return false;
    ++decoded;
  }
}

}  // namespace capture
