#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "RecordingServiceLink.h"
#include "RecordingUi.h"
#include "TestFolder.h"
#include "store/MemoryFileSystem.h"
#include "app/MainWindowModel.h"
#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/IniDocument.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix {
namespace {

// The sliders' control identifiers, as they report them.
const int kAccelerationSlider = LayoutOf(Control::AdvancedAccelerationSlider).controlId;
const int kBrightnessSlider = LayoutOf(Control::LightingBrightnessSlider).controlId;
const int kLevelSlider = LayoutOf(Control::AdvancedLevelSlider).controlId;

using test::RecordingServiceLink;
using test::RecordingUi;
using test::TestFolder;
using Posted = RecordingServiceLink::Posted;

class FakeTexts final : public TextSource {
 public:
  std::map<std::u16string, std::u16string> strings{
      {u"DPISTAGE", u"Stage"}, {u"WARN1", u"Reset all five profiles?"}, {u"LEDMODE3", u"Breathing"},
      {u"LEDMODE2", u"Wave"},  {u"LEDMODEDIR2", u"Right"},
      {u"CLICK", u"Left click"}, {u"OFFBUTTON", u"Disabled"}, {u"MACROCOMMAND", u"Macro"}};
  std::u16string Text(std::u16string_view section, std::u16string_view key) override {
    if (section != u"BUTTONPAGE") return {};
    const auto found = strings.find(std::u16string(key));
    return found == strings.end() ? std::u16string() : found->second;
  }
  std::u16string SkinString(std::u16string_view file, std::u16string_view, std::u16string_view key) override {
    return std::u16string(file) + u"#" + std::u16string(key);
  }
};

class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest()
      : paths(DataPathsUnder(folder.Path() + u"data")), session(paths, service), model(session, ui, texts) {
    DefaultFileSystem().MakeDirectories(paths.macroFolder);
  }

  void Start() {
    model.LoadCaptions();
    model.InitDialog();
    service.posts.clear();
  }
  std::string SettingsBytes() const { return DefaultFileSystem().ReadAll(paths.settingsFile).bytes; }
  IniDocument Settings() const { return IniDocument::Parse(SettingsBytes()); }
  const ControlView& View(Control control) const { return model.View()[control]; }

  TestFolder folder;
  RecordingServiceLink service;
  RecordingUi ui;
  FakeTexts texts;
  DataPaths paths;
  ConfigSession session;
  MainWindowModel model;
};

TEST_F(MainWindowTest, FirstStartShowsTheHomePageFromAFreshFile) {
  Start();
  EXPECT_EQ(model.CurrentPage(), PageIdentifier(Page::Home));
  EXPECT_TRUE(View(Control::HomeButtonTab).shown);
  EXPECT_FALSE(View(Control::ButtonLabel1).shown);
  EXPECT_TRUE(View(Control::HomeClose).shown);
  EXPECT_EQ(View(Control::HomeImport).caption, u"skin_main.ini#72");
  EXPECT_EQ(View(Control::HomeWeb).caption, kWebAddress);
  EXPECT_EQ(View(Control::AdvancedScale2500).caption, u"2500");
  EXPECT_EQ(Settings().Value(u"Setting", u"DPI"), u"-1");
  // No stage is current while the file holds none; the captions still show.
  for (Control stage : {Control::AdvancedStage1, Control::AdvancedStage4}) EXPECT_FALSE(View(stage).checked);
  EXPECT_EQ(View(Control::AdvancedStage1).caption, u"Stage 1\r\n0\r\n0");
  EXPECT_TRUE(View(Control::ButtonProfile1).checked);
  EXPECT_TRUE(service.posts.empty());
}

