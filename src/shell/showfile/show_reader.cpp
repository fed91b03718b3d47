// The parts of a show file in turn: materials, sections, what a section
// loads, and its layers and events in the order written.
#include "shell/showfile/show_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "shell/showfile/layer_fields.h"
#include "shell/showfile/reading.h"
#include "shell/showfile/show_checks.h"

namespace shell::showfile {
namespace {

constexpr const char* kDocumentKeys[] = {"material", "section"};
constexpr const char* kSectionKeys[] = {"name", "start", "load", "layer", "event"};
constexpr const char* kLoadKeys[] = {"picture", "colour", "alpha", "mask", "object", "build", "scene", "ahead"};
constexpr const char* kLoadKinds[] = {"picture", "mask", "object", "scene"};
constexpr const char* kLitKeys[] = {"kind", "ambient", "diffuse", "specular", "shininess"};
constexpr const char* kVolumetricKeys[] = {"kind", "colour"};
constexpr std::uintmax_t kLargestFile = 16u << 20;

using Kind = script::BuildLoad::Kind;

template <typename Into, typename Value>
void set(Into& into, const std::optional<Value>& value) {
  if (value) into = static_cast<Into>(*value);
}

class ShowReader {
 public:
  explicit ShowReader(Reading& reading) : reading_(reading) {}
  Show read(const toml::table& document);

 private:
  const toml::node* need(const toml::table& table, const char* key, const std::string& owner, const char* what);
  const toml::table* table(const toml::node& node, const char* what);
  template <std::size_t N>
  void colour(const toml::table& table, const char* key, std::array<float, N>& into);
  void readMaterial(const std::string& name, const toml::node& node, Show& show);
  void readSection(const toml::node& node, Show& show);
  void readLoad(const toml::node& node, Section& section);
  void readNamedPicture(const toml::table& table, Section& section);
  void readEvent(const toml::table& table, Section& section);
  std::optional<std::string> eventTarget(Action action, const toml::node& node);
  void readLayer(const toml::table& table, Section& section);

