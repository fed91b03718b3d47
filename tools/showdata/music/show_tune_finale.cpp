// Sections 5 to 7 of the show tune. The metaballs groove in A dorian: five
// rows a beat with swung eighths (three rows and two), a syncopated kick,
// claps on two and four, a walking bass, a plucked riff with its echo and a
// lead in the second half. The fireworks peak: every drum, octave bass,
// sixteenth arpeggios, the lead theme doubled by the bell, a fill. Then the
// last chord rings out.
#include "music/show_tune_sections.h"

namespace showdata {
namespace {

void grooveBar(Score& score, int row, bool dorianFour) {
  const int end = row + 20;
  padChord(score, row, dorianFour ? "F#3 C4 E4" : "G3 C4 E4", 30);
  score.note(row, kSubChannel, pitch(dorianFour ? "D2" : "A1"), kSub, 38);
  score.rhythm(row, end, "x.........x..x......", kKickChannel, kKick, 62);
  score.rhythm(row, end, ".....x.........x....", kSnareChannel, kClap, 52);
  score.rhythm(row, end, "x..o.x..o.x..o.x..o.", kHatChannel, kClosedHat, 40, 22);
  score.melody(row, kBassChannel, kBass,
               dorianFour ? "D2:3 D3:2 -:3 C3:2 D2:3 F#2:2 A2:3 B2:2" : "A1:3 A2:2 -:3 G2:2 A1:3 C2:2 D2:3 E2:2", 52);
  const std::string riff = dorianFour ? "F#5:3 -:2 A5:3 B5:2 -:5 D6:3 A5:2" : "E5:3 -:2 G5:3 A5:2 -:5 C6:3 A5:2";
  score.melody(row, kPluckChannel, kPluck, riff, 40);
  score.echo(row, kBellEchoChannel, kPluck, riff, 5, 16);
}

void peakBar(Score& score, int row, int bar, const char* chord, const char* arpeggioChord, std::uint8_t root) {
  const int end = row + 16;
  padChord(score, row, chord, 42);
  score.note(row, kSubChannel, root, kSub, 44);
  if (bar % 4 == 0 && bar > 0) score.note(row, kCrashChannel, pitch("C4"), kCrash, 50);
  score.rhythm(row, end, "x...x...x...x..x", kKickChannel, kKick, 64, 50);
  score.rhythm(row, end, "....x.......x...", kSnareChannel, kSnare, 60);
  if (bar >= 8) score.rhythm(row, end, "....x.......x...", kPercussionChannel, kClap, 44);
  score.rhythm(row, end, "xoxoxoxoxoxoxoxo", kHatChannel, kClosedHat, 48, 28);
  for (int r = 0; r < 16; r += 2) score.note(row + r, kBassChannel, static_cast<std::uint8_t>(root + (r % 4 == 2 ? 24 : 12)), kBass, 54);
  arpeggio(score, row, end, 2, kPluckChannel, kPluck, arpeggioChord, {0, 1, 2, 3, 4, 3, 2, 1}, 34);
}

}  // namespace

void metaballGroove(Score& score, int from, int to) {
  accent(score, from, 0);
  const int bars = (to - from) / 20;
  for (int bar = 0; bar < bars; ++bar) grooveBar(score, from + 20 * bar, bar % 2 == 1);
  const std::string line = "A5:8 G5:2 E5:5 D5:5 | F#5:8 E5:2 D5:5 A4:5 | C6:8 A5:2 G5:5 E5:5 | D6:8 B5:2 A5:5 F#5:5";
  for (int phrase = 0; phrase < 2; ++phrase) {
    const int row = from + 20 * (8 + 4 * phrase);
    score.melody(row, kLeadChannel, kLead, line, 42);
    score.echo(row, kLeadEchoChannel, kLead, line, 5, 14);
  }
  riseInto(score, to, 44);
}

void fireworksPeak(Score& score, int from, int to) {
  accent(score, from, 64);
  const char* chords[4] = {"A3 C4 F4", "B3 D4 G4", "B3 E4 G4", "A3 C4 E4"};
  const char* arpeggios[4] = {"F5 A5 C6", "G5 B5 D6", "E5 G5 B5", "A5 C6 E6"};
  const char* roots[4] = {"F1", "G1", "E1", "A1"};
  const int bars = (to - from) / 16;
  for (int bar = 0; bar < bars; ++bar) peakBar(score, from + 16 * bar, bar, chords[bar % 4], arpeggios[bar % 4], pitch(roots[bar % 4]));
  const std::string themeA = "C5:4 F5:4 A5:6 G5:2 | G5:4 D5:4 B5:6 A5:2 | G5:8 E5:4 B5:4 | A5:8 C6:8";
  const std::string themeB = "A5:4 C6:4 A5:4 F5:4 | G5:4 B5:4 D6:4 B5:4 | B5:8 G5:4 E5:4 | E5:8 A5:8";
  for (int phrase = 1; phrase < bars / 4; ++phrase) {
    const int row = from + 64 * phrase;
    const std::string& theme = phrase % 2 == 1 ? themeA : themeB;
    score.melody(row, kLeadChannel, kLead, theme, 50);
    score.echo(row, kLeadEchoChannel, kLead, theme, 3, 18);
    if (phrase >= 3) score.melody(row, kBellChannel, kBell, theme, 30, 12);
  }
  const int fill = from + 16 * bars;
  for (int row = fill, i = 0; row < to; ++row, ++i) {
    score.note(row, kSnareChannel, pitch("C4"), kSnare, 36 + 2 * i);
    if (i % 3 == 0) score.note(row, kPercussionChannel, pitch(i < 6 ? "C5" : "G4"), kTom, 50);
  }
  score.note(fill, kKickChannel, pitch("C4"), kKick, 64);
}

void ringingEnd(Score& score, int from, int) {
  accent(score, from, 50);
  fullChord(score, from, "A3 C4 E4", "A1", "A5:40", "A5:8 E6:8 A6:8", 48);
  score.echo(from, kBellEchoChannel, kBell, "A5:8 E6:8 A6:8", 9, 12);
}

}  // namespace showdata
