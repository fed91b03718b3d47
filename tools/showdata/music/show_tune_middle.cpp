// Sections 3 and 4 of the show tune. The hall is spacious: a deep boom
// marks its start, then slow chords two bars long (six rows a beat), a bell melody with two echoes, a tom on every
// other bar and soft ticks, then a breath before the title. The title hits
// with everything at once, answers the picture's flicker with stabs, drives
// for nine bars under a lead theme, and stops for a quiet bar.
#include "music/show_tune_sections.h"

namespace showdata {

void spaciousHall(Score& score, int from, int to) {
  score.note(from, kEffectChannel, pitch("C4"), kImpact, 26);
  const char* chords[4] = {"F3 A3 E4", "G3 C4 E4", "A3 C4 E4", "G3 B3 D4"};
  const char* roots[4] = {"D2", "A1", "F1", "E1"};
  const char* phrases[6] = {"A5:12 G5:6 F5:6 E5:24", "C5:12 D5:6 E5:6 G5:24",         "A5:12 C6:6 B5:6 A5:12 E5:12",
                            "G5:18 A5:6 B5:24",      "A5:6 C6:6 D6:12 C6:6 A5:6 G5:12", "E5:12 G5:6 A5:6 E5:24"};
  // Half a second of the boom alone, then the hall opens.
  const int open = from + 5;
  for (int i = 0; i < 6; ++i) {
    const int row = open + 48 * i;
    for (int half = 0; half < 2; ++half) {
      padChord(score, row + 24 * half, chords[i % 4], 24);
      score.note(row + 24 * half, kSubChannel, pitch(roots[i % 4]), kSub, 34);
    }
    score.melody(row, kBellChannel, kBell, phrases[i], 40);
    score.echo(row, kBellEchoChannel, kBell, phrases[i], 9, 18);
    score.echo(row, kPluckChannel, kBell, phrases[i], 18, 9);
    score.note(row, kPercussionChannel, pitch("C4"), kTom, 34);
  }
  score.pulse(open + 6, open + 288, 12, kHatChannel, pitch("C4"), kClosedHat, 14);
  // A suspended chord, then a breath (the pads cut) before the title.
  padChord(score, open + 288, "A3 B3 E4", 30);
  score.note(open + 288, kSubChannel, pitch("E1"), kSub, 34);
  for (int c = 0; c < 3; ++c) score.keyOff(to - 10, kPadChannel + c);
  score.keyOff(to - 10, kSubChannel);
  riseInto(score, to, 30);
}

namespace {

// The stabs answer the title picture's flicker, 0.3 to 1.8 s after the hit.
void flickerStabs(Score& score, int from) {
  const int offsets[9] = {3, 6, 9, 12, 14, 15, 16, 17, 18};
  for (int i = 0; i < 9; ++i) {
    score.note(from + offsets[i], kPluckChannel, pitch(i % 2 == 0 ? "A5" : "E5"), kPluck, 40 + 2 * i);
    score.note(from + offsets[i], kPercussionChannel, pitch("C4"), kClap, 30 + 3 * i);
  }
}

void driveBar(Score& score, int row, const char* chord, std::uint8_t root) {
  const int end = row + 16;
  padChord(score, row, chord, 40);
  score.note(row, kSubChannel, root, kSub, 42);
  score.rhythm(row, end, "x...x...x...x...", kKickChannel, kKick, 64);
  score.rhythm(row, end, "....x.......x...", kSnareChannel, kSnare, 56);
  score.rhythm(row, end, "o.x.o.x.o.x.o.x.", kHatChannel, kClosedHat, 46, 24);
  for (int r = 0; r < 16; r += 2) score.note(row + r, kBassChannel, static_cast<std::uint8_t>(root + (r % 4 == 2 ? 24 : 12)), kBass, 48);
}

}  // namespace

void titleHit(Score& score, int from, int to) {
  accent(score, from, 64);
  fullChord(score, from, "A3 E4 A4", "A1", "A5:20", "E6:20", 60);
  flickerStabs(score, from);
  const char* chords[4] = {"A3 C4 F4", "B3 D4 G4", "A3 C4 E4", "A3 C4 E4"};
  const char* roots[4] = {"F1", "G1", "A1", "A1"};
  const int driveStart = from + 32, bars = (to - 9 - driveStart) / 16;
  for (int bar = 0; bar < bars; ++bar) driveBar(score, driveStart + 16 * bar, chords[bar % 4], pitch(roots[bar % 4]));
  const std::string theme =
      "C5:4 F5:4 A5:6 G5:2 | G5:4 D5:4 B5:6 A5:2 | A5:8 E5:4 C6:4 | B5:8 A5:8 | "
      "A5:4 C6:4 A5:4 F5:4 | G5:4 B5:4 D6:4 B5:4 | C6:8 B5:4 A5:4 | E5:8 A5:8";
  score.melody(driveStart, kLeadChannel, kLead, theme, 48);
  score.echo(driveStart, kLeadEchoChannel, kLead, theme, 3, 16);
  padChord(score, to - 9, "A3 C4 E4", 26);
  score.keyOff(to - 9, kLeadChannel);
  score.keyOff(to - 9, kBassChannel);
}

}  // namespace showdata
