#pragma once
// SDL's X11 message box draws each line of its text as given, tabs as a
// glyph of their own, and makes itself as wide as the longest line: one
// paragraph of the start-up question is wider than an 800-pixel screen. The
// text of a graphical box is laid out here first.
#include <cstddef>
#include <string>

namespace platform {

// About 500 pixels in the box's font: the box fits an 800x600 screen.
inline constexpr std::size_t kMessageBoxColumns = 72;

// Tabs become four blanks, and every line longer than `columns` is broken
// between words, its continuation lines indented like the line itself. A
// word longer than a line is cut where the line ends.
std::string layOutMessageText(const std::string& text, std::size_t columns);

}  // namespace platform
