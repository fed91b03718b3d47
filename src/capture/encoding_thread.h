#pragma once
// Encoding beside the drawing: pictures and sound handed in are copied into
// a short queue and written into the video file by a thread of its own, in
// the order given, so the main thread draws the next frame while the
// encoder works on this one. At most a few pictures wait: a renderer faster
// than the encoder waits for room instead of filling memory.
//
// Every call is made by one thread (the main thread); the file is touched
// only by the encoding thread until close(). A failure of the file (always
// a CaptureError, whatever went wrong) is kept and thrown by the next call,
// or by close().
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "capture/video_file.h"

namespace capture {

class EncodingThread {
 public:
  explicit EncodingThread(VideoFile& file, std::size_t waitingPictures = 4);
  // Writes what is queued and stops, without closing the file.
  ~EncodingThread();
  EncodingThread(const EncodingThread&) = delete;
  EncodingThread& operator=(const EncodingThread&) = delete;

  // As VideoFile's: the bytes are copied before this returns.
  void addFrame(std::span<const std::uint8_t> pixelsBottomUp);
  void addSound(std::vector<float> stereo);
  // Waits for everything queued, stops the thread and closes the file.
  void close();
  // Stops the thread once the item it writes (if any) is done, dropping
  // what is still queued; the file is left to the caller to abandon.
  void abandon();

 private:
  struct Item {
    std::vector<std::uint8_t> picture;  // empty for sound
    std::vector<float> sound;
  };
  void push(Item item);
  void run();
  void write(Item& item);
  void stop();
  void dropQueued();
  void throwIfFailed();

  VideoFile& file_;
  std::size_t waitingPictures_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item> queue_;                        // guarded by mutex_
  std::size_t pictures_ = 0;                      // pictures in the queue, guarded by mutex_
  std::vector<std::vector<std::uint8_t>> spare_;  // written pictures' memory, guarded by mutex_
  bool stopping_ = false;                         // guarded by mutex_
  std::exception_ptr failure_;                    // guarded by mutex_
  std::thread thread_;
};

}  // namespace capture
