#include <stdexcept>

#include "xm_writer.h"

namespace xm {
namespace {

void checkPeriod(int period) {
  if (period < 2) throw std::invalid_argument("a wave period needs at least 2 samples, not " + std::to_string(period));
}

}  // namespace

std::vector<std::int8_t> squareWave(int period, std::int8_t amplitude) {
  checkPeriod(period);
  std::vector<std::int8_t> wave(static_cast<std::size_t>(period));
  for (int i = 0; i < period; ++i) wave[static_cast<std::size_t>(i)] = i < period / 2 ? amplitude : static_cast<std::int8_t>(-amplitude);
  return wave;
}

std::vector<std::int8_t> sawWave(int period, std::int8_t amplitude) {
  checkPeriod(period);
  std::vector<std::int8_t> wave(static_cast<std::size_t>(period));
  for (int i = 0; i < period; ++i) {
    wave[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(-amplitude + (2 * amplitude * i) / (period - 1));
  }
  return wave;
}

}  // namespace xm
