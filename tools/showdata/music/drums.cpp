// Noise drums: a kick is a sine falling fast in pitch with a click of noise;
// snares, claps and cymbals are seeded noise shaped by envelopes and
// filters (a clap is three quick bursts and a tail); the impact is a deep
// falling sine under a noise burst in a room; the riser is noise whose
// low-pass opens and whose level grows to the end of the sample.
#include <cmath>

#include "music/instruments.h"

namespace showdata {

Wave kickDrum() {
  Wave body = sineSweep(160.0f, 44.0f, 0.035f, 0.45f);
  applyEnvelope(body, 0.002f, 0.16f, 0.0f, 0.05f);
  Wave click = noise(17, 0.01f);
  applyEnvelope(click, 0.0005f, 0.002f, 0.0f, 0.0f);
  mixInto(body, click, 0.3f);
  return body;
}

Wave snareDrum(std::uint64_t seed) {
  Wave rattle = noise(seed, 0.32f);
  highPass(rattle, 900.0f);
  lowPassSweep(rattle, 9000.0f, 4000.0f, 0.05f);
  applyEnvelope(rattle, 0.001f, 0.075f, 0.0f, 0.04f);
  Wave tone = sineSweep(240.0f, 180.0f, 0.03f, 0.32f);
  applyEnvelope(tone, 0.001f, 0.05f, 0.0f, 0.04f);
  mixInto(rattle, tone, 0.8f);
  addRoom(rattle, 0.18f, 0.25f, 0.72f);
  return rattle;
}

Wave hiHat(std::uint64_t seed, float length) {
  Wave hat = noise(seed, length);
  highPass(hat, 7000.0f);
  applyEnvelope(hat, 0.0008f, length * 0.22f, 0.0f, length * 0.3f);
  return hat;
}

Wave crashCymbal(std::uint64_t seed) {
  Wave crash = noise(seed, 2.6f);
  highPass(crash, 3500.0f);
  lowPassSweep(crash, 14000.0f, 6000.0f, 0.6f);
  applyEnvelope(crash, 0.002f, 0.7f, 0.0f, 0.8f);
  return crash;
}

Wave handClap(std::uint64_t seed) {
  Wave clap = silence(0.4f);
  const float bursts[3] = {0.0f, 0.011f, 0.022f};
  for (int i = 0; i < 3; ++i) {
    Wave burst = noise(seed + static_cast<std::uint64_t>(i), i == 2 ? 0.3f : 0.012f);
    highPass(burst, 1000.0f);
    lowPassSweep(burst, 5000.0f, 2500.0f, 0.05f);
    applyEnvelope(burst, 0.0005f, i == 2 ? 0.06f : 0.004f, 0.0f, 0.0f);
    Wave placed = silence(bursts[i]);
    placed.insert(placed.end(), burst.begin(), burst.end());
    mixInto(clap, placed, 1.0f);
  }
  addRoom(clap, 0.3f, 0.4f, 0.78f);
  return clap;
}

Wave lowTom() {
  Wave tom = sineSweep(150.0f, 95.0f, 0.08f, 0.7f);
  applyEnvelope(tom, 0.002f, 0.22f, 0.0f, 0.1f);
  addRoom(tom, 0.4f, 1.0f, 0.84f);
  return tom;
}

Wave impactBoom(std::uint64_t seed) {
  Wave boom = sineSweep(90.0f, 30.0f, 0.4f, 2.5f);
  applyEnvelope(boom, 0.003f, 0.8f, 0.0f, 0.6f);
  Wave burst = noise(seed, 1.2f);
  lowPassSweep(burst, 6000.0f, 300.0f, 0.15f);
  applyEnvelope(burst, 0.002f, 0.25f, 0.0f, 0.3f);
  mixInto(boom, burst, 0.7f);
  addRoom(boom, 0.35f, 1.2f, 0.86f);
  return boom;
}

Wave noiseRiser(std::uint64_t seed, float seconds) {
  Wave riser = noise(seed, seconds);
  for (std::size_t i = 0; i < riser.size(); ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(riser.size());
    riser[i] *= t * t * t;
  }
  lowPassSweep(riser, 300.0f, 0.0f, -seconds / std::log(40.0f));  // a cutoff growing 40-fold
  highPass(riser, 400.0f);
  return riser;
}

}  // namespace showdata