TEST_F(MainWindowTest, PagesShowTheirControlsAndTabsOpenOnlyOnce) {
  Start();
  model.OnCommand(Control::HomeAdvancedTab);
  EXPECT_EQ(model.CurrentPage(), PageIdentifier(Page::Advanced));
  EXPECT_TRUE(View(Control::AdvancedStage1).shown);
  EXPECT_TRUE(View(Control::AdvancedLevelSlider).shown);
  EXPECT_FALSE(View(Control::AdvancedLevelXSlider).shown);
  EXPECT_FALSE(View(Control::HomeButtonTab).shown);
  EXPECT_TRUE(View(Control::HomeResetAll).shown) << "the profile-file buttons belong to every page";

  model.OnCommand(Control::AdvancedBack);
  model.OnCommand(Control::HomeMacroTab);
  EXPECT_EQ(model.CurrentPage(), PageIdentifier(Page::Macros));
  EXPECT_FALSE(View(Control::HomeImport).enabled);
  EXPECT_FALSE(View(Control::AdvancedLevelSlider).shown);
  model.OnCommand(Control::MacroBack);
  EXPECT_TRUE(View(Control::HomeImport).enabled);

  model.OnServiceRequest(ServiceRequest::HidePages, 0, 0);
  EXPECT_EQ(model.CurrentPage(), kBlankPageIdentifier);
  int shownPageControls = 0;
  for (const ControlLayout& layout : MainControls()) {
    if (model.View().controls[layout.index].shown && !layout.Has(ControlFlag::EveryPage)) ++shownPageControls;
  }
  EXPECT_EQ(shownPageControls, 1);
  EXPECT_TRUE(View(Control::ButtonBack).shown);
  model.OnCommand(Control::ButtonBack);
  EXPECT_EQ(model.CurrentPage(), PageIdentifier(Page::Home));
}

TEST_F(MainWindowTest, SelectingAProfileSavesAndAnnouncesOnlyAChange) {
  Start();
  const std::string before = SettingsBytes();
  model.OnCommand(Control::ButtonProfile1);
  EXPECT_EQ(SettingsBytes(), before);
  EXPECT_TRUE(service.posts.empty());

  model.OnCommand(Control::ButtonProfile3);
  EXPECT_EQ(Settings().Value(u"Setting", u"Profile"), u"2");
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1298, 0, 0}}));
  EXPECT_TRUE(View(Control::ButtonProfile3).checked);
  EXPECT_FALSE(View(Control::ButtonProfile1).checked);
}

TEST_F(MainWindowTest, ResetAllAsksFirst) {
  Start();
  model.OnCommand(Control::ButtonProfile2);
  service.posts.clear();
  const std::string before = SettingsBytes();

  ui.answerOk = false;
  model.OnCommand(Control::HomeResetAll);
  EXPECT_EQ(ui.warnings, std::vector<std::u16string>{u"Reset all five profiles?"});
  EXPECT_EQ(SettingsBytes(), before);
  EXPECT_TRUE(service.posts.empty());

  ui.answerOk = true;
  model.OnCommand(Control::HomeResetAll);
  EXPECT_EQ(session.Live().Profile, 0);
  EXPECT_EQ(Settings().Value(u"Setting", u"PollingRate"), u"2");
  EXPECT_EQ(Settings().Value(u"GROUP4", u"DPI"), u"1");
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1279, 0, 0}}));
  EXPECT_TRUE(View(Control::AdvancedStage2).checked);
  EXPECT_EQ(View(Control::AdvancedStage2).caption, u"Stage 2\r\n1250\r\n1250");
}

TEST_F(MainWindowTest, DeviceRequestsReloadFirstAndIgnoreImpossibleValues) {
  Start();
  model.OnCommand(Control::HomeResetAll);
  service.posts.clear();
  // Something the service wrote while the window had unsaved changes.
  session.Live().LedColor = 0x00FF00;
  ASSERT_EQ(SettingsStore(paths.settingsFile).WriteInt(u"Setting", u"LedStateOn", 0), FileStatus::Ok);

  EXPECT_EQ(model.OnServiceRequest(ServiceRequest::DeviceChanged, DeviceChange::Profile, 3), 0);
  EXPECT_EQ(session.Live().Profile, 3);
  EXPECT_EQ(session.Live().LedStateOn, 0);
  EXPECT_EQ(session.Live().LedColor, 0xFFu) << "unsaved changes give way to the file";
  EXPECT_EQ(Settings().Value(u"Setting", u"Profile"), u"3");
  EXPECT_TRUE(View(Control::ButtonProfile4).checked);
  EXPECT_TRUE(View(Control::LightingOff).checked);

  model.OnServiceRequest(ServiceRequest::DeviceChanged, DeviceChange::Profile, 7);
  EXPECT_EQ(session.Live().Profile, 3);
  model.OnServiceRequest(ServiceRequest::DeviceChanged, DeviceChange::Stage, -1);
  EXPECT_EQ(session.Live().DPI, 1);
  model.OnServiceRequest(ServiceRequest::DeviceChanged, DeviceChange::Stage, 2);
  EXPECT_EQ(session.Live().DPI, 2);
  EXPECT_EQ(session.Live().Profiles[3].DPI, 2);
  EXPECT_TRUE(View(Control::AdvancedStage3).checked);
  model.OnServiceRequest(ServiceRequest::DeviceChanged, DeviceChange::LedMode, 16);
  EXPECT_EQ(session.Live().LedMode, 6);
  model.OnServiceRequest(ServiceRequest::DeviceChanged, DeviceChange::LedMode, 8);
  EXPECT_EQ(session.Live().LedMode, 1);
  EXPECT_TRUE(service.posts.empty()) << "what the device did is not announced back";

  EXPECT_EQ(model.OnServiceRequest(ServiceRequest::Request, 0, 99), -1);
  EXPECT_EQ(model.OnServiceRequest(ServiceRequest::Request, 0, RequestKind::Ignored18), 0);
  model.OnServiceRequest(ServiceRequest::DeviceReset, 0, 0);
  EXPECT_EQ(ui.traces, std::vector<std::u16string>{u"OnMouseUnplug"});
}

