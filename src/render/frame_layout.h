#pragma once
// The show is laid out for an 800x600 frame, and drawn at any size into the
// largest 4:3 rectangle the drawable holds, centred, with black bars beside
// it (pillarbox) or above and below it (letterbox). At 800x600 that
// rectangle is the whole drawable, so the default frame is this one path at
// its default size. Layers take their viewports from the picture rectangle
// and measure bitmaps and positions in the layout frame.

namespace kst {

inline constexpr int kLayoutWidth = 800;
inline constexpr int kLayoutHeight = 600;

// A rectangle of the drawable in pixels, from its lower-left corner (GL's).
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The 4:3 picture inside a drawable of width x height pixels: as large as
// fits, each side rounded to the nearest pixel, centred (an odd pixel left
// over goes to the right or top bar). Empty for an empty drawable.
PixelRect FitPicture(int width, int height);

}  // namespace kst
