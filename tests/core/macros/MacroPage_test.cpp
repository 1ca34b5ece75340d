// The macro page through the main window's logic: the library, the editor's
// commands and menus, recording, files in memory, and what the device
// service is told.

#include <gtest/gtest.h>

#include <map>

#include "RecordingServiceLink.h"
#include "RecordingUi.h"
#include "app/MainWindowModel.h"
#include "config/Defaults.h"
#include "config/FunctionCatalogue.h"
#include "store/ConfigLayout.h"
#include "store/IniDocument.h"
#include "store/MemoryFileSystem.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix {
namespace {

using test::MemoryFileSystem;
using test::RecordingServiceLink;
using test::RecordingUi;
using Posted = RecordingServiceLink::Posted;

class PageTexts final : public TextSource {
 public:
  std::map<std::u16string, std::u16string> strings{
      {u"NEWMACRO", u"Macro "}, {u"WARN2", u"Delete this macro?"}, {u"MACROFILENAME", u"Macro files "},
      {u"MACRO", u"Macro"},     {u"INSERTNEWACT", u"Record here"}, {u"PASTEACT", u"Paste"}};
  std::u16string Text(std::u16string_view section, std::u16string_view key) override {
    const auto found = strings.find(std::u16string(key));
    return section != u"BUTTONPAGE" || found == strings.end() ? std::u16string() : found->second;
  }
  std::u16string SkinString(std::u16string_view, std::u16string_view, std::u16string_view) override { return {}; }
};

class FakeClock final : public MacroClock {
 public:
  std::uint32_t now = 1000;
  std::uint32_t Milliseconds() override { return now; }
};

constexpr char16_t kBase[] = u"C:\\Users\\u\\AppData\\Roaming";

class MacroPageTest : public testing::Test {
 protected:
  MacroPageTest()
      : paths(DataPathsUnder(kBase)), session(paths, service, files), model(session, ui, texts, clock) {}

  // Starts the window with these macros in the library, each file holding
  // one key press, and shows the macro page.
  void Start(std::initializer_list<const char16_t*> names) {
    int slot = 0;
    for (const char16_t* name : names) {
      SetSlot(slot++, name);
      MacroRecordBuffer buffer{};
      buffer.Records[0] = KeyRecord(0x04, true);
      (void)SaveMacroFile(File(name), buffer, 1, 0, files);
    }
    model.LoadCaptions();
    model.InitDialog();
    model.OnCommand(Control::HomeMacroTab);
    service.posts.clear();
  }
  void SetSlot(int slot, std::u16string_view name) {
    SettingsStore(paths.settingsFile, files).WriteString(u"MACRO_LIST", DecimalText(slot), name);
  }
  std::u16string Slot(int slot) {
    return SettingsStore(paths.settingsFile, files).ReadString(u"MACRO_LIST", DecimalText(slot));
  }
  std::u16string File(std::u16string_view name) const { return paths.macroFolder + std::u16string(name) + u".macro"; }
  MacroFileContents Contents(std::u16string_view name) { return LoadMacroFile(File(name), files); }
  int LoopTimeOf(std::u16string_view name) { return ReadLoopTime(File(name), -1, files); }

  MacroPage& Page() { return model.Macro(); }
  const ControlView& View(Control control) const { return model.View()[control]; }
  void ChooseMenu(int position, std::uint16_t command) {
    model.OnMenuChoice(std::uint64_t(position) << 16, std::uint64_t(command) << 16);
  }
  ButtonAssignment& Button(int profile, int index) { return session.Live().Profiles[profile].ButtonAssigned[index]; }
  void AssignMacro(int profile, int button, int index, std::u16string_view name) {
    ButtonAssignment& b = Button(profile, button);
    b.FunctionCode = FunctionCode::Macro;
    b.Param2 = static_cast<std::uint8_t>(0x40 | index);
    CopyToFixed(b.MacroName, name);
  }

