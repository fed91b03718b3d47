// The development mode's keys as a table: the key, where the show stood,
// where it stands after. Section starts are the show's own (15.5, 42.5,
// 75.1, ... 241.1 s, as floats).
#include <gtest/gtest.h>

#include <vector>

#include "platform/host.h"
#include "shell/dev_keys.h"

namespace {

using shell::DevState;

struct KeyCase {
  int key;
  DevState before;
  DevState after;
};

TEST(DevKeys, EachKeyMovesPausesOrAsksAsDescribed) {
  using namespace platform;
  const std::vector<KeyCase> cases{
      {kKeySpace, {10.0, false}, {10.0, true}},
      {kKeySpace, {10.0, true}, {10.0, false}},
      {kKeyLeft, {10.0, false}, {9.0, false}},
      {kKeyLeft, {10.0, true}, {9.0, true}},
      {kKeyLeft, {0.4, false}, {0.0, false}},
      {kKeyRight, {10.0, true}, {11.0, true}},
      {kKeyLeft + kShifted, {10.0, false}, {9.9, false}},
      {kKeyRight + kShifted, {10.0, true}, {10.1, true}},
      {kKeyComma, {10.0, true, false, 0.125}, {9.875, true, false, 0.125}},
      {kKeyPeriod, {10.0001, true, false, 0.125}, {10.125, true, false, 0.125}},
      {kKeyPeriod, {10.0, false, false, 0.125}, {10.0, false, false, 0.125}},
      {kKeyComma, {0.0, true, false, 0.125}, {0.0, true, false, 0.125}},
      {kKeyPageUp, {25.0, false}, {15.0, false}},
      {kKeyPageUp, {7.0, false}, {0.0, false}},
      {kKeyPageDown, {25.0, true}, {35.0, true}},
      {kKeyHome, {100.0, true}, {0.0, true}},
      {'1', {100.0, false}, {0.0, false}},
      {'2', {100.0, false}, {15.5, false}},
      {'4', {0.0, true}, {static_cast<double>(75.1f), true}},
      {'8', {3.0, false}, {static_cast<double>(241.1f), false}},
      {'9', {3.0, false}, {3.0, false}},
      {'0', {3.0, false}, {3.0, false}},
      {kKeyF5, {50.0, true}, {50.0, true, true}},
      {'A', {50.0, false}, {50.0, false}},
      {kKeyEscape, {50.0, false}, {50.0, false}},
  };
  for (const KeyCase& c : cases) {
    const DevState after = shell::pressDevKey(c.key, c.before);
    EXPECT_EQ(after, c.after) << "key " << c.key << " at " << c.before.time << (c.before.paused ? " paused" : "");
  }
}

// A held Page Down repeats while a move is under way: the repeats that
// piled up count once; fresh presses and other keys each count.
TEST(DevKeys, RepeatsOfAKeyKeptInTheFrameMakeOneMove) {
  constexpr int kDown = platform::kKeyPageDown;
  constexpr int kOn = platform::kKeyRight;
  struct Press {
    int key;
    bool repeat;
  };
  const struct {
    std::vector<Press> presses;
    std::vector<int> kept;
  } cases[] = {
      {{{kDown, true}, {kDown, true}, {kDown, true}}, {kDown}},
      {{{kDown, false}, {kDown, true}, {kOn, true}, {kOn, true}}, {kDown, kOn}},
      {{{kDown, false}, {kDown, false}}, {kDown, kDown}},
      {{{kOn, true}, {kDown, true}, {kOn, true}}, {kOn, kDown}},
  };
  for (const auto& c : cases) {
    std::vector<int> keys;
    for (const Press& press : c.presses) shell::keepPressedKey(keys, press.key, press.repeat);
    EXPECT_EQ(keys, c.kept);
  }
}

TEST(DevKeys, ScriptedKeysAreReadInOrderAndFormsWithoutAKeyOrTimeRefused) {
  std::string error;
  const std::vector<shell::ScriptedKey> keys = shell::readScriptedKeys("1.5:space,2:PageDown,2:3,0:F5,3:shift+LEFT", error);
  EXPECT_EQ(error, "");
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[4].key, platform::kKeyLeft + platform::kShifted);
  EXPECT_EQ(keys[0].time, 1.5f);
  EXPECT_EQ(keys[0].key, platform::kKeySpace);
  EXPECT_EQ(keys[1].key, platform::kKeyPageDown);
  EXPECT_EQ(keys[2].key, '3');
  EXPECT_EQ(keys[3].time, 0.0f);
  EXPECT_EQ(keys[3].key, platform::kKeyF5);
  for (const char* wrong : {"", "1:Jump", "Space", "-1:Space", "1x:Space", "1:Space,", "nan:Home", "1:0", "1:Shift"}) {
    error.clear();
    EXPECT_TRUE(shell::readScriptedKeys(wrong, error).empty()) << wrong;
    EXPECT_NE(error, "") << wrong;
  }
}

}  // namespace
