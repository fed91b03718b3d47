#pragma once
// The show written to a video file while it plays at a fixed step: every
// frame drawn before the end time, read back without stalling the next and
// encoded on a thread of its own, and the sound mixed offline by the sound layer up to each frame's time,
// so the file's sound runs sample for sample with its pictures.
//
// Made once the device is, at its frame's size, before the sound starts
// (the sound layer then opens no device), and destroyed while the GL
// context is still current. Failures throw capture::CaptureError naming the
// file and the reason. A show cut short (Escape) still calls finish(), which
// closes the file playable; a capture destroyed without a finish() that
// succeeded was stopped by a failure of whatever kind, and its file is
// removed.
#include <cstdint>
#include <functional>
#include <string>

#include "capture/encoding_thread.h"
#include "capture/video_file.h"
#include "render/frame_readback.h"
#include "shell/capture_progress.h"

namespace shell {

// A capture that is one part of several (see capture_parts.h): the pictures
// alone, the file saying what they are, and, for a job runner that reads
// standard output, lines telling how far the part has come.
struct PartOfCapture {
  int index = 1;  // of count, from 1
  int count = 1;
  std::string description;  // kept in the file
  std::int64_t frames = 0;  // the part's, all told
  // Told why, when the capture fails.
  std::function<void(const std::string& reason)> failed;
};

class ShowCapture {
 public:
  // The file begins at show time `start` and ends before `until`.
  ShowCapture(const std::string& file, int fps, int crf, double start, float until,
              const PartOfCapture* part = nullptr);
  // Removes the file unless finish() closed it.
  ~ShowCapture();
  ShowCapture(const ShowCapture&) = delete;
  ShowCapture& operator=(const ShowCapture&) = delete;

  // Whether the frame at show time t belongs in the file.
  bool wants(float t) const { return t < until_; }
  // After the frame at show time t was drawn, before it is presented.
  void frameDrawn(float t);
  // After the last frame: the frames still being read, the sound up to the
  // end of the last frame, the file's trailer.
  void finish();

 private:
  void addFrame(std::span<const std::uint8_t> pixelsBottomUp);
  void addSoundUntil(double seconds);
  template <class Step>
  void reading(Step step);

  capture::VideoFile video_;
  capture::EncodingThread encoder_;  // the only user of video_ until finish()
  kst::FrameReadback readback_;
  CaptureProgress progress_;
  int fps_;
  double start_;
  float until_;
  std::int64_t drawn_ = 0;
};

}  // namespace shell
