#pragma once
// A video of the show, written while it plays: H.264 pictures and AAC sound
// muxed into an MP4 or Matroska file (chosen by the name) through FFmpeg's
// libraries. The caller hands pictures as GL reads them and sound as the
// sound layer mixes it; both are encoded at once on the caller's thread.
//
// Every failure (a folder that does not exist, a file that cannot be
// written, a full disk, an encoder this FFmpeg lacks, memory running out, a
// picture of the wrong size) throws CaptureError naming the file and the
// reason. The file is then removed, so what is left on disk is always a
// whole, playable file; closing (explicitly or in the destructor) writes the
// trailer of what was captured so far.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "capture/capture_error.h"
#include "capture/video_settings.h"

namespace capture {

class Muxer;
class PictureTrack;
class SoundTrack;

class VideoFile {
 public:
  // Creates the file and its encoders (the sound's unless the settings
  // leave it out); the header follows the first picture or sound.
  VideoFile(const std::string& file, const VideoSettings& settings);
  // Closes quietly when close() was not called: the file stays playable.
  ~VideoFile();
  VideoFile(const VideoFile&) = delete;
  VideoFile& operator=(const VideoFile&) = delete;

  // One picture: width * height four-byte pixels (in the order the settings
  // give), width * 4 bytes per row, the bottom row first (as glReadPixels
  // gives them). The bytes are only read during the call.
  void addFrame(std::span<const std::uint8_t> pixelsBottomUp);
  // Interleaved stereo at the settings' rate, any number of frames; nothing
  // for a file without sound.
  void addSound(std::span<const float> stereo);
  void addSound(std::span<const std::int16_t> stereo);
  // Drains both encoders and writes the trailer. Nothing more may be added.
  void close();
  // Closes without the trailer and removes the file, for a capture that
  // failed outside the file (nothing after a close).
  void abandon();

  const std::string& file() const;
  std::int64_t frames() const;

 private:
  template <class Write>
  void guarded(Write write);
  void startOnce();

  std::unique_ptr<Muxer> muxer_;
  std::unique_ptr<PictureTrack> picture_;
  std::unique_ptr<SoundTrack> sound_;
  bool started_ = false;
  bool closed_ = false;
};

}  // namespace capture
