#pragma once
// The frame's size and multisampling as people ask for them (--size and
// --msaa of skyward and kstview), and what the driver made of them.
#include <array>
#include <string>

#include "shell/show_options.h"

class KS_3Ddevice;

namespace shell {

// No driver draws more on a side, and SDL makes no larger window.
inline constexpr int kLargestSide = 16384;
inline constexpr std::array<int, 3> kSampleCounts{2, 4, 8};

// "WxH" (whole numbers of pixels, each side from 1 to kLargestSide) or,
// where `desktopAllowed`, "desktop". Empty when `into` took it; otherwise
// what is wrong and what is allowed.
std::string readFrameSize(const std::string& text, FrameSize& into, bool desktopAllowed = true);

// With the device made: what is wrong when its drawable is larger than the
// driver's largest viewport or renderbuffer; empty when it fits.
std::string frameBeyondDriver(const KS_3Ddevice& device);

// When the frame has other samples per pixel than `asked` (0: a plain
// frame was asked for, and nothing is said), says on standard error and
// in the log what the driver made instead, which the program goes on with.
void reportSamples(const char* program, int asked, int made);

}  // namespace shell
