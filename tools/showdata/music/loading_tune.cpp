// The loading tune: a 32-second loop of four slow chords (E minor nine,
// C major seven, G, D) with swelling pads restruck every four seconds, a low
// sub, a gentle bell arpeggio with its echo and a few plucked notes.
#include "music/arrangement.h"
#include "music/tunes.h"

namespace showdata {

xm::Module loadingTune(std::vector<xm::Instrument> instruments) {
  constexpr int kRows = 320;
  Score score(kRows, kChannelCount);
  const char* chords[4] = {"G3 B3 F#4", "G3 B3 E4", "G3 B3 D4", "F#3 A3 D4"};
  const char* arpeggios[4] = {"E5 G5 B5 F#5", "C5 E5 G5 B5", "D5 G5 B5 D6", "D5 F#5 A5 E5"};
  const char* roots[4] = {"E1", "C2", "G1", "D2"};
  const std::vector<int> shape = {0, 1, 2, 3, 2, 1, 0, 3};
  for (int i = 0; i < 4; ++i) {
    const int row = 80 * i;
    for (int half = 0; half < 2; ++half) {
      padChord(score, row + 40 * half, chords[i], 30);
      score.note(row + 40 * half, kSubChannel, pitch(roots[i]), kSub, 32);
    }
    arpeggio(score, row, row + 80, 5, kBellChannel, kBell, arpeggios[i], shape, 26);
    arpeggio(score, row + 7, row + 80, 5, kBellEchoChannel, kBell, arpeggios[i], shape, 10);
  }
  score.melody(40, kPluckChannel, kPluck, "B5:10 A5:10 G5:20 | -:40 | G5:10 E5:10 D5:20 | -:60 | A5:10 F#5:10 E5:40", 30);
  return tuneModule("Skyward loading", score, {80, 160, 240}, 0, std::move(instruments));
}

}  // namespace showdata
