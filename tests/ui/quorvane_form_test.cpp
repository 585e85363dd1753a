// The main window's logic on an in-memory view: its start, its panes and
// lists, and each handler seen from the controls and the registry.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/ui/memory_view.h"
#include "tests/ui/registry_fixture.h"
#include "ui/quorvane_form.h"

namespace quorvane::testing {
namespace {

using engine::Answer;
using engine::StartOutcome;
using ui::FormControl;
using enum ui::FormControl;
namespace key = store::key;

const std::string kPrefix = "You Currently Have This Set To: ";
const std::string kMtuRefreshHelp =
    "The Default Value (576 for a Modem or 1500 for an Ethernet/Cable Connection)";
const std::string kMtuListHelp =
    "The Default Value (576 for a Modem or 1500 for an Ethernet Connection)";

constexpr std::array<FormControl, 5> kCurrentLabels = {Setting1Current, Setting2Current,
                                                       Setting3Current, Setting4Current,
                                                       Setting6Current};

struct Form : RegistryFixture {
  MemoryView<FormControl> view{ui::kQuorvaneFormDesign};
  ui::QuorvaneForm form{view, registry, dialogs};

  // Creates the window as the program does: its load step runs at once.
  void Load() { form.Form_Load(); }
  void LoadAfterFirstRun() {
    MarkFirstRunDone();
    Load();
  }

  // The panes shown; exactly one when all is well.
  std::vector<FormControl> ShownPanes() const {
    std::vector<FormControl> shown;
    for (FormControl pane : ui::kPanesByPosition) {
      if (view.IsVisible(pane)) shown.push_back(pane);
    }
    return shown;
  }
  void Scroll(int position) { view.Scroll(form, scroller, position); }
  void Choose(const char* item) { view.Choose(form, Combo1, item); }
  void Click(FormControl control) { view.Click(form, control); }

  std::vector<std::string> AllCaptions() const {
    std::vector<std::string> captions;
    for (FormControl label : kCurrentLabels) captions.push_back(view.Text(label));
    return captions;
  }

  // Changes every text setting behind the window's back.
  void ChangeAllBehind() {
    for (const char* name : {"DefaultRcvWindow", "DefaultTTL", "SessionKeepAlive"}) {
      EXPECT_TRUE(registry.WriteText(store::kRoot, key::kMstcp, name, "behind"));
    }
    EXPECT_TRUE(registry.WriteText(store::kRoot, key::kNetTrans, "MaxMTU", "behind"));
    EXPECT_TRUE(registry.WriteText(store::kRoot, key::kNdiCache, "", "behind"));
  }
};

TEST(QuorvaneFormTest, FirstStartAcceptedShowsTheWelcomePane) {
  Form f;
  f.dialogs.answers = {Answer::Yes};
  EXPECT_EQ(f.view.Caption(), "Quorvane Version 1.3 Final - Build");
  f.Load();

  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0].title, "Welcome to Quorvane");
  EXPECT_EQ(f.dialogs.shown[0].style, 20);
  EXPECT_EQ(f.form.startOutcome(), StartOutcome::Continue);
  EXPECT_EQ(f.view.Caption(), "Quorvane Version 1.3 Final - Build 0");
  EXPECT_EQ(f.ShownPanes(), std::vector<FormControl>{SettingWelcome});
  EXPECT_EQ(f.view.ScrollPosition(scroller), 1);
  EXPECT_EQ(f.view.ChosenText(Combo1), "");
  EXPECT_EQ(f.view.ChosenText(Combo2), "");

  // The load step's refresh, on a registry without the settings.
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + kMtuRefreshHelp);
  EXPECT_EQ(f.view.CheckValue(Setting5Option1), ui::kTicked);
  EXPECT_EQ(f.view.CheckValue(Setting5Option2), ui::kCleared);
  EXPECT_EQ(f.view.CheckValue(Setting5Option3), ui::kCleared);
  EXPECT_EQ(f.view.CheckValue(Setting7Option1), ui::kTicked);
  EXPECT_EQ(f.view.CheckValue(Setting7Option2), ui::kCleared);
}

