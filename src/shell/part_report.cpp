#include "shell/part_report.h"

#include <regex>

namespace shell {

std::string PartReport::line() const {
  std::string text = "skyward part " + std::to_string(part) + " of " + std::to_string(count) + ": ";
  switch (kind) {
    case Kind::Progress:
      return text + std::to_string(frames) + " of " + std::to_string(total) + " frames";
    case Kind::Captured:
      return text + "captured";
    case Kind::Failed:
      return text + "failed: " + reason;
  }
  return text;
}

std::optional<PartReport> PartReport::read(const std::string& line) {
  static const std::regex form(R"(^skyward part ([0-9]{1,6}) of ([0-9]{1,6}): (?:([0-9]{1,15}) of ([0-9]{1,15}) frames|(captured)|failed: (.*))$)");
  std::smatch parts;
  if (!std::regex_match(line, parts, form)) return std::nullopt;
  PartReport report;
  report.part = std::stoi(parts[1].str());
  report.count = std::stoi(parts[2].str());
  if (parts[3].matched) {
    report.frames = std::stoll(parts[3].str());
    report.total = std::stoll(parts[4].str());
  } else if (parts[5].matched) {
    report.kind = Kind::Captured;
  } else {
    report.kind = Kind::Failed;
    report.reason = parts[6].str();
  }
  return report;
}

}  // namespace shell
