#include "ui/design_rows.h"

#include <stdexcept>
#include <string>

#include "ui/one_line_label.h"

namespace quorvane::ui {
namespace {

[[noreturn]] void Unfit(const char* what, const ControlRow& row) {
  throw std::logic_error(std::string(what) + " for " + row.name);
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
    if (row.look & kWhite) {
      row.background = kWhiteColour;
    } else if (row.fill && (row.kind == ControlKind::Pane || row.kind == ControlKind::Bar)) {
      row.background = *row.fill;
    } else {
      row.background = container ? container->background : design.window.background;
    }
    // Option buttons in a row of one container form one group; every other
    // control starts a group of its own, so arrow keys stay inside a group.
    const ControlRow* previous = i > 0 ? &rows[static_cast<std::size_t>(i - 1)] : nullptr;
    const bool continuesGroup = row.kind == ControlKind::OptionButton && previous &&
                                previous->kind == ControlKind::OptionButton &&
                                previous->container == row.container;
    row.startsGroup = !continuesGroup && row.kind != ControlKind::Pane;
    row.holdsOneLine = HoldsOneLine(row.kind, row.look, row.place.height, row.effectiveFont);
  }
  if (design.window.firstFocus == kNoControl) {
    for (int i = 0; i < count; ++i) {
      if (TakesFocus(rows[static_cast<std::size_t>(i)].kind)) {
        design.window.firstFocus = i;
        break;
      }
    }
  }
}

}  // namespace quorvane::ui