TEST(QuorvaneFormTest, DeclineOrAFailedBackupEndsBeforeTheWindowIsFilled) {
  Form declined;
  declined.dialogs.answers = {Answer::No};
  declined.Load();
  EXPECT_EQ(declined.form.startOutcome(), StartOutcome::Declined);
  EXPECT_EQ(declined.Text(key::kProgram, "FirstRun"), "Yes");
  EXPECT_EQ(declined.Text(key::kBackup, "MaxMTU"), "Not Set");

  Form unwritable;
  unwritable.recording.fail = [](const std::string& call) { return call.rfind("set ", 0) == 0; };
  unwritable.Load();
  EXPECT_EQ(unwritable.form.startOutcome(), StartOutcome::BackupFailed);
  ASSERT_EQ(unwritable.dialogs.shown.size(), 1u);
  EXPECT_EQ(unwritable.dialogs.shown[0].icon, engine::Icon::Error);

  // Nothing after the first-run block ran: no refresh, no caption.
  for (const Form* ended : {&declined, &unwritable}) {
    EXPECT_EQ(ended->view.Text(Setting1Current), "You Currently Have This Set To:");
    EXPECT_EQ(ended->view.Caption(), "Quorvane Version 1.3 Final - Build");
  }
}

TEST(QuorvaneFormTest, LaterStartAsksNothingAndTheScrollBarRefreshesAll) {
  Form f;
  f.LoadAfterFirstRun();
  EXPECT_TRUE(f.dialogs.shown.empty());
  EXPECT_EQ(f.form.startOutcome(), StartOutcome::Continue);
  f.view.Type(Setting2Custom, "typed");

  for (int position : {2, 3, 4, 5, 6, 7, 8, 1}) {
    f.Scroll(position);
    EXPECT_EQ(f.ShownPanes(), std::vector<FormControl>{ui::kPanesByPosition[position - 1]});
  }

  // Values changed behind the window show at the next scroll, on every pane.
  ASSERT_TRUE(f.registry.WriteText(store::kRoot, key::kNetTrans, "MaxMTU", "1492"));
  ASSERT_TRUE(f.registry.WriteText(store::kRoot, key::kMstcp, "PMTUBlackHoleDetect", "00"));
  ASSERT_TRUE(f.registry.WriteNumber(store::kRoot, key::kTcpip, "DisableTaskOffload", 1));
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + kMtuRefreshHelp);
  f.Scroll(4);
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + "1492");
  EXPECT_EQ(f.view.CheckValue(Setting5Option2), ui::kTicked);
  EXPECT_EQ(f.view.CheckValue(Setting7Option2), ui::kTicked);
  EXPECT_EQ(f.view.CheckValue(Setting7Option1), ui::kCleared);
  EXPECT_EQ(f.view.Text(Setting2Custom), "typed");

  // ShowPane ignores positions without a pane.
  for (int position : {0, 9}) {
    f.form.ShowPane(position);
    EXPECT_EQ(f.ShownPanes(), std::vector<FormControl>{Setting3});
  }
}

TEST(QuorvaneFormTest, PaneListMovesTheScrollBar) {
  Form f;
  f.LoadAfterFirstRun();
  const std::vector<std::pair<const char*, int>> items = {
      {"Max Transmission Unit", 2}, {"Recieve Window", 3}, {"Time To Live", 4},
      {"Session Keep Alive", 5},    {"Path MTU", 6},       {"NDI Cache", 7},
      {"Network Card CPU", 8},      {"Welcome to Quorvane", 1}};
  for (const auto& [item, position] : items) {
    f.Choose(item);
    EXPECT_EQ(f.view.ScrollPosition(scroller), position) << item;
    EXPECT_EQ(f.ShownPanes(), std::vector<FormControl>{ui::kPanesByPosition[position - 1]});
  }

  // The list is left alone by the scroll bar.
  f.Choose("NDI Cache");
  f.Scroll(6);
  EXPECT_EQ(f.ShownPanes(), std::vector<FormControl>{Setting5});
  EXPECT_EQ(f.view.ChosenText(Combo1), "NDI Cache");

  // The pane already shown: no change, so nothing is read.
  f.Scroll(4);
  f.recording.calls.clear();
  f.Choose("Time To Live");
  EXPECT_TRUE(f.recording.calls.empty());
}

