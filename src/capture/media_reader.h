#pragma once
// A video file read back packet by packet, its pictures only: how finished
// parts of a capture are checked and joined. Every failure to open or read
// throws CaptureError naming the file. Used by one thread at a time.
#include <cstdint>
#include <string>

extern "C" {
#include <libavutil/rational.h>
}

struct AVCodecContext;
struct AVCodecParameters;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;

namespace capture {

class MediaReader {
 public:
  // Throws when the file does not open as a video or holds no pictures.
  explicit MediaReader(std::string file);
  ~MediaReader();
  MediaReader(const MediaReader&) = delete;
  MediaReader& operator=(const MediaReader&) = delete;

  const std::string& file() const { return file_; }
  // The file's comment ("" when none): what a part says of itself.
  std::string comment() const;
  const AVCodecParameters& pictureParameters() const;
  AVRational pictureTimeBase() const;

  // The next picture's packet, owned here and good until the next call;
  // null at the end of the file.
  AVPacket* nextPicture();
  // Back to the key frame at `time` (in the pictures' time base), or the
  // one before it. False when the file cannot go there.
  bool seekPictures(std::int64_t time);

 private:
  [[noreturn]] void fail(const std::string& reason) const;

  std::string file_;
  AVFormatContext* format_ = nullptr;
  AVPacket* packet_ = nullptr;
  int stream_ = -1;
};

// Decodes pictures and counts them; nothing else is kept.
class PictureDecoder {
 public:
  PictureDecoder(const AVCodecParameters& parameters, AVRational timeBase);
  ~PictureDecoder();
  PictureDecoder(const PictureDecoder&) = delete;
  PictureDecoder& operator=(const PictureDecoder&) = delete;

  // One packet in (null: the end), every picture it completes counted into
  // `decoded`. False when the decoder refuses the data.
  bool send(const AVPacket* packet, std::int64_t& decoded);

 private:
  AVCodecContext* context_ = nullptr;
  AVFrame* frame_ = nullptr;
};

}  // namespace capture
