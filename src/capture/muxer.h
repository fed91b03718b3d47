#pragma once
// The container side of a capture file: created from its name (.mp4 or
// .mkv), streams added, the header written once every stream is there,
// packets interleaved by time, the trailer written at the end. Every
// failure throws CaptureError naming the file.
#include <memory>
#include <string>

extern "C" {
#include <libavutil/rational.h>
}

struct AVFormatContext;
struct AVCodecContext;
struct AVCodecParameters;
struct AVPacket;

namespace capture {

class Muxer {
 public:
  explicit Muxer(std::string file);
  ~Muxer();
  Muxer(const Muxer&) = delete;
  Muxer& operator=(const Muxer&) = delete;

  const std::string& file() const { return file_; }
  // Encoders must be told before they open: the format keeps their headers apart.
  bool wantsGlobalHeaders() const;
  // The stream's index; the encoder must be open.
  int addStream(const AVCodecContext& encoder);
  // A stream whose packets are copied from another file, as they are.
  int addStream(const AVCodecParameters& parameters, AVRational timeBase);
  // Kept in the header, for a file to say what it is. Before writeHeader().
  void describe(const std::string& comment);
  void writeHeader();
  // The packet's times are in the encoder's time base; the packet is emptied.
  void write(AVPacket& packet, const AVCodecContext& encoder, int stream);
  // The same with the packet's times in `timeBase`.
  void write(AVPacket& packet, AVRational timeBase, int stream);
  // Writes the trailer and closes the file; a file that could not be
  // finished is removed, so no unplayable file is left behind.
  void finish();
  // Closes without the trailer and removes the file (after a failure).
  void abandon();

 private:
  [[noreturn]] void fail(const std::string& reason) const;
  void check(int result, const char* doing) const;
  void closeFile();

  std::string file_;
  AVFormatContext* format_ = nullptr;
  bool headerWritten_ = false;
};

}  // namespace capture