  MemoryFileSystem files;
  RecordingServiceLink service;
  RecordingUi ui;
  PageTexts texts;
  FakeClock clock;
  DataPaths paths;
  ConfigSession session;
  MainWindowModel model;
};

TEST_F(MacroPageTest, TheLibraryCountsOccupiedSlotsAndFillsHoles) {
  SetSlot(0, u"A");
  SetSlot(2, u"B");
  MacroLibrary& library = model.Macros();
  EXPECT_EQ(library.LoadMacroLibrary(), 2);
  EXPECT_EQ(library.IndexOf(u"B"), 1);
  EXPECT_EQ(library.FindMacroSlot(u"B"), 2);
  EXPECT_EQ(library.FindMacroSlot(u""), -1);
  EXPECT_EQ(library.AddMacroToLibrary(u"C").slot, 1);
  EXPECT_EQ(library.RenameMacroInLibrary(u"B", u"D").slot, 2);
  EXPECT_EQ(library.Names(), (std::vector<std::u16string>{u"A", u"C", u"D"}));
  EXPECT_TRUE(SameMacroName(u"Macro \u00e91", u"MACRO \u00c91"));
}

TEST_F(MacroPageTest, StartShowsTheFirstMacroAndItsNumbersInsteadOfTheClickCounters) {
  session.Live().LeftCount = 77;
  Start({u"First", u"Second"});
  EXPECT_EQ(View(Control::MacroNameButton).caption, u"First");
  EXPECT_EQ(model.View().actionLines.size(), 1u);
  EXPECT_EQ(model.View().macroLine1, u"0");
  EXPECT_EQ(model.View().macroLine2, u"1");
  model.RefreshPages();
  EXPECT_EQ(model.View().macroLine2, u"1") << "a refresh keeps the macro's numbers";
  EXPECT_TRUE(View(Control::MacroRecord).enabled);
  EXPECT_FALSE(View(Control::MacroStop).enabled);
}

TEST_F(MacroPageTest, NewMacrosTakeTheFirstFreeNumber) {
  Start({});
  EXPECT_FALSE(View(Control::MacroRename).enabled) << "no macro: nothing to edit";
  EXPECT_TRUE(View(Control::MacroNew).enabled);
  (void)files.WriteAtomically(File(u"Macro 2"), "");
  ui.hookEnabled = true;
  model.OnCommand(Control::MacroNew);
  EXPECT_FALSE(ui.hookEnabled);
  EXPECT_EQ(Page().CurrentName(), u"Macro 1") << "a gap is filled";
  model.OnCommand(Control::MacroNew);
  EXPECT_EQ(Page().CurrentName(), u"Macro 3");
  EXPECT_EQ(Slot(0), u"Macro 1");
  EXPECT_EQ(Slot(1), u"Macro 3");
  const MacroFileContents created = Contents(u"Macro 3");
  EXPECT_TRUE(created.BlobRead);
  EXPECT_EQ(created.RecordCount, 0);
  EXPECT_TRUE(View(Control::MacroRename).enabled);

  // A full library takes no more.
  for (int slot = 2; slot < 20; ++slot) SetSlot(slot, u"M" + DecimalText(slot));
  model.OnCommand(Control::MacroNew);
  EXPECT_EQ(Page().CurrentName(), u"Macro 3");
  EXPECT_FALSE(files.Exists(File(u"Macro 4")));
}

TEST_F(MacroPageTest, RenameKeepsTheSlotAndTheButtonsAndRefusesTakenOrUnsafeNames) {
  SetSlot(1, u"Spare");  // slot 0 stays free
  Start({});
  SetSlot(0, u"");
  model.OnCommand(Control::MacroNew);  // "Macro 1" in slot 0
  SetSlot(0, u"");                     // a hole before it: the rename must not move there
  SetSlot(2, u"Macro 1");
  Page().OnMacroNameChosen(1);
  ASSERT_EQ(Page().CurrentName(), u"Macro 1");
  AssignMacro(3, 2, 1, u"Macro 1");

  ui.renamedTo = u"Jump";
  model.OnCommand(Control::MacroRename);
  EXPECT_EQ(Slot(2), u"Jump");
  EXPECT_EQ(Slot(0), u"");
  EXPECT_TRUE(files.Exists(File(u"Jump")));
  EXPECT_FALSE(files.Exists(File(u"Macro 1")));
  EXPECT_EQ(View(Control::MacroNameButton).caption, u"Jump");
  EXPECT_EQ(FixedToString(Button(3, 2).MacroName), u"Jump");
  EXPECT_EQ(Button(3, 2).Param2 & 0x3F, 1);

  for (const char16_t* refused : {u"SPARE", u"a\\b", u"..", u"con", u"name."}) {
    ui.warnings.clear();
    ui.renamedTo = refused;
    model.OnCommand(Control::MacroRename);
    EXPECT_EQ(ui.warnings.size(), 1u) << Utf16ToUtf8(refused);
    EXPECT_EQ(Slot(2), u"Jump");
  }
  EXPECT_EQ(model.Macros().Count(), 2);
}

TEST_F(MacroPageTest, DeletingRepointsButtonsOfEveryProfileByName) {
  Start({u"M1", u"M2", u"M3"});
  Page().OnMacroNameChosen(1);
  AssignMacro(0, 1, 0, u"M1");
  AssignMacro(0, 2, 2, u"M3");
  AssignMacro(4, 3, 1, u"M2");
  AssignMacro(2, 4, 2, u"M3");

  ui.answerOk = false;
  model.OnCommand(Control::MacroDelete);
  EXPECT_EQ(model.Macros().Count(), 3) << "cancelled";

  ui.answerOk = true;
  model.OnCommand(Control::MacroDelete);
  EXPECT_FALSE(files.Exists(File(u"M2")));
  EXPECT_EQ(model.Macros().Names(), (std::vector<std::u16string>{u"M1", u"M3"}));
  EXPECT_EQ(Button(0, 1).Param2, 0x40);
  EXPECT_EQ(Button(0, 2).Param2, 0x41);
  EXPECT_EQ(Button(2, 4).Param2, 0x41);
  EXPECT_EQ(Button(4, 3).FunctionCode, FunctionCode::Off);
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1279, 0, 0}}));
  // What was saved is what the service reads.
  DeviceConfig saved{};
  ResetToUnset(saved);
  LoadConfig(saved, paths.settingsFile, -1, files);
  EXPECT_EQ(saved.Profiles[2].ButtonAssigned[4].Param2, 0x41);
  EXPECT_EQ(Page().CurrentName(), u"M1");
}

