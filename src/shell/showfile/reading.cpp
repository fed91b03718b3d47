#include "shell/showfile/reading.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

namespace shell::showfile {
namespace {

constexpr std::size_t kQuotedLength = 40;
// Halfway from the largest float to the next power of two: what lies below
// rounds to a finite float (the largest one writes as 3.4028235e+38, a
// little above it).
constexpr double kFloatEdge = 3.4028235677973366e38;

// Control characters (and the rest of a long text) stay out of messages.
std::string quoted(std::string_view text) {
  std::string shown;
  for (char c : text.substr(0, kQuotedLength)) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return "'" + shown + (text.size() > kQuotedLength ? "...'" : "'");
}

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

struct FileForm {
  const char* what;
  std::vector<const char*> endings;
};

const FileForm& formOf(FileKind kind) {
  static const FileForm kForms[] = {
      {"a picture (.jpg or .png)", {".jpg", ".jpeg", ".png"}},
      {"a LightWave object (.lwo)", {".lwo"}},
      {"a scene (.kst)", {".kst"}},
      {"a module tune (.xm, .it, .s3m or .mod)", {".xm", ".it", ".s3m", ".mod"}},
  };
  return kForms[static_cast<int>(kind)];
}

bool endsWithOneOf(const std::string& name, const std::vector<const char*>& endings) {
  const std::string low = lowered(name);
  return std::any_of(endings.begin(), endings.end(), [&](const char* ending) { return low.ends_with(ending); });
}

// Under demo/, with no step up, no empty folder name and no control character.
bool underDemo(const std::string& name) {
  if (!name.starts_with("demo/") || name.ends_with("/") || name.find("//") != std::string::npos) return false;
  if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) return false;
  const std::string inner = "/" + name + "/";
  return inner.find("/../") == std::string::npos && inner.find("/./") == std::string::npos;
}

std::string stockName(std::string name) {
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

}  // namespace

std::string got(const toml::node& node) {
  char number[48];
  switch (node.type()) {
    case toml::node_type::string: return quoted(node.as_string()->get());
    case toml::node_type::integer:
      std::snprintf(number, sizeof number, "%lld", static_cast<long long>(node.as_integer()->get()));
      return number;
    case toml::node_type::floating_point:
      std::snprintf(number, sizeof number, "%g", node.as_floating_point()->get());
      return number;
    case toml::node_type::boolean: return node.as_boolean()->get() ? "true" : "false";
    case toml::node_type::array: return "a list";
    case toml::node_type::table: return "a table";
    default: return "a date or time";
  }
}

bool before(const toml::source_position& a, const toml::source_position& b) {
  return a.line != b.line ? a.line < b.line : a.column < b.column;
}

std::vector<std::pair<const toml::key*, const toml::node*>> inOrderWritten(const toml::table& table) {
  std::vector<std::pair<const toml::key*, const toml::node*>> keys;
  for (auto&& [key, node] : table) keys.emplace_back(&key, &node);
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return before(a.first->source().begin, b.first->source().begin); });
  return keys;
}

void refuseUnknownKeys(Reading& reading, const toml::table& table, std::span<const char* const> known,
                       const std::string& where) {
  for (auto&& [key, node] : table) {
    if (std::find(known.begin(), known.end(), key.str()) != known.end()) continue;
    std::string list;
    for (std::size_t i = 0; i < known.size(); ++i)
      list += (i == 0 ? "" : i + 1 == known.size() ? " or " : ", ") + std::string(known[i]);
    reading.error(key.source(), where + " has no " + quoted(key.str()) + "; expected " + list);
  }
}

void Reading::error(const toml::source_region& where, const std::string& text) {
  ++result_.errorCount;
  if (result_.errors.size() < kKeptErrors) result_.errors.push_back({where.begin.line, where.begin.column, text});
}

std::optional<float> Reading::number(const toml::node& node) {
  double value = 0.0;
  if (const auto* whole = node.as_integer())
    value = static_cast<double>(whole->get());
  else if (const auto* real = node.as_floating_point())
    value = real->get();
  else {
    error(node, "expected a number, got " + got(node));
    return std::nullopt;
  }
  if (!std::isfinite(value) || std::abs(value) >= kFloatEdge) {
    error(node, "expected a finite number, got " + got(node));
    return std::nullopt;
  }
  return static_cast<float>(std::clamp(value, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

std::optional<float> Reading::seconds(const toml::node& node) {
  const std::optional<float> value = number(node);
  if (value && *value < 0.0f) {
    error(node, "expected seconds, zero or more, got " + got(node));
    return std::nullopt;
  }
  return value;
}

std::optional<std::int64_t> Reading::whole(const toml::node& node, std::int64_t low, std::int64_t high,
                                           const char* what) {
  const auto* value = node.as_integer();
  if (value == nullptr || value->get() < low || value->get() > high) {
    error(node, std::string("expected ") + what + ", got " + got(node));
    return std::nullopt;
  }
  return value->get();
}

std::optional<bool> Reading::flag(const toml::node& node) {
  if (const auto* value = node.as_boolean()) return value->get();
  error(node, "expected true or false, got " + got(node));
  return std::nullopt;
}

std::optional<std::string> Reading::text(const toml::node& node, const char* what) {
  const auto* value = node.as_string();
  if (value != nullptr && !value->get().empty()) return value->get();
  error(node, std::string("expected ") + what + ", got " + got(node));
  return std::nullopt;
}

std::optional<std::string> Reading::file(const toml::node& node, FileKind kind) {
  const FileForm& form = formOf(kind);
  const std::string what = std::string("a file under demo/: ") + form.what;
  const std::optional<std::string> name = text(node, what.c_str());
  if (!name) return std::nullopt;
  if (name->find('\\') != std::string::npos) {
    error(node, "expected '/' between folders, got " + quoted(*name));
    return std::nullopt;
  }
  if (!underDemo(*name) || !endsWithOneOf(*name, form.endings)) {
    error(node, "expected " + what + ", got " + quoted(*name));
    return std::nullopt;
  }
  files.push_back({stockName(*name), node.source()});
  return stockName(*name);
}

std::optional<std::string> Reading::picture(const toml::node& node) {
  const auto* value = node.as_string();
  const bool aFile = value == nullptr || value->get().find_first_of("/\\") != std::string::npos ||
                     endsWithOneOf(value->get(), formOf(FileKind::Picture).endings);
  if (aFile) return file(node, FileKind::Picture);
  if (value->get().empty()) return text(node, "a picture file or a picture's name");
  pictureNames.push_back({value->get(), node.source()});
  return value->get();
}

std::optional<std::string> Reading::layerName(const toml::node& node) {
  std::optional<std::string> name = text(node, "a layer's name");
  if (name) layerNames.push_back({*name, node.source()});
  return name;
}

std::vector<const toml::node*> Reading::oneOrMore(const toml::node& node, const char* what) {
  std::vector<const toml::node*> nodes;
  if (const auto* list = node.as_array()) {
    for (const toml::node& item : *list) nodes.push_back(&item);
    if (nodes.empty()) error(node, std::string("expected one or a list of ") + what + ", got an empty list");
  } else {
    nodes.push_back(&node);
  }
  return nodes;
}

}  // namespace shell::showfile
