#include "shell/show_window.h"

#include "shell/texts.h"

namespace shell {
namespace {

// The default handling of the messages the procedure passes on: closing a
// window destroys it, and destruction reaches the procedure at once.
void defWindowProc(const platform::Message& message) {
  if (message.kind != platform::MessageKind::Close) return;
  platform::host().destroyWindow();
  windowProcedure({platform::MessageKind::Destroy, 0});
}

}  // namespace

bool createShowWindow(const ShowOptions& options) {
  using platform::WindowPlacement;
  platform::Host& host = platform::host();
  const FrameSize& size = options.size;
  // A capture keeps the size it began with.
  platform::WindowRequest request{size.width, size.height, WindowPlacement::Windowed,
                                  options.windowed && !options.capture};
  if (size.desktop) {
    request.placement = WindowPlacement::Desktop;
  } else if (!options.windowed) {
    request.placement = WindowPlacement::FullScreen;
    const int frequency = host.profileInt("Skyward", "Freq", 60, "./Skyward.ini");
    if (!host.changeDisplayMode({size.width, size.height, 32, frequency})) return false;
  }
  const bool created = host.createWindow(kWindowClass, request);
  host.showCursor(false);
  return created;
}

void windowProcedure(const platform::Message& message) {
  using platform::MessageKind;
  switch (message.kind) {
    case MessageKind::Destroy:
      platform::host().postMessage({MessageKind::Quit, 0});
      break;
    case MessageKind::KeyDown:
    case MessageKind::KeyUp:
      if (message.key == platform::kKeyEscape) platform::host().postMessage({MessageKind::Close, 0});
      break;
    default:
      defWindowProc(message);
  }
}

}  // namespace shell
