#include "capture/muxer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include <filesystem>

#include "capture/capture_error.h"

namespace capture {
namespace {

// Only the two containers a player takes with H.264 and AAC inside.
const char* formatFor(const std::string& file) {
  const std::string extension = std::filesystem::path(file).extension().string();
  if (extension == ".mp4") return "mp4";
  if (extension == ".mkv") return "matroska";
  return nullptr;
}

}  // namespace

Muxer::Muxer(std::string file) : file_(std::move(file)) {
  // The encoders' statistics are not for the terminal; failures are reported
  // by what this throws.
  av_log_set_level(AV_LOG_ERROR);
  const char* format = formatFor(file_);
  if (format == nullptr) fail("the file name must end in .mp4 or .mkv");
  check(avformat_alloc_output_context2(&format_, nullptr, format, file_.c_str()), "preparing the container");
  const int opened = avio_open(&format_->pb, file_.c_str(), AVIO_FLAG_WRITE);
  if (opened < 0) {
    closeFile();  // nothing was created, so nothing is removed
    check(opened, "opening the file");
  }
}

Muxer::~Muxer() {
  if (format_ != nullptr) abandon();
}

void Muxer::fail(const std::string& reason) const { throw CaptureError(file_, reason); }

void Muxer::check(int result, const char* doing) const {
  if (result < 0) fail(avErrorText(result) + " (" + doing + ")");
}

bool Muxer::wantsGlobalHeaders() const { return (format_->oformat->flags & AVFMT_GLOBALHEADER) != 0; }

int Muxer::addStream(const AVCodecContext& encoder) {
  AVStream* stream = avformat_new_stream(format_, nullptr);
  if (stream == nullptr) fail("out of memory");
  check(avcodec_parameters_from_context(stream->codecpar, &encoder), "describing a stream");
  stream->time_base = encoder.time_base;
  return stream->index;
}

int Muxer::addStream(const AVCodecParameters& parameters, AVRational timeBase) {
  AVStream* stream = avformat_new_stream(format_, nullptr);
  if (stream == nullptr) fail("out of memory");
  check(avcodec_parameters_copy(stream->codecpar, &parameters), "describing a stream");
  stream->codecpar->codec_tag = 0;  // the other container's tag means nothing here
  stream->time_base = timeBase;
  return stream->index;
}

void Muxer::describe(const std::string& comment) {
  check(av_dict_set(&format_->metadata, "comment", comment.c_str(), 0), "describing the file");
}

void Muxer::writeHeader() {
  check(avformat_write_header(format_, nullptr), "writing the header");
  headerWritten_ = true;
}

void Muxer::write(AVPacket& packet, const AVCodecContext& encoder, int stream) {
  write(packet, encoder.time_base, stream);
}

void Muxer::write(AVPacket& packet, AVRational timeBase, int stream) {
  av_packet_rescale_ts(&packet, timeBase, format_->streams[stream]->time_base);
  packet.stream_index = stream;
  check(av_interleaved_write_frame(format_, &packet), "writing");
  // A full disk shows in the file's own error once its buffer is flushed.
  check(format_->pb->error, "writing");
}

void Muxer::finish() {
  if (format_ == nullptr) return;
  try {
    if (!headerWritten_) writeHeader();
    check(av_write_trailer(format_), "writing the trailer");
    avio_flush(format_->pb);
    check(format_->pb->error, "writing the trailer");
    check(avio_closep(&format_->pb), "closing the file");
  } catch (const CaptureError&) {
    abandon();
    throw;
  }
  closeFile();
}

void Muxer::abandon() {
  if (format_ == nullptr) return;
  closeFile();
  std::error_code ignored;
  std::filesystem::remove(file_, ignored);
}

void Muxer::closeFile() {
  if (format_->pb != nullptr) avio_closep(&format_->pb);
  avformat_free_context(format_);
  format_ = nullptr;
}

}  // namespace capture
