// The lighting and advanced pages as the user reaches them through the main
// window: menus, toggles, steps and sliders, what each stores and announces,
// and what the pages show after a load.

#include <gtest/gtest.h>

#include "RecordingServiceLink.h"
#include "KeyTexts.h"
#include "RecordingUi.h"
#include "app/MainWindowModel.h"
#include "config/Defaults.h"
#include "store/IniDocument.h"
#include "store/MemoryFileSystem.h"

namespace perix {
namespace {

// The sliders' control identifiers, as they report them.
const int kBrightnessSlider = LayoutOf(Control::LightingBrightnessSlider).controlId;
const int kLevelSlider = LayoutOf(Control::AdvancedLevelSlider).controlId;
const int kSpeedSlider = LayoutOf(Control::LightingSpeedSlider).controlId;

using test::RecordingServiceLink;
using test::KeyTexts;
using test::RecordingUi;
using Posted = RecordingServiceLink::Posted;

class SettingsPagesTest : public testing::Test {
 protected:
  SettingsPagesTest() : session(paths, service, files), model(session, ui, texts) {}

  // A first start, then every profile at its factory values, as the device
  // service leaves a new file.
  void StartWithFactoryValues() {
    model.LoadCaptions();
    model.InitDialog();
    DeviceConfig& config = session.Live();
    for (int profile = kProfileCount - 1; profile >= 0; --profile) ResetProfileToDefaults(config, profile);
    config.LedMode = 3;
    config.PollingRate = 2;
    (void)session.SaveConfiguration();
    model.RefreshPages();
    service.posts.clear();
  }
  void Show(Page page) { model.ShowPage(PageIdentifier(page)); }
  // A choice made in the open menu, as the menu reports it.
  void Choose(std::uint32_t command) { model.OnMenuChoice(0, std::uint64_t{command} << 16); }
  IniDocument Saved() { return IniDocument::Parse(files.files[paths.settingsFile]); }
  std::u16string Saved(std::u16string_view key) { return Saved().Value(u"Setting", key).value_or(u"missing"); }
  const ControlView& View(Control control) const { return model.View()[control]; }

  test::MemoryFileSystem files;
  RecordingServiceLink service;
  RecordingUi ui;
  KeyTexts texts;
  DataPaths paths = DataPathsUnder(u"C:\\Users\\u\\data");
  ConfigSession session;
  MainWindowModel model;
};

TEST_F(SettingsPagesTest, TheModeMenuOffersFiveModesBelowItsButtonAndStoresTheChoice) {
  StartWithFactoryValues();
  Show(Page::Lighting);
  model.OnCommand(Control::LightingMode);
  ASSERT_TRUE(ui.openMenu);
  EXPECT_EQ(ui.openMenu->menu, Menu::LedMode);
  const Rect& button = LayoutOf(Control::LightingMode).rect;
  EXPECT_EQ(ui.openMenu->origin, (Point{button.left - 1, button.bottom}));
  std::vector<std::u16string> names;
  std::vector<std::uint32_t> commands;
  for (const PopupMenuItem& item : ui.openMenu->items) {
    names.push_back(item.text);
    commands.push_back(item.command);
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"LEDMODE1", u"LEDMODE2", u"LEDMODE3", u"LEDMODE4", u"LEDMODE6"}));
  EXPECT_EQ(commands, (std::vector<std::uint32_t>{40005, 40006, 40007, 40008, 40010}));

  Choose(40010);
  EXPECT_FALSE(ui.openMenu);
  EXPECT_EQ(Saved(u"LedMode"), u"6");
  EXPECT_EQ(View(Control::LightingMode).caption, u"LEDMODE6");
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1227, 0, 0}}));

  // Mode 5 has no item, but its command still selects it and its directions.
  Choose(40009);
  EXPECT_EQ(session.Live().LedMode, 5);
  EXPECT_TRUE(View(Control::LightingDirection).enabled);
}

