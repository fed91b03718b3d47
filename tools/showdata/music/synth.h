#pragma once
// Building blocks of the synthesised instruments: oscillators, envelopes,
// filters and a small room, on plain float buffers at a given rate. Every
// function is pure; noise takes its seed.
#include <cstdint>
#include <vector>

namespace showdata {

using Wave = std::vector<float>;

// Every sample is made at one rate, XM's 8363 Hz two octaves up, and plays
// at that rate at its home note: a pitched sound made at the home note's
// frequency then sounds at its true pitch (A-4 = 440 Hz), and its envelope
// keeps its length near home. Drums are at home at C-4.
inline constexpr float kSampleRate = 8363.0f * 4.0f;
inline constexpr float kMiddleC = 261.625565f;

// The frequency of C in `octave` (4: middle C), and the XM relative note
// that makes C-`octave` play at kSampleRate.
float homeFrequency(int octave);
std::int8_t homeRelativeNote(int octave);

Wave silence(float seconds);

// Band-limited enough for our purposes: a saw from the first harmonics.
Wave additiveSaw(float frequency, float seconds, int harmonics, float detuneCents = 0.0f);
Wave sine(float frequency, float seconds, float phase = 0.0f);
// A sine whose frequency glides exponentially from `start` to `end` with the time constant `glide`.
Wave sineSweep(float start, float end, float glide, float seconds);
// Two-operator FM: a sine carrier whose phase is moved by a sine modulator
// at `ratio` x frequency, by `index` that decays with `indexDecay` seconds.
Wave fmTone(float frequency, float ratio, float index, float indexDecay, float seconds);
Wave noise(std::uint64_t seed, float seconds);

// Attack (linear), then exponential decay to `sustain` with time constant
// `decay`, and a release to silence over the last `release` seconds.
void applyEnvelope(Wave& wave, float attack, float decay, float sustain, float release);
// One-pole low-pass whose cutoff moves from `startHz` to `endHz` exponentially.
void lowPassSweep(Wave& wave, float startHz, float endHz, float glide);
void highPass(Wave& wave, float cutoffHz);
// Parallel comb filters and series all-pass filters (a Schroeder room);
// `wet` of the room added to the dry sound; the wave grows by `tail` seconds.
void addRoom(Wave& wave, float wet, float tail, float roomSize);

void mixInto(Wave& target, const Wave& source, float gain);
// Scaled so that the largest magnitude is `peak`.
void normalise(Wave& wave, float peak);

}  // namespace showdata
