// The button page through the main window: a label opens the assignment
// menu, the menu's choice (message 0x501) changes the active profile's
// button, saves "Mouse.ini" and tells the service.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "RecordingServiceLink.h"
#include "KeyTexts.h"
#include "RecordingUi.h"
#include "TestFolder.h"
#include "app/MainWindowModel.h"
#include "config/FunctionCatalogue.h"
#include "skin/MenuChoice.h"
#include "store/MacroFile.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix {
namespace {

using test::RecordingServiceLink;
using test::KeyTexts;
using test::RecordingUi;
using test::TestFolder;
using Posted = RecordingServiceLink::Posted;

class ButtonPageTest : public testing::Test {
 protected:
  ButtonPageTest()
      : paths(DataPathsUnder(folder.Path() + u"data")), session(paths, service), model(session, ui, texts) {
    DefaultFileSystem().MakeDirectories(paths.macroFolder);
    model.LoadCaptions();
    model.InitDialog();
    model.OnCommand(Control::HomeResetAll);  // factory buttons: 1 left click, 2 right click, ...
    model.OnCommand(Control::HomeButtonTab);
    service.posts.clear();
    ui.warnings.clear();
  }

  ButtonAssignment& Button(int index) { return ActiveProfile(session.Live()).ButtonAssigned[index]; }
  std::string SettingsBytes() const { return DefaultFileSystem().ReadAll(paths.settingsFile).bytes; }
  // What "Mouse.ini" holds for a button of a profile, read back by a fresh load.
  ButtonAssignment Saved(int profile, int index) {
    RecordingServiceLink quiet;
    ConfigSession reader(paths, quiet);
    EXPECT_TRUE(reader.LoadConfiguration(-1).ok());
    return reader.Live().Profiles[profile].ButtonAssigned[index];
  }

  // Opens label `label`'s menu and chooses: an entry (`item` 0) or a group's item.
  void Choose(int label, std::uint16_t entry, std::uint16_t item = 0) {
    model.OnCommand(ButtonPage::Label(label));
    ASSERT_TRUE(ui.openMenu) << "the label opened no menu";
    const auto& items = ui.openMenu->items;
    const auto at = std::find_if(items.begin(), items.end(), [entry](const PopupMenuItem& i) { return i.command == entry; });
    ASSERT_NE(at, items.end());
    const int index = static_cast<int>(at - items.begin());
    MenuMessageParams p = EncodeItemChoice(index, entry);
    if (item != 0) {
      const auto sub = std::find_if(at->subItems.begin(), at->subItems.end(),
                                    [item](const BmpSubMenuItem& s) { return s.value == item; });
      ASSERT_NE(sub, at->subItems.end());
      p = EncodeSubItemChoice(EncodeSubItemToMenu(index, static_cast<int>(sub - at->subItems.begin()), item), entry);
    }
    model.OnMenuChoice(p.wParam, p.lParam);
  }

  void SetLibrary(std::initializer_list<std::u16string_view> names) {
    SettingsStore settings(paths.settingsFile);
    int slot = 0;
    for (std::u16string_view name : names) {
      ASSERT_EQ(settings.WriteString(u"MACRO_LIST", DecimalText(slot++), name), FileStatus::Ok);
    }
    model.Macros().LoadMacroLibrary();
  }

