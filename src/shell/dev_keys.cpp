#include "shell/dev_keys.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/host.h"
#include "shell/show_script.h"

namespace shell {
namespace {

DevState movedTo(DevState state, double time) {
  state.time = std::max(time, 0.0);
  return state;
}

// Counted in whole frames from the one shown: a frame time stored as a
// float is a hair off its frame, which a step added to it would carry.
double framesOn(const DevState& state, int frames) {
  return (std::round(state.time / state.frame) + frames) * state.frame;
}

std::string lowered(std::string_view text) {
  std::string low(text);
  std::transform(low.begin(), low.end(), low.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return low;
}

}  // namespace

void keepPressedKey(std::vector<int>& keys, int key, bool repeat) {
  if (!repeat || std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
}

DevState pressDevKey(int key, DevState state) {
  switch (key) {
    case platform::kKeySpace: state.paused = !state.paused; return state;
    case platform::kKeyLeft: return movedTo(state, state.time - 1.0);
    case platform::kKeyRight: return movedTo(state, state.time + 1.0);
    case platform::kKeyLeft + platform::kShifted: return movedTo(state, state.time - 0.1);
    case platform::kKeyRight + platform::kShifted: return movedTo(state, state.time + 0.1);
    case platform::kKeyComma: return state.paused ? movedTo(state, framesOn(state, -1)) : state;
    case platform::kKeyPeriod: return state.paused ? movedTo(state, framesOn(state, 1)) : state;
    case platform::kKeyPageUp: return movedTo(state, state.time - 10.0);
    case platform::kKeyPageDown: return movedTo(state, state.time + 10.0);
    case platform::kKeyHome: return movedTo(state, 0.0);
    case platform::kKeyF5: state.reload = true; return state;
    default: break;
  }
  const std::vector<float> starts = sectionStarts();
  if (key >= '1' && key <= '9' && static_cast<std::size_t>(key - '1') < starts.size()) return movedTo(state, starts[key - '1']);
  return state;
}

int devKeyNamed(std::string_view name) {
  const std::string low = lowered(name);
  static const std::pair<const char*, int> kNames[] = {
      {"space", platform::kKeySpace},       {"left", platform::kKeyLeft}, {"right", platform::kKeyRight},
      {"pageup", platform::kKeyPageUp},     {"pagedown", platform::kKeyPageDown},
      {"home", platform::kKeyHome},         {"f5", platform::kKeyF5},     {"escape", platform::kKeyEscape},
      {"comma", platform::kKeyComma},       {"period", platform::kKeyPeriod},
      {"shift+left", platform::kKeyLeft + platform::kShifted},
      {"shift+right", platform::kKeyRight + platform::kShifted}};
  for (const auto& [known, key] : kNames)
    if (low == known) return key;
  if (low.size() == 1 && low[0] >= '1' && low[0] <= '9') return low[0];  // 0 goes to no section
  return 0;
}

std::vector<ScriptedKey> readScriptedKeys(const std::string& text, std::string& error) {
  std::vector<ScriptedKey> keys;
  for (std::size_t from = 0; from <= text.size();) {
    const std::size_t comma = std::min(text.find(',', from), text.size());
    const std::string item = text.substr(from, comma - from);
    from = comma + 1;
    const std::size_t colon = item.find(':');
    char* end = nullptr;
    const float time = colon == std::string::npos ? NAN : std::strtof(item.c_str(), &end);
    const int key = colon == std::string::npos ? 0 : devKeyNamed(item.substr(colon + 1));
    if (!(time >= 0.0f) || !std::isfinite(time) || end != item.c_str() + colon || key == 0) {
      error = "expected TIME:KEY (KEY one of Space, Left, Right, Shift+Left, Shift+Right, Comma, Period, PageUp, "
              "PageDown, Home, F5, Escape, 1-9), got '" +
              item + "'";
      return {};
    }
    keys.push_back({time, key});
  }
  return keys;
}

}  // namespace shell
