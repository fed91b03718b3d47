#include "music/synth.h"

#include <algorithm>
#include <cmath>

#include "core/random.h"

namespace showdata {
namespace {

constexpr float kTau = 6.28318530718f;

std::size_t frames(float seconds) { return static_cast<std::size_t>(seconds * kSampleRate); }

}  // namespace

float homeFrequency(int octave) { return kMiddleC * std::pow(2.0f, static_cast<float>(octave - 4)); }

std::int8_t homeRelativeNote(int octave) { return static_cast<std::int8_t>(24 - 12 * (octave - 4)); }

Wave silence(float seconds) { return Wave(frames(seconds), 0.0f); }

Wave additiveSaw(float frequency, float seconds, int harmonics, float detuneCents) {
  const float f = frequency * std::pow(2.0f, detuneCents / 1200.0f);
  Wave wave(frames(seconds));
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    float sum = 0.0f;
    for (int h = 1; h <= harmonics && h * f < kSampleRate * 0.45f; ++h) sum += std::sin(kTau * f * h * t) / h;
    wave[i] = sum * 0.6f;
  }
  return wave;
}

Wave sine(float frequency, float seconds, float phase) {
  Wave wave(frames(seconds));
  for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = std::sin(kTau * frequency * i / kSampleRate + phase);
  return wave;
}

Wave sineSweep(float start, float end, float glide, float seconds) {
  Wave wave(frames(seconds));
  double phase = 0.0;
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float f = end + (start - end) * std::exp(-t / glide);
    phase += f / kSampleRate;
    wave[i] = static_cast<float>(std::sin(kTau * phase));
  }
  return wave;
}

Wave fmTone(float frequency, float ratio, float index, float indexDecay, float seconds) {
  Wave wave(frames(seconds));
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float depth = index * std::exp(-t / indexDecay);
    wave[i] = std::sin(kTau * frequency * t + depth * std::sin(kTau * frequency * ratio * t));
  }
  return wave;
}

Wave noise(std::uint64_t seed, float seconds) {
  Random random(seed);
  Wave wave(frames(seconds));
  for (float& v : wave) v = random.unit() * 2.0f - 1.0f;
  return wave;
}

void applyEnvelope(Wave& wave, float attack, float decay, float sustain, float release) {
  const float length = static_cast<float>(wave.size()) / kSampleRate;
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    float level = t < attack ? t / attack : sustain + (1.0f - sustain) * std::exp(-(t - attack) / decay);
    if (release > 0.0f && t > length - release) level *= (length - t) / release;
    wave[i] *= level;
  }
}

void lowPassSweep(Wave& wave, float startHz, float endHz, float glide) {
  float state = 0.0f;
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float cutoff = endHz + (startHz - endHz) * std::exp(-t / glide);
    const float a = 1.0f - std::exp(-kTau * cutoff / kSampleRate);
    state += a * (wave[i] - state);
    wave[i] = state;
  }
}

void highPass(Wave& wave, float cutoffHz) {
  const float a = std::exp(-kTau * cutoffHz / kSampleRate);
  float low = 0.0f;
  for (float& v : wave) {
    low = v + a * (low - v);
    v -= low;
  }
}

void addRoom(Wave& wave, float wet, float tail, float roomSize) {
  const std::size_t dryLength = wave.size();
  wave.resize(dryLength + frames(tail), 0.0f);
  const int combDelays[4] = {1557, 1617, 1491, 1422};  // in samples at 44.1 kHz, scaled below
  const int allPassDelays[2] = {556, 441};
  const float scale = kSampleRate / 44100.0f;
  Wave room(wave.size(), 0.0f);
  for (int delay : combDelays) {
    const auto d = static_cast<std::size_t>(delay * scale);
    Wave line(wave.size(), 0.0f);
    for (std::size_t i = 0; i < wave.size(); ++i) {
      const float fed = i >= d ? line[i - d] : 0.0f;
      line[i] = wave[i] + fed * roomSize;
      room[i] += fed * 0.25f;
    }
  }
  for (int delay : allPassDelays) {
    const auto d = static_cast<std::size_t>(delay * scale);
    Wave out(room.size(), 0.0f);
    for (std::size_t i = 0; i < room.size(); ++i) {
      const float delayed = i >= d ? out[i - d] : 0.0f;
      const float input = room[i];
      out[i] = -input * 0.5f + (i >= d ? room[i - d] : 0.0f) + delayed * 0.5f;
    }
    room = std::move(out);
  }
  for (std::size_t i = 0; i < wave.size(); ++i) wave[i] += room[i] * wet;
}

void mixInto(Wave& target, const Wave& source, float gain) {
  if (target.size() < source.size()) target.resize(source.size(), 0.0f);
  for (std::size_t i = 0; i < source.size(); ++i) target[i] += source[i] * gain;
}

void normalise(Wave& wave, float peak) {
  float largest = 0.0f;
  for (float v : wave) largest = std::max(largest, std::fabs(v));
  if (largest <= 0.0f) return;
  for (float& v : wave) v *= peak / largest;
}

}  // namespace showdata
