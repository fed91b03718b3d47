#include "platform/sdl_host.h"

#include <cstdlib>
#include <cstring>

#include "platform/dialogs.h"
#include "platform/ini_profile.h"

namespace platform {
namespace {

// The named keys by their virtual codes; digits and space keep their
// characters and letters become capitals, as the virtual codes have them.
// Every other key says nothing: SDL's codes of the other printable keys
// would read as named ones ('%' as Left, 't' as F5).
int virtualKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_ESCAPE: return kKeyEscape;
    case SDLK_SPACE: return kKeySpace;
    case SDLK_PAGEUP: return kKeyPageUp;
    case SDLK_PAGEDOWN: return kKeyPageDown;
    case SDLK_HOME: return kKeyHome;
    case SDLK_LEFT: return kKeyLeft;
    case SDLK_UP: return kKeyUp;
    case SDLK_RIGHT: return kKeyRight;
    case SDLK_DOWN: return kKeyDown;
    case SDLK_F5: return kKeyF5;
    case SDLK_COMMA: return kKeyComma;
    case SDLK_PERIOD: return kKeyPeriod;
    default: break;
  }
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<int>(key);
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<int>(key - SDLK_a) + 'A';
  return 0;
}

unsigned heldButtons(std::uint32_t state) {
  return ((state & SDL_BUTTON_LMASK) != 0 ? kMouseLeft : 0u) | ((state & SDL_BUTTON_RMASK) != 0 ? kMouseRight : 0u) |
         ((state & SDL_BUTTON_MMASK) != 0 ? kMouseMiddle : 0u);
}

Message translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      return {MessageKind::Close};
    case SDL_WINDOWEVENT:
      return {event.window.event == SDL_WINDOWEVENT_CLOSE ? MessageKind::Close : MessageKind::Other};
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return {.kind = event.type == SDL_KEYDOWN ? MessageKind::KeyDown : MessageKind::KeyUp,
              .key = virtualKey(event.key.keysym.sym),
              .repeat = event.key.repeat != 0,
              .shift = (event.key.keysym.mod & KMOD_SHIFT) != 0};
    case SDL_MOUSEMOTION:
      return {MessageKind::MouseMove, 0, event.motion.xrel, event.motion.yrel, heldButtons(event.motion.state)};
    case SDL_MOUSEWHEEL: {
      const int clicks = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      return {MessageKind::MouseWheel, 0, 0, clicks, 0};
    }
    default:
      return {MessageKind::Other};
  }
}

PIXELFORMATDESCRIPTOR showFormat(int colourBits) {
  PIXELFORMATDESCRIPTOR format{};
  format.dwFlags = PFD_DOUBLEBUFFER;
  format.cColorBits = static_cast<std::uint8_t>(colourBits);
  format.cDepthBits = 24;
  format.cStencilBits = 8;
  return format;
}

bool isStandInDriver(const char* driver) {
  return driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// SDL tries the real drivers first and, when none can open a display, ends
// on a stand-in without saying so; the user may also have named it.
bool fellBackToStandIn() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* named = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return isStandInDriver(driver) && (named == nullptr || std::strstr(named, driver) == nullptr);
}

// The show counts a padded 32-bit pixel as 32 bits; SDL calls it 24.
int storedBitsPerPixel(std::uint32_t format) {
  return SDL_BYTESPERPIXEL(format) == 4 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(format));
}

}  // namespace

void useHeadlessDrivers() {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  const char* audio = std::getenv("SDL_AUDIODRIVER");
  if (audio == nullptr || *audio == '\0') setenv("SDL_AUDIODRIVER", "dummy", 1);
}

SdlHost::SdlHost(bool headless) : headless_(headless) {}

SdlHost::~SdlHost() {
  if (surface_.window != nullptr) SDL_DestroyWindow(surface_.window);
  // Video stays initialised until the process ends (see videoReady).
}

bool SdlHost::videoReady() {
  if (videoStarted_) return true;
  if (noDisplay_) return false;
  videoStarted_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (videoStarted_ && !headless_ && fellBackToStandIn()) {
    // Playing on would show nothing, with nothing to say why.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoStarted_ = false;
    noDisplay_ = true;
  }
  // One more hold on the GL driver for the rest of the process: SDL unloads
  // it with its last GL window, and then the leak checker can no longer tell
  // the driver's allocations from ours.
  if (videoStarted_) SDL_GL_LoadLibrary(nullptr);
  return videoStarted_;
}

bool SdlHost::displayIsVirtual() const {
  const char* driver = SDL_GetCurrentVideoDriver();
  return headless_ || driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
         std::strcmp(driver, "dummy") == 0;
}

Answer SdlHost::askQuestion(const std::string& text, const std::string& caption) {
  return askYesNoCancel(text, caption, !headless_);
}

