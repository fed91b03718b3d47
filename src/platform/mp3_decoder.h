#pragma once
// An MP3 file decoded by libmpg123 on a thread of its own, ahead of the
// mixer: the audio side only takes samples that are already there, so it
// never waits on the disk or the decoder.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/sample_ring.h"

struct mpg123_handle_struct;

namespace platform::sound {

class Mp3Decoder {
 public:
  // Throws Failure: file not found, or no MPEG audio in it. Decoding starts
  // at once, to the mix rate in stereo.
  Mp3Decoder(const std::string& path, int mixRate);
  ~Mp3Decoder();
  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  // Audio side: interleaved stereo samples already decoded.
  std::size_t take(std::span<float> out) { return ring_.take(out); }
  // The decoder has gone as far ahead as it can: the file is decoded to its
  // end, or the ring has no room for another block.
  bool fullyAhead() const;
  // Audio side: the file is decoded to its end and every sample was taken.
  bool exhausted() const { return finished_.load(std::memory_order_acquire) && ring_.available() == 0; }
  // Offline mixing only (the device's side never waits): blocks until
  // `samples` are there to take, or the file is decoded to its end. At most
  // the ring's capacity less one decoding step can be waited for.
  void waitUntilAvailable(std::size_t samples);
  // Decoding starts again `frame` stereo frames into the file, with nothing
  // decoded before kept. The audio side must not take meanwhile. False when
  // the file cannot go there (it then has nothing more to give).
  bool restartAt(std::uint64_t frame);

 private:
  void openHandle(const std::string& path, int mixRate);
  void run();
  void startThread();
  void stopThread();
  bool decodeOnce();

  struct Release {
    void operator()(mpg123_handle_struct* handle) const;
  };
  std::unique_ptr<mpg123_handle_struct, Release> handle_;
  SampleRing ring_;
  std::vector<float> block_;  // decoder thread only
  std::atomic<bool> stopping_{false};
  std::atomic<bool> finished_{false};
  std::mutex wakeMutex_;
  std::condition_variable wake_;
  std::condition_variable decoded_;  // after every decoding step
  std::thread thread_;
};

}  // namespace platform::sound