TEST_F(MacroPageTest, DeletingTheOnlyMacroLeavesNothingToEdit) {
  Start({u"Only"});
  model.OnCommand(Control::MacroDelete);
  EXPECT_EQ(View(Control::MacroNameButton).caption, u"");
  EXPECT_TRUE(model.View().actionLines.empty());
  for (Control control : {Control::MacroRename, Control::MacroDelete, Control::MacroRecord, Control::MacroLoop,
                          Control::MacroMoveUp, Control::MacroActionMenu, Control::MacroMouseActionMenu}) {
    EXPECT_FALSE(View(control).enabled);
  }
  EXPECT_TRUE(View(Control::MacroNew).enabled);
  EXPECT_TRUE(View(Control::MacroImport).enabled);
  model.OnCommand(Control::MacroNameButton);
  EXPECT_FALSE(ui.nameMenu) << "an empty library opens no menu";
}

TEST_F(MacroPageTest, FailedFileOperationsAreShownAndLoseNothing) {
  Start({u"Keep"});
  files.removeFails = true;
  model.OnCommand(Control::MacroDelete);
  ASSERT_EQ(ui.warnings.size(), 2u);  // the question, then the failure
  EXPECT_NE(ui.warnings[1].find(u"Could not delete"), std::u16string::npos);
  EXPECT_TRUE(files.Exists(File(u"Keep")));
  files.removeFails = false;

  Start({u"Keep"});
  ui.warnings.clear();
  files.writeFailure = FileStatus::DiskFull;
  ChooseMenu(0, MacroMenuCommand::LeftClick);
  ChooseMenu(0, MacroMenuCommand::LeftClick);
  EXPECT_EQ(ui.warnings.size(), 1u) << "once per streak of failures";
  EXPECT_EQ(Contents(u"Keep").RecordCount, 1);
  model.OnCommand(Control::MacroNew);
  EXPECT_EQ(ui.warnings.size(), 2u);
  EXPECT_EQ(model.Macros().Count(), 1) << "a macro whose file could not be made is not listed";
}

TEST_F(MacroPageTest, ImportTakesAMacroFileUnderItsTitleOnce) {
  Start({u"Mine"});
  const std::u16string source = u"D:\\Shared\\Fancy.macro";
  MacroRecordBuffer buffer{};
  buffer.Records[0] = DelayRecord(500);
  (void)SaveMacroFile(source, buffer, 1, 3, files);
  ui.chosenFile = source;
  model.OnCommand(Control::MacroImport);
  EXPECT_EQ(Page().CurrentName(), u"Fancy");
  EXPECT_EQ(Slot(1), u"Fancy");
  EXPECT_EQ(View(Control::MacroLoopBox).caption, u"3");
  EXPECT_EQ(model.View().macroLine1, u"500");

  // Again: refused, nothing overwritten, no second slot.
  ui.warnings.clear();
  model.OnCommand(Control::MacroImport);
  EXPECT_EQ(ui.warnings.size(), 1u);
  EXPECT_EQ(model.Macros().Count(), 2);

  // Not a macro file; a copy that fails.
  (void)files.WriteAtomically(u"D:\\Shared\\Notes.macro", "[Setting]\r\n");
  ui.chosenFile = u"D:\\Shared\\Notes.macro";
  model.OnCommand(Control::MacroImport);
  EXPECT_EQ(ui.warnings.size(), 2u);
  (void)SaveMacroFile(u"D:\\Shared\\Other.macro", buffer, 1, 0, files);
  ui.chosenFile = u"D:\\Shared\\Other.macro";
  files.copyFails = true;
  model.OnCommand(Control::MacroImport);
  EXPECT_EQ(ui.warnings.size(), 3u);
  EXPECT_EQ(model.Macros().Count(), 2);

  // Export writes the open macro where the user chose.
  ui.chosenFile = u"E:\\Out.macro";
  model.OnCommand(Control::MacroExport);
  EXPECT_EQ(LoadMacroFile(u"E:\\Out.macro", files).Buffer.Records[0], DelayRecord(500));
}

