#pragma once
// One video made of the parts of a capture cut into parts: their pictures
// copied packet by packet, never encoded again, one part after another on
// one time line, and the sound encoded here from samples handed in, as a
// one-process capture encodes its own (the same samples give the same
// sound). Parts are taken in the order added; a part whose pictures were
// encoded unlike the first's (another size or encoder setting) is refused.
//
// Every failure throws CaptureError naming this file and the reason (a
// part's failure names the part too); the file is then removed, so what is
// left on disk is always a whole, playable file. Used by one thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/video_settings.h"

namespace capture {

class MediaReader;
class Muxer;
class SoundTrack;

// How a part's pictures were encoded, as far as their decoder must know.
struct PictureSetup {
  int codec = 0;
  int width = 0;
  int height = 0;
  int format = 0;
  std::vector<std::uint8_t> headers;  // the encoder's (H.264's parameter sets)
  bool operator==(const PictureSetup&) const = default;
};

class JoinedVideo {
 public:
  // The sound from where the last call left off up to the end of `pictures`
  // pictures from the file's start: interleaved stereo at the settings' rate.
  using SoundUpTo = std::function<std::vector<float>(std::int64_t pictures)>;

  // Creates the file (.mp4 or .mkv, by the name); the settings give the
  // picture rate and the sound's.
  JoinedVideo(const std::string& file, const VideoSettings& settings, SoundUpTo sound);
  // Without close() the file is removed.
  ~JoinedVideo();
  JoinedVideo(const JoinedVideo&) = delete;
  JoinedVideo& operator=(const JoinedVideo&) = delete;

  // Every picture of the part file, after those of the parts before it.
  void addPart(const std::string& part);
  // The sound up to the end of the last picture, then the trailer.
  void close();
  std::int64_t pictures() const { return pictures_; }

 private:
  void start(const MediaReader& first);
  void checkAlike(const MediaReader& part) const;
  void copyPictures(MediaReader& part);
  void addSoundUpTo(std::int64_t pictures);
  template <class Step>
  void guarded(Step step);

  std::unique_ptr<Muxer> muxer_;
  std::unique_ptr<SoundTrack> sound_;  // made once the pictures' stream is there
  VideoSettings settings_;
  SoundUpTo soundUpTo_;
  PictureSetup firstSetup_;  // the first part's
  int pictureStream_ = -1;
  std::int64_t pictures_ = 0;
  bool closed_ = false;
};

}  // namespace capture
