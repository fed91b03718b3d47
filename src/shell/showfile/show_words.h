#pragma once
// The words of a show file and what they stand for, one list each, read by
// the reader and written by the writer.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shell/showfile/show_model.h"

namespace shell::showfile {

template <typename Value>
struct Word {
  const char* text;
  Value value;
};

std::span<const Word<LayerKind>> layerKinds();
std::span<const Word<std::int32_t>> behaviours();  // before and after the keys
std::span<const Word<std::int32_t>> shapes();      // of the spans between keys
std::span<const Word<Action>> actions();           // the keys of an event
std::span<const Word<std::uint32_t>> stencilFunctions();
std::span<const Word<std::int32_t>> horizontalAnchors();
std::span<const Word<std::int32_t>> verticalAnchors();
std::span<const Word<int>> buildFlags();  // an object's build option, bit by bit

// The word of `value`; null when the list has none.
template <typename Value>
const char* wordFor(std::span<const Word<Value>> words, Value value) {
  for (const Word<Value>& word : words)
    if (word.value == value) return word.text;
  return nullptr;
}

template <typename Value>
std::optional<Value> valueOf(std::span<const Word<Value>> words, std::string_view text) {
  for (const Word<Value>& word : words)
    if (text == word.text) return word.value;
  return std::nullopt;
}

// "a, b or c": the words, for a message saying what was expected.
template <typename Value>
std::string wordList(std::span<const Word<Value>> words) {
  std::string list;
  for (std::size_t i = 0; i < words.size(); ++i)
    list += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i].text);
  return list;
}

// "a scene layer": the kind as a message names a layer of it.
std::string aLayerOf(LayerKind kind);

}  // namespace shell::showfile
