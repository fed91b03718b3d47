#pragma once
// The values of a show file as the reader takes them: each reader of a
// value returns nothing when the file holds something else there, after an
// error at that place saying what was expected. What can only be checked
// once the whole file is read (names used before they are given, files on
// disk, cameras of scenes) is noted with its place.
#include <toml++/toml.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "shell/showfile/show_model.h"
#include "shell/showfile/show_reader.h"
#include "shell/showfile/show_words.h"

namespace shell::showfile {

enum class FileKind { Picture, Object, Scene, Tune };

// A name used somewhere that something else must give.
struct Mention {
  std::string name;
  toml::source_region where;
};

struct CameraUse {
  std::string scene;
  std::int32_t camera;
  toml::source_region where;
};

class Reading {
 public:
  void error(const toml::source_region& where, const std::string& text);
  void error(const toml::node& where, const std::string& text) { error(where.source(), text); }
  ShowReading& result() { return result_; }

  std::optional<float> number(const toml::node& node);
  std::optional<float> seconds(const toml::node& node);  // zero or more
  // A whole number from low to high; `what` names it for the error.
  std::optional<std::int64_t> whole(const toml::node& node, std::int64_t low, std::int64_t high, const char* what);
  std::optional<bool> flag(const toml::node& node);
  std::optional<std::string> text(const toml::node& node, const char* what);
  template <typename Value>
  std::optional<Value> word(const toml::node& node, std::span<const Word<Value>> words, const char* what) {
    const std::optional<std::string> given = text(node, what);
    if (!given) return std::nullopt;
    if (std::optional<Value> value = valueOf(words, *given)) return value;
    error(node, std::string("expected ") + what + ": " + wordList(words) + ", got '" + *given + "'");
    return std::nullopt;
  }
  // Reads the word into `into` when the node is there: false after an error.
  template <typename Value>
  bool wordInto(const toml::node* node, std::span<const Word<Value>> words, const char* what, Value& into) {
    if (node == nullptr) return true;
    const std::optional<Value> value = word(*node, words, what);
    if (value) into = *value;
    return value.has_value();
  }
  // A file under demo/ written with '/', as the stocks name it ('\').
  std::optional<std::string> file(const toml::node& node, FileKind kind);
  // A picture file, or the name a picture made of two files was given.
  std::optional<std::string> picture(const toml::node& node);
  // A layer's name, noted to be given somewhere in the file.
  std::optional<std::string> layerName(const toml::node& node);
  std::optional<Curve> curve(const toml::node& node);
  std::optional<Curve> curve(const toml::table& table);
  // One value, or a list of them (`what`, for an empty list): each in turn.
  std::vector<const toml::node*> oneOrMore(const toml::node& node, const char* what);

  std::vector<Mention> files;          // to be found in the data folder
  std::vector<Mention> pictureNames;   // to be given by a picture made of two files
  std::vector<Mention> layerNames;     // to be given by a layer
  std::vector<Mention> materialNames;  // to be given by a material
  std::vector<CameraUse> cameras;      // to be had by their scenes
  std::vector<Mention> layersNamed;    // names given to layers, each once
  std::vector<Mention> valueTargets;   // to name strip layers

 private:
  std::optional<std::vector<CurveKey>> keys(const toml::node& node);
  std::optional<CurveKey> key(const toml::node& node);

  ShowReading result_;
};

// "a string 'x'", "the number 3", "a list": what a node holds, for errors.
std::string got(const toml::node& node);

// The table's keys in the order written (a table keeps them sorted).
std::vector<std::pair<const toml::key*, const toml::node*>> inOrderWritten(const toml::table& table);

// Errors for the keys of `table` not in `known`, naming what is there.
void refuseUnknownKeys(Reading& reading, const toml::table& table, std::span<const char* const> known,
                       const std::string& where);

bool before(const toml::source_position& a, const toml::source_position& b);

}  // namespace shell::showfile
