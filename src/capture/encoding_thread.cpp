#include "capture/encoding_thread.h"

#include <algorithm>

namespace capture {

EncodingThread::EncodingThread(VideoFile& file, std::size_t waitingPictures)
    : file_(file), waitingPictures_(std::max<std::size_t>(1, waitingPictures)) {
  thread_ = std::thread([this] { run(); });
}

EncodingThread::~EncodingThread() { stop(); }

void EncodingThread::addFrame(std::span<const std::uint8_t> pixelsBottomUp) {
  Item item;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return pictures_ < waitingPictures_ || failure_; });
    if (!spare_.empty()) {
      item.picture = std::move(spare_.back());
      spare_.pop_back();
    }
  }
  item.picture.assign(pixelsBottomUp.begin(), pixelsBottomUp.end());
  push(std::move(item));
}

void EncodingThread::addSound(std::vector<float> stereo) {
  if (stereo.empty()) return;
  push(Item{{}, std::move(stereo)});
}

void EncodingThread::push(Item item) {
  {
    std::lock_guard lock(mutex_);
    if (!failure_) {
      if (!item.picture.empty()) ++pictures_;
      queue_.push_back(std::move(item));
    }
  }
  changed_.notify_all();
  throwIfFailed();
}

void EncodingThread::close() {
  stop();
  throwIfFailed();
  file_.close();
}

void EncodingThread::abandon() {
  {
    std::lock_guard lock(mutex_);
    dropQueued();
  }
  changed_.notify_all();
  stop();
}

// With the lock held. A picture being written stays counted: run() takes it off.
void EncodingThread::dropQueued() {
  for (const Item& dropped : queue_) pictures_ -= dropped.picture.empty() ? 0 : 1;
  queue_.clear();
}

void EncodingThread::stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void EncodingThread::throwIfFailed() {
  std::lock_guard lock(mutex_);
  if (failure_) std::rethrow_exception(failure_);
}

void EncodingThread::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
    if (queue_.empty()) return;  // stopping, and everything written
    Item item = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    write(item);
    lock.lock();
    if (!item.picture.empty()) {
      --pictures_;
      spare_.push_back(std::move(item.picture));
    }
    changed_.notify_all();
  }
}

// Encoding thread, without the lock. After a failure nothing more is
// written: the file is already gone. The picture being written is still
// counted; run() takes it off.
void EncodingThread::write(Item& item) {
  try {
    if (!item.picture.empty()) {
      file_.addFrame(item.picture);
    } else {
      file_.addSound(item.sound);
    }
  } catch (...) {
    std::lock_guard lock(mutex_);
    failure_ = std::current_exception();
    dropQueued();
  }
}

}  // namespace capture
