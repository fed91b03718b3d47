#include "music/arrangement.h"

#include <sstream>

namespace showdata {
namespace {

std::vector<std::uint8_t> pitches(const std::string& chord) {
  std::istringstream words(chord);
  std::vector<std::uint8_t> result;
  std::string word;
  while (words >> word) result.push_back(pitch(word));
  return result;
}

constexpr float kRiserSeconds = 2.0f;  // the riser sample's length

}  // namespace

void padChord(Score& score, int row, const std::string& chord, int volume) {
  const std::vector<std::uint8_t> notes = pitches(chord);
  for (std::size_t i = 0; i < notes.size() && i < 3; ++i)
    score.note(row, kPadChannel + static_cast<int>(i), notes[i], kPad, volume);
}

void arpeggio(Score& score, int from, int to, int step, int channel, std::uint8_t instrument, const std::string& chord,
              const std::vector<int>& pattern, int volume) {
  const std::vector<std::uint8_t> notes = pitches(chord);
  const int size = static_cast<int>(notes.size());
  for (int row = from, i = 0; row < to; row += step, ++i) {
    const int index = pattern[static_cast<std::size_t>(i) % pattern.size()];
    score.note(row, channel, static_cast<std::uint8_t>(notes[static_cast<std::size_t>(index % size)] + 12 * (index / size)),
               instrument, volume);
  }
}

void accent(Score& score, int row, int strength) {
  score.note(row, kCrashChannel, pitch("C4"), kCrash, 56);
  score.note(row, kKickChannel, pitch("C4"), kKick, 64);
  if (strength > 0) score.note(row, kEffectChannel, pitch("C4"), kImpact, strength);
}

void fullChord(Score& score, int row, const std::string& chord, const std::string& root, const std::string& lead,
               const std::string& bell, int volume) {
  padChord(score, row, chord, volume * 5 / 6);
  score.note(row, kBassChannel, pitch(root), kBass, volume);
  score.note(row, kSubChannel, pitch(root), kSub, volume * 5 / 6);
  score.melody(row, kLeadChannel, kLead, lead, volume * 5 / 6);
  score.melody(row, kBellChannel, kBell, bell, volume * 3 / 5);
}

void riseInto(Score& score, int row, int volume) {
  score.note(row - static_cast<int>(kRiserSeconds * kRowsPerSecond), kEffectChannel, pitch("C4"), kRiser, volume);
}

xm::Module tuneModule(const std::string& name, const Score& score, const std::vector<int>& cuts, int restart,
                      std::vector<xm::Instrument> instruments) {
  xm::Module module;
  module.name = name;
  module.channels = score.channels();
  module.tempo = 6;
  module.bpm = 150;
  module.instruments = std::move(instruments);
  score.toPatterns(cuts, module);
  module.restart = restart;
  return module;
}

}  // namespace showdata
