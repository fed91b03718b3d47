#pragma once
// A review sheet of the data set in one PNG: every picture scaled down, and
// every object drawn from three angles with a lit material on the software
// GL driver, every scene through each of its cameras at three times (the
// hall with its light volumes), each with its file name, so a person can
// judge the set at a glance. Reads the files back as the show would
// (FreeImage, the LWO2 reader, the scene reader).
#include <filesystem>
#include <string>

namespace showdata {

// `scale`: the data set's (its pictures are shown at their layout size).
// Throws std::runtime_error when a file cannot be read or the sheet written.
void drawReviewSheet(const std::filesystem::path& folder, const std::string& sheetFile, int scale = 1);

}  // namespace showdata
