#include "shell/frame_options.h"

#include <algorithm>
#include <cstdio>
#include <regex>

#include "base/log.h"
#include "render/device.h"
#include "render/gl_table.h"

namespace shell {
namespace {

const std::string kAllowed =
    "WxH, two whole numbers of pixels, each from 1 to " + std::to_string(kLargestSide);

// A side as written, or 0 when it is not a number of pixels it could be.
int readSide(const std::string& digits) {
  if (digits.size() > 5) return 0;
  const int side = std::stoi(digits);
  return side <= kLargestSide ? side : 0;
}

// The driver's limit, or no limit where it does not say (an unknown query
// leaves the value alone).
GLint driverLimit(GLenum name, int index = 0) {
  GLint values[2] = {0, 0};
  gl.glGetIntegerv(name, values);
  return values[index] > 0 ? values[index] : kLargestSide;
}

}  // namespace

std::string readFrameSize(const std::string& text, FrameSize& into, bool desktopAllowed) {
  if (desktopAllowed && text == "desktop") {
    into = {kst::kLayoutWidth, kst::kLayoutHeight, true};
    return {};
  }
  static const std::regex form(R"(^([0-9]+)x([0-9]+)$)");
  std::smatch parts;
  const std::string expected = "expected " + kAllowed + (desktopAllowed ? ", or desktop" : "") + ", got '" + text + "'";
  if (!std::regex_match(text, parts, form)) return expected;
  const int width = readSide(parts[1].str()), height = readSide(parts[2].str());
  if (width == 0 || height == 0) return expected;
  into = {width, height, false};
  return {};
}

std::string frameBeyondDriver(const KS_3Ddevice& device) {
  const GLint renderbuffer = driverLimit(GL_MAX_RENDERBUFFER_SIZE);
  const GLint widest = std::min(driverLimit(GL_MAX_VIEWPORT_DIMS, 0), renderbuffer);
  const GLint tallest = std::min(driverLimit(GL_MAX_VIEWPORT_DIMS, 1), renderbuffer);
  if (device.width <= widest && device.height <= tallest) return {};
  return "a frame of " + std::to_string(device.width) + "x" + std::to_string(device.height) +
         " is larger than the OpenGL driver draws: at most " + std::to_string(widest) + "x" + std::to_string(tallest) +
         " (its largest viewport and renderbuffer)";
}

void reportSamples(const char* program, int asked, int made) {
  if (asked == 0 || made == asked) return;
  char said[200];
  if (made > 0)
    std::snprintf(said, sizeof said,
                  "--msaa %d: the driver has no frame of %d samples per pixel; the nearest it offers has %d, "
                  "which is used",
                  asked, asked, made);
  else
    std::snprintf(said, sizeof said, "--msaa %d: the driver offers no multisampled frame; the frame is plain",
                  asked);
  std::fprintf(stderr, "%s: %s\n", program, said);
  kst::log("** Warning: %s", said);
}

}  // namespace shell
