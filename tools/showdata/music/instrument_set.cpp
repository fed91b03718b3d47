// The instrument set as XM instruments: each synthesised wave scaled to a
// common peak and stored as 16-bit points, tuned by the relative note of its
// home octave (drums at C-4).
#include <cmath>

#include "music/instruments.h"

namespace showdata {
namespace {

xm::Instrument instrument(const char* name, Wave wave, std::uint8_t volume, int homeOctave = 4) {
  normalise(wave, 0.97f);
  xm::Instrument result;
  result.name = name;
  result.sample.name = name;
  result.sample.volume = volume;
  result.sample.relativeNote = homeRelativeNote(homeOctave);
  result.sample.wide.reserve(wave.size());
  for (float v : wave) result.sample.wide.push_back(static_cast<std::int16_t>(std::lround(v * 32767.0f)));
  return result;
}

}  // namespace

std::vector<xm::Instrument> instrumentSet(std::uint64_t seed) {
  return {
      instrument("kick", kickDrum(), 64),
      instrument("snare", snareDrum(seed + 1), 50),
      instrument("closed hat", hiHat(seed + 2, 0.09f), 30),
      instrument("open hat", hiHat(seed + 3, 0.45f), 28),
      instrument("crash", crashCymbal(seed + 4), 36),
      instrument("clap", handClap(seed + 5), 44),
      instrument("tom", lowTom(), 48),
      instrument("impact", impactBoom(seed + 6), 64),
      instrument("riser", noiseRiser(seed + 7, 2.0f), 34),
      instrument("bass", pluckedBass(homeFrequency(2)), 46, 2),
      instrument("sub", subBass(homeFrequency(2)), 50, 2),
      instrument("pad", stringPad(homeFrequency(4)), 30, 4),
      instrument("bell", glassBell(homeFrequency(6)), 34, 6),
      instrument("lead", sawLead(homeFrequency(5)), 34, 5),
      instrument("pluck", softPluck(homeFrequency(5)), 36, 5),
  };
}

}  // namespace showdata
