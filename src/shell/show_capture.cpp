#include "shell/show_capture.h"

#include <unistd.h>

#include <exception>
#include <optional>

#include "platform/sound_seam.h"
#include "render/device.h"

namespace shell {
namespace {

constexpr int kReadAhead = 3;  // pixel buffers in turn

// The video is as large as the frame drawn, bars and all.
const KS_3Ddevice& frameDevice() { return *RenderDevice(); }

capture::VideoSettings settingsFor(int fps, int crf, const PartOfCapture* part) {
  capture::VideoSettings settings;
  if (part != nullptr) {
    settings.withSound = false;  // mixed once for the joined parts
    settings.comment = part->description;
  }
  settings.width = frameDevice().width;
  settings.height = frameDevice().height;
  settings.fps = fps;
  settings.crf = crf;
  settings.blueFirst = kst::FrameReadback::BlueFirst();
  return settings;
}

// The sound layer starts offline before the file's tracks exist, and goes
// back to its device if they cannot be made.
capture::VideoSettings offlineSound(int fps, int crf, double start, const PartOfCapture* part) {
  platform::sound::renderOffline(true, start);
  return settingsFor(fps, crf, part);
}

std::optional<RunnerReport> runnerReport(const PartOfCapture* part) {
  if (part == nullptr || isatty(fileno(stdout)) != 0) return std::nullopt;
  return RunnerReport{stdout, part->index, part->count, part->frames};
}

}  // namespace

ShowCapture::ShowCapture(const std::string& file, int fps, int crf, double start, float until,
                         const PartOfCapture* part) try
    : video_(file, offlineSound(fps, crf, start, part)),
      encoder_(video_),
      readback_(frameDevice().width, frameDevice().height, kReadAhead),
      progress_(static_cast<float>(start), until, stderr, isatty(fileno(stderr)) != 0, runnerReport(part)),
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
