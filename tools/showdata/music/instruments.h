#pragma once
// The instrument set of the tunes, every sample synthesised in code. The
// numbers are the modules' 1-based instrument numbers.
#include <cstdint>
#include <vector>

#include "music/synth.h"
#include "xm_module.h"

namespace showdata {

enum Instrument : std::uint8_t {
  kKick = 1,
  kSnare,
  kClosedHat,
  kOpenHat,
  kCrash,
  kClap,
  kTom,
  kImpact,
  kRiser,
  kBass,
  kSub,
  kPad,
  kBell,
  kLead,
  kPluck,
};

// Noise drums and effects (drums.cpp).
Wave kickDrum();
Wave snareDrum(std::uint64_t seed);
Wave hiHat(std::uint64_t seed, float length);
Wave crashCymbal(std::uint64_t seed);
Wave handClap(std::uint64_t seed);
Wave lowTom();
Wave impactBoom(std::uint64_t seed);
Wave noiseRiser(std::uint64_t seed, float seconds);

// Pitched sounds at the given fundamental (tones.cpp).
Wave pluckedBass(float frequency);
Wave subBass(float frequency);
Wave stringPad(float frequency);
Wave glassBell(float frequency);
Wave sawLead(float frequency);
Wave softPluck(float frequency);

// Every instrument, in the order of the enumeration, as 16-bit XM samples.
std::vector<xm::Instrument> instrumentSet(std::uint64_t seed);

}  // namespace showdata