  TestFolder folder;
  RecordingServiceLink service;
  RecordingUi ui;
  KeyTexts texts;
  DataPaths paths;
  ConfigSession session;
  MainWindowModel model;
};

TEST_F(ButtonPageTest, TheMenuOpensUnderItsLabelWithTheGroupsAndWithoutTheActiveProfilesShift) {
  model.OnCommand(Control::ButtonProfile2);
  model.OnCommand(Control::ButtonLabel2);
  ASSERT_TRUE(ui.openMenu);
  const PopupMenuRequest& menu = *ui.openMenu;
  EXPECT_EQ(menu.menu, Menu::Assignment);
  EXPECT_EQ(menu.subMenu, Menu::AssignmentGroup);
  const Rect& label = LayoutOf(Control::ButtonLabel2).rect;
  EXPECT_EQ(menu.origin, (Point{label.left + 1, label.bottom}));
  EXPECT_EQ(menu.keepOnScreen, (Size{157, 264}));
  EXPECT_EQ(model.Buttons().EditedButton(), 1);

  std::vector<std::u16string> captions;
  for (const PopupMenuItem& item : menu.items) captions.push_back(item.text);
  EXPECT_EQ(captions, (std::vector<std::u16string>{u"CLICK", u"MENU", u"MIDDLE", u"DBCLICK", u"BUTTON4", u"BUTTON5",
                                                   u"MACROCOMMAND", u"ADVANCEDCOMMAND", u"BASICCOMMAND",
                                                   u"ADDITIONALCOMMAND", u"MEDIACOMMAND", u"SHIFT", u"OFFBUTTON"}));
  EXPECT_EQ(menu.items[7].subItems.size(), 11u);
  EXPECT_EQ(menu.items[7].subItems[9].text, u"ASSIGNKEY");
  EXPECT_TRUE(menu.items[12].subItems.empty());
  std::vector<std::uint32_t> shifts;
  for (const BmpSubMenuItem& item : menu.items[11].subItems) shifts.push_back(item.value);
  EXPECT_EQ(shifts, (std::vector<std::uint32_t>{113, 115, 116, 117}));
  EXPECT_EQ(menu.items[11].subItems[1].text, u"SHIFT3");

  // Clicking elsewhere closes it before anything else happens.
  model.OnCommand(Control::ButtonProfile2);
  EXPECT_FALSE(ui.openMenu);
}

TEST_F(ButtonPageTest, AChoiceIsSavedWholeThenAnnouncedForThatButton) {
  model.OnCommand(Control::ButtonProfile3);
  service.posts.clear();
  Button(1).ButtonNumber = 0xFF;
  Button(1).Param2 = 0x47;
  Choose(1, 7);  // OFFBUTTON
  EXPECT_EQ(Saved(2, 1).FunctionCode, 7);
  // Only the code changes; the other bytes stay as they were.
  EXPECT_EQ(Saved(2, 1).ButtonNumber, 0xFF);
  EXPECT_EQ(Saved(2, 1).Param2, 0x47);
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1299, 2, 1}}));
  EXPECT_EQ(model.View()[Control::ButtonLabel2].caption, u"OFFBUTTON");
  EXPECT_EQ(model.Buttons().EditedButton(), -1);

  service.posts.clear();
  Choose(3, 19, 32);  // MEDIACOMMAND, PLAYPAUSE
  EXPECT_EQ(Saved(2, 3).FunctionCode, 32);
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1299, 2, 3}}));
  const MenuChoice decoded = DecodeMenuChoice(EncodeItemChoice(10, 19).wParam,
                                              EncodeSubItemChoice(EncodeSubItemToMenu(10, 0, 32), 19).lParam);
  EXPECT_EQ((std::uint32_t{decoded.command} << 16) | decoded.value, 0x00130020u);

  // Without the service the change is still saved.
  service.running = false;
  Choose(4, 15, 116);  // SHIFT4
  EXPECT_EQ(Saved(2, 4).FunctionCode, 116);
}

TEST_F(ButtonPageTest, TheLastLeftClickStays) {
  Button(0).FunctionCode = 3;
  Button(2).FunctionCode = 1;  // button 3 holds the only left click
  (void)session.SaveConfiguration();
  const std::string before = SettingsBytes();

  Choose(2, 2);  // MENU
  EXPECT_EQ(ui.warnings, (std::vector<std::u16string>{u"WARN3"}));
  Choose(2, 1);  // CLICK again: no message either
  EXPECT_EQ(ui.warnings.size(), 1u);
  Choose(2, 8, 100);  // a group item is refused the same way
  EXPECT_EQ(ui.warnings.size(), 2u);
  EXPECT_EQ(Button(2).FunctionCode, 1);
  EXPECT_EQ(SettingsBytes(), before);
  EXPECT_TRUE(service.posts.empty());

  // With a second left click either may go.
  Choose(0, 1);
  Choose(2, 2);
  EXPECT_EQ(Saved(0, 2).FunctionCode, 2);
  EXPECT_EQ(ui.warnings.size(), 2u);
}

