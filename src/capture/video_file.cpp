#include "capture/video_file.h"

#include "capture/muxer.h"
#include "capture/picture_track.h"
#include "capture/sound_track.h"

namespace capture {

VideoFile::VideoFile(const std::string& file, const VideoSettings& settings)
    : muxer_(std::make_unique<Muxer>(file)) {
  // A failing encoder leaves the muxer to remove the file it created.
  if (!settings.comment.empty()) muxer_->describe(settings.comment);
  picture_ = std::make_unique<PictureTrack>(*muxer_, settings);
  if (settings.withSound) sound_ = std::make_unique<SoundTrack>(*muxer_, settings);
}

VideoFile::~VideoFile() {
  if (closed_) return;
  try {
    close();
  } catch (const CaptureError&) {
    // Removed by the muxer: nothing unplayable stays behind.
  }
}

const std::string& VideoFile::file() const { return muxer_->file(); }

std::int64_t VideoFile::frames() const { return picture_->frames(); }

// A failed write leaves nothing worth finishing: the file goes at once, and
// closing later does nothing more. Whatever failed (the file, memory, a
// converter refusing its input), the caller meets it as this capture's
// failure.
template <class Write>
void VideoFile::guarded(Write write) {
  if (closed_) throw std::logic_error("nothing can be added to a closed capture");
  try {
    startOnce();
    write();
  } catch (const CaptureError&) {
    abandon();
    throw;
  } catch (const std::exception& error) {
    abandon();
    throw CaptureError(file(), failureReason(error));
  } catch (...) {
    abandon();
    throw CaptureError(file(), "an unknown failure");
  }
}

void VideoFile::abandon() {
  closed_ = true;
  muxer_->abandon();
}

void VideoFile::startOnce() {
  if (started_) return;
  muxer_->writeHeader();
  started_ = true;
}

void VideoFile::addFrame(std::span<const std::uint8_t> pixelsBottomUp) {
  guarded([&] { picture_->add(pixelsBottomUp); });
}

void VideoFile::addSound(std::span<const float> stereo) {
  if (sound_) guarded([&] { sound_->add(stereo); });
}

void VideoFile::addSound(std::span<const std::int16_t> stereo) {
  if (sound_) guarded([&] { sound_->add(stereo); });
}

void VideoFile::close() {
  guarded([&] {
    picture_->finish();
    if (sound_) sound_->finish();
    muxer_->finish();
  });
  closed_ = true;
}

}  // namespace capture
