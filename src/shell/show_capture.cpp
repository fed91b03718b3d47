#include "shell/show_capture.h"

#include <unistd.h>

#include <exception>

#include "platform/sound_seam.h"

namespace shell {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kReadAhead = 3;  // pixel buffers in turn

capture::VideoSettings settingsFor(int fps, int crf) {
  capture::VideoSettings settings;
  settings.width = kWidth;
  settings.height = kHeight;
  settings.fps = fps;
  settings.crf = crf;
  settings.blueFirst = kst::FrameReadback::BlueFirst();
  return settings;
}

// The sound layer starts offline before the file's tracks exist, and goes
// back to its device if they cannot be made.
capture::VideoSettings offlineSound(int fps, int crf, double start) {
  platform::sound::renderOffline(true, start);
  return settingsFor(fps, crf);
}

}  // namespace

ShowCapture::ShowCapture(const std::string& file, int fps, int crf, double start, float until) try
    : video_(file, offlineSound(fps, crf, start)),
      encoder_(video_),
      readback_(kWidth, kHeight, kReadAhead),
      progress_(static_cast<float>(start), until, stderr, isatty(fileno(stderr)) != 0),
      fps_(fps),
      start_(start),
      until_(until) {
} catch (...) {
  platform::sound::renderOffline(false);
}

// After finish() the file is closed and abandoning it does nothing.
ShowCapture::~ShowCapture() {
  encoder_.abandon();
  video_.abandon();
  platform::sound::renderOffline(false);
}

// A frame the driver cannot hand back, or no memory to queue it in, is a
// failure of this capture.
template <class Step>
void ShowCapture::reading(Step step) {
  try {
    step([this](std::span<const std::uint8_t> pixels) { addFrame(pixels); });
  } catch (const capture::CaptureError&) {
    throw;
  } catch (const std::exception& error) {
    throw capture::CaptureError(video_.file(), capture::failureReason(error));
  }
}

void ShowCapture::frameDrawn(float t) {
  reading([this](const kst::FrameReadback::Consumer& consume) { readback_.read(consume); });
  ++drawn_;
  addSoundUntil(t);
  progress_.update(t, drawn_);
}

void ShowCapture::finish() {
  reading([this](const kst::FrameReadback::Consumer& consume) { readback_.drain(consume); });
  const double end = start_ + static_cast<double>(drawn_) / fps_;
  addSoundUntil(end);
  encoder_.close();
  progress_.finish(static_cast<float>(end), video_.frames());
}

void ShowCapture::addFrame(std::span<const std::uint8_t> pixelsBottomUp) { encoder_.addFrame(pixelsBottomUp); }

void ShowCapture::addSoundUntil(double seconds) {
  platform::sound::mixUntil(seconds);
  encoder_.addSound(platform::sound::takeMixed());
}

}  // namespace shell
