#pragma once
// A module rendered through the engine's sound layer (libopenmpt, no audio
// device) and encoded as MP3 by libmp3lame.
#include <cstdint>
#include <vector>

#include "xm_module.h"

namespace showdata {

struct Mp3Settings {
  double seconds = 172.5;
  int bitrate = 192;        // kbit/s, constant
  float peakDecibels = -1.5f;  // the rendering is scaled to this peak before encoding
};

// Interleaved stereo at 44.1 kHz: `seconds` of the module from its start.
// Throws std::runtime_error when the sound layer cannot start or load it.
std::vector<float> renderModule(const xm::Module& module, double seconds);

std::vector<std::uint8_t> encodeMp3(std::vector<float> stereo, const Mp3Settings& settings);

}  // namespace showdata
