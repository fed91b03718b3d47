#pragma once
// A tune written row by row (one row lasts 0.1 s: speed 6 at 150 BPM), then
// cut into patterns. Melodies and chords are written as short texts:
// "E5:6 F5:2 -:4 A5:4@40" is E-5 for 6 rows, F-5 for 2, a rest of 4 rows,
// A-5 for 4 rows at volume 40 (of 64); a note that runs out is cut by the
// next one on its channel, or by a key-off written at its end.
#include <cstdint>
#include <string>
#include <vector>

#include "xm_module.h"

namespace showdata {

inline constexpr int kRowsPerSecond = 10;

// XM note number of a pitch name: "C4", "F#5", "Bb3" (C-4 is 261.63 Hz here).
std::uint8_t pitch(const std::string& name);

class Score {
 public:
  Score(int rows, int channels) : rows_(rows), channels_(channels), cells_(static_cast<std::size_t>(rows * channels)) {}
  int rows() const { return rows_; }
  int channels() const { return channels_; }

  // Silently ignores rows outside the score.
  void note(int row, int channel, std::uint8_t note, std::uint8_t instrument, int volume = 64);
  void keyOff(int row, int channel);
  // Plays the text from `row`; returns the row after its end.
  int melody(int row, int channel, std::uint8_t instrument, const std::string& text, int volume = 64, int transpose = 0);
  // The same text again `delay` rows later, quieter: a tracker echo.
  void echo(int row, int channel, std::uint8_t instrument, const std::string& text, int delay, int volume);
  // One hit every `every` rows from `from` (inclusive) to `to` (exclusive).
  void pulse(int from, int to, int every, int channel, std::uint8_t note, std::uint8_t instrument, int volume = 64);
  // A drum pattern over one bar: 'x' loud, 'o' soft, '.' nothing, one character per row.
  void rhythm(int from, int to, const std::string& bar, int channel, std::uint8_t instrument, int loud = 64, int soft = 36);

  const xm::Cell& at(int row, int channel) const { return cells_[static_cast<std::size_t>(row * channels_ + channel)]; }

  // Patterns cut at `cuts` (row numbers) and wherever 256 rows would pass;
  // the order plays them once each.
  void toPatterns(const std::vector<int>& cuts, xm::Module& module) const;

 private:
  int rows_;
  int channels_;
  std::vector<xm::Cell> cells_;
};

}  // namespace showdata
