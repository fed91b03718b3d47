// The generator's plumbing: a missing font is a clear error; pitch names,
// melody texts, and patterns cut so that the show tune changes pattern
// exactly at each section start, where a crash or a boom marks it.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/text.h"
#include "music/arrangement.h"
#include "music/score.h"
#include "music/tunes.h"

namespace {

using showdata::pitch;

TEST(Lettering, AMissingFontNamesItselfAndItsPackage) {
  try {
    showdata::Font font("NoSuchFace-Bold.ttf");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find("NoSuchFace-Bold.ttf"), std::string::npos) << message;
    EXPECT_NE(message.find("fonts-dejavu-core"), std::string::npos) << message;
  }
}

TEST(Score, PitchNamesCountSemitonesFromC0) {
  EXPECT_EQ(pitch("C4"), xm::note(4, 0));
  EXPECT_EQ(pitch("A4"), xm::note(4, 9));
  EXPECT_EQ(pitch("F#5"), xm::note(5, 6));
  EXPECT_EQ(pitch("Bb3"), xm::note(3, 10));
  EXPECT_THROW(pitch("H2"), std::invalid_argument);
}

TEST(Score, MelodiesPlaceNotesAndRestsByRows) {
  showdata::Score score(20, 2);
  EXPECT_EQ(score.melody(2, 1, 3, "E5:6 -:2 A5:4@32", 64), 14);
  EXPECT_EQ(score.at(2, 1).note, pitch("E5"));
  EXPECT_EQ(score.at(2, 1).instrument, 3);
  EXPECT_EQ(score.at(2, 1).volume, 0x10 + 64);
  EXPECT_EQ(score.at(8, 1).note, 0) << "a rest";
  EXPECT_EQ(score.at(10, 1).note, pitch("A5"));
  EXPECT_EQ(score.at(10, 1).volume, 0x10 + 32);
  EXPECT_EQ(score.at(2, 0).note, 0) << "another channel";
  EXPECT_THROW(score.melody(0, 0, 1, "C4"), std::invalid_argument);
}

// Instruments of one point each keep this test cheap: the score, not the sound, is checked.
std::vector<xm::Instrument> placeholders() {
  std::vector<xm::Instrument> set(showdata::kPluck);
  for (xm::Instrument& instrument : set) instrument.sample.data = {0};
  return set;
}

TEST(ShowTune, PatternsStartAtEverySectionWithAnAccent) {
  const xm::Module module = showdata::showTune(placeholders());
  std::vector<int> starts;
  int row = 0;
  for (std::uint8_t entry : module.order) {
    starts.push_back(row);
    ASSERT_LE(module.patterns[entry].rows(), 256);
    row += module.patterns[entry].rows();
  }
  EXPECT_EQ(row, showdata::kShowTuneRows);
  for (int section : showdata::kSectionRows) {
    const auto found = std::find(starts.begin(), starts.end(), section);
    ASSERT_NE(found, starts.end()) << section;
    const xm::Pattern& pattern = module.patterns[module.order[static_cast<std::size_t>(found - starts.begin())]];
    const bool crash = pattern.at(0, showdata::kCrashChannel).instrument == showdata::kCrash;
    const bool boom = pattern.at(0, showdata::kEffectChannel).instrument == showdata::kImpact;
    EXPECT_TRUE(crash || boom) << section;
  }
}

}  // namespace
