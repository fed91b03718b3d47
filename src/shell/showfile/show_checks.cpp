#include "shell/showfile/show_checks.h"

#include <algorithm>
#include <map>
#include <set>

namespace shell::showfile {
namespace {

std::string quoted(const std::string& name) { return "'" + name + "'"; }

std::map<std::string, const Layer*> namedLayers(const Show& show) {
  std::map<std::string, const Layer*> layers;
  for (const Section& section : show.sections)
    for (const Entry& entry : section.entries)
      if (const auto* layer = std::get_if<Layer>(&entry); layer != nullptr && !layer->name.empty())
        layers.emplace(layer->name, layer);
  return layers;
}

void checkNamesGivenOnce(Reading& reading) {
  std::set<std::string> given;
  for (const Mention& name : reading.layersNamed)
    if (!given.insert(name.name).second)
      reading.error(name.where, "a layer named " + quoted(name.name) + " is written above already: each name is given once");
}

void checkMentions(Reading& reading, const std::vector<Mention>& mentions, const std::set<std::string>& given,
                   const std::string& what, const std::string& hint) {
  for (const Mention& mention : mentions)
    if (given.count(mention.name) == 0) reading.error(mention.where, "no " + what + " named " + quoted(mention.name) + hint);
}

// A value layer drives the scroll of a strip layer; one that names another
// value layer is refused, the more plainly when they name each other round.
void checkValueTargets(Reading& reading, const std::map<std::string, const Layer*>& layers) {
  for (const Mention& target : reading.valueTargets) {
    const auto found = layers.find(target.name);
    if (found == layers.end() || found->second->kind == LayerKind::Strip) continue;
    std::string chain = quoted(target.name);
    std::set<std::string> seen{target.name};
    bool round = false;
    for (const Layer* next = found->second; next->kind == LayerKind::Value && !round;) {
      chain += " -> " + quoted(next->target);
      round = !seen.insert(next->target).second;
      const auto on = layers.find(next->target);
      if (on == layers.end()) break;
      next = on->second;
    }
    if (round)
      reading.error(target.where, "value layers name each other round (" + chain +
                                      "): a value layer drives the scroll of a strip layer");
    else
      reading.error(target.where, "expected a strip layer, whose scroll a value layer drives; " + quoted(target.name) +
                                      " is " + aLayerOf(found->second->kind));
  }
}

std::string cameraRange(int count) {
  if (count == 0) return "no camera";
  if (count == 1) return "one camera, 0";
  return std::to_string(count) + " cameras, 0 to " + std::to_string(count - 1);
}

void checkData(Reading& reading, const DataFolder& data) {
  std::set<std::string> missing;
  if (data.exists)
    for (const Mention& file : reading.files)
      if (!data.exists(file.name)) {
        missing.insert(file.name);
        std::string path = file.name;
        std::replace(path.begin(), path.end(), '\\', '/');
        reading.error(file.where, "no file " + quoted(path) + " in the data folder");
      }
  if (!data.cameraCounts) return;
  std::vector<std::string> scenes;
  for (const CameraUse& use : reading.cameras)
    if (missing.count(use.scene) == 0 && std::find(scenes.begin(), scenes.end(), use.scene) == scenes.end())
      scenes.push_back(use.scene);
  const std::map<std::string, std::optional<int>> counts = data.cameraCounts(scenes);
  for (const CameraUse& use : reading.cameras) {
    const auto count = counts.find(use.scene);
    if (count == counts.end() || !count->second || use.camera < *count->second) continue;
    std::string path = use.scene;
    std::replace(path.begin(), path.end(), '\\', '/');
    reading.error(use.where, "expected a camera the scene has: " + path + " has " + cameraRange(*count->second) +
                                 ", got camera " + std::to_string(use.camera));
  }
}

}  // namespace

void checkShow(Reading& reading, const Show& show, const DataFolder* data) {
  checkNamesGivenOnce(reading);
  const std::map<std::string, const Layer*> layers = namedLayers(show);
  std::set<std::string> layerNames, materialNames, pictureNames;
  for (const auto& [name, layer] : layers) layerNames.insert(name);
  for (const Material& material : show.materials) materialNames.insert(material.name);
  for (const Section& section : show.sections)
    for (const script::BuildLoad& load : section.loads)
      if (load.kind == script::BuildLoad::Kind::WithAlpha) pictureNames.insert(load.name);
  checkMentions(reading, reading.layerNames, layerNames, "layer", ": expected the name of a layer of the show");
  checkMentions(reading, reading.materialNames, materialNames, "material", ": expected the name of a [material.NAME]");
  checkMentions(reading, reading.pictureNames, pictureNames, "picture",
                ": expected a file under demo/, or the name of a picture loaded with its colour and alpha files");
  checkValueTargets(reading, layers);
  if (data != nullptr) checkData(reading, *data);
}

}  // namespace shell::showfile
