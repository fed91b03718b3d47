#include "platform/sample_ring.h"

#include <algorithm>
#include <stdexcept>

namespace platform::sound {

SampleRing::SampleRing(std::size_t capacity) : data_(capacity), mask_(capacity - 1) {
  if (capacity == 0 || (capacity & mask_) != 0) throw std::invalid_argument("sample ring capacity must be a power of two");
}

std::size_t SampleRing::available() const {
  return written_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire);
}

std::size_t SampleRing::freeSpace() const { return data_.size() - available(); }

std::size_t SampleRing::put(std::span<const float> samples) {
  const std::size_t head = written_.load(std::memory_order_relaxed);
  const std::size_t count = std::min(samples.size(), data_.size() - (head - read_.load(std::memory_order_acquire)));
  for (std::size_t i = 0; i < count; ++i) data_[(head + i) & mask_] = samples[i];
  written_.store(head + count, std::memory_order_release);
  return count;
}

std::size_t SampleRing::take(std::span<float> out) {
  const std::size_t tail = read_.load(std::memory_order_relaxed);
  const std::size_t count = std::min(out.size(), written_.load(std::memory_order_acquire) - tail);
  for (std::size_t i = 0; i < count; ++i) out[i] = data_[(tail + i) & mask_];
  read_.store(tail + count, std::memory_order_release);
  return count;
}

void SampleRing::clear() {
  written_.store(0, std::memory_order_relaxed);
  read_.store(0, std::memory_order_relaxed);
}

}  // namespace platform::sound
