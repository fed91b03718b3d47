#pragma once
// Every setting a layer of a show file can have: its key, the kinds of
// layer that have it (and must give it), how it is read and how it is
// written. The reader and the writer take the one list.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shell/showfile/reading.h"

namespace shell::showfile {

constexpr unsigned kindBit(LayerKind kind) { return 1u << static_cast<unsigned>(kind); }

struct LayerField {
  const char* key;
  unsigned kinds;       // kindBit of every kind that has it
  unsigned requiredBy;  // kindBit of every kind that must give it
  const char* meaning;  // what the missing setting is, for the error
  // False after an error.
  bool (*read)(Reading& reading, const toml::node& node, Layer& layer);
  // The value as the file writes it; none when the layer keeps the default.
  std::optional<std::string> (*write)(const Layer& layer);
};

// In the order the writer writes them.
std::span<const LayerField> layerFields();
const LayerField* layerField(std::string_view key);

inline bool has(LayerKind kind, const LayerField& field) { return (field.kinds & kindBit(kind)) != 0; }

}  // namespace shell::showfile
