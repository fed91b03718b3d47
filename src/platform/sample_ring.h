#pragma once
// A fixed ring of samples between exactly one writer (the decoder thread)
// and one reader (the mixer). Neither side ever waits for the other: the
// writer puts what fits, the reader takes what is there.
#include <atomic>
#include <cstddef>
#include <span>
#include <vector>

namespace platform::sound {

class SampleRing {
 public:
  explicit SampleRing(std::size_t capacityPowerOfTwo);

  std::size_t freeSpace() const;
  std::size_t available() const;
  std::size_t put(std::span<const float> samples);  // writer side: how many were stored
  std::size_t take(std::span<float> out);           // reader side: how many were read
  // Forgets every sample; only while neither side runs.
  void clear();

 private:
  std::vector<float> data_;
  std::size_t mask_;
  std::atomic<std::size_t> written_{0};
  std::atomic<std::size_t> read_{0};
};

}  // namespace platform::sound
