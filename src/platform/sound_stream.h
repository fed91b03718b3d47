#pragma once
// An MP3 stream: its decoder, the channel it plays on, its pan, its
// callbacks and the synch points the file carries.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/mp3_decoder.h"
#include "platform/sound_source.h"

struct FSOUND_STREAM final : platform::sound::Source {
 public:
  struct SynchPoint {
    std::uint64_t frame;  // position in frames from the start
    std::string name;
  };

  // Throws platform::sound::Failure as the decoder does.
  FSOUND_STREAM(const std::string& path, int mixRate);

  void setEndCallback(FSOUND_STREAMCALLBACK callback, int userValue) { end_ = {callback, userValue}; }
  void setSynchCallback(FSOUND_STREAMCALLBACK callback, int userValue) { synch_ = {callback, userValue}; }
  void addSynchPoint(SynchPoint point);
  void setPan(int pan) { pan_ = pan; }  // FSOUND_STEREOPAN or 0 (left) to 255 (right)

  bool decodedAhead() const { return decoder_.fullyAhead(); }
  // Offline mixing: the next `samples` are decoded (or the file has ended).
  void waitForDecoded(std::size_t samples) { decoder_.waitUntilAvailable(samples); }

  // With the mixer locked: plays on from `frame` frames into the file; the
  // synch points before it are passed over.
  void seek(std::uint64_t frame);

  int channel = -1;  // while playing

  bool mixInto(std::span<float> mix, std::vector<platform::sound::Notice>& notices) override;

 private:
  struct Callback {
    FSOUND_STREAMCALLBACK function = nullptr;
    int userValue = 0;
  };
  void reportSynchPoints(std::uint64_t upTo, std::vector<platform::sound::Notice>& notices);
  void addPanned(std::span<float> mix, std::size_t samples) const;

  platform::sound::Mp3Decoder decoder_;
  Callback end_;
  Callback synch_;
  std::vector<SynchPoint> synchPoints_;  // in order of position
  std::size_t nextSynch_ = 0;
  std::uint64_t played_ = 0;  // frames
  int pan_ = FSOUND_STEREOPAN;
  std::vector<float> block_;
};