TEST_F(ButtonPageTest, AProfileWithoutALeftClickCanGetOneBack) {
  Button(0).FunctionCode = 2;
  Choose(4, 3);
  Choose(4, 1);
  EXPECT_TRUE(ui.warnings.empty());
  EXPECT_EQ(Saved(0, 4).FunctionCode, 1);
  EXPECT_EQ(service.posts.size(), 2u);
}

TEST_F(ButtonPageTest, OddChoicesStoreNothingButStillSave) {
  const ButtonAssignment before = Button(3);
  const MenuMessageParams odd[] = {
      EncodeSubItemChoice(EncodeSubItemToMenu(7, 0, 6), 8),       // the macro value inside a group
      EncodeItemChoice(0, 0x60),                                  // 96 is not offered and not kept
      EncodeSubItemChoice(EncodeSubItemToMenu(7, 0, 0x1234), 8),  // no code at all
  };
  for (const MenuMessageParams& p : odd) {
    model.OnCommand(Control::ButtonLabel4);
    model.OnMenuChoice(p.wParam, p.lParam);
  }
  EXPECT_EQ(Button(3).FunctionCode, before.FunctionCode);
  EXPECT_EQ(service.posts.size(), 3u);

  // A choice with no menu open goes nowhere.
  service.posts.clear();
  model.OnMenuChoice(EncodeItemChoice(0, 7).wParam, EncodeItemChoice(0, 7).lParam);
  EXPECT_TRUE(service.posts.empty());
}

TEST_F(ButtonPageTest, DialogsStoreOnOkAndACancelledOneStillSavesAndAnnounces) {
  const ButtonAssignment before = Button(4);
  Choose(4, 8, 15);  // DPISHIFT, cancelled: nothing set up to answer
  EXPECT_EQ(ui.dialogsRun, 1);
  EXPECT_EQ(0, std::memcmp(&Button(4), &before, sizeof before));
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1299, 0, 4}}));

  ui.dpiShiftDialog = [](DpiShiftEditor& dialog) {
    dialog.OnChoice(3);  // "750"
    return true;
  };
  Choose(4, 8, 15);
  EXPECT_EQ(Saved(0, 4).FunctionCode, 15);
  EXPECT_EQ(Saved(0, 4).Param1, 3);
  EXPECT_EQ(Saved(0, 4).Param2, before.Param2);

  // Reopened on a DPI-shift button, it starts at the stored level.
  int opened = 0;
  ui.dpiShiftDialog = [&opened](DpiShiftEditor& dialog) {
    opened = dialog.Level();
    return true;
  };
  Choose(4, 8, 15);
  EXPECT_EQ(opened, 3);
  EXPECT_EQ(Saved(0, 4).Param1, 3);

  ui.keyDialog = [](SingleKeyCapture& capture) {
    capture.OnKeyMessage(KeyMessage::KeyDown, 0x11, 0x1D);  // Ctrl
    capture.OnKeyMessage(KeyMessage::KeyDown, 'A', 0x1E);
    return true;
  };
  Choose(1, 8, 5);
  EXPECT_EQ(Saved(0, 1).FunctionCode, 5);
  EXPECT_EQ(Saved(0, 1).Param2, 1);
  EXPECT_EQ(Saved(0, 1).Data[1], 0x04);
  EXPECT_EQ(model.View()[Control::ButtonLabel2].caption, u"A");

  ui.xShootDialog = [](XShootEditor& dialog) {
    dialog.OnChoice(XShootEditor::Middle);
    dialog.OnFirstText(u"5");
    dialog.OnSecondText(u"20");
    return true;
  };
  Choose(5, 8, 9);
  EXPECT_EQ(Saved(0, 5).FunctionCode, 9);
  EXPECT_EQ(Saved(0, 5).Data[1], 0x84);

  ui.fireKeyDialog = [](FireKeyEditor&) { return true; };
  Choose(3, 8, 101);
  EXPECT_EQ(Saved(0, 3).FunctionCode, 101);
  EXPECT_EQ(Saved(0, 3).Param2, 10);
  EXPECT_EQ(ui.dialogsRun, 6);
}

