#include "shell/showfile/toml_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "shell/showfile/show_words.h"

namespace shell::showfile {
namespace {

std::string curveKeyText(const CurveKey& key) {
  const float fields[] = {key.time, key.value, key.continuity, key.tension, key.bias};
  std::size_t count = 5;
  while (count > 2 && fields[count - 1] == 0.0f) --count;
  std::vector<std::string> items;
  for (std::size_t i = 0; i < count; ++i) items.push_back(numberText(fields[i]));
  return listText(items);
}

}  // namespace

// The reader takes numbers as doubles and rounds them to floats once: the
// shortest text that round-trips a float nearly always survives that; when
// it does not, the float's exact value is written.
std::string numberText(float value) {
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, value);
  std::string shortest(text, written.ptr);
  if (static_cast<float>(std::strtod(shortest.c_str(), nullptr)) == value) return shortest;
  std::snprintf(text, sizeof text, "%.17g", static_cast<double>(value));
  return text;
}

std::string quotedText(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string keyText(std::string_view key) {
  const bool bare = !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
  return bare ? std::string(key) : quotedText(key);
}

std::string fileText(const std::string& name) {
  std::string path = name;
  std::replace(path.begin(), path.end(), '\\', '/');
  return quotedText(path);
}

std::string listText(const std::vector<std::string>& items) {
  std::string list = "[";
  for (std::size_t i = 0; i < items.size(); ++i) list += (i == 0 ? "" : ", ") + items[i];
  return list + "]";
}

std::string curveText(const Curve& curve) {
  const bool usual = curve.shape == kShapeTCB && curve.before == kBehaviorConstant && curve.after == kBehaviorConstant;
  if (usual && curve.keys.size() == 1 && curve.keys[0] == CurveKey{0.0f, curve.keys[0].value}) return numberText(curve.keys[0].value);
  std::vector<std::string> keys;
  for (const CurveKey& key : curve.keys) keys.push_back(curveKeyText(key));
  if (usual) return listText(keys);
  std::string table = "{ keys = " + listText(keys);
  if (curve.shape != kShapeTCB) table += std::string(", shape = ") + quotedText(wordFor(shapes(), curve.shape));
  if (curve.before == curve.after) {
    if (curve.before != kBehaviorConstant) table += std::string(", beyond = ") + quotedText(wordFor(behaviours(), curve.before));
  } else {
    table += std::string(", before = ") + quotedText(wordFor(behaviours(), curve.before)) +
             ", after = " + quotedText(wordFor(behaviours(), curve.after));
  }
  return table + " }";
}

}  // namespace shell::showfile
