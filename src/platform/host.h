#pragma once
// The operating-system services the show uses, behind one interface so that
// the start-up code and the device run unchanged over SDL or over a fake.
#include <cstdint>
#include <string>

#include "platform/wgl.h"

namespace platform {

// Unavailable: no dialog could be shown and nobody could be asked.
enum class Answer { Yes, No, Cancel, Unavailable };

enum class MessageKind { KeyDown, KeyUp, Close, Destroy, Quit, MouseMove, MouseWheel, Other };

// Virtual key codes of the keys the programs react to; a digit key's code
// is its character, a letter key's its capital.
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeySpace = 0x20;
inline constexpr int kKeyPageUp = 0x21;
inline constexpr int kKeyPageDown = 0x22;
inline constexpr int kKeyHome = 0x24;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyDown = 0x28;
inline constexpr int kKeyF5 = 0x74;
inline constexpr int kKeyComma = ',';
inline constexpr int kKeyPeriod = '.';
// Added to a key's code by a program that tells it apart with Shift held.
inline constexpr int kShifted = 0x10000;

// Mouse buttons held during a move, as bits.
inline constexpr unsigned kMouseLeft = 1;
inline constexpr unsigned kMouseRight = 2;
inline constexpr unsigned kMouseMiddle = 4;

struct Message {
  MessageKind kind = MessageKind::Other;
  int key = 0;  // virtual key code for KeyDown / KeyUp
  // MouseMove: the pointer's move in pixels (x right, y down) and the
  // buttons held; MouseWheel: dy clicks, positive away from the user.
  int dx = 0;
  int dy = 0;
  unsigned buttons = 0;
  bool repeat = false;  // KeyDown: sent again by a key held down
  bool shift = false;   // KeyDown, KeyUp: with Shift held
};

struct DisplayMode {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int frequency = 0;
};

// How the show window covers the screen. FullScreen takes the display mode
// chosen by changeDisplayMode (on a display SDL only stands in for, a window
// of the size asked); Desktop is a borderless window over the whole display
// at the desktop's own resolution, the mode left alone (so nothing to
// restore); Windowed is a captioned window.
enum class WindowPlacement { FullScreen, Desktop, Windowed };

struct WindowRequest {
  int width = 0;  // Desktop ignores the size: the desktop's own
  int height = 0;
  WindowPlacement placement = WindowPlacement::Windowed;
  bool resizable = false;  // Windowed: the user may change its size
};

struct DrawableSize {
  int width = 0;
  int height = 0;
};

// Loadable modules by their original names: "opengl32.dll" (the system GL
// library), "glu32.dll" (GLU) and "gdi32.dll" (our own window-system GL
// functions of wgl.h, exported by name).
class ModuleLoader {
 public:
  virtual ~ModuleLoader() = default;
  virtual void* load(const char* name) = 0;                    // null when it cannot be had
  virtual void* symbol(void* module, const char* name) = 0;    // null when not exported
};

class Host {
 public:
  virtual ~Host() = default;

  // Dialogs. The question offers Yes / No / Cancel with Cancel as default.
  virtual Answer askQuestion(const std::string& text, const std::string& caption) = 0;
  virtual void showError(bool ownedByShowWindow, const std::string& text,
                         const std::string& caption) = 0;

  // Display.
  virtual int screenBitsPerPixel() = 0;
  virtual bool changeDisplayMode(const DisplayMode& mode) = 0;  // false: mode refused, desktop unchanged
  virtual void restoreDisplayMode() = 0;

  // The show window, one at a time: creating fails while one exists. A
  // destroyed window's GL contexts draw nowhere; a new window can be made
  // once they are deleted.
  virtual bool createWindow(const char* title, const WindowRequest& request) = 0;
  bool createWindow(const char* title, int width, int height, bool fullScreen) {
    return createWindow(title, {width, height, fullScreen ? WindowPlacement::FullScreen : WindowPlacement::Windowed});
  }
  // The size in pixels GL draws into: what was asked, or what the desktop
  // or the user's resizing made of it; 0 x 0 while there is no window.
  virtual DrawableSize drawableSize() = 0;
  virtual void showCursor(bool visible) = 0;
  virtual HDC windowDC() = 0;  // null while there is no window
  // The caption of the window, for viewers that show their state there.
  virtual void setWindowTitle(const std::string&) {}
  virtual void destroyWindow() = 0;
  // True once the window was refused because no display could be opened:
  // the show could still play without one.
  virtual bool displayMissing() = 0;

  // Message queue: peekMessage first collects pending system events, then
  // removes and returns the oldest queued message.
  virtual bool peekMessage(Message& out) = 0;
  virtual void postMessage(const Message& message) = 0;

  // Unsigned millisecond clock that wraps after 2^32 ms.
  virtual std::uint32_t timeGetTime() = 0;

  // Integer from an INI file; `fallback` when the file, section or key is
  // missing or the value is not a number.
  virtual int profileInt(const char* section, const char* key, int fallback, const char* file) = 0;

  virtual ModuleLoader& modules() = 0;
};

// The process-wide host. Start-up installs the SDL host; tests install fakes.
Host& host();
void setHost(Host* host);

}  // namespace platform