TEST(QuorvaneFormTest, AboutOpensItsWindowAndChangesNothingHere) {
  Form f;
  f.LoadAfterFirstRun();
  f.Scroll(3);
  f.ChangeAllBehind();
  const std::vector<std::string> captions = f.AllCaptions();
  f.recording.calls.clear();

  f.Choose("About");

  EXPECT_EQ(f.view.openedModals(), std::vector<ui::ModalWindow>{ui::ModalWindow::About});
  EXPECT_EQ(f.view.ScrollPosition(scroller), 3);
  EXPECT_EQ(f.ShownPanes(), std::vector<FormControl>{Setting2});
  EXPECT_EQ(f.view.ChosenText(Combo1), "About");
  EXPECT_EQ(f.AllCaptions(), captions);
  EXPECT_TRUE(f.recording.calls.empty());
}

TEST(QuorvaneFormTest, TheListShowsTheMtuWithItsOwnHelpText) {
  Form f;
  f.LoadAfterFirstRun();

  // From the welcome pane: the nested refresh runs first, then the list's read.
  f.Choose("Max Transmission Unit");
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + kMtuListHelp);
  f.Scroll(3);
  f.Scroll(2);
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + kMtuRefreshHelp);
  f.Choose("Max Transmission Unit");  // already at 2
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + kMtuListHelp);

  ASSERT_TRUE(f.registry.WriteText(store::kRoot, key::kNetTrans, "MaxMTU", "1492"));
  f.Choose("Max Transmission Unit");
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + "1492");
}

TEST(QuorvaneFormTest, EachTextApplyWritesAndShowsOnlyItsOwnSetting) {
  struct Row {
    int position;
    std::size_t current;  // index into kCurrentLabels
    FormControl custom, button;
    std::string path;
    const char* name;
  };
  const Row rows[] = {
      {2, 0, Setting1Custom, Setting1Apply, key::kNetTrans, "MaxMTU"},
      {3, 1, Setting2Custom, Setting2Apply, key::kMstcp, "DefaultRcvWindow"},
      {4, 2, Setting3Custom, Setting3Apply, key::kMstcp, "DefaultTTL"},
      {5, 3, Setting4Custom, Session4Apply, key::kMstcp, "SessionKeepAlive"},
      {7, 4, Setting6Custom, Setting6Apply, key::kNdiCache, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Form f;
    f.LoadAfterFirstRun();
    f.Scroll(row.position);
    f.ChangeAllBehind();  // only the applied setting may show its change
    std::vector<std::string> expected = f.AllCaptions();

    f.view.Type(row.custom, " 15x0 ");
    f.recording.calls.clear();
    f.Click(row.button);

    EXPECT_EQ(f.Text(row.path, row.name), " 15x0 ");
    EXPECT_EQ(f.recording.Only("set"), std::vector<std::string>{row.name});
    expected[row.current] = kPrefix + " 15x0 ";
    EXPECT_EQ(f.AllCaptions(), expected);
    EXPECT_EQ(f.view.Text(row.custom), " 15x0 ");
  }
}

TEST(QuorvaneFormTest, PathMtuApplyShowsWhatWasStored) {
  Form f;
  f.LoadAfterFirstRun();
  f.Scroll(6);
  f.Click(Setting5Option1);  // ticked at start: now cleared
  f.Click(Setting5Option2);
  f.view.SetCheckValue(Setting5Option3, ui::kGreyed);  // greyed counts as ticked

  f.Click(Setting5Apply);

  EXPECT_EQ(f.Text(key::kMstcp, "PMTUDiscovery"), "0");
  EXPECT_EQ(f.Text(key::kMstcp, "PMTUBlackHoleDetect"), "1");
  EXPECT_EQ(f.Text(key::kMstcp, "SackOpts"), "1");
  EXPECT_EQ(f.view.CheckValue(Setting5Option1), ui::kCleared);
  EXPECT_EQ(f.view.CheckValue(Setting5Option2), ui::kTicked);
  EXPECT_EQ(f.view.CheckValue(Setting5Option3), ui::kTicked);
}

TEST(QuorvaneFormTest, TaskOffloadApplyWritesTheChoiceAndRefreshesNothing) {
  Form f;
  f.LoadAfterFirstRun();
  f.Scroll(8);
  f.ChangeAllBehind();
  const std::vector<std::string> before = f.AllCaptions();

  f.Click(Setting7Option2);
  f.Click(Setting7Apply);
  EXPECT_EQ(f.registry.QueryNumber(store::kRoot, key::kTcpip, "DisableTaskOffload"), 1);
  EXPECT_EQ(f.AllCaptions(), before);

  f.Scroll(1);
  f.Scroll(8);
  EXPECT_EQ(f.view.CheckValue(Setting7Option2), ui::kTicked);
  f.Click(Setting7Option1);
  f.Click(Setting7Apply);
  EXPECT_EQ(f.registry.QueryNumber(store::kRoot, key::kTcpip, "DisableTaskOffload"), 0);
}

TEST(QuorvaneFormTest, OptimiseAsksForATypeThenWritesItsPreset) {
  Form f;
  f.LoadAfterFirstRun();
  f.recording.calls.clear();
  f.Click(cmd_Optimise);  // no connection type chosen: it only asks
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0].text, "Please select your Connection Type from the list opposite.");
  EXPECT_TRUE(f.recording.Only("set").empty());
  EXPECT_EQ(f.dialogs.finishedCount, 0);

  f.view.Choose(f.form, Combo2, "ADSL Modem");
  EXPECT_EQ(f.dialogs.shown.size(), 1u);  // choosing a type runs nothing
  f.Click(cmd_Optimise);
  EXPECT_EQ(f.Text(key::kNetTrans, "MaxMTU"), "1492");
  EXPECT_EQ(f.Text(key::kMstcp, "SackOpts"), "1");
  EXPECT_EQ(f.dialogs.finishedCount, 1);
  EXPECT_EQ(f.dialogs.shown.size(), 1u);  // no message box this time
  // Shown the next time the pane is displayed, not before.
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + kMtuRefreshHelp);
}

