#include "capture/part_check.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <filesystem>

#include "capture/capture_error.h"
#include "capture/media_reader.h"

namespace capture {
namespace {

// The pictures' count and the last run of them that begins at a key frame.
struct PictureRuns {
  std::int64_t pictures = 0;
  std::int64_t lastKeyTime = 0;  // in the stream's time base
  std::int64_t sinceLastKey = 0;
};

PictureRuns countPictures(MediaReader& reader) {
  PictureRuns runs;
  while (AVPacket* packet = reader.nextPicture()) {
    ++runs.pictures;
    if ((packet->flags & AV_PKT_FLAG_KEY) != 0) {
      runs.lastKeyTime = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
      runs.sinceLastKey = 0;
    }
    ++runs.sinceLastKey;
  }
  return runs;
}

// Decodes from the last key frame to the end: every picture there must come out.
bool lastPicturesDecode(MediaReader& reader, const PictureRuns& runs) {
  if (!reader.seekPictures(runs.lastKeyTime)) return false;
  PictureDecoder decoder(reader.pictureParameters(), reader.pictureTimeBase());
  std::int64_t decoded = 0;
  while (AVPacket* packet = reader.nextPicture()) {
    if (!decoder.send(packet, decoded)) return false;
  }
  return decoder.send(nullptr, decoded) && decoded == runs.sinceLastKey;
}

}  // namespace

std::optional<std::string> partFault(const std::string& file, const std::string& description, std::int64_t pictures) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return "not there";
  try {
    MediaReader reader(file);
    if (reader.comment() != description)
      return "made for another capture (" + reader.comment() + ", where " + description + " is wanted)";
    const PictureRuns runs = countPictures(reader);
    if (runs.pictures != pictures)
      return "holds " + std::to_string(runs.pictures) + " of " + std::to_string(pictures) + " pictures";
    if (!lastPicturesDecode(reader, runs)) return "its last picture does not decode";
  } catch (const CaptureError& failure) {
    return "does not read: " + failure.reason();
  }
  return std::nullopt;
}

}  // namespace capture
