#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "xm_module.h"

namespace xm {

// The file's bytes. Throws std::invalid_argument naming what is out of range
// (channel count, rows, order, a pattern or instrument number).
std::vector<std::uint8_t> encode(const Module& module);

// Writes the file; throws std::runtime_error with the file name and reason.
void writeFile(const Module& module, const std::filesystem::path& file);

// Waveforms for synthesised samples: one period of `period` samples, to be
// looped. At C-4 a period of n samples sounds at 8363 / n Hz.
std::vector<std::int8_t> squareWave(int period, std::int8_t amplitude);
std::vector<std::int8_t> sawWave(int period, std::int8_t amplitude);

}  // namespace xm