TEST_F(MainWindowTest, PollingRateIsWrittenAloneAndItsResetReportAbsorbed) {
  Start();
  model.OnCommand(Control::HomeResetAll);
  session.Live().WheelScrollLines = 9;  // an unsaved change that the rate must not carry along
  service.posts.clear();
  model.OnCommand(Control::AdvancedRate1000);
  EXPECT_EQ(Settings().Value(u"Setting", u"PollingRate"), u"1");
  EXPECT_EQ(Settings().Value(u"Setting", u"WheelScrollLines"), u"1");
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1277, 0, 3}}));
  EXPECT_TRUE(View(Control::AdvancedRate1000).checked);
  EXPECT_FALSE(View(Control::AdvancedRate500).checked);
  EXPECT_TRUE(View(Control::AdvancedStage2).checked) << "stage checks are not the rate's business";
  EXPECT_TRUE(model.ResetPending());
  model.OnServiceRequest(ServiceRequest::DeviceReset, 0, 0);
  EXPECT_FALSE(model.ResetPending());
  EXPECT_TRUE(ui.traces.empty());

  service.running = false;
  model.OnCommand(Control::AdvancedRate125);
  EXPECT_FALSE(model.ResetPending()) << "nothing was announced, so no reset is expected";
}

TEST_F(MainWindowTest, SliderReportsAreDeduplicatedAcrossSlidersAndClamped) {
  Start();
  model.OnCommand(Control::HomeResetAll);
  service.posts.clear();
  model.OnSliderPosition(9, kLevelSlider);
  model.OnSliderPosition(9, kLevelSlider);
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1302, 1, 0}}));
  EXPECT_EQ(session.Live().DpiStages[1].Level, 9);
  EXPECT_EQ(View(Control::AdvancedStage2).caption, u"Stage 2\r\n2500\r\n2500");

  model.OnSliderPosition(9, kAccelerationSlider);  // same position, another slider
  EXPECT_EQ(session.Live().Acceleration, 9);
  model.OnSliderPosition(13, kLevelSlider);
  EXPECT_EQ(session.Live().DpiStages[1].Level, 12);
  model.OnSliderPosition(0, kLevelSlider);
  EXPECT_EQ(session.Live().DpiStages[1].Level, 1);
  model.OnSliderPosition(99, kBrightnessSlider);
  EXPECT_EQ(session.Live().LedModeSettings[0].Value2, 6);
  EXPECT_EQ(View(Control::LightingBrightnessPercent).caption, u"100");
  EXPECT_EQ(IniDocument::Parse(SettingsBytes()).ReadInt(u"Setting", u"Acceleration", 0), 9);
}

TEST_F(MainWindowTest, PointerStepsComeIntoRangeFromAnyStoredValue) {
  Start();  // a fresh file: both settings are -1
  model.OnCommand(Control::AdvancedDoubleClickDown);
  EXPECT_EQ(session.Live().DoubleClickSpeed, 4);
  session.Live().WheelScrollLines = 40;
  model.OnCommand(Control::AdvancedScrollLinesDown);
  EXPECT_EQ(session.Live().WheelScrollLines, 10);
  model.OnCommand(Control::AdvancedScrollLinesUp);
  EXPECT_EQ(session.Live().WheelScrollLines, 10);
  EXPECT_EQ(View(Control::AdvancedScrollLinesValue).caption, u"10");
  EXPECT_EQ(service.posts.back(), (Posted{1295, 0, 0}));
}

