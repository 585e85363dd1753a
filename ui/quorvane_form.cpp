#include "ui/quorvane_form.h"

#include <array>
#include <string>

#include "engine/current_values.h"
#include "engine/messages.h"
#include "engine/quick_optimise.h"
#include "engine/restore.h"
#include "ui/program_version.h"
#include "ui/web_addresses.h"

namespace quorvane::ui {
namespace {

using enum FormControl;

// The warning behind "ADSL Information"; the article's address follows it.
constexpr const char* kAdslWarning =
    "If you set your MTU over 1492 you run the risk of an unhappy Router locking you out. Please "
    "see this page: ";

// The panes that show one text setting each: the setting, the entry box
// its Apply writes from, and the label that shows its current value.
struct TextPaneControls {
  store::SettingId setting;
  FormControl custom;
  FormControl current;
};
constexpr TextPaneControls kTextPanes[] = {
    {store::SettingId::MaxMtu, Setting1Custom, Setting1Current},
    {store::SettingId::DefaultRcvWindow, Setting2Custom, Setting2Current},
    {store::SettingId::DefaultTtl, Setting3Custom, Setting3Current},
    {store::SettingId::SessionKeepAlive, Setting4Custom, Setting4Current},
    {store::SettingId::NdiCache, Setting6Custom, Setting6Current},
};
static_assert(store::NamesEachOnce(kTextPanes, store::OfKind<store::Kind::Text>,
                                   &TextPaneControls::setting));

// The Path MTU pane's check box of each flag setting.
struct FlagBoxControl {
  store::SettingId setting;
  FormControl box;
};
constexpr FlagBoxControl kFlagBoxes[] = {
    {store::SettingId::PmtuDiscovery, Setting5Option1},
    {store::SettingId::PmtuBlackHoleDetect, Setting5Option2},
    {store::SettingId::SackOpts, Setting5Option3},
};
static_assert(store::NamesEachOnce(kFlagBoxes, store::OfKind<store::Kind::Flag>,
                                   &FlagBoxControl::setting));

// The network-card pane: the one number setting and its option buttons.
struct NumberPaneControls {
  store::SettingId setting;
  std::array<FormControl, 2> options;  // "Enabled", "Disabled"
};
constexpr NumberPaneControls kNumberPane = {store::SettingId::DisableTaskOffload,
                                            {Setting7Option1, Setting7Option2}};
static_assert(store::NamesEachOnce(std::array{kNumberPane.setting},
                                   store::OfKind<store::Kind::Number>));

// The option button that shows a choice: "Enabled" or "Disabled".
constexpr FormControl OptionShowing(bool enabled) { return kNumberPane.options[enabled ? 0 : 1]; }

constexpr EventBinding<QuorvaneForm> kEvents[] = {
    {scroller, Event::Change, &QuorvaneForm::scroller_Change},
    {Combo1, Event::Choose, &QuorvaneForm::Combo1_Click},
    {Label37, Event::Click, &QuorvaneForm::Label37_Click},
    {cmd_Optimise, Event::Click, &QuorvaneForm::cmd_Optimise_Click},
    {Setting1Apply, Event::Click, &QuorvaneForm::Setting1Apply_Click},
    {Setting2Apply, Event::Click, &QuorvaneForm::Setting2Apply_Click},
    {Setting3Apply, Event::Click, &QuorvaneForm::Setting3Apply_Click},
    {Session4Apply, Event::Click, &QuorvaneForm::Session4Apply_Click},
    {Setting5Apply, Event::Click, &QuorvaneForm::Setting5Apply_Click},
    {Setting6Apply, Event::Click, &QuorvaneForm::Setting6Apply_Click},
    {Setting7Apply, Event::Click, &QuorvaneForm::Setting7Apply_Click},
    {cmdRestore, Event::Click, &QuorvaneForm::cmdRestore_Click},
    {cmdClose, Event::Click, &QuorvaneForm::cmdClose_Click},
};

}  // namespace

QuorvaneForm::QuorvaneForm(WindowView<FormControl>& view, const store::Registry& registry,
                           engine::UserDialogs& dialogs)
    : view_(view), registry_(registry), dialogs_(dialogs) {
  // The welcome pane is the one shown at start.
  for (FormControl pane : kPanesByPosition) view_.SetVisible(pane, pane == SettingWelcome);
}

std::span<const EventBinding<QuorvaneForm>> QuorvaneForm::Events() { return kEvents; }

void QuorvaneForm::Form_Load() {
  const engine::FirstRunOutcome firstRun = engine::RunFirstRunBlock(registry_, dialogs_);
  engine::Tell(dialogs_, engine::TellInWindow(firstRun));
  startOutcome_ = firstRun.start;
  if (startOutcome_ != engine::StartOutcome::Continue) return;
  RefreshCurrentValues();
  view_.SetCaption(MainWindowCaption(RunningProgramVersion()));
}

void QuorvaneForm::ShowPane(int position) {
  if (position < kFirstPosition || position > kLastPosition) return;
  for (int i = 0; i < static_cast<int>(kPanesByPosition.size()); ++i) {
    view_.SetVisible(kPanesByPosition[static_cast<std::size_t>(i)], i == position - kFirstPosition);
  }
}

void QuorvaneForm::ShowPathMtuFlags(const engine::PathMtuFlags& flags) {
  for (const FlagBoxControl& flag : kFlagBoxes) {
    view_.SetCheckValue(flag.box, flags.at(flag.setting));
  }
}

void QuorvaneForm::RefreshCurrentValues() {
  const engine::CurrentValues values = engine::ReadCurrentValues(registry_);
  for (const TextPaneControls& pane : kTextPanes) {
    view_.SetText(pane.current, values.captions.at(pane.setting));
  }
  ShowPathMtuFlags(values.flags);
  // Selecting one option button clears the other.
  view_.SetCheckValue(OptionShowing(values.enabled.at(kNumberPane.setting)), kTicked);
}

void QuorvaneForm::scroller_Change() {
  ShowPane(view_.ScrollPosition(scroller));
  RefreshCurrentValues();
}

void QuorvaneForm::Combo1_Click() {
  // The list shows kPaneListItems in their order: the chosen row is the item.
  const int chosen = view_.ChosenIndex(Combo1);
  if (chosen < 0 || chosen >= static_cast<int>(kPaneListItems.size())) return;
  const PaneListItem& item = kPaneListItems[static_cast<std::size_t>(chosen)];
  if (item.position == kNoPane) {
    // "About": no pane changes and nothing is read.
    view_.OpenModal(ModalWindow::About);
    return;
  }
  // A changed position runs the scroll bar's change handling to its end
  // first; the position already shown runs nothing.
  if (view_.ScrollPosition(scroller) != item.position) {
    view_.SetScrollPosition(scroller, item.position);
    scroller_Change();
  }
  if (item.position == kMtuPosition) {
    view_.SetText(Setting1Current, engine::ReadMtuCaptionForList(registry_));
  }
}

void QuorvaneForm::Label37_Click() {
  engine::Message warning;
  warning.text = std::string(kAdslWarning) + kAdslArticle;
  warning.title = engine::kProgramTitle;
  dialogs_.Show(warning);
}

void QuorvaneForm::cmd_Optimise_Click() {
  const engine::OptimiseOutcome optimised =
      engine::QuickOptimise(registry_, dialogs_, view_.ChosenText(Combo2));
  engine::Tell(dialogs_, engine::TellInWindow(optimised));
}

void QuorvaneForm::ApplyText(store::SettingId setting) {
  for (const TextPaneControls& pane : kTextPanes) {
    if (pane.setting != setting) continue;
    const auto applied =
        engine::ApplyTextPane(registry_, dialogs_, setting, view_.Text(pane.custom));
    engine::Tell(dialogs_, engine::TellInWindow(applied));
    view_.SetText(pane.current, applied.shown);
  }
}

void QuorvaneForm::Setting1Apply_Click() {
  ApplyText(store::SettingId::MaxMtu);
}

void QuorvaneForm::Setting2Apply_Click() {
  ApplyText(store::SettingId::DefaultRcvWindow);
}

void QuorvaneForm::Setting3Apply_Click() {
  ApplyText(store::SettingId::DefaultTtl);
}

void QuorvaneForm::Session4Apply_Click() {
  ApplyText(store::SettingId::SessionKeepAlive);
}

void QuorvaneForm::Setting5Apply_Click() {
  engine::PathMtuFlags boxes;
  for (const FlagBoxControl& flag : kFlagBoxes) boxes[flag.setting] = view_.CheckValue(flag.box);
  const auto applied = engine::ApplyPathMtu(registry_, dialogs_, boxes);
  engine::Tell(dialogs_, engine::TellInWindow(applied));
  ShowPathMtuFlags(applied.shown);
}

void QuorvaneForm::Setting6Apply_Click() {
  ApplyText(store::SettingId::NdiCache);
}

void QuorvaneForm::Setting7Apply_Click() {
  const auto applied = engine::ApplyNumberPane(registry_, dialogs_, kNumberPane.setting,
                                               view_.CheckValue(OptionShowing(true)) == kTicked);
  engine::Tell(dialogs_, engine::TellInWindow(applied));
  view_.SetCheckValue(OptionShowing(applied.shown), kTicked);
}

void QuorvaneForm::cmdRestore_Click() {
  engine::Tell(dialogs_, engine::TellInWindow(engine::RestoreFromBackup(registry_, dialogs_)));
}

void QuorvaneForm::cmdClose_Click() { view_.EndProgram(); }

}  // namespace quorvane::ui
