#pragma once
// A FastTracker 2 extended module, as far as the writer needs it: patterns of
// note cells, and instruments with one 8-bit sample each, mapped to every note.
#include <cstdint>
#include <string>
#include <vector>

namespace xm {

inline constexpr std::uint8_t kKeyOff = 97;

// The note number of a pitch: octave 0 to 7, semitone 0 (C) to 11 (B).
constexpr std::uint8_t note(int octave, int semitone) { return static_cast<std::uint8_t>(1 + octave * 12 + semitone); }

struct Cell {
  std::uint8_t note = 0;        // 0: none; 1 to 96; kKeyOff
  std::uint8_t instrument = 0;  // 0: none; 1-based
  std::uint8_t volume = 0;      // volume column byte: 0 none, 0x10 to 0x50 set volume 0 to 64
  std::uint8_t effect = 0;
  std::uint8_t parameter = 0;
};

class Pattern {
 public:
  Pattern(int rows, int channels) : rows_(rows), channels_(channels), cells_(static_cast<std::size_t>(rows * channels)) {}
  int rows() const { return rows_; }
  int channels() const { return channels_; }
  Cell& at(int row, int channel) { return cells_.at(static_cast<std::size_t>(row * channels_ + channel)); }
  const Cell& at(int row, int channel) const { return cells_.at(static_cast<std::size_t>(row * channels_ + channel)); }

 private:
  int rows_;
  int channels_;
  std::vector<Cell> cells_;
};

struct Sample {
  std::string name;
  std::vector<std::int8_t> data;
  std::uint32_t loopStart = 0;   // in sample points, whichever width they have
  std::uint32_t loopLength = 0;  // 0: no loop; otherwise a forward loop
  std::uint8_t volume = 64;      // 0 to 64
  std::int8_t finetune = 0;
  std::uint8_t panning = 128;
  std::int8_t relativeNote = 0;  // semitones; 0 plays C-4 at 8363 Hz
  // 16-bit sample points; when not empty they are stored instead of `data`.
  std::vector<std::int16_t> wide = {};
};

struct Instrument {
  std::string name;
  Sample sample;
};

struct Module {
  std::string name;
  int channels = 4;  // 1 to 32
  int tempo = 6;     // ticks per row
  int bpm = 125;
  int restart = 0;   // order the song loops back to
  bool linearFrequencies = true;
  std::vector<std::uint8_t> order;  // pattern numbers, 1 to 256 entries
  std::vector<Pattern> patterns;
  std::vector<Instrument> instruments;
};

}  // namespace xm
