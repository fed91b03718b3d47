#pragma once
// The channel layout the tunes share and a few arranging helpers over a
// Score: chords spread over the pad channels, arpeggios, accents.
#include <string>
#include <vector>

#include "music/instruments.h"
#include "music/score.h"
#include "xm_module.h"

namespace showdata {

enum Channel : int {
  kKickChannel,
  kSnareChannel,
  kHatChannel,
  kBassChannel,
  kSubChannel,
  kPadChannel,  // and the next two
  kLeadChannel = kPadChannel + 3,
  kLeadEchoChannel,
  kBellChannel,
  kBellEchoChannel,
  kCrashChannel,
  kEffectChannel,
  kPercussionChannel,
  kPluckChannel,
  kChannelCount,
};

// Three pitch names ("A3 C4 E4") on the three pad channels.
void padChord(Score& score, int row, const std::string& chord, int volume);

// The chord's pitches cycled upward through `pattern` (indexes into the
// chord, 3 and up meaning an octave higher), one note every `step` rows
// from `from` to `to`.
void arpeggio(Score& score, int from, int to, int step, int channel, std::uint8_t instrument, const std::string& chord,
              const std::vector<int>& pattern, int volume);

// A section start: crash, kick and, when `strength` is above 0, the impact.
void accent(Score& score, int row, int strength);

// Everything at once on one chord: pads, bass and sub on `root`, a lead
// line and a bell line, loudness scaled from `volume`.
void fullChord(Score& score, int row, const std::string& chord, const std::string& root, const std::string& lead,
               const std::string& bell, int volume);

// A riser that ends exactly at `row`.
void riseInto(Score& score, int row, int volume);

// A module of the shared channel layout and instrument set, one row = 0.1 s.
xm::Module tuneModule(const std::string& name, const Score& score, const std::vector<int>& cuts, int restart,
                      std::vector<xm::Instrument> instruments);

}  // namespace showdata
