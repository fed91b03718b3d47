#include "music/music.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "base/log.h"
#include "music/sound_errors.h"
#include "music/music_texts.h"
#include "platform/data_files.h"
#include "platform/sound_seam.h"

namespace music {
namespace {

constexpr int kMixRate = 44100;
constexpr int kSoftwareChannels = 32;
constexpr unsigned int kStreamMode = 0x2B;
constexpr float kModulePanSeparation = 0.85f;
constexpr int kFullVolume = 255;
constexpr float kFadeStartVolume = 128.0f;

// The sound library's own report names no file: the log does.
void warnNotPlayed(const char* file) {
  kst::log("** Warning: music %s not played: %s; the show goes on without it",
           platform::shownName(file != nullptr ? file : "").c_str(),
           soundErrorName(FSOUND_GetError()));
}

}  // namespace

MusicState& state() {
  static MusicState current;
  return current;
}

void reportSoundFailure() {
  std::printf("%s", kSoundError);
  std::printf("%s\n", soundErrorName(FSOUND_GetError()));
  std::fflush(stdout);
  FSOUND_Close();
}

void startSoundSystem() {
  if (FSOUND_GetVersion() < kRequiredSoundVersion) {
    std::printf(kWrongSoundVersion, static_cast<double>(kRequiredSoundVersion));
    std::fflush(stdout);
    return;
  }
  FSOUND_SetOutput(FSOUND_OUTPUT_DSOUND);
  FSOUND_SetDriver(0);
  if (!FSOUND_Init(kMixRate, kSoftwareChannels, 0)) reportSoundFailure();
}

void startModule(const char* file) {
  FMUSIC_MODULE* module = FMUSIC_LoadSong(file);
  state().module = module;
  if (module == nullptr) {
    warnNotPlayed(file);
    return;
  }
  const int type = FMUSIC_GetType(module);
  if (type != FMUSIC_TYPE_IT) FMUSIC_SetMasterVolume(module, kFullVolume);
  if (type == FMUSIC_TYPE_MOD || type == FMUSIC_TYPE_S3M) FMUSIC_SetPanSeperation(module, kModulePanSeparation);
  FMUSIC_PlaySong(module);
}

void setFadeVolume(float seconds) {
  FMUSIC_SetMasterVolume(state().module, static_cast<int>((1.0f - seconds) * kFadeStartVolume));
}

void stopModule() { FMUSIC_StopSong(state().module); }

void startStream(const char* file) {
  MusicState& current = state();
  current.streamFile = file;
  current.stream = FSOUND_Stream_OpenFile(file, kStreamMode, 0);
  current.channel = -1;
  current.tuneStart = 0.0f;  // the stream is the show's own clock
  if (current.stream != nullptr) {
    FSOUND_Stream_SetEndCallback(current.stream, &streamCallback, 0);
    FSOUND_Stream_SetSynchCallback(current.stream, &streamCallback, 0);
    current.channel = FSOUND_Stream_Play(FSOUND_FREE, current.stream);
  }
  if (current.channel != -1) {
    FSOUND_SetPan(current.channel, FSOUND_STEREOPAN);
  } else {
    warnNotPlayed(file);
    reportSoundFailure();
  }
}

void playFromTheTop() {
  MusicState& current = state();
  if (current.module != nullptr) FMUSIC_FreeSong(current.module);
  current.module = nullptr;
  if (current.stream == nullptr) {
    // A copy: startStream keeps the name it is given.
    if (current.tuneStart > 0.0f) startStream(std::string(current.streamFile).c_str());
    return;
  }
  current.tuneStart = 0.0f;
  current.channel = FSOUND_Stream_Play(FSOUND_FREE, current.stream);  // again, if it had played to its end
}

void soundChangesAt(float showTime) { platform::sound::mixUntil(showTime); }

void jumpTo(double showTime) {
  MusicState& current = state();
  const double into = showTime - current.tuneStart;
  if (current.stream != nullptr) {
    // The frame a show played from its start hears then, not the nearest
    // millisecond's (up to 22 frames away).
    const auto frame = static_cast<std::uint64_t>(std::llround(std::max(0.0, into) * kMixRate));
    platform::sound::setStreamFrame(current.stream, frame);
  } else if (FMUSIC_IsPlaying(current.module)) {
    platform::sound::setModuleTime(current.module, into);
  }
}

void holdSound(bool held) { platform::sound::holdMix(held); }

signed char streamCallback(FSOUND_STREAM*, void* text, int, int) {
  if (text != nullptr) {
    std::printf(kSynchPoint, static_cast<const char*>(text));
  } else {
    std::printf("%s", kStreamEnded);
  }
  std::fflush(stdout);
  return 1;
}

void stopMusic() {
  stopModule();
  FSOUND_Close();
}

}  // namespace music