  Reading& reading_;
};

const toml::node* ShowReader::need(const toml::table& table, const char* key, const std::string& owner,
                                   const char* what) {
  const toml::node* node = table.get(key);
  if (node == nullptr) reading_.error(table, owner + " has no '" + key + "': expected " + what);
  return node;
}

const toml::table* ShowReader::table(const toml::node& node, const char* what) {
  const toml::table* table = node.as_table();
  if (table == nullptr) reading_.error(node, std::string("expected ") + what + ", got " + got(node));
  return table;
}

template <std::size_t N>
void ShowReader::colour(const toml::table& table, const char* key, std::array<float, N>& into) {
  const toml::node* node = table.get(key);
  if (node == nullptr) return;
  const toml::array* list = node->as_array();
  if (list == nullptr || list->size() != N) {
    reading_.error(*node, std::string("expected a colour of ") + std::to_string(N) + " numbers, got " +
                              (list != nullptr ? "a list of " + std::to_string(list->size()) : got(*node)));
    return;
  }
  for (std::size_t i = 0; i < N; ++i) set(into[i], reading_.number((*list)[i]));
}

Show ShowReader::read(const toml::table& document) {
  refuseUnknownKeys(reading_, document, kDocumentKeys, "a show file");
  Show show;
  if (const toml::node* materials = document.get("material"))
    if (const toml::table* named = table(*materials, "materials: [material.NAME] tables"))
      for (const auto& [name, node] : inOrderWritten(*named)) readMaterial(std::string(name->str()), *node, show);
  const toml::node* sections = document.get("section");
  const toml::array* list = sections != nullptr ? sections->as_array() : nullptr;
  if (list == nullptr || list->empty()) {
    reading_.error(sections != nullptr ? sections->source() : toml::source_region{},
                   "expected sections: [[section]] tables, each with its name and start");
    return show;
  }
  for (const toml::node& node : *list) readSection(node, show);
  return show;
}

void ShowReader::readMaterial(const std::string& name, const toml::node& node, Show& show) {
  const toml::table* settings = table(node, "a material: a table of its kind and colours");
  if (settings == nullptr) return;
  Material material{.name = name};
  const toml::node* kind = need(*settings, "kind", "this material", "its kind: \"lit\" or \"volumetric\"");
  const std::optional<std::string> word = kind != nullptr ? reading_.text(*kind, "\"lit\" or \"volumetric\"") : std::nullopt;
  if (word && *word != "lit" && *word != "volumetric") reading_.error(*kind, "expected \"lit\" or \"volumetric\", got " + got(*kind));
  material.volumetric = word == "volumetric";
  if (material.volumetric) {
    refuseUnknownKeys(reading_, *settings, kVolumetricKeys, "a volumetric material");
    colour(*settings, "colour", material.colour);
  } else {
    refuseUnknownKeys(reading_, *settings, kLitKeys, "a lit material");
    colour(*settings, "ambient", material.ambient);
    colour(*settings, "diffuse", material.diffuse);
    colour(*settings, "specular", material.specular);
    if (const toml::node* shininess = settings->get("shininess")) {
      const std::optional<float> value = reading_.number(*shininess);
      if (value && (*value < 0.0f || *value > 1.0f))
        reading_.error(*shininess, "expected a shininess from 0 to 1, got " + got(*shininess));
      set(material.shininess, value);
    }
  }
  show.materials.push_back(std::move(material));
}

void ShowReader::readSection(const toml::node& node, Show& show) {
  const toml::table* settings = table(node, "a section: [[section]] with its name and start");
  if (settings == nullptr) return;
  refuseUnknownKeys(reading_, *settings, kSectionKeys, "a section");
  Section& section = show.sections.emplace_back();
  if (const toml::node* name = need(*settings, "name", "this section", "its name"))
    set(section.name, reading_.text(*name, "the section's name"));
  if (const toml::node* start = need(*settings, "start", "this section", "the second it starts at")) {
    set(section.start, reading_.seconds(*start));
    const float earlier = show.sections.size() > 1 ? show.sections[show.sections.size() - 2].start : 0.0f;
    if (section.start < earlier)
      reading_.error(*start, "expected sections in time order: this one starts at " + got(*start) +
                                 " s, before the one above it");
  }
  if (const toml::node* loads = settings->get("load"))
    for (const toml::node* load : reading_.oneOrMore(*loads, "loads")) readLoad(*load, section);
  // Layers and events happen in the order written, whichever list holds them.
  std::vector<std::pair<const toml::table*, bool>> entries;  // a table, and whether it is a layer
  for (const auto& [key, isLayer] : {std::pair{"layer", true}, std::pair{"event", false}}) {
    const toml::node* list = settings->get(key);
    if (list == nullptr) continue;
    for (const toml::node* item : reading_.oneOrMore(*list, isLayer ? "layers" : "events"))
      if (const toml::table* entry = table(*item, isLayer ? "a layer: [[section.layer]]" : "an event: [[section.event]]"))
        entries.emplace_back(entry, isLayer);
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return before(a.first->source().begin, b.first->source().begin); });
  for (const auto& [entry, isLayer] : entries) isLayer ? readLayer(*entry, section) : readEvent(*entry, section);
}

void ShowReader::readLoad(const toml::node& node, Section& section) {
  const toml::table* settings = table(node, "a load: { picture = ... }, { mask = ... }, { object = ... } or { scene = ... }");
  if (settings == nullptr) return;
  refuseUnknownKeys(reading_, *settings, kLoadKeys, "a load");
  const auto given = std::count_if(std::begin(kLoadKinds), std::end(kLoadKinds), [&](const char* key) { return settings->contains(key); });
  if (given != 1) {
    reading_.error(*settings, "expected a load of one thing: picture, mask, object or scene");
    return;
  }
  for (const auto& [key, owner] : {std::pair{"colour", "picture"}, std::pair{"alpha", "picture"},
                                    std::pair{"build", "object"}, std::pair{"ahead", "scene"}})
    if (const toml::node* node = settings->get(key); node != nullptr && !settings->contains(owner))
      reading_.error(*node, std::string("'") + key + "' goes with " + owner + " = ...");
  if (settings->contains("picture") && (settings->contains("colour") || settings->contains("alpha")))
    return readNamedPicture(*settings, section);
  script::BuildLoad load;
  const toml::node* file = nullptr;
  if ((file = settings->get("picture")) != nullptr) {
    load.kind = Kind::Backdrop;
  } else if ((file = settings->get("mask")) != nullptr) {
    load.kind = Kind::Alpha;
  } else if ((file = settings->get("object")) != nullptr) {
    load.kind = Kind::Object;
    if (const toml::node* flags = settings->get("build"))
      for (const toml::node* flag : reading_.oneOrMore(*flags, "build words"))
        if (std::optional<int> bit = reading_.word(*flag, buildFlags(), "what is built with the object")) load.buildOption |= *bit;
  } else if ((file = settings->get("scene")) != nullptr) {
    load.kind = settings->contains("ahead") ? Kind::SceneAhead : Kind::Scene;
    if (const toml::node* ahead = settings->get("ahead")) set(load.secondsBefore, reading_.seconds(*ahead));
  }
  const bool picture = load.kind == Kind::Backdrop || load.kind == Kind::Alpha;
  set(load.file, reading_.file(*file, picture ? FileKind::Picture : load.kind == Kind::Object ? FileKind::Object : FileKind::Scene));
  section.loads.push_back(std::move(load));
}

// A picture made of a colour and an alpha picture, under a name of its own.
void ShowReader::readNamedPicture(const toml::table& settings, Section& section) {
  script::BuildLoad load{.kind = Kind::WithAlpha};
  const toml::node& name = *settings.get("picture");
  set(load.name, reading_.text(name, "the picture's name"));
  if (load.name.find_first_of("/\\.") != std::string::npos)
    reading_.error(name, "expected a name for the picture made of two files (no '/' or '.'), got " + got(name));
  if (const toml::node* file = need(settings, "colour", "this picture", "its colour picture: colour = \"demo/...\""))
    set(load.file, reading_.file(*file, FileKind::Picture));
  if (const toml::node* file = need(settings, "alpha", "this picture", "its alpha picture: alpha = \"demo/...\""))
    set(load.alphaFile, reading_.file(*file, FileKind::Picture));
  section.loads.push_back(std::move(load));
}

std::optional<std::string> ShowReader::eventTarget(Action action, const toml::node& node) {
  switch (action) {
    case Action::LoadPicture:
    case Action::LoadMask: return reading_.file(node, FileKind::Picture);
    case Action::UnloadPicture: return reading_.picture(node);
    case Action::UnloadObject: return reading_.file(node, FileKind::Object);
    case Action::LoadScene:
    case Action::UnloadScene: return reading_.file(node, FileKind::Scene);
    case Action::PlayTune: return reading_.file(node, FileKind::Tune);
    case Action::Show:
    case Action::Hide: return reading_.layerName(node);
  }
  return std::nullopt;
}

// Several actions at one time happen in the order written.
void ShowReader::readEvent(const toml::table& settings, Section& section) {
  const toml::node* at = need(settings, "at", "this event", "the second it happens at, from the section's start");
  const std::optional<float> time = at != nullptr ? reading_.number(*at) : std::nullopt;
  bool acts = false;
  for (const auto& [key, node] : inOrderWritten(settings)) {
    if (key->str() == "at") continue;
    const std::optional<Action> action = valueOf(actions(), key->str());
    if (!action) {
      reading_.error(key->source(), "an event has no '" + std::string(key->str()) + "'; expected at, " + wordList(actions()));
      continue;
    }
    acts = true;
    for (const toml::node* item : reading_.oneOrMore(*node, "names")) {
      const std::optional<std::string> target = eventTarget(*action, *item);
      if (target && time) section.entries.emplace_back(Event{*time, *action, *target});
    }
  }
  if (!acts) reading_.error(settings, "this event does nothing: expected one of " + wordList(actions()));
}

void ShowReader::readLayer(const toml::table& settings, Section& section) {
  const toml::node* kind = need(settings, "kind", "this layer", "its kind");
  const std::optional<LayerKind> word = kind != nullptr ? reading_.word(*kind, layerKinds(), "a layer kind") : std::nullopt;
  if (!word) return;
  Layer layer{.kind = *word};
  const std::string owner = aLayerOf(layer.kind);
  for (const auto& [key, node] : inOrderWritten(settings)) {
    if (key->str() == "kind") continue;
    const LayerField* field = layerField(key->str());
    if (field != nullptr && has(layer.kind, *field)) {
      field->read(reading_, *node, layer);
      continue;
    }
    std::string known = "kind";
    for (const LayerField& other : layerFields())
      if (has(layer.kind, other)) known += std::string(", ") + other.key;
    reading_.error(key->source(), owner + " has no '" + std::string(key->str()) + "'; expected " + known);
  }
  for (const LayerField& field : layerFields())
    if ((field.requiredBy & kindBit(layer.kind)) != 0) need(settings, field.key, "this " + owner.substr(owner.find(' ') + 1), field.meaning);
  if (has(layer.kind, *layerField("camera")) && !layer.scene.empty()) {
    const toml::node* camera = settings.get("camera");
    reading_.cameras.push_back({layer.scene, layer.camera, camera != nullptr ? camera->source() : settings.source()});
  }
  section.entries.emplace_back(std::move(layer));
}

std::string quotedName(const std::string& fileName) { return fileName.empty() ? "show file" : fileName; }

}  // namespace

