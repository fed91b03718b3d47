#pragma once
// A data set drawn larger than the 800x600 layout says so in a mark of its
// own, demo/scale.txt: one line holding its scale, 2 or 3 (the generator
// writes none at scale 1, the data set the show was made with).

namespace kst {

inline constexpr const char* kDataSetScaleFile = "demo\\scale.txt";
inline constexpr int kLargestDataSetScale = 3;

// The scale of the data set under the working folder: 1 without a mark. A
// mark that does not read as 1 to 3 is a warning in the log naming the
// file and what it holds, and the data set counts as scale 1.
int ReadDataSetScale();

}  // namespace kst
