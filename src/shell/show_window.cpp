#include "shell/show_window.h"

#include "shell/texts.h"

namespace shell {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The default handling of the messages the procedure passes on: closing a
// window destroys it, and destruction reaches the procedure at once.
void defWindowProc(const platform::Message& message) {
  if (message.kind != platform::MessageKind::Close) return;
  platform::host().destroyWindow();
  windowProcedure({platform::MessageKind::Destroy, 0});
}

}  // namespace

bool createShowWindow(bool fullScreen) {
  platform::Host& host = platform::host();
  if (fullScreen) {
    const int frequency = host.profileInt("Skyward", "Freq", 60, "./Skyward.ini");
    if (!host.changeDisplayMode({kWidth, kHeight, 32, frequency})) return false;
  }
  const bool created = host.createWindow(kWindowClass, kWidth, kHeight, fullScreen);
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
