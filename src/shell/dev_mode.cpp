#include "shell/dev_mode.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "base/log.h"
#include "music/music.h"
#include "render/panel_drawing.h"
#include "shell/show_script.h"
#include "shell/showfile/show_files.h"
#include "text/text_panel.h"

namespace shell {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kNoteHeight = 13;  // pixels
constexpr std::uint32_t kQuietMilliseconds = 300;  // after the last change seen, before reading

std::uint32_t wallNow() { return platform::host().timeGetTime(); }

template <typename... Values>
std::string format(const char* pattern, Values... values) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

std::size_t sectionAt(const std::vector<float>& starts, float t) {
  std::size_t section = 0;
  while (section + 1 < starts.size() && t >= starts[section + 1]) ++section;
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

// Under demo/, which --watch watches anyway.
bool insideDataFolder(const std::string& file) {
  std::error_code error;
  const std::string folder = std::filesystem::weakly_canonical("demo", error).string() + "/";
  return std::filesystem::weakly_canonical(file, error).string().starts_with(folder);
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
  kst::log("Development mode: from %.2f s", options.start);
  if (!options.watch) return;
  watch_ = std::make_unique<platform::FolderWatch>("demo");
  if (!watch_->failure().empty()) kst::log("** Warning: --watch: %s", watch_->failure().c_str());
  const std::shared_ptr<const PlayedShowFile> show = playedShowFile();
  if (show == nullptr || insideDataFolder(show->path)) return;
  showWatch_ = std::make_unique<platform::FolderWatch>(std::filesystem::absolute(show->path).parent_path().string());
  if (!showWatch_->failure().empty()) kst::log("** Warning: --watch: %s", showWatch_->failure().c_str());
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
  // A save may be seen as several changes over a few frames: read once.
  const bool showSaved = showWatch_ != nullptr && showWatch_->changed() && showfile::playedShowChanged();
  if (watchedChangeSettled() || showSaved) t = readAgain(t);
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
  const auto began = std::chrono::steady_clock::now();
  const std::string show = readShowFileAgain();
  const std::vector<std::string> changed = changedDataFiles();
  {
    SoundHold hold(paused_);
    rebuildShowAt(ShowClock(fps_, t), preloadChoice_, build_);
  }
  changedAt_.reset();
  std::string files = show;
  for (const std::string& file : changed) files += (files.empty() ? "" : ", ") + file;
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - began;
  lastAction_ = files.empty() ? format("read again at %.2f s in %.1f ms: nothing had changed", static_cast<double>(t), took.count())
                              : format("read again at %.2f s in %.1f ms: %s", static_cast<double>(t), took.count(), files.c_str());
  kst::log("Development mode: %s", lastAction_.c_str());
  return t;
}

// What became of the show file played, for the notes: a save that reads is
// built from now on, and timed to the frame that shows it.
std::string DevMode::readShowFileAgain() {
  const showfile::ShowFileReadAgain show = showfile::readPlayedShowAgain();
  if (!show.changed) return "";
  if (show.errors > 0)
    return format("the show file, which does not read (%d error%s, in the log): the show stays as it was",
                  static_cast<int>(show.errors), show.errors == 1 ? "" : "s");
  savedAt_ = show.saved;
  return "the show file";
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
  const std::vector<float> starts = sectionStarts();
  const std::size_t section = sectionAt(starts, t);
  std::vector<std::string> lines{
      format("%.2f s, section %d (from %.1f s)", static_cast<double>(t), static_cast<int>(section + 1),
             static_cast<double>(starts.empty() ? 0.0f : starts[section])),
      format("%.1f fps, %.1f ms a frame", static_cast<double>(rate_.onFrame(now)),
             static_cast<double>(frameMilliseconds_)),
      std::string(paused_ ? "paused" : "playing") + "  (Space, Left/Right, PgUp/PgDn, Home, 1-8, F5)"};
  if (!lastAction_.empty()) lines.push_back(lastAction_);
  const std::string warning = warnings_.last();
  if (!warning.empty()) lines.push_back("last warning: " + warning.substr(0, 110));
  return lines;
}

void DevMode::drawNotes(float t) {
  if (savedAt_) {
    const std::chrono::duration<double, std::milli> took = std::filesystem::file_time_type::clock::now() - *savedAt_;
    lastAction_ += format("; the new frame %.0f ms after the save", took.count());
    kst::log("Development mode: show file saved, its first frame %.0f ms after the save", took.count());
    savedAt_.reset();
  }
  const std::uint32_t now = wallNow();
  frameMilliseconds_ = static_cast<float>(now - lastWall_);
  lastWall_ = now;
  const std::vector<std::string> lines = notes(t, now);
  if (font_ != nullptr) kst::drawPanel(text::composePanel(*font_, lines, kNoteHeight), kWidth, kHeight);
}

}  // namespace shell
