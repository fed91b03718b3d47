// Sections 1 and 2 of the show tune. The opening is quiet: pads, a low sub,
// a bell arpeggio with its echo, a heartbeat of toms, and a riser into the
// shadows. The shadow section builds over sixteen bars of four beats (four
// rows a beat): half-time kick, then snare and hats, then a driving bass,
// plucked arpeggios and a lead, ending in a snare roll.
#include <algorithm>

#include "music/show_tune_sections.h"

namespace showdata {

void quietOpening(Score& score, int from, int to) {
  const char* chords[4] = {"A3 C4 E4", "F3 A3 E4", "G3 C4 E4", "G3 B3 D4"};
  const char* arpeggios[4] = {"A4 C5 E5 B5", "F4 A4 C5 E5", "C5 E5 G5 D6", "G4 B4 D5 A5"};
  const char* roots[4] = {"A1", "F1", "C2", "G1"};
  const std::vector<int> shape = {0, 1, 2, 3, 4, 3, 2, 1};
  for (int i = 0; i < 4; ++i) {
    const int row = from + 40 * i, end = std::min(row + 40, to);
    padChord(score, row, chords[i], 16 + 3 * i);
    score.note(row, kSubChannel, pitch(roots[i]), kSub, 28);
    const int start = i == 0 ? row + 20 : row;
    arpeggio(score, start, end, 5, kBellChannel, kBell, arpeggios[i], shape, 18 + 4 * i);
    arpeggio(score, start + 7, end, 5, kBellEchoChannel, kBell, arpeggios[i], shape, 10 + 2 * i);
  }
  score.pulse(from + 80, to - 5, 20, kPercussionChannel, pitch("C4"), kTom, 30);
  riseInto(score, to, 26);
}

namespace {

void buildDrums(Score& score, int row, int bar) {
  const int end = row + 16;
  if (bar < 4) score.rhythm(row, end, "x.......x.......", kKickChannel, kKick, 56);
  else if (bar < 8) score.rhythm(row, end, "x.......x.....x.", kKickChannel, kKick, 60);
  else score.rhythm(row, end, "x...x...x...x...", kKickChannel, kKick, 64);
  if (bar >= 4 && bar < 8) score.rhythm(row, end, "........x.......", kSnareChannel, kSnare, 50);
  if (bar >= 8) score.rhythm(row, end, "....x.......x...", kSnareChannel, kSnare, 56);
  if (bar >= 2 && bar < 8) score.rhythm(row, end, "..x...x...x...x.", kHatChannel, kClosedHat, 40);
  if (bar >= 8) score.rhythm(row, end, "xoxoxoxoxoxoxoxo", kHatChannel, kClosedHat, 50, 26);
}

void buildBass(Score& score, int row, int bar, std::uint8_t root) {
  if (bar < 4) {
    score.note(row, kBassChannel, root, kBass, 44);
    return;
  }
  for (int r = 0; r < 16; r += 2) {
    const bool octave = bar >= 8 && r % 4 == 2;
    score.note(row + r, kBassChannel, static_cast<std::uint8_t>(octave ? root + 12 : root), kBass, r % 4 == 0 ? 52 : 40);
  }
}

}  // namespace

void shadowBuild(Score& score, int from, int to) {
  accent(score, from, 56);
  const char* chords[4] = {"A3 C4 E4", "A3 C4 E4", "A3 C4 F4", "B3 D4 G4"};
  const char* arpeggios[4] = {"A4 C5 E5", "A4 C5 E5", "F4 A4 C5", "G4 B4 D5"};
  const char* roots[4] = {"A1", "A1", "F1", "G1"};
  const int bars = (to - from) / 16;
  for (int bar = 0; bar < bars; ++bar) {
    const int row = from + bar * 16, k = bar % 4;
    padChord(score, row, chords[k], 20 + bar + bar / 2);
    score.note(row, kSubChannel, pitch(roots[k]), kSub, 38);
    buildDrums(score, row, bar);
    buildBass(score, row, bar, static_cast<std::uint8_t>(pitch(roots[k]) + 12));
    if (bar >= 8) arpeggio(score, row, row + 16, 2, kPluckChannel, kPluck, arpeggios[k], {0, 1, 2, 3, 2, 1, 3, 4}, 28 + 2 * (bar - 8));
  }
  const std::string motif = "E5:6 F5:2 E5:4 C5:4 | D5:6 E5:2 D5:4 B4:4 | C5:6 D5:2 C5:4 A4:4 | B4:8 D5:4 G5:4";
  score.melody(from + 12 * 16, kLeadChannel, kLead, motif, 46);
  score.echo(from + 12 * 16, kLeadEchoChannel, kLead, motif, 3, 16);
  // The roll into the hall: every other row, then every row, growing.
  const int fill = from + bars * 16;
  for (int row = fill, i = 0; row < to; row += row < to - 6 ? 2 : 1, ++i)
    score.note(row, kSnareChannel, pitch("C4"), kSnare, 48 + 2 * i);
  for (int row = to - 8; row < to - 3; row += 2) score.note(row, kKickChannel, pitch("C4"), kKick, 64);
  score.note(fill, kKickChannel, pitch("C4"), kKick, 64);
  riseInto(score, to, 56);
}

}  // namespace showdata
