// The XM writer against the FastTracker 2 file layout: header fields at their
// offsets, packed pattern cells, delta-coded samples, and refusals.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/sound_files.h"
#include "xm_writer.h"

namespace {

unsigned u16At(const std::vector<std::uint8_t>& bytes, std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); }
std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at) { return u16At(bytes, at) | (u16At(bytes, at + 2) << 16); }

xm::Module oneNote() {
  xm::Module module;
  module.name = "one";
  module.channels = 3;
  module.tempo = 5;
  module.bpm = 140;
  module.instruments = {{"blip", {"blip", {10, 30, -20}, 0, 0, 64, 0, 128, 0}}};
  module.patterns.emplace_back(2, 3);
  module.patterns[0].at(1, 2) = {xm::note(4, 0), 1, 0, 0, 0};
  module.order = {0, 0};
  return module;
}

TEST(XmWriter, HeaderFieldsSitWhereTrackersReadThem) {
  const std::vector<std::uint8_t> bytes = xm::encode(oneNote());
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 17), "Extended Module: ");
  EXPECT_EQ(std::string(bytes.begin() + 17, bytes.begin() + 20), "one");
  EXPECT_EQ(bytes[37], 0x1A);
  EXPECT_EQ(u16At(bytes, 58), 0x0104u);
  EXPECT_EQ(u32At(bytes, 60), 276u);
  EXPECT_EQ(u16At(bytes, 64), 2u);   // song length
  EXPECT_EQ(u16At(bytes, 68), 3u);   // channels
  EXPECT_EQ(u16At(bytes, 70), 1u);   // patterns
  EXPECT_EQ(u16At(bytes, 72), 1u);   // instruments
  EXPECT_EQ(u16At(bytes, 74), 1u);   // linear frequency table
  EXPECT_EQ(u16At(bytes, 76), 5u);
  EXPECT_EQ(u16At(bytes, 78), 140u);
}

TEST(XmWriter, PatternCellsArePackedAndSamplesStoredAsDifferences) {
  const std::vector<std::uint8_t> bytes = xm::encode(oneNote());
  const std::size_t pattern = 60 + 276;
  EXPECT_EQ(u32At(bytes, pattern), 9u);
  EXPECT_EQ(u16At(bytes, pattern + 5), 2u);  // rows
  // Five empty cells, then the note with its instrument.
  const std::vector<std::uint8_t> packed = {0x80, 0x80, 0x80, 0x80, 0x80, 0x83, 49, 1};
  ASSERT_EQ(u16At(bytes, pattern + 7), packed.size());
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + pattern + 9, bytes.begin() + pattern + 9 + 8), packed);
  const std::size_t instrument = pattern + 9 + 8;
  EXPECT_EQ(u32At(bytes, instrument), 263u);
  EXPECT_EQ(u16At(bytes, instrument + 27), 1u);  // samples
  const std::size_t sample = instrument + 263;
  EXPECT_EQ(u32At(bytes, sample), 3u);  // length
  ASSERT_EQ(bytes.size(), sample + 40 + 3);
  EXPECT_EQ(static_cast<std::int8_t>(bytes[sample + 40]), 10);
  EXPECT_EQ(static_cast<std::int8_t>(bytes[sample + 41]), 20);
  EXPECT_EQ(static_cast<std::int8_t>(bytes[sample + 42]), -50);
}

TEST(XmWriter, WideSamplesCountBytesAndStoreSixteenBitDifferences) {
  xm::Module module = oneNote();
  xm::Sample& wide = module.instruments[0].sample;
  wide.wide = {1000, -2000, 300};
  wide.loopStart = 1;
  wide.loopLength = 2;
  const std::vector<std::uint8_t> bytes = xm::encode(module);
  const std::size_t sample = 60 + 276 + 9 + 8 + 263;
  EXPECT_EQ(u32At(bytes, sample), 6u);      // length in bytes
  EXPECT_EQ(u32At(bytes, sample + 4), 2u);  // loop start in bytes
  EXPECT_EQ(u32At(bytes, sample + 8), 4u);  // loop length in bytes
  EXPECT_EQ(bytes[sample + 14], 0x11);      // forward loop, 16-bit
  ASSERT_EQ(bytes.size(), sample + 40 + 6);
  EXPECT_EQ(static_cast<std::int16_t>(u16At(bytes, sample + 40)), 1000);
  EXPECT_EQ(static_cast<std::int16_t>(u16At(bytes, sample + 42)), -3000);
  EXPECT_EQ(static_cast<std::int16_t>(u16At(bytes, sample + 44)), 2300);
  wide.loopLength = 3;
  EXPECT_THROW(xm::encode(module), std::invalid_argument) << "a loop past the wide data";
}

TEST(XmWriter, RefusesModulesItCannotWrite) {
  xm::Module module = oneNote();
  module.order = {1};
  EXPECT_THROW(xm::encode(module), std::invalid_argument) << "a missing pattern";
  module = oneNote();
  module.patterns[0].at(0, 0).instrument = 2;
  EXPECT_THROW(xm::encode(module), std::invalid_argument) << "a missing instrument";
  module = oneNote();
  module.instruments[0].sample.loopStart = 2;
  module.instruments[0].sample.loopLength = 5;
  EXPECT_THROW(xm::encode(module), std::invalid_argument) << "a loop past the data";
  module = oneNote();
  module.channels = 33;
  EXPECT_THROW(xm::encode(module), std::invalid_argument);
  EXPECT_THROW(xm::squareWave(1, 10), std::invalid_argument);
}

TEST(XmWriter, AFileThatCannotBeWrittenNamesItself) {
  fake::TempFolder folder;
  const auto file = folder / "missing-folder" / "tune.xm";
  try {
    xm::writeFile(oneNote(), file);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
  }
}

TEST(XmWriter, WavesSpanTheirAmplitudeOverOnePeriod) {
  EXPECT_EQ(xm::squareWave(4, 50), (std::vector<std::int8_t>{50, 50, -50, -50}));
  EXPECT_EQ(xm::sawWave(3, 60), (std::vector<std::int8_t>{-60, 0, 60}));
}

}  // namespace