TEST(QuorvaneFormTest, RestoreAsksFirstAndRefreshesNothing) {
  Form f;
  ASSERT_TRUE(f.registry.WriteText(store::kRoot, key::kBackup, "MaxMTU", "1400"));
  ASSERT_TRUE(f.registry.WriteText(store::kRoot, key::kNetTrans, "MaxMTU", "576"));
  f.LoadAfterFirstRun();

  f.dialogs.answers = {Answer::No};
  f.Click(cmdRestore);
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0].title, "Quorvane Settings Restore");
  EXPECT_EQ(f.Text(key::kNetTrans, "MaxMTU"), "576");

  f.dialogs.answers = {Answer::Yes};
  f.Click(cmdRestore);
  EXPECT_EQ(f.Text(key::kNetTrans, "MaxMTU"), "1400");
  EXPECT_EQ(f.dialogs.shown.size(), 3u);
  EXPECT_EQ(f.view.Text(Setting1Current), kPrefix + "576");
}

TEST(QuorvaneFormTest, AdslInformationWarnsAndOtherLabelsDoNothing) {
  Form f;
  f.LoadAfterFirstRun();
  f.Scroll(2);
  f.Click(Label36);
  EXPECT_TRUE(f.dialogs.shown.empty());

  f.recording.calls.clear();
  f.Click(Label37);
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  const auto& warning = f.dialogs.shown[0];
  EXPECT_EQ(warning.text,
            "If you set your MTU over 1492 you run the risk of an unhappy Router locking you out. "
            "Please see this page: http://news.example/content/4/24376.html");
  EXPECT_EQ(warning.title, "Quorvane");
  EXPECT_EQ(warning.style, 0);  // OK alone, no icon
  EXPECT_TRUE(f.recording.calls.empty());
  EXPECT_EQ(f.ShownPanes(), std::vector<FormControl>{Setting1});
}

TEST(QuorvaneFormTest, CloseEndsTheProgram) {
  Form f;
  f.LoadAfterFirstRun();
  f.recording.calls.clear();
  f.Click(cmdClose);
  EXPECT_TRUE(f.view.ended());
  EXPECT_TRUE(f.recording.calls.empty());
}

}  // namespace
}  // namespace quorvane::testing
