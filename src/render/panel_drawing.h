#pragma once
// Puts a text panel over the frame just drawn, after every layer: the
// viewers' notes. Main thread, with the device's context current.
#include "text/text_panel.h"

namespace kst {

// The panel's top-left corner `margin` pixels in from the frame's top-left
// corner, blended over the frame by its alpha; nothing for an empty panel.
// The GL state is as it was afterwards, except that texturing is off on
// every unit (through the state cache, which stays true).
void drawPanel(const text::Panel& panel, int frameWidth, int frameHeight, int margin = 8);

}  // namespace kst
