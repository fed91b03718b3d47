#pragma once
// What tests (and tools) need from the sound layer beyond the library's own
// calls: the mix without a device, a different reported version, and synch
// points for streams that carry none.
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/fmod.h"

namespace platform::sound {

// FSOUND_SetOutput with this type before FSOUND_Init: no device is opened
// and nothing is mixed until renderMix pulls it.
inline constexpr int kOutputNoDevice = 0;

// The layer's own version number unless a test asks for another.
inline constexpr float kLayerVersion = 3.33f;
void reportVersion(float version);

// Mixes the next frames (interleaved stereo) on the caller's thread; the
// stream callbacks run there too. Silence when the library is not running.
void renderMix(std::span<float> out);

// Waits until the stream's decoder is as far ahead of the mixer as it goes
// (its buffer full, or the file decoded to its end), so that what a test
// mixes next does not depend on how busy the machine is. False for an
// unknown stream or when the limit passes first.
bool waitUntilDecodedAhead(FSOUND_STREAM* stream, std::chrono::milliseconds limit);

// Offline rendering, for capture: from now on the library opens no device,
// whatever output is asked for, and mixes only when mixUntil pulls it, on the
// caller's thread; streams are waited for instead of running short. The
// position starts at `fromSeconds` of show time (0, the show's start, unless
// the show starts later). Off again with false.
void renderOffline(bool on, double fromSeconds = 0.0);
bool renderingOffline();
// Mixes from the position reached so far up to `seconds` (to the nearest
// frame) and keeps it for takeMixed. Nothing when not offline or already
// there; silence while the library is not running.
void mixUntil(double seconds);
// Interleaved stereo floats mixed since the last call.
std::vector<float> takeMixed();

// While held the mix is silence and every source stays where it is: for
// moving the show to a later moment without being heard doing it.
void holdMix(bool held);

// Moves a module tune to where it would be after playing `seconds` from its
// start, sample for sample. False for an unknown module.
bool setModuleTime(FMUSIC_MODULE* module, double seconds);
// Moves a stream to `frame` frames of the mix from its start, where the
// library's own seek goes to the nearest millisecond. False for an unknown
// stream.
bool setStreamFrame(FSOUND_STREAM* stream, std::uint64_t frame);

// A synch point `frame` frames into the stream. False for an unknown stream.
bool addSynchPoint(FSOUND_STREAM* stream, std::uint64_t frame, const std::string& name);

}  // namespace platform::sound