TEST_F(ButtonPageTest, AProfileSwitchedByTheDeviceDuringADialogDoesNotTakeTheChoice) {
  ui.keyDialog = [this](SingleKeyCapture& capture) {
    model.OnServiceRequest(ServiceRequest::DeviceChanged, 9, 3);  // the device is on profile 4 now
    capture.OnKeyMessage(KeyMessage::KeyDown, 'B', 0x30);
    return true;
  };
  Choose(2, 8, 5);
  EXPECT_EQ(Saved(0, 2).Data[1], 0x05);
  EXPECT_NE(Saved(3, 2).FunctionCode, 5);
  EXPECT_EQ(service.posts.back(), (Posted{1299, 0, 2}));
  EXPECT_EQ(session.Live().Profile, 3);
}

TEST_F(ButtonPageTest, AMacroNeedsALibraryAndStoresItsIndexModeAndLoops) {
  const std::string before = SettingsBytes();
  Choose(2, 6);
  EXPECT_EQ(model.CurrentPage(), PageIdentifier(Page::Macros)) << "an empty library sends the user to the macro page";
  EXPECT_EQ(ui.dialogsRun, 0);
  EXPECT_EQ(SettingsBytes(), before);
  EXPECT_TRUE(service.posts.empty());
  model.OnCommand(Control::MacroBack);
  model.OnCommand(Control::HomeButtonTab);

  SetLibrary({u"Reload", u"Combo", u"Build"});
  ASSERT_EQ(SaveMacroFile(*MacroFilePath(paths.macroFolder, u"Combo"), MacroRecordBuffer{}, 0, 4), FileStatus::Ok);
  struct Case {
    MacroPlayMode mode;
    std::uint8_t param2;
    std::uint8_t buttonNumber;
  };
  for (const Case& c : {Case{MacroPlayMode::Times, 0x41, 3}, Case{MacroPlayMode::WhileHeld, 0x41, 0xFF},
                        Case{MacroPlayMode::Toggle, 0x81, 3}}) {
    ui.macroSelection = [&c](MacroSelection& dialog) {
      dialog.Choose(1);
      dialog.SetPlayMode(c.mode);
      return true;
    };
    Choose(2, 6);
    const ButtonAssignment saved = Saved(0, 2);
    EXPECT_EQ(saved.FunctionCode, 6);
    EXPECT_EQ(saved.Param2, c.param2);
    EXPECT_EQ(saved.Param1, 4) << "the macro file's loop count";
    EXPECT_EQ(saved.ButtonNumber, c.buttonNumber);
    EXPECT_EQ(FixedToString(saved.MacroName), u"Combo");
  }
  EXPECT_EQ(model.View()[Control::ButtonLabel3].caption, u"Combo");

  // A macro without a file plays once; reopening shows the button's macro.
  MacroSelection* seen = nullptr;
  std::u16string opened;
  ui.macroSelection = [&](MacroSelection& dialog) {
    seen = &dialog;
    opened = dialog.ChosenName();
    dialog.Choose(2);
    return true;
  };
  Choose(2, 6);
  ASSERT_TRUE(seen);
  EXPECT_EQ(opened, u"Combo");
  EXPECT_EQ(Saved(0, 2).Param1, 1);
  EXPECT_EQ(Saved(0, 2).Param2, 0x82);

  // Cancelled: saved and announced unchanged.
  service.posts.clear();
  ui.macroSelection = nullptr;
  Choose(2, 6);
  EXPECT_EQ(Saved(0, 2).Param2, 0x82);
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1299, 0, 2}}));
}

}  // namespace
}  // namespace perix
