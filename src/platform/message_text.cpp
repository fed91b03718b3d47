#include "platform/message_text.h"

#include <algorithm>
#include <string_view>

namespace platform {
namespace {

constexpr std::string_view kTabBlanks = "    ";

std::string expandTabs(std::string_view line) {
  std::string expanded;
  for (char c : line) {
    if (c == '\t') {
      expanded += kTabBlanks;
    } else {
      expanded += c;
    }
  }
  return expanded;
}

// Appends `line` (no tabs, no newline) broken into lines of at most
// `columns` characters.
void appendBroken(std::string& out, const std::string& line, std::size_t columns) {
  const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
  const std::string margin(std::min(indent, columns / 2), ' ');
  std::string_view rest = line;
  std::size_t keep = indent;  // the first line's leading blanks are text, not a place to break
  for (std::string_view prefix;; prefix = margin) {
    const std::size_t room = std::max<std::size_t>(columns - prefix.size(), 1);
    std::size_t cut = rest.size();
    if (cut > room) {
      cut = rest.rfind(' ', room);
      if (cut == std::string_view::npos || cut <= keep) cut = room;
    }
    out.append(prefix).append(rest.substr(0, cut));
    rest.remove_prefix(std::min(rest.find_first_not_of(' ', cut), rest.size()));
    if (rest.empty()) return;
    out += '\n';
    keep = 0;
  }
}

}  // namespace

std::string layOutMessageText(const std::string& text, std::size_t columns) {
  std::string out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    appendBroken(out, expandTabs(std::string_view(text).substr(start, end - start)), columns);
    if (end == text.size()) return out;
    out += '\n';
    start = end + 1;
  }
}

}  // namespace platform
