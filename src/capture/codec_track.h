#pragma once
// One encoder feeding one stream of the muxer: frames in, every packet the
// encoder hands back written at once. Shared by the picture and the sound.
#include <string>

struct AVCodec;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace capture {

class Muxer;

class CodecTrack {
 public:
  // Finds the encoder by name; throws CaptureError when this FFmpeg has none.
  CodecTrack(Muxer& muxer, const std::string& encoderName);
  ~CodecTrack();
  CodecTrack(const CodecTrack&) = delete;
  CodecTrack& operator=(const CodecTrack&) = delete;

  // For the caller to fill in before open().
  AVCodecContext& context() { return *context_; }
  const AVCodec& codec() const { return *codec_; }
  // Opens the encoder (with the muxer's header rule) and adds its stream.
  void open();
  // A null frame drains the encoder at the end.
  void encode(const AVFrame* frame);
  // Throws CaptureError naming the file.
  [[noreturn]] void fail(const std::string& reason) const;

 private:
  Muxer& muxer_;
  const AVCodec* codec_ = nullptr;
  AVCodecContext* context_ = nullptr;
  AVPacket* packet_ = nullptr;
  int stream_ = -1;
};

}  // namespace capture