TEST_F(SettingsPagesTest, TheDirectionMenuFollowsTheModeAndAModeChangeKeepsTheDirection) {
  StartWithFactoryValues();
  Show(Page::Lighting);
  EXPECT_FALSE(View(Control::LightingDirection).enabled) << "factory mode 3 takes no direction";
  model.OnCommand(Control::LightingDirection);
  EXPECT_FALSE(ui.openMenu) << "no menu without directions to offer";

  Choose(40006);  // mode 2
  model.OnCommand(Control::LightingDirection);
  ASSERT_TRUE(ui.openMenu);
  EXPECT_EQ(ui.openMenu->menu, Menu::LedDirection);
  ASSERT_EQ(ui.openMenu->items.size(), 2u);
  EXPECT_EQ(ui.openMenu->items[0].text, u"LEDMODEDIR1");
  EXPECT_EQ(ui.openMenu->items[1].command, 40012u);
  Choose(40012);
  EXPECT_EQ(Saved(u"LED_MODE_INFO1").substr(0, 8), u"02000000");
  EXPECT_EQ(View(Control::LightingDirection).caption, u"LEDMODEDIR2");

  Choose(40007);  // mode 3: the direction stays stored, the button rests
  EXPECT_EQ(session.Live().LedModeSettings[0].Value1, 2);
  EXPECT_FALSE(View(Control::LightingDirection).enabled);

  Choose(40009);  // mode 5 offers its own pair
  model.OnCommand(Control::LightingDirection);
  ASSERT_TRUE(ui.openMenu);
  EXPECT_EQ(ui.openMenu->items[0].text, u"LEDMODEDIR3");
  EXPECT_EQ(ui.openMenu->items[1].text, u"LEDMODEDIR4");
  EXPECT_EQ(service.posts.size(), 4u);
  for (const Posted& post : service.posts) EXPECT_EQ(post, (Posted{1227, 0, 0}));
}

TEST_F(SettingsPagesTest, LoadedLightingShowsOneStoryOfSpeedBrightnessAndDirection) {
  StartWithFactoryValues();
  LedModeSetting& setting = session.Live().LedModeSettings[0];
  setting = {2, 1, 0};
  session.Live().LedMode = 2;
  model.RefreshPages();
  EXPECT_FALSE(View(Control::LightingSpeedToggle).checked);
  EXPECT_FALSE(View(Control::LightingSpeedSlider).enabled) << "speed off: the slider rests";
  EXPECT_EQ(View(Control::LightingBrightnessPercent).caption, u"0");
  EXPECT_EQ(View(Control::LightingDirection).caption, u"LEDMODEDIR2") << "shown from the load, not only a choice";

  // A report from the resting slider cannot turn the speed on.
  model.OnSliderPosition(5, kSpeedSlider);
  EXPECT_EQ(setting.Value3, 0);
  EXPECT_TRUE(service.posts.empty());

  model.OnCommand(Control::LightingSpeedToggle);
  EXPECT_EQ(setting.Value3, 3);
  EXPECT_TRUE(View(Control::LightingSpeedSlider).enabled);
  EXPECT_TRUE(View(Control::LightingSpeedToggle).checked);
  EXPECT_EQ(View(Control::LightingSpeedSlider).position, 3);
  model.OnSliderPosition(8, kSpeedSlider);
  EXPECT_EQ(Saved(u"LED_MODE_INFO1").substr(16, 8), u"08000000");

  model.OnSliderPosition(6, kBrightnessSlider);
  EXPECT_EQ(View(Control::LightingBrightnessPercent).caption, u"100");
  setting.Value3 = 0;
  model.RefreshPages();
  EXPECT_FALSE(View(Control::LightingSpeedSlider).enabled);
  EXPECT_EQ(View(Control::LightingSpeedSlider).position, 1);
}

TEST_F(SettingsPagesTest, PointerStepsStopAtTheirLimitsAndAnnounceEachClick) {
  StartWithFactoryValues();
  Show(Page::Advanced);
  session.Live().DoubleClickSpeed = 20;
  model.OnCommand(Control::AdvancedDoubleClickUp);
  EXPECT_EQ(Saved(u"DoubleClickSpeed"), u"20");
  session.Live().DoubleClickSpeed = 4;
  model.OnCommand(Control::AdvancedDoubleClickDown);
  EXPECT_EQ(session.Live().DoubleClickSpeed, 4);
  model.OnCommand(Control::AdvancedDoubleClickUp);
  EXPECT_EQ(View(Control::AdvancedDoubleClickValue).caption, u"5");

  model.OnCommand(Control::AdvancedScrollLinesDown);  // factory 1
  EXPECT_EQ(session.Live().WheelScrollLines, 1);
  session.Live().WheelScrollLines = 10;
  model.OnCommand(Control::AdvancedScrollLinesUp);
  EXPECT_EQ(Saved(u"WheelScrollLines"), u"10");
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1296, 0, 0}, {1296, 0, 0}, {1296, 0, 0}, {1295, 0, 0},
                                                {1295, 0, 0}}));
}