TEST_F(MainWindowTest, LightingChangesAnnounceOneMessage) {
  Start();
  model.OnCommand(Control::HomeResetAll);
  service.posts.clear();
  session.Live().LedModeSettings[0].Value1 = 2;
  model.Lighting().OnMenuCommand(40006);  // mode 2 has directions
  EXPECT_TRUE(View(Control::LightingDirection).enabled);
  EXPECT_EQ(View(Control::LightingMode).caption, u"Wave");
  EXPECT_EQ(View(Control::LightingDirection).caption, u"Right");
  model.Lighting().OnMenuCommand(40007);
  EXPECT_FALSE(View(Control::LightingDirection).enabled);
  EXPECT_EQ(session.Live().LedModeSettings[0].Value1, 2);

  model.OnCommand(Control::LightingSpeedToggle);  // factory speed 12 is on: turn it off
  EXPECT_EQ(session.Live().LedModeSettings[0].Value3, 0);
  EXPECT_FALSE(View(Control::LightingSpeedSlider).enabled);
  model.OnCommand(Control::LightingSpeedToggle);
  EXPECT_EQ(session.Live().LedModeSettings[0].Value3, 3);
  EXPECT_TRUE(View(Control::LightingSpeedSlider).enabled);

  model.OnServiceRequest(WindowMessage::ColourChosen, 0xAB00FF00u, 0);
  EXPECT_EQ(session.Live().LedColor, 0x00FF00u);
  EXPECT_EQ(service.posts.size(), 5u);
  for (const Posted& post : service.posts) EXPECT_EQ(post, (Posted{1227, 0, 0}));
}

TEST_F(MainWindowTest, ImportingSomethingElseWarnsAndChangesNothing) {
  Start();
  const std::string before = SettingsBytes();
  folder.Write("photo.prof", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10));
  ui.chosenFile = folder.File("photo.prof");
  model.OnCommand(Control::HomeImport);
  ASSERT_EQ(ui.warnings.size(), 1u);
  EXPECT_NE(ui.warnings[0].find(u"photo"), std::u16string::npos);
  EXPECT_EQ(SettingsBytes(), before);
  EXPECT_TRUE(service.posts.empty());

  ui.chosenFile.reset();  // cancelled dialogs do nothing
  model.OnCommand(Control::HomeImport);
  model.OnCommand(Control::HomeExport);
  EXPECT_EQ(ui.warnings.size(), 1u);
}

TEST_F(MainWindowTest, ButtonLabelsNameKeysMacrosAndDisableLostMacros) {
  Start();
  model.OnCommand(Control::HomeResetAll);
  ProfileConfig& profile = ActiveProfile(session.Live());
  profile.ButtonAssigned[1].FunctionCode = 5;
  profile.ButtonAssigned[1].Data[1] = 0x04;
  profile.ButtonAssigned[2].FunctionCode = 5;
  profile.ButtonAssigned[2].Data[1] = 0x58;
  profile.ButtonAssigned[3].FunctionCode = 5;
  profile.ButtonAssigned[3].Data[1] = 0x32;  // a usage without a virtual key
  profile.ButtonAssigned[4] = {0xFF, 6, 1, 0x45, {}, u"Old name"};
  profile.ButtonAssigned[5].FunctionCode = 25;
  profile.ButtonAssigned[6] = {7, 6, 1, 0x47, {}, u"Never shown"};

  model.RefreshPages();
  EXPECT_EQ(View(Control::ButtonLabel1).caption, u"Left click");
  EXPECT_EQ(View(Control::ButtonLabel2).caption, u"A");
  EXPECT_EQ(View(Control::ButtonLabel3).caption, u"Enter");
  EXPECT_EQ(View(Control::ButtonLabel4).caption, u"key");
  EXPECT_EQ(View(Control::ButtonLabel5).caption, u"Macro") << "an empty library names no macro";
  EXPECT_EQ(View(Control::ButtonLabel6).caption, u"");

  SettingsStore settings(paths.settingsFile);
  for (int slot = 0; slot < 7; ++slot) {
    ASSERT_EQ(settings.WriteString(u"MACRO_LIST", DecimalText(slot), slot == 2 ? u"" : u"M" + DecimalText(slot)), FileStatus::Ok);
  }
  model.Macros().LoadMacroLibrary();  // M0 M1 M3 M4 M5 M6: index 5 is M6
  model.RefreshPages();
  EXPECT_EQ(View(Control::ButtonLabel5).caption, u"M6");
  EXPECT_EQ(FixedToString(profile.ButtonAssigned[4].MacroName), u"M6");
  EXPECT_EQ(model.Buttons().AssignedMacroNames(), std::vector<std::u16string>{u"Old name"});

  ASSERT_EQ(settings.WriteString(u"MACRO_LIST", u"6", u""), FileStatus::Ok);
  model.Macros().LoadMacroLibrary();
  model.RefreshPages();
  EXPECT_EQ(profile.ButtonAssigned[4].FunctionCode, 7);
  EXPECT_EQ(View(Control::ButtonLabel5).caption, u"Disabled");
  EXPECT_EQ(profile.ButtonAssigned[6].FunctionCode, 6) << "buttons 7 and 8 have no label and are left alone";
}

