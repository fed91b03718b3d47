// The library calls over the mixer, libopenmpt modules, libmpg123 streams and
// one SDL audio device. Handles are checked against what the library owns,
// so a stale or null handle (for instance a module kept after FSOUND_Close)
// fails quietly instead of being followed.
#include "platform/fmod.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <utility>
#include <memory>
#include <vector>

#include "platform/module_song.h"
#include "platform/sound_device.h"
#include "platform/sound_mixer.h"
#include "platform/sound_seam.h"
#include "platform/sound_stream.h"

namespace platform::sound {
namespace {

struct Library {
  float version = kLayerVersion;
  int lastError = FMOD_ERR_NONE;
  int output = FSOUND_OUTPUT_DSOUND;
  bool running = false;
  bool offline = false;
  std::uint64_t offlinePosition = 0;  // stereo frames mixed offline
  std::vector<float> offlineMixed;    // not yet taken
  int mixRate = 44100;
  int channels = 32;
  Mixer mixer;
  std::vector<std::unique_ptr<FMUSIC_MODULE>> modules;
  std::vector<std::unique_ptr<FSOUND_STREAM>> streams;
  // Last, so that at exit the device stops pulling before the sources go.
  std::unique_ptr<Device> device;
};

Library& library() {
  static Library instance;
  return instance;
}

signed char fail(int code) {
  library().lastError = code;
  return 0;
}

template <class Handle>
Handle* owned(const std::vector<std::unique_ptr<Handle>>& list, const Handle* handle) {
  if (handle == nullptr) return nullptr;
  const auto found = std::find_if(list.begin(), list.end(), [handle](const auto& item) { return item.get() == handle; });
  return found == list.end() ? nullptr : found->get();
}

// Runs `change` on an owned handle with the mixer locked; a false result
// (an invalid parameter) otherwise.
template <class Handle, class Change>
signed char withHandle(const std::vector<std::unique_ptr<Handle>>& list, Handle* handle, Change change) {
  Handle* item = owned(list, handle);
  if (item == nullptr) return fail(FMOD_ERR_INVALID_PARAM);
  auto guard = library().mixer.lock();
  change(*item);
  return 1;
}

// Opens a module or a stream; null with the failure recorded.
template <class Handle>
Handle* open(std::vector<std::unique_ptr<Handle>>& list, const char* name) {
  Library& lib = library();
  int code = FMOD_ERR_NONE;
  if (!lib.running) {
    code = FMOD_ERR_UNINITIALIZED;
  } else if (name == nullptr) {
    code = FMOD_ERR_INVALID_PARAM;
  } else {
    try {
      list.push_back(std::make_unique<Handle>(name, lib.mixRate));
      return list.back().get();
    } catch (const Failure& failure) {
      code = failure.code;
    } catch (const std::bad_alloc&) {
      code = FMOD_ERR_MEMORY;
    } catch (const std::exception&) {
      code = FMOD_ERR_FILE_BAD;  // for instance no thread for the decoder
    }
  }
  fail(code);
  return nullptr;
}

// The source leaves the mix before it is released, so it stops at once.
template <class Handle>
signed char release(std::vector<std::unique_ptr<Handle>>& list, Handle* handle) {
  const signed char known = withHandle(list, handle, [](Handle& source) { library().mixer.stop(&source); });
  if (known) std::erase_if(list, [handle](const auto& item) { return item.get() == handle; });
  return known;
}

FSOUND_STREAM* streamOnChannel(int channel) {
  for (const auto& stream : library().streams) {
    if (stream->channel == channel && library().mixer.isPlaying(stream.get())) return stream.get();
  }
  return nullptr;
}

// With the mixer locked. -1 when every channel is taken.
int freeChannel() {
  for (int channel = 0; channel < library().channels; ++channel) {
    if (streamOnChannel(channel) == nullptr) return channel;
  }
  return -1;
}

// With the mixer locked: the channel the stream plays on, -1 when there is
// none free or the one asked for does not exist. A stream already playing
// keeps its channel; one asked for replaces what played there.
int play(FSOUND_STREAM& stream, int channel) {
  Mixer& mixer = library().mixer;
  if (mixer.isPlaying(&stream)) return stream.channel;
  const int chosen = channel == FSOUND_FREE ? freeChannel() : channel;
  if (chosen < 0 || chosen >= library().channels) return -1;
  if (FSOUND_STREAM* previous = streamOnChannel(chosen)) mixer.stop(previous);
  stream.channel = chosen;
  mixer.start(&stream);
  return chosen;
}

constexpr std::size_t kOfflineBlockFrames = 1024;

// Offline, so no other thread mixes or starts sources: the playing streams
// can be waited for without the mixer's lock.
void mixOfflineBlock(std::span<float> block) {
  Library& lib = library();
  if (lib.running) {
    for (const auto& stream : lib.streams)
      if (lib.mixer.isPlaying(stream.get())) stream->waitForDecoded(block.size());
  }
  renderMix(block);
}

}  // namespace

void renderOffline(bool on, double fromSeconds) {
  Library& lib = library();
  lib.offline = on;
  lib.offlinePosition = static_cast<std::uint64_t>(std::max(0.0, std::round(fromSeconds * lib.mixRate)));
  lib.offlineMixed.clear();
}

bool renderingOffline() { return library().offline; }

void mixUntil(double seconds) {
  Library& lib = library();
  if (!lib.offline) return;
  const auto target = static_cast<std::uint64_t>(std::max(0.0, std::round(seconds * lib.mixRate)));
  while (lib.offlinePosition < target) {
    const std::size_t frames = std::min<std::uint64_t>(kOfflineBlockFrames, target - lib.offlinePosition);
    const std::size_t start = lib.offlineMixed.size();
    lib.offlineMixed.resize(start + frames * kChannels);
    mixOfflineBlock(std::span(lib.offlineMixed).subspan(start));
    lib.offlinePosition += frames;
  }
}

std::vector<float> takeMixed() { return std::exchange(library().offlineMixed, {}); }

void reportVersion(float version) { library().version = version; }

void renderMix(std::span<float> out) {
  if (library().running) {
    library().mixer.render(out);
  } else {
    std::fill(out.begin(), out.end(), 0.0f);
  }
}

void holdMix(bool held) {
  auto guard = library().mixer.lock();
  library().mixer.hold(held);
}

bool setModuleTime(FMUSIC_MODULE* module, double seconds) {
  return withHandle(library().modules, module, [seconds](FMUSIC_MODULE& song) { song.seek(seconds); }) != 0;
}

bool setStreamFrame(FSOUND_STREAM* stream, std::uint64_t frame) {
  return withHandle(library().streams, stream, [frame](FSOUND_STREAM& s) { s.seek(frame); }) != 0;
}

bool addSynchPoint(FSOUND_STREAM* stream, std::uint64_t frame, const std::string& name) {
  return withHandle(library().streams, stream, [&](FSOUND_STREAM& s) { s.addSynchPoint({frame, name}); }) != 0;
}

bool waitUntilDecodedAhead(FSOUND_STREAM* stream, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    bool decoded = false;
    if (withHandle(library().streams, stream, [&](FSOUND_STREAM& s) { decoded = s.decodedAhead(); }) == 0) return false;
    if (decoded) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace platform::sound

using platform::sound::fail;
using platform::sound::library;
using platform::sound::withHandle;

float FSOUND_GetVersion() { return library().version; }

signed char FSOUND_SetOutput(int outputType) {
  if (library().running) return fail(FMOD_ERR_BUSY);
  library().output = outputType;
  return 1;
}

signed char FSOUND_SetDriver(int driver) {
  if (library().running) return fail(FMOD_ERR_BUSY);
  return driver == 0 ? 1 : fail(FMOD_ERR_INVALID_PARAM);  // one device: the default
}

signed char FSOUND_Init(int mixRate, int maxSoftwareChannels, unsigned int) {
  auto& lib = library();
  if (lib.running) return fail(FMOD_ERR_BUSY);
  if (mixRate < 4000 || mixRate > 65535 || maxSoftwareChannels < 1) return fail(FMOD_ERR_INVALID_PARAM);
  lib.mixRate = mixRate;
  lib.channels = maxSoftwareChannels;
  if (lib.output != platform::sound::kOutputNoDevice && !lib.offline) {
    try {
      lib.device = std::make_unique<platform::sound::Device>(lib.mixer, mixRate);
    } catch (const platform::sound::Failure& failure) {
      return fail(failure.code);
    }
  }
  lib.running = true;
  return 1;
}

int FSOUND_GetError() { return library().lastError; }

// The device goes first, so that nothing is mixed while the sources go.
void FSOUND_Close() {
  auto& lib = library();
  lib.device.reset();
  {
    auto guard = lib.mixer.lock();
    lib.mixer.stopAll();
  }
  lib.streams.clear();
  lib.modules.clear();
  lib.running = false;
}

signed char FSOUND_SetPan(int channel, int pan) {
  auto& lib = library();
  if (pan < FSOUND_STEREOPAN || pan > 255) return fail(FMOD_ERR_INVALID_PARAM);
  auto guard = lib.mixer.lock();
  FSOUND_STREAM* stream = platform::sound::streamOnChannel(channel);
  if (stream == nullptr) return fail(FMOD_ERR_INVALID_PARAM);
  stream->setPan(pan);
  return 1;
}

FMUSIC_MODULE* FMUSIC_LoadSong(const char* name) { return platform::sound::open(library().modules, name); }

int FMUSIC_GetType(FMUSIC_MODULE* module) {
  const FMUSIC_MODULE* song = platform::sound::owned(library().modules, module);
  if (song == nullptr) {
    fail(FMOD_ERR_INVALID_PARAM);
    return FMUSIC_TYPE_NONE;
  }
  return song->type();
}

signed char FMUSIC_SetMasterVolume(FMUSIC_MODULE* module, int volume) {
  if (volume < 0 || volume > 255) return fail(FMOD_ERR_INVALID_PARAM);
  return withHandle(library().modules, module, [volume](FMUSIC_MODULE& song) { song.setMasterVolume(volume); });
}

signed char FMUSIC_SetPanSeperation(FMUSIC_MODULE* module, float separation) {
  if (!(separation >= 0.0f && separation <= 1.0f)) return fail(FMOD_ERR_INVALID_PARAM);
  return withHandle(library().modules, module, [separation](FMUSIC_MODULE& song) { song.setPanSeparation(separation); });
}

signed char FMUSIC_PlaySong(FMUSIC_MODULE* module) {
  return withHandle(library().modules, module, [](FMUSIC_MODULE& song) {
    song.restart();
    library().mixer.start(&song);
  });
}

signed char FMUSIC_StopSong(FMUSIC_MODULE* module) {
  return withHandle(library().modules, module, [](FMUSIC_MODULE& song) { library().mixer.stop(&song); });
}

signed char FMUSIC_IsPlaying(FMUSIC_MODULE* module) {
  bool playing = false;
  withHandle(library().modules, module, [&](FMUSIC_MODULE& song) { playing = library().mixer.isPlaying(&song); });
  return playing ? 1 : 0;
}

signed char FMUSIC_FreeSong(FMUSIC_MODULE* module) { return platform::sound::release(library().modules, module); }

FSOUND_STREAM* FSOUND_Stream_OpenFile(const char* name, unsigned int, int) {
  return platform::sound::open(library().streams, name);
}

signed char FSOUND_Stream_SetEndCallback(FSOUND_STREAM* stream, FSOUND_STREAMCALLBACK callback, int userValue) {
  return withHandle(library().streams, stream, [&](FSOUND_STREAM& s) { s.setEndCallback(callback, userValue); });
}

signed char FSOUND_Stream_SetSynchCallback(FSOUND_STREAM* stream, FSOUND_STREAMCALLBACK callback, int userValue) {
  return withHandle(library().streams, stream, [&](FSOUND_STREAM& s) { s.setSynchCallback(callback, userValue); });
}

int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) {
  int played = -1;
  const bool known = withHandle(library().streams, stream, [&](FSOUND_STREAM& s) { played = platform::sound::play(s, channel); });
  if (known && played == -1) fail(channel == FSOUND_FREE ? FMOD_ERR_CHANNEL_ALLOC : FMOD_ERR_INVALID_PARAM);
  return played;
}

signed char FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms) {
  if (ms < 0) return fail(FMOD_ERR_INVALID_PARAM);
  const std::uint64_t frame = (static_cast<std::uint64_t>(ms) * library().mixRate + 500) / 1000;
  return withHandle(library().streams, stream, [frame](FSOUND_STREAM& s) { s.seek(frame); });
}

signed char FSOUND_Stream_Close(FSOUND_STREAM* stream) { return platform::sound::release(library().streams, stream); }
