// Pitched sounds, each made at its home note so the module's notes transpose them:
// the bass is a saw through a low-pass that closes after the pluck; the sub
// a pure sine; the pad three detuned saws with a slow attack, darkened and
// put in a room; the bell a two-operator FM tone with a fading index; the
// lead a saw pair with vibrato; the soft pluck a sine with a quick FM glint.
#include <cmath>

#include "music/instruments.h"

namespace showdata {

Wave pluckedBass(float frequency) {
  Wave bass = additiveSaw(frequency, 1.3f, 60);
  mixInto(bass, additiveSaw(frequency, 1.3f, 60, 6.0f), 0.6f);
  lowPassSweep(bass, 2400.0f, 380.0f, 0.09f);
  applyEnvelope(bass, 0.004f, 0.35f, 0.25f, 0.25f);
  return bass;
}

Wave subBass(float frequency) {
  Wave sub = sine(frequency, 4.5f);
  mixInto(sub, sine(frequency * 2.0f, 4.5f), 0.15f);
  applyEnvelope(sub, 0.03f, 1.5f, 0.6f, 0.8f);
  return sub;
}

Wave stringPad(float frequency) {
  Wave pad = additiveSaw(frequency, 6.0f, 22, -9.0f);
  mixInto(pad, additiveSaw(frequency, 6.0f, 22, 0.0f), 1.0f);
  mixInto(pad, additiveSaw(frequency, 6.0f, 22, 8.0f), 1.0f);
  lowPassSweep(pad, 900.0f, 2600.0f, 1.5f);
  applyEnvelope(pad, 0.7f, 2.0f, 0.75f, 1.6f);
  addRoom(pad, 0.35f, 1.0f, 0.85f);
  return pad;
}

Wave glassBell(float frequency) {
  Wave bell = fmTone(frequency, 3.5f, 2.2f, 0.5f, 3.2f);
  mixInto(bell, fmTone(frequency * 2.0f, 1.0f, 0.6f, 0.3f, 3.2f), 0.25f);
  applyEnvelope(bell, 0.002f, 0.8f, 0.0f, 0.5f);
  addRoom(bell, 0.3f, 1.0f, 0.85f);
  return bell;
}

Wave sawLead(float frequency) {
  Wave lead(static_cast<std::size_t>(2.4f * kSampleRate));
  double phaseA = 0.0, phaseB = 0.0;
  for (std::size_t i = 0; i < lead.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float vibrato = 1.0f + 0.004f * std::sin(6.28318f * 5.5f * t) * std::fmin(1.0f, t / 0.4f);
    phaseA += frequency * vibrato / kSampleRate;
    phaseB += frequency * 1.004f * vibrato / kSampleRate;
    // Saws from their phase, softened by the low-pass below.
    lead[i] = static_cast<float>((phaseA - std::floor(phaseA)) + (phaseB - std::floor(phaseB)) - 1.0);
  }
  lowPassSweep(lead, 5000.0f, 2200.0f, 0.3f);
  applyEnvelope(lead, 0.012f, 0.9f, 0.55f, 0.4f);
  addRoom(lead, 0.2f, 0.6f, 0.8f);
  return lead;
}

Wave softPluck(float frequency) {
  Wave pluck = fmTone(frequency, 2.0f, 1.4f, 0.06f, 1.2f);
  applyEnvelope(pluck, 0.002f, 0.25f, 0.0f, 0.3f);
  addRoom(pluck, 0.25f, 0.6f, 0.8f);
  return pluck;
}

}  // namespace showdata
