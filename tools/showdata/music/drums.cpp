// Noise drums: a kick is a sine falling fast in pitch with a click of noise;
// snares, claps and cymbals are seeded noise shaped by envelopes and
// filters (a clap is three quick bursts and a tail); the impact is a deep
// falling sine under a noise burst in a room; the riser is noise whose
// low-pass opens and whose level grows to the end of the sample.
#include <cmath>

#include "music/instruments.h"

namespace showdata {
namespace {

// Seeded noise between a high-pass and a low-pass that closes from
// `lowStart` to `lowEnd` (no low-pass when `lowStart` is 0), under an
// envelope that dies away.
struct NoiseShape {
  float seconds;
  float highPass;
  float lowStart = 0.0f;
  float lowEnd = 0.0f;
  float glide = 1.0f;
  float attack = 0.001f;
  float decay = 0.1f;
  float release = 0.0f;
};

Wave noiseBurst(std::uint64_t seed, const NoiseShape& shape) {
  Wave burst = noise(seed, shape.seconds);
  highPass(burst, shape.highPass);
  if (shape.lowStart > 0.0f) lowPassSweep(burst, shape.lowStart, shape.lowEnd, shape.glide);
  applyEnvelope(burst, shape.attack, shape.decay, 0.0f, shape.release);
  return burst;
}

}  // namespace

Wave kickDrum() {
  Wave body = sineSweep(160.0f, 44.0f, 0.035f, 0.45f);
  applyEnvelope(body, 0.002f, 0.16f, 0.0f, 0.05f);
  Wave click = noise(17, 0.01f);
  applyEnvelope(click, 0.0005f, 0.002f, 0.0f, 0.0f);
  mixInto(body, click, 0.3f);
  return body;
}

Wave snareDrum(std::uint64_t seed) {
  Wave rattle = noiseBurst(seed, {.seconds = 0.32f, .highPass = 900.0f, .lowStart = 9000.0f, .lowEnd = 4000.0f, .glide = 0.05f,
                                  .attack = 0.001f, .decay = 0.075f, .release = 0.04f});
  Wave tone = sineSweep(240.0f, 180.0f, 0.03f, 0.32f);
  applyEnvelope(tone, 0.001f, 0.05f, 0.0f, 0.04f);
  mixInto(rattle, tone, 0.8f);
  addRoom(rattle, 0.18f, 0.25f, 0.72f);
  return rattle;
}

Wave hiHat(std::uint64_t seed, float length) {
  return noiseBurst(seed, {.seconds = length, .highPass = 7000.0f, .attack = 0.0008f, .decay = length * 0.22f, .release = length * 0.3f});
}

Wave crashCymbal(std::uint64_t seed) {
  return noiseBurst(seed, {.seconds = 2.6f, .highPass = 3500.0f, .lowStart = 14000.0f, .lowEnd = 6000.0f, .glide = 0.6f,
                           .attack = 0.002f, .decay = 0.7f, .release = 0.8f});
}

Wave handClap(std::uint64_t seed) {
  Wave clap = silence(0.4f);
  const float bursts[3] = {0.0f, 0.011f, 0.022f};
  for (int i = 0; i < 3; ++i) {
    const bool tail = i == 2;
    const Wave burst = noiseBurst(seed + static_cast<std::uint64_t>(i), {.seconds = tail ? 0.3f : 0.012f, .highPass = 1000.0f,
                                                                         .lowStart = 5000.0f, .lowEnd = 2500.0f, .glide = 0.05f,
                                                                         .attack = 0.0005f, .decay = tail ? 0.06f : 0.004f});
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
