#include "ui/design_rows.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/access_keys.h"
#include "ui/one_line_label.h"

namespace quorvane::ui {
namespace {

[[noreturn]] void Unfit(const char* what, const ControlRow& row) {
  throw std::logic_error(std::string(what) + " for " + row.name);
}

// Kinds with a field of their own, white whatever lies beneath.
bool HasField(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::MultiLineBox ||
         kind == ControlKind::List;
}

Rgb BackgroundOf(const ControlRow& row, const ControlRow* container, const WindowRow& window) {
  if ((row.look & kWhite) || HasField(row.kind)) return kWhiteColour;
  if (row.fill && (row.kind == ControlKind::Pane || row.kind == ControlKind::Bar)) return *row.fill;
  return container ? container->background : window.background;
}

// A label paints its background only where the design makes it white;
// shapes, lines and the image paint their fill, outline or icon alone.
bool IsOpaque(const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::Rectangle:
    case ControlKind::Line:
    case ControlKind::Image:
      return false;
    default:
      return !IsLabel(row.kind) || (row.look & kWhite);
  }
}

Align AlignOf(unsigned look) {
  return (look & kCentred) ? Align::Centre : (look & kRightAligned) ? Align::Right : Align::Left;
}

}  // namespace

void ResolveDesign(DesignRows& design) {
  std::vector<ControlRow>& rows = design.controls;
  const int count = static_cast<int>(rows.size());
  for (int i = 0; i < count; ++i) {
    ControlRow& row = rows[static_cast<std::size_t>(i)];
    // Containers come first: what a row inherits is resolved before it.
    if (row.container != kNoControl && (row.container >= i || row.container < 0)) {
      Unfit("container not yet built", row);
    }
    if (row.buddy != kNoControl && (row.buddy < 0 || row.buddy >= count || !IsLabel(row.kind))) {
      Unfit("bad buddy", row);
    }
    const ControlRow* container =
        row.container == kNoControl ? nullptr : &rows[static_cast<std::size_t>(row.container)];

    row.effectiveFont = row.font.face != Face::Inherit ? row.font
                        : container                   ? container->effectiveFont
                                                      : design.window.font;
    row.background = BackgroundOf(row, container, design.window);
    row.opaque = IsOpaque(row);
    row.textColour = (row.look & kBlueText) ? kBlueColour : kBlackColour;
    row.wraps = IsLabel(row.kind) && !(row.look & kSingleLine);
    row.align = AlignOf(row.look);
    row.textAlign = row.wraps ? row.align : Align::Left;
    row.holdsOneLine = HoldsOneLine(row.kind, row.look, row.place.height, row.effectiveFont);

    // Option buttons in a row of one container form one group; every other
    // control is a group of its own, so the arrow keys stay inside a group.
    const ControlRow* previous = i > 0 ? &rows[static_cast<std::size_t>(i - 1)] : nullptr;
    const bool continuesGroup = row.kind == ControlKind::OptionButton && previous &&
                                previous->kind == ControlKind::OptionButton &&
                                previous->container == row.container;
    row.group = continuesGroup ? previous->group : i;
  }
  // A label that names a control lends it its caption as the name a
  // screen reader gives it.
  for (const ControlRow& label : rows) {
    if (label.buddy == kNoControl || !label.caption) continue;
    ControlRow& named = rows[static_cast<std::size_t>(label.buddy)];
    if (named.accessibleName.empty()) named.accessibleName = WithoutAccessMark(label.caption);
  }

  design.stacking.clear();
  for (bool inputs : {false, true}) {
    for (int i = 0; i < count; ++i) {
      if (TakesFocus(rows[static_cast<std::size_t>(i)].kind) == inputs) {
        design.stacking.push_back(i);
      }
    }
  }

  if (design.window.firstFocus == kNoControl) {
    const auto first = std::find_if(rows.begin(), rows.end(),
                                    [](const ControlRow& row) { return TakesFocus(row.kind); });
    if (first != rows.end()) design.window.firstFocus = static_cast<int>(first - rows.begin());
  }
}

}  // namespace quorvane::ui
