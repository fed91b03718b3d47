#include "shell/event_listing.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "shell/layer_resources.h"
#include "timeline/brush_events.h"
#include "timeline/file_event.h"
#include "timeline/timeline.h"
#include "timeline/value_events.h"

namespace shell {
namespace {

std::string className(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                    &std::free);
  return status == 0 ? name.get() : type.name();
}

std::string quoted(const std::string& name) { return '"' + name + '"'; }

// The layer whose visible flag `flag` is, when a pending activation shows it.
const kst::Brush* layerOfFlag(const bool* flag) {
  const kst::Brush* owner = nullptr;
  kst::theTimeLine().forEachPending([&](const kst::TimeLineEvent& event) {
    const auto* activation = dynamic_cast<const kst::EvtActivateBrush*>(&event);
    if (activation != nullptr && activation->layer() != nullptr && &activation->layer()->visible == flag)
      owner = activation->layer();
  });
  return owner;
}

std::string describeFlagChange(const kst::EvtChangeValue<bool>& change) {
  const kst::Brush* layer = layerOfFlag(change.target());
  const std::string flag = layer != nullptr ? "visible of " + describeLayer(*layer) : "a flag";
  return flag + (change.value() ? " = true" : " = false");
}

}  // namespace

std::string eventKind(const kst::TimeLineEvent& event) { return className(typeid(event)); }

std::string eventTarget(const kst::TimeLineEvent& event) {
  if (const auto* file = dynamic_cast<const kst::FileEvent*>(&event)) return quoted(file->file());
  if (const auto* activation = dynamic_cast<const kst::EvtActivateBrush*>(&event))
    return activation->layer() != nullptr ? describeLayer(*activation->layer()) : "no layer";
  if (const auto* change = dynamic_cast<const kst::EvtChangeValue<bool>*>(&event)) return describeFlagChange(*change);
  return "";
}

std::string describeLayer(const kst::Brush& layer) {
  char settings[64];
  std::snprintf(settings, sizeof settings, " level %d duration %.2f", static_cast<int>(layer.layer),
                static_cast<double>(layer.duration));
  std::string text = className(typeid(layer)) + settings;
  for (const std::string& resource : layerResources(layer)) text += ' ' + quoted(resource);
  return text;
}

void printEvents(std::FILE* out) {
  kst::theTimeLine().forEachPending([out](const kst::TimeLineEvent& event) {
    std::fprintf(out, "%7.2f  %s  %s\n", static_cast<double>(event.time), eventKind(event).c_str(),
                 eventTarget(event).c_str());
  });
}

}  // namespace shell
