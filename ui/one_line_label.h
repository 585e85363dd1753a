// Labels meant for one line: which they are, and where one is drawn when
// the font at hand draws its caption wider than the design's Tahoma did, or
// narrower. One rule for every toolkit; the cores measure, the window host
// (window_host.h) decides with this when a label is measured and where it
// then stands.
#pragma once

#include <algorithm>

#include "ui/window_design.h"

namespace quorvane::ui {

// One line of text in a font, in twips: 1.2 em, as Tahoma and MS Sans Serif
// draw it.
constexpr int LineHeightTwips(const FontSpec& font) {
  return static_cast<int>(font.points * 24 + 0.5);
}

// A label that wraps and whose design height holds less than two lines of
// its font: its caption is meant to stand on one line.
constexpr bool HoldsOneLine(ControlKind kind, unsigned look, int heightTwips,
                            const FontSpec& font) {
  return IsLabel(kind) && !(look & kSingleLine) && heightTwips < 2 * LineHeightTwips(font);
}

// Where a one-line label whose caption needs `needed` pixels is drawn: at
// its design place, widened to the right as far as the caption needs and
// no further than its container's right edge. It never moves: its left and
// top edges stay where the design puts them, and a caption wider than the
// room left still breaks at a word.
constexpr PixelRect FitOneLine(const PixelRect& design, int needed, int containerWidth) {
  if (needed <= design.width) return design;
  const int room = std::max(design.width, containerWidth - design.left);
  return {design.left, design.top, std::min(needed, room), design.height};
}

// Where a centred or right-aligned label that never wraps is drawn when
// its caption needs `needed` pixels: the part of its design place that the
// caption takes, where the design's alignment puts it, so that every core
// draws it from that place's left edge (one toolkit cannot centre a line
// without wrapping it). A left-aligned label, or a caption as wide as the
// place or wider, keeps the place.
constexpr PixelRect AlignOneLine(const PixelRect& design, int needed, Align align) {
  if (needed >= design.width || align == Align::Left) return design;
  const int spare = design.width - needed;
  return {design.left + (align == Align::Centre ? spare / 2 : spare), design.top, needed,
          design.height};
}

}  // namespace quorvane::ui
