#pragma once
// The built timeline as text, for people who write shows: one line per
// pending event, in firing order.
#include <cstdio>
#include <string>

namespace kst {
class Brush;
class TimeLineEvent;
}  // namespace kst

namespace shell {

// The event's class, as the code names it ("kst::EvtLoadScene").
std::string eventKind(const kst::TimeLineEvent& event);

// What the event acts on: the quoted file or stock name; for an activation
// the layer (see describeLayer); for a flag change the flag, its layer
// (when a pending activation shows that layer) and the value.
std::string eventTarget(const kst::TimeLineEvent& event);

// "kst::BrushScene level 1 duration 34.00 "demo\metaballs.kst"": class,
// level, duration in seconds (0: forever) and the resources it names.
std::string describeLayer(const kst::Brush& layer);

// Every pending event of the timeline: the absolute time with two decimals,
// the kind and the target, separated by two blanks.
void printEvents(std::FILE* out);

}  // namespace shell
