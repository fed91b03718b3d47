#include "shell/showfile/show_writer.h"

#include <algorithm>
#include <utility>

#include "shell/showfile/layer_fields.h"
#include "shell/showfile/show_words.h"
#include "shell/showfile/toml_text.h"

namespace shell::showfile {
namespace {

constexpr const char* kGuide =
    "# A Skyward show: play it with  skyward --show FILE  (see the README).\n"
    "#\n"
    "# Times are seconds; in a section they count from the section's start.\n"
    "# Things due at one moment happen in the order they are written.\n"
    "# A layer's curve is a number (the same at every moment) or keys\n"
    "# [[time, value], ...], each key followed, when they are not 0, by its\n"
    "# continuity, tension and bias; { keys = [...], beyond = \"repeat\" } says\n"
    "# what the curve does past its keys (constant, reset, repeat, oscillate,\n"
    "# offset, linear) and shape = \"linear\" or \"stepped\" how it goes between them.\n"
    "# Files are under demo/; a picture loaded with colour and alpha files is\n"
    "# named by the name it is given.\n";

using Kind = script::BuildLoad::Kind;

std::string pictureText(const std::string& picture) {
  return picture.find('\\') != std::string::npos ? fileText(picture) : quotedText(picture);
}

std::string buildText(int option) {
  std::vector<std::string> flags;
  for (const Word<int>& flag : buildFlags())
    if ((option & flag.value) != 0) flags.push_back(quotedText(flag.text));
  return listText(flags);
}

std::string loadText(const script::BuildLoad& load) {
  switch (load.kind) {
    case Kind::Backdrop: return "{ picture = " + fileText(load.file) + " }";
    case Kind::Alpha: return "{ mask = " + fileText(load.file) + " }";
    case Kind::WithAlpha:
      return "{ picture = " + quotedText(load.name) + ", colour = " + fileText(load.file) +
             ", alpha = " + fileText(load.alphaFile) + " }";
    case Kind::Object:
      return "{ object = " + fileText(load.file) + (load.buildOption != 0 ? ", build = " + buildText(load.buildOption) : "") + " }";
    case Kind::Scene: return "{ scene = " + fileText(load.file) + " }";
    case Kind::SceneAhead: return "{ scene = " + fileText(load.file) + ", ahead = " + numberText(load.secondsBefore) + " }";
  }
  return "{}";
}

std::string targetText(const Event& event) {
  switch (event.action) {
    case Action::Show:
    case Action::Hide: return quotedText(event.target);
    case Action::UnloadPicture: return pictureText(event.target);
    default: return fileText(event.target);
  }
}

std::string materialText(const Material& material) {
  std::string text = "[material." + keyText(material.name) + "]\n";
  const auto colour = [](const auto& values) {
    std::vector<std::string> items;
    for (float value : values) items.push_back(numberText(value));
    return listText(items);
  };
  if (material.volumetric) return text + "kind = \"volumetric\"\ncolour = " + colour(material.colour) + "\n";
  return text + "kind = \"lit\"\nambient = " + colour(material.ambient) + "\ndiffuse = " + colour(material.diffuse) +
         "\nspecular = " + colour(material.specular) + "\nshininess = " + numberText(material.shininess) + "\n";
}

std::string layerText(const Layer& layer) {
  std::string text = "[[section.layer]]\nkind = " + quotedText(wordFor(layerKinds(), layer.kind)) + "\n";
  for (const LayerField& field : layerFields())
    if (has(layer.kind, field))
      if (const std::optional<std::string> value = field.write(layer)) text += std::string(field.key) + " = " + *value + "\n";
  return text;
}

// The events of one moment written one after another share a table, each
// action once, its targets in a list.
class EventTables {
 public:
  // The table this event closes, if any.
  std::string add(const Event& event) {
    std::string closed;
    if (!actions_.empty() && (event.at != at_ || (event.action != actions_.back().first && holds(event.action))))
      closed = flush();
    at_ = event.at;
    if (actions_.empty() || actions_.back().first != event.action) actions_.emplace_back(event.action, std::vector<std::string>{});
    actions_.back().second.push_back(targetText(event));
    return closed;
  }
  // The table still open, if any.
  std::string flush() {
    if (actions_.empty()) return "";
    std::string text = "[[section.event]]\nat = " + numberText(at_) + "\n";
    for (const auto& [action, targets] : actions_)
      text += std::string(wordFor(actions(), action)) + " = " + (targets.size() == 1 ? targets[0] : listText(targets)) + "\n";
    actions_.clear();
    return text + "\n";
  }

 private:
  bool holds(Action action) const {
    return std::any_of(actions_.begin(), actions_.end(), [action](const auto& held) { return held.first == action; });
  }

  float at_ = 0.0f;
  std::vector<std::pair<Action, std::vector<std::string>>> actions_;
};

// A comment ends at the line's end and holds no control characters, so a
// name is written there as it is escaped between quotes: a line break in it
// would otherwise start a line of its own, read as the file's text.
std::string commentText(const std::string& name) {
  const std::string quoted = quotedText(name);
  return quoted.substr(1, quoted.size() - 2);
}

std::string sectionText(const Section& section, std::size_t number) {
  std::string text = "# " + std::to_string(number) + ". " + commentText(section.name) + ", from " + numberText(section.start) +
                     " s\n\n[[section]]\nname = " + quotedText(section.name) + "\nstart = " + numberText(section.start) + "\n";
  if (section.loads.size() == 1) text += "load = [" + loadText(section.loads[0]) + "]\n";
  if (section.loads.size() > 1) {
    text += "load = [\n";
    for (const script::BuildLoad& load : section.loads) text += "  " + loadText(load) + ",\n";
    text += "]\n";
  }
  text += "\n";
  EventTables events;
  for (const Entry& entry : section.entries) {
    if (const auto* event = std::get_if<Event>(&entry)) {
      text += events.add(*event);
      continue;
    }
    text += events.flush() + layerText(std::get<Layer>(entry)) + "\n";
  }
  return text + events.flush();
}

}  // namespace

std::string showText(const Show& show) {
  std::string text = std::string(kGuide) + "\n";
  for (const Material& material : show.materials) text += materialText(material) + "\n";
  for (std::size_t i = 0; i < show.sections.size(); ++i) text += sectionText(show.sections[i], i + 1);
  while (text.ends_with("\n\n")) text.pop_back();
  return text;
}

}  // namespace shell::showfile
