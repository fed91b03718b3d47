#pragma once
// A scriptable stand-in for the operating system: answers the question as
// told, accepts or refuses display modes, queues messages, runs a clock the
// test sets, and logs every visible effect in order so tests can check the
// sequence (for instance: display restored before the error message).
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/host.h"

namespace fake {

class FakeHost : public platform::Host {
 public:
  FakeHost();
  ~FakeHost() override;  // uninstalls itself when it is the current host

  // Scripted behaviour.
  platform::Answer answer = platform::Answer::Yes;
  bool acceptDisplayMode = true;
  bool acceptWindow = true;
  bool noDisplay = false;  // displayMissing
  int bitsPerPixel = 32;
  std::map<std::string, int> profile;  // "section/key" -> value; absent means fallback
  platform::ModuleLoader* loader = nullptr;  // modules() fails the test when null
  std::uint32_t now = 0;                     // timeGetTime
  std::uint32_t tickPerCall = 0;             // added to `now` after each timeGetTime
  std::uint32_t tickPerPeek = 0;             // added to `now` by each peekMessage
  std::function<void()> onTimeGetTime;       // called at each timeGetTime, before it answers
  // Messages that arrive as "system events" at the n-th peekMessage call.
  std::map<int, std::vector<platform::Message>> eventsAtPeek;

  platform::DrawableSize drawable;  // the window's, as asked when it was made; a test may resize it

  // What happened, in order: "question", "error:<owned>:<text>", "mode:800x600x32@60",
  // "restore", "window:<title>:<w>x<h>:<full>" (with ":desktop" or
  // ":resizable" after it when asked), "cursor:<0|1>", "destroy".
  std::vector<std::string> log;
  std::vector<platform::DisplayMode> requestedModes;
  int peekCalls = 0;
  bool windowExists = false;
  bool modeChanged = false;

  platform::Answer askQuestion(const std::string& text, const std::string& caption) override;
  void showError(bool owned, const std::string& text, const std::string& caption) override;
  int screenBitsPerPixel() override { return bitsPerPixel; }
  bool changeDisplayMode(const platform::DisplayMode& mode) override;
  void restoreDisplayMode() override;
  using Host::createWindow;
  bool createWindow(const char* title, const platform::WindowRequest& request) override;
  platform::DrawableSize drawableSize() override { return windowExists ? drawable : platform::DrawableSize{}; }
  void showCursor(bool visible) override;
  HDC windowDC() override;
  void destroyWindow() override;
  bool displayMissing() override { return noDisplay; }
  bool peekMessage(platform::Message& out) override;
  void postMessage(const platform::Message& message) override;
  std::uint32_t timeGetTime() override;
  int profileInt(const char* section, const char* key, int fallback, const char* file) override;
  platform::ModuleLoader& modules() override;

  std::string lastQuestionText;
  std::string lastQuestionCaption;
  std::vector<std::string> errorCaptions;

 private:
  std::deque<platform::Message> queue_;
};

}  // namespace fake
