#include "shell/dev_notes.h"

#include <algorithm>
#include <cstdio>

#include "base/log.h"
#include "platform/host.h"
#include "render/panel_drawing.h"
#include "shell/show_script.h"
#include "text/text_panel.h"

namespace shell {
namespace {

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

}  // namespace

DevNotes::DevNotes() : font_(notesFont()), rate_(wallNow()), lastWall_(wallNow()) {}

std::vector<std::string> wrapNote(const std::string& line, std::size_t width) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t from = 0; from < line.size();) {
    const std::size_t blank = std::min(line.find(' ', from), line.size());
    const std::string word = line.substr(from, blank - from);
    from = blank + 1;
    if (!current.empty() && current.size() + 1 + word.size() > width) {
      lines.push_back(current);
      current = " ";  // with the blank below, two before a line that goes on
    }
    current += (current.empty() ? "" : " ") + word;
  }
  if (!current.empty() || lines.empty()) lines.push_back(current);
  return lines;
}

void DevNotes::moved(float t, double milliseconds) {
  tell(format("moved to %.2f s in %.1f ms", static_cast<double>(t), milliseconds));
}

void DevNotes::readingStarts() { warningsBefore_ = warnings_.count(); }

void DevNotes::readAgain(float t, double milliseconds, const std::vector<std::string>& files) {
  readingWarnings_ = warnings_.since(warningsBefore_);
  warnings_.forget();
  std::string names;
  for (const std::string& file : files) names += (names.empty() ? "" : ", ") + file;
  const std::string read = format("read again at %.2f s in %.1f ms: ", static_cast<double>(t), milliseconds);
  std::string said = read + (files.empty() ? "nothing had changed" : names);
  if (!readingWarnings_.empty())
    said += format("; %zu %s, what did not read stays as it was:", readingWarnings_.size(),
                   readingWarnings_.size() == 1 ? "warning" : "warnings");
  tell(said);
}

void DevNotes::savedShowShown(double milliseconds) {
  lastAction_ += format("; on screen %.0f ms after the save", milliseconds);
  kst::log("Development mode: show file saved, its first frame %.0f ms after the save", milliseconds);
}

void DevNotes::tell(std::string action) {
  lastAction_ = std::move(action);
  kst::log("Development mode: %s", lastAction_.c_str());
}

void DevNotes::draw(float t, bool paused) {
  const std::uint32_t now = wallNow();
  frameMilliseconds_ = static_cast<float>(now - lastWall_);
  lastWall_ = now;
  const std::vector<std::string> shown = lines(t, paused, now);
  if (font_ != nullptr) kst::drawNotes(*font_, shown);
}

std::vector<std::string> DevNotes::lines(float t, bool paused, std::uint32_t now) {
  const std::vector<float> starts = sectionStarts();
  const std::size_t section = sectionAt(starts, t);
  const int keys = static_cast<int>(std::min<std::size_t>(starts.size(), 9));
  std::vector<std::string> lines{
      format("%.2f s, section %d (from %.1f s)", static_cast<double>(t), static_cast<int>(section + 1),
             static_cast<double>(starts.empty() ? 0.0f : starts[section])),
      format("%.1f fps, %.1f ms a frame", static_cast<double>(rate_.onFrame(now)),
             static_cast<double>(frameMilliseconds_)),
      std::string(paused ? "paused" : "playing") + format("  (Space, Left/Right, PgUp/PgDn, Home, 1-%d, F5)", keys)};
  const auto add = [&lines](const std::string& line) {
    for (std::string& part : wrapNote(line)) lines.push_back(std::move(part));
  };
  if (!lastAction_.empty()) add(lastAction_);
  for (const std::string& warning : readingWarnings_) add(warning);
  const std::string warning = warnings_.last();
  if (!warning.empty()) add("last warning: " + warning);
  return lines;
}

}  // namespace shell
