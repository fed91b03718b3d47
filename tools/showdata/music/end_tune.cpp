// The end tune: a 25.6-second loop that can play for as long as the logo
// stays: four chords (F, G, E minor, A minor) of four bars, a soft kick and
// hats at four rows a beat, a plain bass, pads and a bell melody with its echo.
#include "music/arrangement.h"
#include "music/tunes.h"

namespace showdata {

xm::Module endTune(std::vector<xm::Instrument> instruments) {
  constexpr int kRows = 256;
  Score score(kRows, kChannelCount);
  const char* chords[4] = {"A3 C4 F4", "B3 D4 G4", "B3 E4 G4", "A3 C4 E4"};
  const char* roots[4] = {"F1", "G1", "E1", "A1"};
  for (int i = 0; i < 4; ++i) {
    const int row = 64 * i;
    for (int half = 0; half < 2; ++half) padChord(score, row + 32 * half, chords[i], 32);
    for (int bar = 0; bar < 4; ++bar) {
      const int start = row + 16 * bar;
      score.rhythm(start, start + 16, "x.......x.......", kKickChannel, kKick, 46);
      score.rhythm(start, start + 16, "..o...o...x...o.", kHatChannel, kClosedHat, 30, 18);
      score.melody(start, kBassChannel, kBass, std::string(roots[i]) + ":6 " + roots[i] + ":10", 40, 12);
    }
  }
  const std::string melody = "A5:16 G5:8 F5:8 | G5:16 D5:16 | E5:16 G5:8 B5:8 | A5:24 E5:8 | "
                             "C6:16 A5:8 F5:8 | B5:16 G5:16 | G5:8 B5:8 E6:16 | C6:16 A5:16";
  score.melody(0, kBellChannel, kBell, melody, 40);
  score.echo(0, kBellEchoChannel, kBell, melody, 6, 14);
  return tuneModule("Skyward end", score, {64, 128, 192}, 0, std::move(instruments));
}

}  // namespace showdata