TEST_F(MainWindowTest, AMenuChoiceClosesTheMenuAndGoesToTheCurrentPageOnly) {
  Start();
  model.OnCommand(Control::HomeLightingTab);
  ui.openMenu = PopupMenuRequest{};
  model.OnMenuChoice(0, std::uint64_t{40007} << 16);
  EXPECT_FALSE(ui.openMenu);
  EXPECT_EQ(session.Live().LedMode, 3);
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1227, 0, 0}}));

  // The same choice reaching the home page is dropped.
  model.OnCommand(Control::LightingBack);
  service.posts.clear();
  const std::string before = SettingsBytes();
  model.OnMenuChoice(0, std::uint64_t{40006} << 16);
  EXPECT_EQ(session.Live().LedMode, 3);
  EXPECT_EQ(SettingsBytes(), before);
  EXPECT_TRUE(service.posts.empty());

  // A click anywhere, or a press on the background, closes an open menu first.
  ui.openMenu = PopupMenuRequest{};
  model.OnCommand(Control::HomeSpare);
  EXPECT_FALSE(ui.openMenu);
  ui.openMenu = PopupMenuRequest{};
  model.Buttons().SetEditedButton(3);
  model.OnBackgroundPress();
  EXPECT_FALSE(ui.openMenu);
  EXPECT_EQ(model.Buttons().EditedButton(), -1);
}

TEST(PopupMenu, AMenuThatWouldPassTheScreensEdgeMovesBackByItsBox) {
  const Size screen{1280, 1000};
  EXPECT_EQ(KeepMenuOnScreen({1123, 736}, Size{157, 264}, screen), (Point{1123, 736}));
  EXPECT_EQ(KeepMenuOnScreen({1124, 737}, Size{157, 264}, screen), (Point{967, 473}));
  EXPECT_EQ(KeepMenuOnScreen({1270, 990}, std::nullopt, screen), (Point{1270, 990}));
}

// A settings file that cannot be written: the user hears it once per streak
// of failures, nothing is announced for a change the file does not hold, and
// the first save that works writes everything and catches the service up.
TEST(MainWindowSaveFailure, IsReportedOnceAndCaughtUpByTheNextSave) {
  test::MemoryFileSystem files;
  RecordingServiceLink service;
  RecordingUi ui;
  FakeTexts texts;
  const DataPaths paths = DataPathsUnder(u"C:\\Users\\u\\data");
  ConfigSession session(paths, service, files);
  MainWindowModel model(session, ui, texts);
  model.LoadCaptions();
  model.InitDialog();
  model.OnCommand(Control::HomeLightingTab);
  service.posts.clear();

  files.writeFailure = FileStatus::ReadOnly;
  model.OnSliderPosition(2, kBrightnessSlider);
  model.OnSliderPosition(3, kBrightnessSlider);
  model.OnCommand(Control::LightingOff);
  ASSERT_EQ(ui.warnings.size(), 1u);
  EXPECT_NE(ui.warnings[0].find(u"read-only"), std::u16string::npos) << Utf16ToUtf8(ui.warnings[0]);
  EXPECT_NE(ui.warnings[0].find(paths.settingsFile), std::u16string::npos);
  EXPECT_TRUE(service.posts.empty());
  EXPECT_EQ(session.Live().LedModeSettings[0].Value2, 3) << "the user's change stays in the program";
  EXPECT_EQ(session.Live().LedStateOn, 0);

  files.writeFailure = FileStatus::Ok;
  model.OnSliderPosition(4, kBrightnessSlider);
  const IniDocument saved = IniDocument::Parse(files.files[paths.settingsFile]);
  EXPECT_EQ(saved.Value(u"Setting", u"LedStateOn"), u"0");
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1227, 0, 0}, {1279, 0, 0}}));
  EXPECT_EQ(ui.warnings.size(), 1u);

  // A new streak is heard again.
  files.writeFailure = FileStatus::DiskFull;
  model.OnSliderPosition(5, kBrightnessSlider);
  ASSERT_EQ(ui.warnings.size(), 2u);
  EXPECT_NE(ui.warnings[1].find(u"disk is full"), std::u16string::npos);
}

}  // namespace
}  // namespace perix
