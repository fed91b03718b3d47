#pragma once
// A module tune (MOD, S3M, XM, IT) rendered by libopenmpt at the mix rate.
#include <libopenmpt/libopenmpt.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "platform/sound_source.h"

struct FMUSIC_MODULE final : platform::sound::Source {
 public:
  // Throws platform::sound::Failure: file not found, or not a module of the
  // four kinds.
  FMUSIC_MODULE(const std::string& path, int mixRate);

  int type() const { return type_; }
  void setMasterVolume(int volume);           // 0 to 255, linear
  void setPanSeparation(float separation);    // 0 (mono) to 1 (full stereo)
  void restart();                             // back to the first order
  void seek(double seconds);                  // as if played from the start that long, however long

  bool mixInto(std::span<float> mix, std::vector<platform::sound::Notice>& notices) override;

 private:
  // libopenmpt's messages about the file are not the show's business.
  struct Silence : std::streambuf {
    int overflow(int c) override { return c; }
  };
  // Where the tune goes back to after its first pass: the restart row's
  // time in that pass and the length of one loop, in frames of the mix.
  // Empty length: no loop found.
  struct Loop {
    std::uint64_t restart = 0;
    std::uint64_t length = 0;
  };
  Loop loop();
  Loop measureLoop();
  std::uint64_t withinTheLoops(std::uint64_t frame);

  Silence silence_;
  std::ostream log_{&silence_};
  std::unique_ptr<openmpt::module> player_;
  int mixRate_;
  int type_ = FMUSIC_TYPE_NONE;
  float gain_ = 1.0f;
  std::vector<float> block_;
  std::optional<Loop> loop_;  // measured at the first seek that needs it
};
