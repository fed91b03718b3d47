#pragma once
#include <SDL.h>

#include <deque>

#include "platform/gl_surface.h"
#include "platform/host.h"
#include "platform/modules.h"

namespace platform {

// What --headless asks of SDL, set in the environment before SDL starts:
// the offscreen video driver (the only one that needs no display), and the
// silent audio driver unless the user chose one (`disk` to capture the sound).
void useHeadlessDrivers();

// The real host. With `headless` the question and errors use the terminal,
// and display modes are not touched (there is no display to change).
// Without `headless`, a display SDL could only stand in for with its
// offscreen or dummy driver (because none can be opened) counts as missing:
// no window can be had, unless the user named that driver.
class SdlHost : public Host {
 public:
  explicit SdlHost(bool headless);
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  Answer askQuestion(const std::string& text, const std::string& caption) override;
  void showError(bool ownedByShowWindow, const std::string& text, const std::string& caption) override;
  int screenBitsPerPixel() override;
  bool changeDisplayMode(const DisplayMode& mode) override;
  void restoreDisplayMode() override;
  using Host::createWindow;
  bool createWindow(const char* title, const WindowRequest& request) override;
  DrawableSize drawableSize() override;
  void showCursor(bool visible) override;
  HDC windowDC() override;
  void setWindowTitle(const std::string& title) override;
  void destroyWindow() override;
  bool displayMissing() override { return noDisplay_; }
  bool peekMessage(Message& out) override;
  void postMessage(const Message& message) override;
  std::uint32_t timeGetTime() override;
  int profileInt(const char* section, const char* key, int fallback, const char* file) override;
  ModuleLoader& modules() override { return modules_; }

 private:
  bool videoReady();
  bool displayIsVirtual() const;
  SDL_Window* openWindow(const char* title, const WindowRequest& request);
  bool enterFullScreen();
  void collectEvents();
  // Frees a window that was destroyed once no GL context draws into it;
  // false while one still does.
  bool releaseDestroyedWindow();

  bool headless_;
  bool videoStarted_ = false;
  bool noDisplay_ = false;  // video started on a stand-in driver nobody asked for
  bool modeChanged_ = false;
  SDL_DisplayMode fullScreenMode_{};
  SkywardDeviceContext surface_;
  bool windowAlive_ = false;
  std::deque<Message> queue_;
  DlModuleLoader modules_;
};

}  // namespace platform