TEST_F(SettingsPagesTest, TheAccelerationToggleShowsTheStoredSwitchOnEveryRefresh) {
  StartWithFactoryValues();
  Show(Page::Advanced);
  EXPECT_FALSE(View(Control::AdvancedAccelerationToggle).checked);
  model.OnCommand(Control::AdvancedAccelerationToggle);
  EXPECT_EQ(Saved(u"AccelerationEnabled"), u"1");
  EXPECT_TRUE(View(Control::AdvancedAccelerationToggle).checked);
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1297, 255, 255}}));

  // Switched off elsewhere (the service wrote the file): the reload shows it.
  session.Live().AccelerationEnabled = 0;
  (void)session.SaveConfiguration();
  model.OnServiceRequest(ServiceRequest::DeviceChanged, DeviceChange::Stage, 1);
  EXPECT_FALSE(View(Control::AdvancedAccelerationToggle).checked);

  // Unset (-1) shows off, so the first click turns it on.
  session.Live().AccelerationEnabled = -1;
  model.RefreshPages();
  EXPECT_FALSE(View(Control::AdvancedAccelerationToggle).checked);
  model.OnCommand(Control::AdvancedAccelerationToggle);
  EXPECT_EQ(session.Live().AccelerationEnabled, 1);
}

TEST_F(SettingsPagesTest, TheLevelSliderEditsTheCheckedStageAfterAProfileSwitch) {
  StartWithFactoryValues();
  session.Live().Profiles[2].DPI = 3;  // profile 3 uses stage 4; the global stage is 2
  model.OnCommand(Control::ButtonProfile3);
  EXPECT_EQ(session.Live().DPI, 3) << "the global stage follows the profile";
  EXPECT_EQ(Saved(u"DPI"), u"3");
  Show(Page::Advanced);
  EXPECT_TRUE(View(Control::AdvancedStage4).checked);
  EXPECT_EQ(View(Control::AdvancedDpiDialValue).caption, u"2000");
  service.posts.clear();
  session.Live().DPI = 1;  // a file can hold the two apart; the checked stage wins

  model.OnSliderPosition(10, kLevelSlider);
  EXPECT_EQ(session.Live().DpiStages[3].Level, 10);
  EXPECT_EQ(session.Live().DpiStages[1].Level, 5) << "the stage nobody sees is untouched";
  EXPECT_EQ(View(Control::AdvancedStage4).caption, u"DPISTAGE 4\r\n3000\r\n3000");
  EXPECT_EQ(View(Control::AdvancedDpiDialValue).caption, u"3000");
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1302, 3, 0}}));
  EXPECT_EQ(session.Live().DPI, 3) << "the global stage is the edited one again";

  // The device switching the profile brings the global stage along too.
  session.Live().Profiles[0].DPI = 0;
  (void)session.SaveConfiguration();
  model.OnServiceRequest(ServiceRequest::DeviceChanged, DeviceChange::Profile, 0);
  EXPECT_EQ(session.Live().DPI, 0);
  EXPECT_EQ(Saved(u"DPI"), u"0");
  EXPECT_EQ(View(Control::AdvancedDpiDialValue).caption, u"750");
  EXPECT_EQ(service.posts.size(), 1u) << "what the device did is not announced back";
}

// A rate that cannot be written is not announced: the service would read the
// old one and the device would reset for nothing.
TEST_F(SettingsPagesTest, AFailedPollingRateWriteIsHeardOnceAndNotAnnounced) {
  StartWithFactoryValues();
  Show(Page::Advanced);
  files.writeFailure = FileStatus::Locked;
  model.OnCommand(Control::AdvancedRate1000);
  model.OnCommand(Control::AdvancedRate250);
  ASSERT_EQ(ui.warnings.size(), 1u);
  EXPECT_NE(ui.warnings[0].find(paths.settingsFile), std::u16string::npos);
  EXPECT_TRUE(service.posts.empty());
  EXPECT_FALSE(model.ResetPending());
  EXPECT_TRUE(View(Control::AdvancedRate250).checked) << "the choice stays in the program";
  EXPECT_EQ(Saved(u"PollingRate"), u"2");

  // A wheel step made meanwhile is not lost: the next rate writes everything
  // and the service hears of both.
  model.OnCommand(Control::AdvancedScrollLinesUp);
  files.writeFailure = FileStatus::Ok;
  model.OnCommand(Control::AdvancedRate1000);
  EXPECT_EQ(Saved(u"PollingRate"), u"1");
  EXPECT_EQ(Saved(u"WheelScrollLines"), u"2");
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1277, 0, 3}, {1279, 0, 0}}));
  EXPECT_TRUE(model.ResetPending());
  EXPECT_EQ(ui.warnings.size(), 1u);
}

}  // namespace
}  // namespace perix
