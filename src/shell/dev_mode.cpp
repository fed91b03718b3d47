#include "shell/dev_mode.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "base/log.h"
#include "music/music.h"
#include "render/panel_drawing.h"
#include "shell/script/sections.h"

namespace shell {
namespace {

constexpr std::uint32_t kQuietMilliseconds = 300;  // after the last change seen, before reading

std::uint32_t wallNow() { return platform::host().timeGetTime(); }

template <typename... Values>
std::string format(const char* pattern, Values... values) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

int sectionAt(float t) {
  int section = 0;
  while (section + 1 < script::kSectionCount && t >= script::kSectionStarts[section + 1]) ++section;
  return section;
}

std::unique_ptr<text::FontFace> notesFont() {
  try {
    return std::make_unique<text::FontFace>("DejaVuSansMono.ttf");
  } catch (const std::exception& error) {
    kst::log("** Warning: no notes on screen: %s", error.what());
    std::fprintf(stderr, "skyward: no notes on screen: %s\n", error.what());
  }
  return nullptr;
}

// Holds the sound while the show is moved; a paused show keeps it held.
class SoundHold {
 public:
  explicit SoundHold(bool keep) : keep_(keep) { music::holdSound(true); }
  ~SoundHold() {
    if (!keep_) music::holdSound(false);
  }

 private:
  bool keep_;
};

}  // namespace

DevMode::DevMode(const ShowOptions& options, bool preloadChoice, ShowBuild build)
    : fps_(options.fps),
      headless_(options.headless),
      preloadChoice_(preloadChoice),
      build_(std::move(build)),
      script_(options.devKeys.begin(), options.devKeys.end()),
      font_(notesFont()),
      rate_(wallNow()),
      lastWall_(wallNow()) {
  // The first frame of the step at or after the start, as a move lands.
  if (fps_) frame_ = static_cast<std::int64_t>(std::ceil(options.start * *fps_ - 1e-6));
  shown_ = static_cast<float>(options.start);
  keepUnloadedObjects(true);
  if (!options.watch) return;
  watch_ = std::make_unique<platform::FolderWatch>("demo");
  if (!watch_->failure().empty()) kst::log("** Warning: --watch: %s", watch_->failure().c_str());
}

DevMode::~DevMode() { keepUnloadedObjects(false); }

float DevMode::frameTime(ShowClock& clock) {
  float t = pausedAt_;
  if (!paused_) t = fps_ ? static_cast<float>(static_cast<double>(frame_++) / *fps_) : clock.now();
  if (!script_.empty() && (paused_ || t >= script_.front().time)) {
    const float due = script_.front().time;
    do {
      platform::host().postMessage({platform::MessageKind::KeyDown, script_.front().key});
      script_.pop_front();
    } while (!paused_ && !script_.empty() && script_.front().time == due);
  }
  return t;
}

void DevMode::offer(const platform::Message& message) {
  if (message.kind == platform::MessageKind::KeyDown) keys_.push_back(message.key);
}

// The keys of one frame make one move (a section, then ten seconds on, say):
// the show is moved once, to where they lead together.
float DevMode::applyKeys(ShowClock& clock, float t) {
  const auto began = std::chrono::steady_clock::now();
  const DevState before{paused_ ? pausedAt_ : t, paused_};
  DevState after = before;
  for (int key : keys_) after = pressDevKey(key, after);
  keys_.clear();
  if (after.reload) t = readAgain(t);
  if (after.time != before.time) {
    t = moveTo(clock, after.time, t);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - began;
    lastAction_ = format("moved to %.2f s in %.1f ms", static_cast<double>(t), took.count());
    kst::log("Development mode: %s", lastAction_.c_str());
  }
  if (after.paused != before.paused) setPaused(clock, after.paused, t);
  if (watchedChangeSettled()) t = readAgain(t);
  shown_ = t;
  return t;
}

float DevMode::moveTo(ShowClock& clock, double target, float t) {
  double moment = target;
  if (fps_) {
    frame_ = static_cast<std::int64_t>(std::ceil(target * *fps_ - 1e-6));
    moment = static_cast<double>(frame_) / *fps_;
  }
  {
    SoundHold hold(paused_);
    const ShowClock at(fps_, moment);
    if (static_cast<float>(moment) < shown_)
      rebuildShowAt(at, preloadChoice_, build_);
    else
      catchUpShowTo(at);
  }
  if (fps_) {
    t = static_cast<float>(static_cast<double>(frame_++) / *fps_);
  } else {
    clock = ShowClock(std::nullopt, moment);
    clock.start();
    t = static_cast<float>(moment);
  }
  if (paused_) pausedAt_ = t;
  shown_ = t;
  return t;
}

// Built again where it stands: what changed on disk is read again.
float DevMode::readAgain(float t) {
  const std::vector<std::string> changed = changedDataFiles();
  {
    SoundHold hold(paused_);
    rebuildShowAt(ShowClock(fps_, t), preloadChoice_, build_);
  }
  changedAt_.reset();
  std::string files;
  for (const std::string& file : changed) files += (files.empty() ? "" : ", ") + file;
  lastAction_ = changed.empty() ? format("read again at %.2f s: nothing had changed", static_cast<double>(t))
                                : format("read again at %.2f s: %s", static_cast<double>(t), files.c_str());
  kst::log("Development mode: %s", lastAction_.c_str());
  return t;
}

void DevMode::setPaused(ShowClock& clock, bool paused, float t) {
  paused_ = paused;
  music::holdSound(paused);
  if (paused) {
    pausedAt_ = t;
  } else if (!fps_) {
    clock = ShowClock(std::nullopt, pausedAt_);
    clock.start();
  }
}

// Files are often written in several steps: read once they have been quiet.
bool DevMode::watchedChangeSettled() {
  if (watch_ == nullptr) return false;
  const std::uint32_t now = wallNow();
  if (watch_->changed()) changedAt_ = now;
  return changedAt_ && now - *changedAt_ >= kQuietMilliseconds;
}

std::vector<std::string> DevMode::notes(float t, std::uint32_t now) {
  const int section = sectionAt(t);
  std::vector<std::string> lines{
      format("%.2f s, section %d (from %.1f s)", static_cast<double>(t), section + 1,
             static_cast<double>(script::kSectionStarts[section])),
      format("%.1f fps, %.1f ms a frame", static_cast<double>(rate_.onFrame(now)),
             static_cast<double>(frameMilliseconds_)),
      std::string(paused_ ? "paused" : "playing") + "  (Space, Left/Right, PgUp/PgDn, Home, 1-8, F5)"};
  if (!lastAction_.empty()) lines.push_back(lastAction_);
  const std::string warning = warnings_.last();
  if (!warning.empty()) lines.push_back("last warning: " + warning.substr(0, 110));
  return lines;
}

void DevMode::drawNotes(float t) {
  const std::uint32_t now = wallNow();
  frameMilliseconds_ = static_cast<float>(now - lastWall_);
  lastWall_ = now;
  const std::vector<std::string> lines = notes(t, now);
  if (font_ != nullptr) kst::drawNotes(*font_, lines);
}

}  // namespace shell