TEST_F(MacroPageTest, AFileThatCannotBeReadIsKeptAsideBeforeTheFirstSave) {
  Start({});
  SetSlot(0, u"Broken");
  (void)files.WriteAtomically(File(u"Broken"), "[Setting]\r\nMacroSetting_0=0102\r\n");
  model.OnServiceRequest(1285, 0, 0);  // the device changed: the library is read again
  ASSERT_EQ(Page().CurrentName(), u"Broken");
  EXPECT_EQ(files.files[File(u"Broken")], "[Setting]\r\nMacroSetting_0=0102\r\n") << "showing changes nothing";
  ChooseMenu(0, MacroMenuCommand::MiddleClick);
  EXPECT_EQ(files.files[File(u"Broken") + u".damaged"], "[Setting]\r\nMacroSetting_0=0102\r\n");
  EXPECT_EQ(Contents(u"Broken").RecordCount, 3);
  ASSERT_EQ(ui.warnings.size(), 1u);
  EXPECT_NE(ui.warnings[0].find(u".damaged"), std::u16string::npos);
}

TEST_F(MacroPageTest, EditorMenusInsertAndTellTheServiceAboutMovements) {
  Start({});
  SetSlot(3, u"Moves");
  (void)SaveMacroFile(File(u"Moves"), MacroRecordBuffer{}, 0, 0, files);
  model.OnServiceRequest(1285, 0, 0);
  service.posts.clear();

  model.OnCommand(Control::MacroMouseActionMenu);
  ASSERT_TRUE(ui.openMenu);
  EXPECT_EQ(ui.openMenu->menu, Menu::MouseAction);
  ASSERT_EQ(ui.openMenu->items.size(), 7u);
  EXPECT_EQ(ui.openMenu->items[6].command, 40027u);
  ChooseMenu(6, MacroMenuCommand::MoveDown);
  EXPECT_EQ(service.posts, (std::vector<Posted>{{1300, 3, 0}}));
  ChooseMenu(0, MacroMenuCommand::LeftClick);
  EXPECT_EQ(service.posts.size(), 1u) << "clicks are not announced";
  EXPECT_EQ(model.View().macroLine1, u"20");
  EXPECT_EQ(model.View().macroLine2, u"5");

  // Distances: the dialog takes 1..119.
  ui.enteredNumber = 500;
  Page().OnMovementDoubleClick(0);
  EXPECT_EQ(Contents(u"Moves").Buffer.Records[0], MouseMoveRecord(0, 119));
  EXPECT_EQ(service.posts.size(), 2u);
  ui.enteredNumber = 1505;
  Page().OnPauseDoubleClick(1);
  EXPECT_EQ(Contents(u"Moves").Buffer.Records[1], (MacroRecord{0x06, 150, 0}));
  EXPECT_EQ(service.posts.size(), 2u);
  Page().OnMovementDoubleClick(1);  // not a movement: no dialog
  EXPECT_EQ(ui.dialogsRun, 2);

  // The step menu: by position; the right button opens it too.
  Page().OnListRightRelease(0, Point{100, 300});
  ASSERT_TRUE(ui.openMenu);
  EXPECT_EQ(ui.openMenu->menu, Menu::MacroStep);
  EXPECT_EQ(ui.openMenu->origin, (Point{100, 300}));
  ChooseMenu(1, MacroMenuCommand::Copy);
  Page().OnListPress(4);
  ChooseMenu(3, MacroMenuCommand::Paste);
  EXPECT_EQ(Contents(u"Moves").Buffer.Records[5], MouseMoveRecord(0, 119));
  EXPECT_EQ(model.View().actionSelection, 5);
}

