#include "fake_host.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace fake {

FakeHost::FakeHost() { platform::setHost(this); }

FakeHost::~FakeHost() { platform::setHost(nullptr); }

platform::Answer FakeHost::askQuestion(const std::string& text, const std::string& caption) {
  lastQuestionText = text;
  lastQuestionCaption = caption;
  log.push_back("question");
  return answer;
}

void FakeHost::showError(bool owned, const std::string& text, const std::string& caption) {
  errorCaptions.push_back(caption);
  log.push_back("error:" + std::to_string(owned ? 1 : 0) + ":" + text);
}

bool FakeHost::changeDisplayMode(const platform::DisplayMode& mode) {
  requestedModes.push_back(mode);
  if (!acceptDisplayMode) return false;
  modeChanged = true;
  log.push_back("mode:" + std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
                std::to_string(mode.bitsPerPixel) + "@" + std::to_string(mode.frequency));
  return true;
}

void FakeHost::restoreDisplayMode() {
  modeChanged = false;
  log.push_back("restore");
}

bool FakeHost::createWindow(const char* title, const platform::WindowRequest& request) {
  if (!acceptWindow) return false;
  using platform::WindowPlacement;
  windowExists = true;
  drawable = {request.width, request.height};
  std::string entry = std::string("window:") + title + ":" + std::to_string(request.width) + "x" +
                      std::to_string(request.height) + ":" +
                      (request.placement == WindowPlacement::Windowed ? "0" : "1");
  if (request.placement == WindowPlacement::Desktop) entry += ":desktop";
  if (request.resizable) entry += ":resizable";
  log.push_back(entry);
  return true;
}

void FakeHost::showCursor(bool visible) { log.push_back(visible ? "cursor:1" : "cursor:0"); }

HDC FakeHost::windowDC() {
  // Any non-null value serves: the fake GL modules never look behind it.
  static int dummy;
  return windowExists ? reinterpret_cast<HDC>(&dummy) : nullptr;
}

void FakeHost::destroyWindow() {
  windowExists = false;
  log.push_back("destroy");
}

bool FakeHost::peekMessage(platform::Message& out) {
  now += tickPerPeek;
  auto arriving = eventsAtPeek.find(peekCalls++);
  if (arriving != eventsAtPeek.end()) queue_.insert(queue_.end(), arriving->second.begin(), arriving->second.end());
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  return true;
}

void FakeHost::postMessage(const platform::Message& message) { queue_.push_back(message); }

std::uint32_t FakeHost::timeGetTime() {
  if (onTimeGetTime) onTimeGetTime();
  std::uint32_t value = now;
  now += tickPerCall;
  return value;
}

int FakeHost::profileInt(const char* section, const char* key, int fallback, const char*) {
  auto found = profile.find(std::string(section) + "/" + key);
  return found == profile.end() ? fallback : found->second;
}

platform::ModuleLoader& FakeHost::modules() {
  if (loader == nullptr) throw std::logic_error("FakeHost: no module loader given");
  return *loader;
}

}  // namespace fake
