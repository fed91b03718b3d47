#include "shell/music.h"

#include <cstdio>

#include "platform/host.h"
#include "shell/show_clock.h"
#include "shell/sound_errors.h"
#include "shell/texts.h"

namespace shell {
namespace {

constexpr int kMixRate = 44100;
constexpr int kSoftwareChannels = 32;
constexpr unsigned int kStreamMode = 0x2B;
constexpr float kModulePanSeparation = 0.85f;
constexpr int kFullVolume = 255;
constexpr float kFadeStartVolume = 128.0f;

}  // namespace

MusicState& music() {
  static MusicState state;
  return state;
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
  music().module = module;
  if (module == nullptr) return;
  const int type = FMUSIC_GetType(module);
  if (type != FMUSIC_TYPE_IT) FMUSIC_SetMasterVolume(module, kFullVolume);
  if (type == FMUSIC_TYPE_MOD || type == FMUSIC_TYPE_S3M) FMUSIC_SetPanSeperation(module, kModulePanSeparation);
  FMUSIC_PlaySong(module);
}

void fadeOutModule() {
  platform::Host& host = platform::host();
  const std::uint32_t start = host.timeGetTime();
  for (float s = elapsedSeconds(start, host.timeGetTime()); s < 1.0f; s = elapsedSeconds(start, host.timeGetTime())) {
    FMUSIC_SetMasterVolume(music().module, static_cast<int>((1.0f - s) * kFadeStartVolume));
  }
}

void startStream(const char* file) {
  MusicState& state = music();
  state.stream = FSOUND_Stream_OpenFile(file, kStreamMode, 0);
  state.channel = -1;
  if (state.stream != nullptr) {
    FSOUND_Stream_SetEndCallback(state.stream, &streamCallback, 0);
    FSOUND_Stream_SetSynchCallback(state.stream, &streamCallback, 0);
    state.channel = FSOUND_Stream_Play(FSOUND_FREE, state.stream);
  }
  if (state.channel != -1) {
    FSOUND_SetPan(state.channel, FSOUND_STEREOPAN);
  } else {
    reportSoundFailure();
  }
}

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
  FMUSIC_StopSong(music().module);
  FSOUND_Close();
}

}  // namespace shell
