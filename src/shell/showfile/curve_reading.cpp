// A curve as a show file writes it: a number (the same at every moment),
// a list of keys [time, value] (each optionally followed by its continuity,
// tension and bias), or a table of those keys with the shape of their spans
// and what the curve does before and after them.
#include <array>

#include "shell/showfile/reading.h"

namespace shell::showfile {
namespace {

constexpr const char* kKeyForm = "a key [time, value] (or [time, value, continuity, tension, bias])";
constexpr std::array<const char*, 5> kCurveKeys{"keys", "shape", "beyond", "before", "after"};

}  // namespace

std::optional<CurveKey> Reading::key(const toml::node& node) {
  const auto* fields = node.as_array();
  if (fields == nullptr || fields->size() < 2 || fields->size() > 5) {
    error(node, std::string("expected ") + kKeyForm + ", got " + (fields != nullptr ? "a list of " + std::to_string(fields->size()) : got(node)));
    return std::nullopt;
  }
  std::array<float, 5> values{};
  for (std::size_t i = 0; i < fields->size(); ++i) {
    const std::optional<float> value = number((*fields)[i]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  return CurveKey{values[0], values[1], values[2], values[3], values[4]};
}

// A list of keys in time order (two keys may share a time: a jump).
std::optional<std::vector<CurveKey>> Reading::keys(const toml::node& node) {
  const auto* list = node.as_array();
  if (list == nullptr || list->empty()) {
    error(node, std::string("expected a list of keys, each ") + kKeyForm + ", got " + got(node));
    return std::nullopt;
  }
  std::vector<CurveKey> keys;
  bool whole = true;
  for (const toml::node& item : *list) {
    const std::optional<CurveKey> next = key(item);
    whole = whole && next;
    if (!next) continue;
    if (!keys.empty() && next->time < keys.back().time) {
      char text[120];
      std::snprintf(text, sizeof text, "expected keys in time order: this one at %g s comes after one at %g s",
                    static_cast<double>(next->time), static_cast<double>(keys.back().time));
      error(item, text);
      whole = false;
    }
    keys.push_back(*next);
  }
  if (!whole) return std::nullopt;
  return keys;
}

std::optional<Curve> Reading::curve(const toml::node& node) {
  if (node.is_number()) {
    const std::optional<float> value = number(node);
    if (!value) return std::nullopt;
    return Curve{.keys = {{0.0f, *value}}};
  }
  if (node.is_array()) {
    std::optional<std::vector<CurveKey>> list = keys(node);
    if (!list) return std::nullopt;
    return Curve{.keys = std::move(*list)};
  }
  if (const auto* table = node.as_table()) return curve(*table);
  error(node, "expected a number, a list of keys or a table { keys = [...], beyond = ... }, got " + got(node));
  return std::nullopt;
}

std::optional<Curve> Reading::curve(const toml::table& table) {
  refuseUnknownKeys(*this, table, kCurveKeys, "a curve");
  Curve curve;
  bool whole = true;
  if (const toml::node* list = table.get("keys")) {
    std::optional<std::vector<CurveKey>> read = keys(*list);
    whole = read.has_value();
    if (read) curve.keys = std::move(*read);
  } else {
    error(table, "this curve has no 'keys': expected keys = [[time, value], ...]");
    whole = false;
  }
  constexpr const char* kBeyond = "what the curve does beyond its keys";
  whole = wordInto(table.get("shape"), shapes(), "the shape of the spans between keys", curve.shape) && whole;
  whole = wordInto(table.get("beyond"), behaviours(), kBeyond, curve.before) && whole;
  curve.after = curve.before;
  whole = wordInto(table.get("before"), behaviours(), kBeyond, curve.before) && whole;
  whole = wordInto(table.get("after"), behaviours(), kBeyond, curve.after) && whole;
  if (table.get("beyond") && (table.get("before") || table.get("after"))) {
    error(*table.get("beyond"), "'beyond' says both 'before' and 'after': give it alone, or those two");
    whole = false;
  }
  if (!whole) return std::nullopt;
  return curve;
}

}  // namespace shell::showfile
