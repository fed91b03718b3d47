#pragma once
// Puts a text panel over the frame just drawn, after every layer: the
// viewers' notes. Main thread, with the device's context current.
#include <string>
#include <vector>

#include "render/frame_layout.h"
#include "text/text_panel.h"

namespace kst {

// The panel's top-left corner `margin` pixels in from the top-left corner
// of `area` (a rectangle of the drawable), blended over the frame by its
// alpha; nothing for an empty panel. The GL state is as it was afterwards,
// except that texturing is off on every unit (through the state cache,
// which stays true).
void drawPanel(const text::Panel& panel, const PixelRect& area, int margin = 8);

// Notes in the top-left corner of the device's picture, their lettering
// 13 pixels high in an 800x600 picture and grown with a larger one (never
// smaller), so that they read alike at any size.
void drawNotes(const text::FontFace& font, const std::vector<std::string>& lines);

}  // namespace kst