ShowReading readShow(std::string_view text, const std::string& fileName, const DataFolder* data) {
  Reading reading;
  toml::table document;
  try {
    document = toml::parse(text, fileName);
  } catch (const toml::parse_error& error) {
    reading.error(error.source(), std::string(error.description()));
    return std::move(reading.result());
  }
  Show show = ShowReader(reading).read(document);
  checkShow(reading, show, data);
  ShowReading result = std::move(reading.result());
  // Read top to bottom, whichever check found them.
  std::stable_sort(result.errors.begin(), result.errors.end(), [](const ShowError& a, const ShowError& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
  if (result.errorCount == 0) result.show = std::move(show);
  return result;
}

ShowReading readShowFile(const std::string& path, const DataFolder* data) {
  const auto failed = [](const std::string& reason) {
    ShowReading reading;
    reading.errorCount = 1;
    reading.errors.push_back({0, 0, reason});
    return reading;
  };
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return failed("cannot be read: no such file");
  if (!std::filesystem::is_regular_file(path, error)) return failed("cannot be read: not a file");
  if (std::filesystem::file_size(path, error) > kLargestFile) return failed("is larger than 16 MiB: no show file is");
  std::ifstream in(path, std::ios::binary);
  std::string text;
  if (in) text.assign(std::istreambuf_iterator<char>(in), {});
  if (!in) return failed(std::string("cannot be read: ") + std::strerror(errno));
  return readShow(text, path, data);
}

std::string errorReport(const std::string& fileName, const ShowReading& reading) {
  const std::string file = quotedName(fileName);
  std::string report;
  for (const ShowError& error : reading.errors)
    report += error.line == 0 ? file + ": " + error.text + "\n"
                              : file + ":" + std::to_string(error.line) + ":" + std::to_string(error.column) + ": " + error.text + "\n";
  if (reading.errorCount > reading.errors.size())
    report += file + ": " + std::to_string(reading.errorCount - reading.errors.size()) + " more errors not shown\n";
  return report;
}

}  // namespace shell::showfile