void SdlHost::showError(bool ownedByShowWindow, const std::string& text, const std::string& caption) {
  SDL_Window* owner = ownedByShowWindow && windowAlive_ ? surface_.window : nullptr;
  showErrorBox(owner, text, caption, !headless_ && !noDisplay_);
}

int SdlHost::screenBitsPerPixel() {
  SDL_DisplayMode desktop;
  if (!videoReady() || SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 0;
  return storedBitsPerPixel(desktop.format);
}

bool SdlHost::changeDisplayMode(const DisplayMode& mode) {
  if (!videoReady()) return false;
  if (displayIsVirtual()) return true;
  SDL_DisplayMode wanted{SDL_PIXELFORMAT_RGB888, mode.width, mode.height, mode.frequency, nullptr};
  SDL_DisplayMode closest;
  if (SDL_GetClosestDisplayMode(0, &wanted, &closest) == nullptr) return false;
  const bool rateOk = mode.frequency == 0 || closest.refresh_rate == 0 || closest.refresh_rate == mode.frequency;
  const bool depthOk = storedBitsPerPixel(closest.format) == mode.bitsPerPixel;
  if (closest.w != mode.width || closest.h != mode.height || !rateOk || !depthOk) return false;
  fullScreenMode_ = closest;
  modeChanged_ = true;
  return true;
}

void SdlHost::restoreDisplayMode() {
  if (!modeChanged_) return;
  modeChanged_ = false;
  if (surface_.window != nullptr) SDL_SetWindowFullscreen(surface_.window, 0);
}

bool SdlHost::createWindow(const char* title, const WindowRequest& request) {
  if (!videoReady() || windowAlive_ || !releaseDestroyedWindow()) return false;
  surface_.window = openWindow(title, request);
  if (surface_.window == nullptr) return false;
  if (request.placement == WindowPlacement::FullScreen && modeChanged_ && !enterFullScreen()) return false;
  SDL_ShowWindow(surface_.window);
  windowAlive_ = true;
  return true;
}

// The pixel format goes with the window: the X server fixes a window's
// visual when it is made, and EGL its surface's configuration.
SDL_Window* SdlHost::openWindow(const char* title, const WindowRequest& request) {
  int width = request.width, height = request.height;
  std::uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (request.placement == WindowPlacement::Desktop) {
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return nullptr;
    width = desktop.w;
    height = desktop.h;
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALLOW_HIGHDPI;
  }
  if (request.placement == WindowPlacement::Windowed && request.resizable) flags |= SDL_WINDOW_RESIZABLE;
  applyPixelFormat(showFormat(screenBitsPerPixel()));
  return SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
}

DrawableSize SdlHost::drawableSize() {
  DrawableSize size;
  if (windowAlive_) SDL_GL_GetDrawableSize(surface_.window, &size.width, &size.height);
  return size;
}

// The switch to the mode chosen by changeDisplayMode happens here, with the
// window; when SDL refuses it the window goes again and the desktop stays.
bool SdlHost::enterFullScreen() {
  if (SDL_SetWindowDisplayMode(surface_.window, &fullScreenMode_) == 0 &&
      SDL_SetWindowFullscreen(surface_.window, SDL_WINDOW_FULLSCREEN) == 0)
    return true;
  SDL_DestroyWindow(surface_.window);
  surface_.window = nullptr;
  modeChanged_ = false;
  return false;
}

void SdlHost::showCursor(bool visible) {
  if (videoReady()) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

HDC SdlHost::windowDC() { return windowAlive_ ? &surface_ : nullptr; }

void SdlHost::setWindowTitle(const std::string& title) {
  if (surface_.window != nullptr) SDL_SetWindowTitle(surface_.window, title.c_str());
}

void SdlHost::destroyWindow() {
  // Hidden now; released as soon as no context draws into it. The show's
  // device outlives its window until the frame loop has seen the quit
  // message, and then the window goes with the host or the next window.
  if (!windowAlive_) return;
  windowAlive_ = false;
  SDL_HideWindow(surface_.window);
  releaseDestroyedWindow();
}

bool SdlHost::releaseDestroyedWindow() {
  if (surface_.window == nullptr) return true;
  if (surface_.primary != nullptr) return false;  // a context still draws into it
  SDL_DestroyWindow(surface_.window);
  surface_ = {};  // the next window starts without a pixel format, as a new window does
  return true;
}

void SdlHost::collectEvents() {
  if (!videoStarted_) return;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    Message message = translate(event);
    if (message.kind != MessageKind::Other) queue_.push_back(message);
  }
}

bool SdlHost::peekMessage(Message& out) {
  collectEvents();
  if (queue_.empty()) return false;
  out = queue_.front();
  queue_.pop_front();
  return true;
}

void SdlHost::postMessage(const Message& message) { queue_.push_back(message); }

std::uint32_t SdlHost::timeGetTime() { return SDL_GetTicks(); }

int SdlHost::profileInt(const char* section, const char* key, int fallback, const char* file) {
  return readProfileInt(section, key, fallback, file);
}

}  // namespace platform
