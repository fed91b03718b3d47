#include "viewer_state.h"

#include <algorithm>
#include <cstdio>

#include "platform/host.h"

namespace kstview {

void ViewerState::press(int key) {
  switch (key) {
    case platform::kKeyEscape: quit = true; return;
    case platform::kKeySpace: paused = !paused; return;
    case 'C': camera = (camera + 1) % (cameraCount + 1); return;
    case 'W': wireframe = !wireframe; return;
    case 'B': boxes = !boxes; return;
    case 'F': fog = !fog; return;
    case 'R': reloadWanted = true; return;
    case platform::kKeyLeft: time -= kFrameStep; break;
    case platform::kKeyRight: time += kFrameStep; break;
    case platform::kKeyDown: time -= kLongStep; break;
    case platform::kKeyUp: time += kLongStep; break;
    default:
      if (key >= '0' && key <= '9' && static_cast<std::size_t>(key - '0') < cameraCount)
        camera = static_cast<std::size_t>(key - '0');
      return;
  }
  time = std::max(time, 0.0f);
}

void ViewerState::advance(float seconds) {
  if (!paused) time += seconds;
}

void ViewerState::setCameraCount(std::size_t count) {
  if (orbiting() || camera >= count) camera = count;
  cameraCount = count;
}

std::string ViewerState::title(const std::string& file, float framesPerSecond) const {
  char text[160];
  if (orbiting())
    std::snprintf(text, sizeof text, " - orbit camera - t %.2f s - %.1f fps", time, framesPerSecond);
  else
    std::snprintf(text, sizeof text, " - camera %zu [0-%zu] - t %.2f s - %.1f fps", camera, cameraCount - 1, time,
                  framesPerSecond);
  return "kstview " + file + text + (paused ? " [paused]" : "");
}

}  // namespace kstview
