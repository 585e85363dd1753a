#include "ui/quorvane_finished.h"

namespace quorvane::ui {
namespace {

using enum FinishedControl;

constexpr EventBinding<QuorvaneFinished> kEvents[] = {
    {CmdClose, Event::Click, &QuorvaneFinished::CmdClose_Click},
    {Label3, Event::Click, &QuorvaneFinished::Label3_Click},
};

}  // namespace

std::span<const EventBinding<QuorvaneFinished>> QuorvaneFinished::Events() { return kEvents; }

void QuorvaneFinished::CmdClose_Click() { view_.Close(); }

void QuorvaneFinished::Label3_Click() {
  view_.OpenWebAddress(kQuorvaneFinishedDesign[Label3].tag);
}

}  // namespace quorvane::ui
