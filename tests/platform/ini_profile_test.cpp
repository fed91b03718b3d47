#include "platform/ini_profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

class IniProfileTest : public ::testing::Test {
 protected:
  std::filesystem::path file = std::filesystem::temp_directory_path() /
                               ("skyward-ini-" + std::to_string(::getpid()) + ".ini");
  void write(const std::string& text) { std::ofstream(file) << text; }
  int freq() { return platform::readProfileInt("Skyward", "Freq", 60, file.c_str()); }
  void TearDown() override { std::filesystem::remove(file); }
};

TEST_F(IniProfileTest, MissingFileOrKeyGivesTheFallback) {
  EXPECT_EQ(freq(), 60);
  write("[Skyward]\nOther=75\n[Elsewhere]\nFreq=85\n");
  EXPECT_EQ(freq(), 60);
}

TEST_F(IniProfileTest, ReadsTheKeyWithoutRegardToCase) {
  write("; display\n[skyward]\nFREQ = 75\n");
  EXPECT_EQ(freq(), 75);
}

TEST_F(IniProfileTest, ACommentRightAfterTheNumberIsNotPartOfIt) {
  for (const char* value : {"75;comment", "75 ; comment", "75\t;"}) {
    write(std::string("[Skyward]\nFreq=") + value + "\n");
    EXPECT_EQ(freq(), 75) << "value '" << value << "'";
  }
  write("[Skyward]\nFreq=;75\n");
  EXPECT_EQ(freq(), 60);
}

TEST_F(IniProfileTest, ValuesThatAreNotWholeNumbersGiveTheFallback) {
  for (const char* value : {"fast", "", "75Hz", "7.5", "99999999999"}) {
    write(std::string("[Skyward]\nFreq=") + value + "\n");
    EXPECT_EQ(freq(), 60) << "value '" << value << "'";
  }
}

TEST_F(IniProfileTest, FirstOccurrenceWinsAndBrokenLinesDoNotHideIt) {
  write("[Skyward]\nFreq=72\nthis line is not a setting\nFreq=100\n");
  EXPECT_EQ(freq(), 72);
}

}  // namespace