TEST_F(MacroPageTest, TheLoopBoxKeepsToAByteAndIsSavedAtOnce) {
  Start({u"Loop"});
  EXPECT_FALSE(View(Control::MacroLoopBox).enabled);
  model.OnCommand(Control::MacroLoop);
  EXPECT_EQ(View(Control::MacroLoopBox).caption, u"1");
  EXPECT_TRUE(View(Control::MacroLoopBox).enabled);
  EXPECT_EQ(LoopTimeOf(u"Loop"), 1);
  Page().OnLoopBoxText(u"300");
  EXPECT_EQ(View(Control::MacroLoopBox).caption, u"255");
  EXPECT_EQ(LoopTimeOf(u"Loop"), 255);
  model.OnCommand(Control::MacroLoop);
  EXPECT_EQ(LoopTimeOf(u"Loop"), 0);
  EXPECT_FALSE(View(Control::MacroLoopBox).enabled);

  // The fixed pause: the box's number, at least 10.
  model.OnCommand(Control::MacroDelayFixed);
  EXPECT_TRUE(View(Control::MacroDelayBox).enabled);
  EXPECT_TRUE(View(Control::MacroDelayFixed).checked);
  EXPECT_FALSE(View(Control::MacroDelayRecorded).checked);
  Page().OnDelayBoxText(u"3");
  ChooseMenu(0, MacroMenuCommand::LeftClick);
  EXPECT_EQ(View(Control::MacroDelayBox).caption, u"10");
  EXPECT_EQ(model.View().macroLine1, u"20");
}

TEST_F(MacroPageTest, RecordingTurnsHookKeysIntoRecordsUntilStop) {
  Start({u"Typed"});
  model.OnCommand(Control::MacroRecord);
  EXPECT_TRUE(ui.hookEnabled);
  EXPECT_FALSE(View(Control::MacroRecord).enabled);
  EXPECT_TRUE(View(Control::MacroStop).enabled);
  EXPECT_FALSE(View(Control::MacroNameButton).enabled);
  EXPECT_TRUE(model.View().actionLines.empty()) << "a fresh recording starts empty";

  EXPECT_EQ(Page().OnHookKey('A', 0), 1);
  clock.now += 250;
  EXPECT_EQ(Page().OnHookKey('A', 0x80), 1);
  EXPECT_EQ(model.View().actionLines.size(), 3u);
  EXPECT_EQ(Contents(u"Typed").RecordCount, 1) << "nothing is written while recording";
  model.OnCommand(Control::MacroDelete);  // disabled while recording
  EXPECT_TRUE(ui.warnings.empty());
  Page().OnListRightRelease(0);
  EXPECT_FALSE(ui.openMenu) << "no step menu while recording";

  model.OnCommand(Control::MacroStop);
  EXPECT_FALSE(ui.hookEnabled);
  EXPECT_EQ(Page().OnHookKey('B', 0), 0);
  const MacroFileContents saved = Contents(u"Typed");
  EXPECT_EQ(saved.RecordCount, 3);
  EXPECT_EQ(saved.Buffer.Records[1], (MacroRecord{0x06, 25, 0}));
  EXPECT_EQ(model.View().macroLine1, u"250");
  EXPECT_TRUE(View(Control::MacroRecord).enabled);
}

TEST_F(MacroPageTest, ARecordingEndsInItsOwnMacroWhenTheDeviceReloadsTheLibrary) {
  Start({u"First", u"Second"});
  Page().OnMacroNameChosen(1);
  model.OnCommand(Control::MacroRecord);
  EXPECT_EQ(Page().OnHookKey('Q', 0), 1);
  model.OnServiceRequest(1285, 0, 0);
  EXPECT_FALSE(Page().Recording());
  EXPECT_FALSE(ui.hookEnabled);
  EXPECT_EQ(Contents(u"Second").Buffer.Records[0], KeyRecord(0x14, true));
  EXPECT_EQ(Contents(u"First").Buffer.Records[0], KeyRecord(0x04, true));
}

TEST_F(MacroPageTest, TheNameButtonTogglesTheMenuAndAChoiceShowsThatMacro) {
  Start({u"One", u"Two"});
  model.OnCommand(Control::MacroNameButton);
  ASSERT_TRUE(ui.nameMenu);
  EXPECT_EQ(*ui.nameMenu, (std::vector<std::u16string>{u"One", u"Two"}));
  model.OnCommand(Control::MacroNameButton);
  EXPECT_FALSE(ui.nameMenu);
  model.OnCommand(Control::MacroNameButton);
  model.OnCommand(Control::MacroMoveUp);
  EXPECT_FALSE(ui.nameMenu) << "another click closes it";
  Page().OnMacroNameChosen(1);
  EXPECT_EQ(View(Control::MacroNameButton).caption, u"Two");
  Page().OnMacroNameChosen(7);
  EXPECT_EQ(View(Control::MacroNameButton).caption, u"Two") << "an index beyond the library changes nothing";
}

}  // namespace
}  // namespace perix
