#include "capture/joined_video.h"

#include <span>
#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include "capture/capture_error.h"
#include "capture/media_reader.h"
#include "capture/muxer.h"
#include "capture/sound_track.h"

namespace capture {
namespace {

// What the pictures' decoder is told before the first picture: the codec,
// the size and the encoder's headers. Parts copied into one stream share it.
PictureSetup setupOf(const AVCodecParameters& parameters) {
  PictureSetup setup{static_cast<int>(parameters.codec_id), parameters.width, parameters.height, parameters.format, {}};
  if (parameters.extradata != nullptr)
    setup.headers.assign(parameters.extradata, parameters.extradata + parameters.extradata_size);
  return setup;
}

}  // namespace

JoinedVideo::JoinedVideo(const std::string& file, const VideoSettings& settings, SoundUpTo sound)
    : muxer_(std::make_unique<Muxer>(file)), settings_(settings), soundUpTo_(std::move(sound)) {}

JoinedVideo::~JoinedVideo() {
  sound_.reset();  // before the muxer it writes into
  if (!closed_) muxer_->abandon();
}

// Whatever fails (a part's reading, the file's writing, memory), the file
// goes at once and the caller meets it as this file's failure.
template <class Step>
void JoinedVideo::guarded(Step step) {
  if (closed_) throw std::logic_error("nothing can be added to a closed video");
  try {
    step();
  } catch (const CaptureError& error) {
    closed_ = true;
    muxer_->abandon();
    if (error.file() == muxer_->file()) throw;
    throw CaptureError(muxer_->file(), error.file() + ": " + error.reason());
  } catch (const std::exception& error) {
    closed_ = true;
    muxer_->abandon();
    throw CaptureError(muxer_->file(), failureReason(error));
  }
}

void JoinedVideo::addPart(const std::string& part) {
  guarded([&] {
    MediaReader reader(part);
    if (pictureStream_ < 0) {
      start(reader);
    } else {
      checkAlike(reader);
    }
    copyPictures(reader);
  });
}

// The pictures' stream first, then the sound's, as in a one-process capture.
void JoinedVideo::start(const MediaReader& first) {
  pictureStream_ = muxer_->addStream(first.pictureParameters(), AVRational{1, settings_.fps});
  firstSetup_ = setupOf(first.pictureParameters());
  sound_ = std::make_unique<SoundTrack>(*muxer_, settings_);
  muxer_->writeHeader();
}

void JoinedVideo::checkAlike(const MediaReader& part) const {
  if (setupOf(part.pictureParameters()) != firstSetup_)
    throw CaptureError(part.file(), "its pictures are encoded unlike the first part's (another size or encoder setting)");
}

// Each part's pictures follow those before it, a picture's time counted in
// pictures from the file's start; the sound is brought up to the end of
// each picture before it is written, so the two stay interleaved.
void JoinedVideo::copyPictures(MediaReader& part) {
  const AVRational pictureTime{1, settings_.fps};
  const std::int64_t before = pictures_;
  const auto onJoinedLine = [&](std::int64_t time) {
    return before + av_rescale_q_rnd(time, part.pictureTimeBase(), pictureTime, AV_ROUND_NEAR_INF);
  };
  while (AVPacket* packet = part.nextPicture()) {
    addSoundUpTo(pictures_ + 1);
    const std::int64_t shown = onJoinedLine(packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts);
    packet->dts = packet->dts != AV_NOPTS_VALUE ? onJoinedLine(packet->dts) : shown;
    packet->pts = shown;
    packet->duration = 1;
    packet->pos = -1;
    ++pictures_;
    muxer_->write(*packet, pictureTime, pictureStream_);
  }
}

void JoinedVideo::addSoundUpTo(std::int64_t pictures) {
  const std::vector<float> stereo = soundUpTo_(pictures);
  sound_->add(std::span<const float>(stereo));
}

void JoinedVideo::close() {
  guarded([&] {
    if (pictureStream_ < 0) throw CaptureError(muxer_->file(), "no part to join");
    addSoundUpTo(pictures_);
    sound_->finish();
    muxer_->finish();
  });
  closed_ = true;
}

}  // namespace capture
