#include "ui/window_host.h"

#include <utility>

#include "ui/access_keys.h"
#include "ui/one_line_label.h"

namespace quorvane::ui {
namespace {

// The controls that keep the arrow keys for themselves: they move inside
// the control (a caret, a list's item, a scroll bar's position), not from
// one control to the next.
bool KeepsArrows(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::MultiLineBox ||
         kind == ControlKind::List || kind == ControlKind::ScrollBar;
}

// A label is measured when its caption decides where it stands: one that
// holds one line grows to show it whole, and one that never wraps stands
// around it where the design aligns it.
bool NeedsFitting(const ControlRow& row) {
  return IsLabel(row.kind) && (row.holdsOneLine || (!row.wraps && row.align != Align::Left));
}

// The access key of a control that has one: a button's, a check box's or
// an option button's caption, or that of a label that names a control.
char AccessKeyOfRow(const ControlRow& row) {
  if (!row.caption) return 0;
  const bool hasKey = row.kind == ControlKind::Button || row.kind == ControlKind::CheckBox ||
                      row.kind == ControlKind::OptionButton ||
                      (IsLabel(row.kind) && row.buddy != kNoControl);
  return hasKey ? AccessKeyOf(row.caption) : 0;
}

}  // namespace

WindowHost::WindowHost(DesignRows design, Toolkit& toolkit, WindowHost* owner,
                       ModalOpener openModal)
    : design_(std::move(design)),
      hidden_(design_.controls.size(), false),
      fitted_(design_.controls.size(), false),
      openModal_(std::move(openModal)) {
  core_ = toolkit.MakeWindow(design_, *this, owner ? owner->core_.get() : nullptr);
}

WindowHost::~WindowHost() = default;

void WindowHost::SetText(int control, std::string_view text) {
  core_->SetText(control, text);
  if (IsLabel(Row(control).kind)) Fit(control);
}

void WindowHost::SetCheckValue(int control, int value) {
  core_->SetCheckValue(control, value);
  if (Row(control).kind != ControlKind::OptionButton || value != kTicked) return;
  for (int other = 0; other < Count(); ++other) {
    if (other != control && Row(other).group == Row(control).group) {
      core_->SetCheckValue(other, kCleared);
    }
  }
}

void WindowHost::SetVisible(int control, bool visible) {
  const int focused = core_->FocusedControl();
  const bool losesFocus = !visible && focused != kNoControl && IsWithin(focused, control);
  hidden_[static_cast<std::size_t>(control)] = !visible;
  core_->SetVisible(control, visible);
  if (visible) FitShownLabels();
  // A hidden control cannot keep the focus: it goes on to the next one.
  if (losesFocus) FocusOn(NextTabStop(control, true), false);
}

void WindowHost::OpenModal(ModalWindow window) {
  if (openModal_) openModal_(window, *this);
}

void WindowHost::OnEvent(int control, Event event, std::function<void()> handler) {
  handlers_.push_back({control, event, std::move(handler)});
}

void WindowHost::Show() {
  showing_ = true;
  FitShownLabels();
  core_->Show();
  FocusOn(FirstFocus(), true);
}

void WindowHost::RunModal() {
  showing_ = true;
  FitShownLabels();
  core_->ShowModal();
  FocusOn(FirstFocus(), true);
  core_->RunUntilClosed();
}

bool WindowHost::IsShown(int control) const {
  for (int at = control; at != kNoControl; at = Row(at).container) {
    if (hidden_[static_cast<std::size_t>(at)]) return false;
  }
  return true;
}

bool WindowHost::IsWithin(int control, int container) const {
  for (int at = control; at != kNoControl; at = Row(at).container) {
    if (at == container) return true;
  }
  return false;
}

int WindowHost::GroupTabStop(int group) const {
  int first = kNoControl;
  for (int i = group; i < Count() && Row(i).group == group; ++i) {
    if (!IsShown(i)) continue;
    if (core_->CheckValue(i) == kTicked) return i;
    if (first == kNoControl) first = i;
  }
  return first;
}

bool WindowHost::IsTabStop(int control) const {
  const ControlRow& row = Row(control);
  if (!TakesFocus(row.kind) || !IsShown(control)) return false;
  return row.kind != ControlKind::OptionButton || GroupTabStop(row.group) == control;
}

int WindowHost::NextTabStop(int from, bool forward) const {
  const int count = Count();
  const int start = from == kNoControl ? (forward ? -1 : count) : from;
  for (int step = 1; step <= count; ++step) {
    const int at = ((start + (forward ? step : -step)) % count + count) % count;
    if (IsTabStop(at)) return at;
  }
  return kNoControl;
}

int WindowHost::NextInGroup(int control, bool forward) const {
  const int group = Row(control).group;
  int end = group;
  while (end < Count() && Row(end).group == group) ++end;
  const int size = end - group;
  for (int step = 1; step < size; ++step) {
    const int at = group + ((control - group + (forward ? step : size - step)) % size);
    if (TakesFocus(Row(at).kind) && IsShown(at)) return at;
  }
  return control;
}

int WindowHost::FirstFocus() const {
  const int first = design_.window.firstFocus;
  return first != kNoControl && IsTabStop(first) ? first : NextTabStop(kNoControl, true);
}

int WindowHost::EnterButton(int focused) const {
  if (focused != kNoControl && Row(focused).kind == ControlKind::Button) return focused;
  return design_.window.defaultButton;
}

void WindowHost::FocusOn(int control, bool byKey) { core_->SetFocus(control, byKey); }

void WindowHost::SelectOption(int control) { SetCheckValue(control, kTicked); }

void WindowHost::Fit(int label) {
  const ControlRow& row = Row(label);
  if (!NeedsFitting(row)) return;
  fitted_[static_cast<std::size_t>(label)] = showing_ && IsShown(label);
  if (!fitted_[static_cast<std::size_t>(label)]) return;
  const int dpi = core_->DotsPerInch();
  const PixelRect design = PixelsOf(row.place, dpi);
  // Whole pixels, and one more for the fraction of a pixel that a caption
  // laid out in fractions ends in.
  const int needed = core_->CaptionWidth(label) + 1;
  if (!row.wraps) {
    core_->Place(label, AlignOneLine(design, needed, row.align));
    return;
  }
  const int containerWidth =
      row.container == kNoControl ? design_.window.clientWidth : Row(row.container).place.width;
  core_->Place(label, FitOneLine(design, needed, TwipsToPixels(containerWidth, dpi)));
}

void WindowHost::FitShownLabels() {
  for (int i = 0; i < Count(); ++i) {
    if (!fitted_[static_cast<std::size_t>(i)] && NeedsFitting(Row(i))) Fit(i);
  }
}

void WindowHost::Reported(int control, Event event) {
  if (event == Event::Click && Row(control).kind == ControlKind::OptionButton) {
    SelectOption(control);
  }
  for (const Handler& handler : handlers_) {
    if (handler.control == control && handler.event == event) {
      handler.run();
      return;
    }
  }
}

bool WindowHost::KeyPressed(Key key, int focused) {
  const ControlKind kind = focused == kNoControl ? ControlKind::Pane : Row(focused).kind;
  switch (key) {
    case Key::Enter: {
      const int button = EnterButton(focused);
      if (button != kNoControl) {
        core_->Click(button);
        return true;
      }
      // With no button to press, a box of several lines takes a new line.
      return kind != ControlKind::MultiLineBox;
    }
    case Key::Escape:
      if (design_.window.cancelButton == kNoControl) return false;
      core_->Click(design_.window.cancelButton);
      return true;
    case Key::Tab:
    case Key::BackTab: {
      const int next = NextTabStop(focused, key == Key::Tab);
      if (next != kNoControl) FocusOn(next, true);
      return true;
    }
    case Key::Left:
    case Key::Right:
    case Key::Up:
    case Key::Down: {
      if (focused == kNoControl || KeepsArrows(kind)) return false;
      const int next = NextInGroup(focused, key == Key::Right || key == Key::Down);
      if (next != focused) {
        FocusOn(next, true);
        if (Row(next).kind == ControlKind::OptionButton) core_->Click(next);
      }
      return true;
    }
  }
  return false;
}

bool WindowHost::AccessKeyPressed(char character) {
  // From the control after the focused one on, as a key that several
  // controls share moves among them.
  const int focused = core_->FocusedControl();
  for (int step = 1; step <= Count(); ++step) {
    const int at = ((focused == kNoControl ? -1 : focused) + step) % Count();
    const ControlRow& row = Row(at);
    if (AccessKeyOfRow(row) != character || !IsShown(at)) continue;
    if (IsLabel(row.kind)) {
      if (!IsShown(row.buddy)) continue;
      FocusOn(row.buddy, true);
    } else {
      // A push button too, as Windows' dialog keys do: Enter then presses
      // it again.
      FocusOn(at, true);
      core_->Click(at);
    }
    return true;
  }
  return false;
}

bool WindowHost::WheelTurned(int control) {
  return control == kNoControl || Row(control).kind != ControlKind::ScrollBar;
}

void WindowHost::FocusMoved(int control) {
  if (core_) core_->ShowDefault(EnterButton(control));
}

void WindowHost::Activated(bool active) {
  if (!core_) return;  // still being built
  if (!active) {
    remembered_ = core_->FocusedControl();
    return;
  }
  const bool back = remembered_ != kNoControl && IsShown(remembered_);
  FocusOn(back ? remembered_ : FirstFocus(), false);
}

void WindowHost::Rescaled() {
  fitted_.assign(fitted_.size(), false);
  FitShownLabels();
}

}  // namespace quorvane::ui
