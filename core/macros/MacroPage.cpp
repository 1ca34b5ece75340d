#include "macros/MacroPage.h"

#include <algorithm>

#include "app/ServiceLink.h"
#include "buttons/NumberEntry.h"
#include "config/FunctionCatalogue.h"
#include "store/SetAside.h"
#include "text/FilePath.h"
#include "text/Utf16.h"

namespace perix {
namespace {

constexpr char16_t kMacroFileExtension[] = u"macro";
constexpr int kMaxNewMacroNumber = 10000;
// The name menu opens under the name button, the step menu under its button.
constexpr Point kNameMenuOrigin{81, 198};
constexpr Point kStepMenuOrigin{413, 564};
constexpr Point kMouseActionMenuOrigin{425, 439};

// The prompt of the distance dialog when the string file has none.
constexpr char16_t kDistancePrompt[] = u"\u8f93\u5165\u65b0\u4f4d\u79fb";

// Controls that edit the current macro: disabled while there is none and
// while a recording runs.
constexpr Control kEditingControls[] = {
    Control::MacroRename,         Control::MacroExport,     Control::MacroDelete,   Control::MacroRecord,
    Control::MacroDelayRecorded,  Control::MacroDelayFixed, Control::MacroDelayNone, Control::MacroLoop,
    Control::MacroMoveUp,         Control::MacroDeleteAction, Control::MacroMoveDown, Control::MacroActionMenu,
    Control::MacroMouseActionMenu,
};

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

}  // namespace

MacroPage::MacroPage(PageContext& context, MacroLibrary& library, MacroClock& clock)
    : m_context(context), m_library(library), m_recorder(m_editor, clock) {}

std::u16string MacroPage::Text(std::u16string_view key, std::u16string_view fallback) {
  std::u16string text = m_context.texts.ButtonPageText(key);
  return text.empty() ? std::u16string(fallback) : text;
}

std::optional<std::u16string> MacroPage::PathOf(std::u16string_view name) const {
  return MacroFilePath(m_context.session.Paths().macroFolder, name);
}

// ---------------------------------------------------------------------------
// The current macro

void MacroPage::SelectFirstMacro() {
  // Records must not land in another macro than the one they were made for.
  if (m_recorder.Active()) StopRecording();
  if (m_library.LoadMacroLibrary() > 0) {
    ShowCurrentMacro(m_library.Names().front());
  } else {
    ShowNoMacro();
  }
}

void MacroPage::ShowCurrentMacro(const std::u16string& name) {
  m_name = name;
  m_saveFailing = false;
  m_unreadable = false;
  const auto path = PathOf(name);
  if (path) {
    FileSystem& files = m_context.session.Files();
    const MacroFileContents contents = LoadMacroFile(*path, files);
    m_editor.Load(contents.Buffer);
    m_unreadable = !contents.BlobRead && files.Exists(*path);
  } else {
    // A name from "Mouse.ini" that cannot be a file name is never opened;
    // saving tells the user why.
    m_editor.Clear();
  }
  FillLoopBox();
  ShowControls();
}

void MacroPage::ShowNoMacro() {
  m_name.clear();
  m_unreadable = false;
  m_editor.Clear();
  ShowControls();
}

void MacroPage::FillLoopBox() {
  const auto path = PathOf(m_name);
  const int loop = path ? std::clamp(ReadLoopTime(*path, 0, m_context.session.Files()), 0, kMaxLoopTime) : 0;
  m_loopOn = loop != 0;
  m_loopText = DecimalText(loop);
}

void MacroPage::OnShown() {
  m_editor.ClearClipboard();
  m_mode = DelayMode::Recorded;
  if (!m_name.empty()) FillLoopBox();
  ShowControls();
}

void MacroPage::OnDeferredInit() {
  m_loopOn = false;
  m_loopText = u"0";
  ShowControls();
}

bool MacroPage::ShowNumbers() {
  if (m_name.empty()) return false;
  m_context.view.macroLine1 = DecimalText(m_editor.TotalPause());
  m_context.view.macroLine2 = DecimalText(m_editor.RecordCount());
  return true;
}

void MacroPage::ShowControls() {
  const bool idle = !m_recorder.Active();
  const bool editing = idle && !m_name.empty();
  for (Control control : kEditingControls) m_context[control].enabled = editing;
  for (Control control : {Control::MacroNameButton, Control::MacroNew, Control::MacroImport}) {
    m_context[control].enabled = idle;
  }
  m_context[Control::MacroStop].enabled = !idle;
  m_context[Control::MacroDelayBox].enabled = editing && m_mode == DelayMode::Fixed;
  m_context[Control::MacroLoopBox].enabled = editing && m_loopOn;

  m_context[Control::MacroDelayRecorded].checked = m_mode == DelayMode::Recorded;
  m_context[Control::MacroDelayFixed].checked = m_mode == DelayMode::Fixed;
  m_context[Control::MacroDelayNone].checked = m_mode == DelayMode::None;
  m_context[Control::MacroLoop].checked = m_loopOn;

  m_context[Control::MacroNameButton].caption = m_name;
  m_context[Control::MacroDelayBox].caption = m_delayText;
  m_context[Control::MacroLoopBox].caption = m_loopText;
  m_context.view.actionLines = m_editor.Lines();
  m_context.view.actionSelection = m_editor.Selected();
  ShowNumbers();
}

// ---------------------------------------------------------------------------
// Commands

void MacroPage::OnCommand(Control control) {
  if (m_recorder.Active()) {
    // While recording only Stop works.
    if (control == Control::MacroStop) StopRecording();
    return;
  }
  switch (control) {
    case Control::MacroNameButton: ToggleNameMenu(); break;
    case Control::MacroNew: NewMacro(); break;
    case Control::MacroRename: RenameMacro(); break;
    case Control::MacroDelete: DeleteMacro(); break;
    case Control::MacroImport: ImportMacro(); break;
    case Control::MacroExport: ExportMacro(); break;
    case Control::MacroRecord:
      if (!m_name.empty()) StartRecording(false);
      break;
    case Control::MacroDelayRecorded: SetDelayMode(DelayMode::Recorded); break;
    case Control::MacroDelayFixed: SetDelayMode(DelayMode::Fixed); break;
    case Control::MacroDelayNone: SetDelayMode(DelayMode::None); break;
    case Control::MacroLoop: ToggleLoop(); break;
    case Control::MacroMoveUp:
      if (m_editor.MoveUp()) Edited();
      break;
    case Control::MacroMoveDown:
      if (m_editor.MoveDown()) Edited();
      break;
    case Control::MacroDeleteAction:
      if (m_editor.DeleteSelected()) Edited();
      break;
    case Control::MacroActionMenu: OpenStepMenu(kStepMenuOrigin); break;
    case Control::MacroMouseActionMenu: OpenMouseActionMenu(); break;
    default: break;
  }
}

void MacroPage::OnMenuChoice(const MenuChoice& choice) {
  if (m_recorder.Active() || m_name.empty()) return;
  switch (choice.command) {
    case MacroMenuCommand::LeftClick:
    case MacroMenuCommand::RightClick:
    case MacroMenuCommand::MiddleClick:
      if (m_editor.InsertClick(choice.command - MacroMenuCommand::LeftClick + 1, InsertPause())) Edited();
      return;
    case MacroMenuCommand::MoveLeft:
    case MacroMenuCommand::MoveRight:
    case MacroMenuCommand::MoveUp:
    case MacroMenuCommand::MoveDown: {
      static constexpr MoveDirection kDirections[] = {MoveDirection::Left, MoveDirection::Right, MoveDirection::Up,
                                                      MoveDirection::Down};
      if (m_editor.InsertMovement(kDirections[choice.command - MacroMenuCommand::MoveLeft], InsertPause())) {
        Edited(true);
      }
      return;
    }
    default: break;
  }
  // The step menu is read by position.
  switch (choice.itemIndex) {
    case 0: StartRecording(true); break;
    case 1: m_editor.Copy(); break;
    case 2:
      if (m_editor.Cut()) Edited();
      break;
    case 3:
      if (m_editor.Paste()) Edited();
      break;
    default: break;
  }
}

void MacroPage::OpenStepMenu(Point origin) {
  PopupMenuRequest request;
  request.menu = Menu::MacroStep;
  request.origin = origin;
  const std::pair<const char16_t*, std::uint16_t> items[] = {
      {u"INSERTNEWACT", MacroMenuCommand::InsertRecording},
      {u"COPYACT", MacroMenuCommand::Copy},
      {u"CUTACT", MacroMenuCommand::Cut},
      {u"PASTEACT", MacroMenuCommand::Paste},
  };
  for (const auto& [key, command] : items) request.items.push_back({m_context.texts.ButtonPageText(key), command, {}});
  m_context.ui.OpenPopupMenu(request);
}

void MacroPage::OpenMouseActionMenu() {
  PopupMenuRequest request;
  request.menu = Menu::MouseAction;
  request.origin = kMouseActionMenuOrigin;
  const std::pair<const char16_t*, std::uint16_t> items[] = {
      {u"CLICK", MacroMenuCommand::LeftClick},     {u"MENU", MacroMenuCommand::RightClick},
      {u"MIDDLE", MacroMenuCommand::MiddleClick},  {u"MOVELEFT", MacroMenuCommand::MoveLeft},
      {u"MOVERIGHT", MacroMenuCommand::MoveRight}, {u"MOVEUP", MacroMenuCommand::MoveUp},
      {u"MOVEDOWN", MacroMenuCommand::MoveDown},
  };
  for (const auto& [key, command] : items) request.items.push_back({m_context.texts.ButtonPageText(key), command, {}});
  m_context.ui.OpenPopupMenu(request);
}

// ---------------------------------------------------------------------------
// The action list

void MacroPage::OnListPress(int line) {
  m_editor.Select(line);
  m_context.view.actionSelection = m_editor.Selected();
}

void MacroPage::OnListRightRelease(int line, std::optional<Point> pointer) {
  if (m_recorder.Active() || m_name.empty() || !m_context.IsCurrent(Page::Macros)) return;
  m_editor.Select(line);
  m_context.view.actionSelection = m_editor.Selected();
  OpenStepMenu(pointer.value_or(kStepMenuOrigin));
}

void MacroPage::OnPauseDoubleClick(int line) {
  if (m_recorder.Active() || m_name.empty() || line < 0 || line >= m_editor.RecordCount()) return;
  const MacroRecord& record = m_editor.Record(line);
  if (record.KindOf() != MacroKind::Delay) return;
  m_editor.Select(line);
  NumberEntry entry(DelayMilliseconds(record));
  if (m_context.ui.RunNumberEntry(entry) && m_editor.SetPause(line, entry.Value())) {
    Edited();
  } else {
    ShowControls();
  }
}

void MacroPage::OnMovementDoubleClick(int line) {
  if (m_recorder.Active() || m_name.empty() || line < 0 || line >= m_editor.RecordCount()) return;
  const MacroRecord& record = m_editor.Record(line);
  if (record.KindOf() != MacroKind::MouseMove) return;
  m_editor.Select(line);
  // The box takes no more than a step byte holds in the line's direction.
  NumberEntry entry(ReadMoveStep(record).distance, kMaxMoveDistance, Text(u"NEWDISTANCE", kDistancePrompt));
  if (m_context.ui.RunNumberEntry(entry) && m_editor.SetDistance(line, entry.Value())) {
    Edited(true);
  } else {
    ShowControls();
  }
}

// ---------------------------------------------------------------------------
// Boxes and buttons of the editor

void MacroPage::OnDelayBoxText(std::u16string_view text) { m_delayText = text; }

void MacroPage::OnLoopBoxText(std::u16string_view text) {
  if (text == m_loopText) return;  // the page's own text coming back
  m_loopText = DecimalValue(text) > kMaxLoopTime ? DecimalText(kMaxLoopTime) : std::u16string(text);
  if (!m_name.empty()) SaveCurrentMacro();
  m_context[Control::MacroLoopBox].caption = m_loopText;
}

void MacroPage::SetDelayMode(DelayMode mode) {
  m_mode = mode;
  ShowControls();
}

void MacroPage::ToggleLoop() {
  m_loopOn = !m_loopOn;
  m_loopText = m_loopOn ? u"1" : u"0";
  SaveCurrentMacro();
  ShowControls();
}

int MacroPage::FixedPause() {
  const int value = DecimalValue(m_delayText);
  if (value >= 10) return value;
  m_delayText = u"10";
  return 10;
}

int MacroPage::InsertPause() {
  switch (m_mode) {
    case DelayMode::Recorded: return 10;
    case DelayMode::Fixed: return FixedPause();
    case DelayMode::None: return 0;
  }
  return 0;
}

void MacroPage::Edited(bool tellService) {
  const bool saved = SaveCurrentMacro();
  if (saved && tellService) {
    // The service is told by slot; a name in no slot has nothing to reload.
    if (const int slot = m_library.FindMacroSlot(m_name); slot >= 0) {
      m_context.session.Service().Post(ServiceMessage::Macro, static_cast<std::uintptr_t>(slot), 0);
    }
  }
  ShowControls();
}

// ---------------------------------------------------------------------------
// Recording

void MacroPage::StartRecording(bool inserting) {
  if (m_name.empty()) return;
  if (!inserting) m_editor.Clear();
  m_recorder.Start(inserting);
  m_context.ui.EnableHook(true);
  ShowControls();
}

void MacroPage::StopRecording() {
  m_recorder.Stop();
  m_context.ui.EnableHook(false);
  SaveCurrentMacro();
  ShowControls();
}

int MacroPage::OnHookKey(unsigned virtualKey, unsigned flags) {
  if (!m_recorder.Active()) return 0;
  const int fixed = m_mode == DelayMode::Fixed ? FixedPause() : 0;
  if (!m_recorder.OnHookKey(virtualKey, flags, m_mode, fixed)) return 0;
  ShowControls();
  return 1;
}

// ---------------------------------------------------------------------------
// Files

bool MacroPage::SaveCurrentMacro() {
  if (m_name.empty()) return false;
  const auto path = PathOf(m_name);
  if (!path) {
    if (!m_saveFailing) {
      Warn(Quoted(m_name) + u": " + Utf8ToUtf16(MacroNameProblemText(CheckMacroName(m_name))) +
           u". The macro cannot be saved under this name; rename it.");
    }
    m_saveFailing = true;
    return false;
  }
  FileSystem& files = m_context.session.Files();
  if (m_unreadable) {
    // What could not be read is kept before anything replaces it.
    const SetAsideResult aside = SetFileAside(*path, files);
    if (aside.status != FileStatus::Ok) {
      m_context.ReportFileProblem({FileAction::Copy, aside.status, *path + u".damaged", *path,
                                   u"The macro's file could not be read and is left unchanged."});
      return false;
    }
    m_unreadable = false;
    m_context.ReportFileProblem({FileAction::SetAside, FileStatus::Ok, *path, aside.path, {}});
  }
  const FileStatus status =
      SaveMacroFile(*path, m_editor.Buffer(), m_editor.RecordCount(), DecimalValue(m_loopText), files);
  if (status != FileStatus::Ok) {
    // Once per streak of failures, not once per edit.
    if (!m_saveFailing) m_context.ReportFileProblem({FileAction::Save, status, *path, {}, {}});
    m_saveFailing = true;
    return false;
  }
  m_saveFailing = false;
  m_library.LoadMacroLibrary();
  return true;
}

bool MacroPage::AcceptNewName(const std::u16string& name, bool renaming) {
  if (const MacroNameProblem problem = CheckMacroName(name); problem != MacroNameProblem::None) {
    Warn(Quoted(name) + u": " + Utf8ToUtf16(MacroNameProblemText(problem)) + u".");
    return false;
  }
  // A new name that only changes the case of the current one names the
  // same file.
  const bool ownFile = renaming && SameMacroName(name, m_name);
  m_library.LoadMacroLibrary();
  if (!ownFile && m_library.IndexOfSameName(name)) {
    Warn(Text(u"MACROEXISTS", u"A macro named " + Quoted(name) + u" is already in the library. Choose another name."));
    return false;
  }
  if (!ownFile && m_context.session.Files().Exists(*PathOf(name))) {
    Warn(u"The macro folder already holds a file " + Quoted(name + u".macro") +
         u". Choose another name, or import that file.");
    return false;
  }
  return true;
}

void MacroPage::NewMacro() {
  m_context.ui.EnableHook(false);
  if (m_library.LoadMacroLibrary() >= kMacroLibrarySlots) return;
  const std::u16string base = m_context.texts.ButtonPageText(u"NEWMACRO");
  FileSystem& files = m_context.session.Files();
  std::u16string name;
  std::optional<std::u16string> path;
  // The first number whose file is free and whose name the library does not
  // hold already (a listed macro may have lost its file).
  for (int n = 1;; ++n) {
    name = base + DecimalText(n);
    path = PathOf(name);
    if (!path) {
      Warn(Quoted(name) + u": " + Utf8ToUtf16(MacroNameProblemText(CheckMacroName(name))) + u".");
      return;
    }
    if (!files.Exists(*path) && !m_library.IndexOfSameName(name)) break;
    // A folder that claims to hold every name is not searched forever.
    if (n == kMaxNewMacroNumber) {
      m_context.ReportFileProblem({FileAction::Save, FileStatus::Failed, *path, {}, u"No new macro was made."});
      return;
    }
  }
  MacroEditor empty;
  if (const FileStatus status = SaveMacroFile(*path, empty.Buffer(), 0, DecimalValue(m_loopText), files);
      status != FileStatus::Ok) {
    m_context.ReportFileProblem({FileAction::Save, status, *path, {}, {}});
    return;
  }
  const SlotWrite added = m_library.AddMacroToLibrary(name);
  if (!added.Done()) {
    (void)files.Remove(*path);
    if (added.status != FileStatus::Ok) {
      m_context.ReportFileProblem({FileAction::Save, added.status, m_context.session.Paths().settingsFile, {},
                                   u"The new macro was not added."});
    }
    m_library.LoadMacroLibrary();
    return;
  }
  m_library.LoadMacroLibrary();
  ShowCurrentMacro(name);
}

void MacroPage::RenameMacro() {
  if (m_name.empty()) return;
  const auto typed = m_context.ui.RunRenameDialog(m_name);
  if (!typed || typed->empty() || *typed == m_name) return;
  const std::u16string name = *typed;
  if (!AcceptNewName(name, true)) return;
  const std::u16string old = m_name;
  const auto oldPath = PathOf(old);
  const std::u16string newPath = *PathOf(name);
  const bool sameFile = SameMacroName(old, name);
  FileSystem& files = m_context.session.Files();

  if (m_unreadable && oldPath) {
    // The old file goes once renamed: keep what could not be read.
    const SetAsideResult aside = SetFileAside(*oldPath, files);
    if (aside.status != FileStatus::Ok) {
      m_context.ReportFileProblem({FileAction::Copy, aside.status, *oldPath + u".damaged", *oldPath,
                                   u"The macro was not renamed."});
      return;
    }
    m_unreadable = false;
    m_context.ReportFileProblem({FileAction::SetAside, FileStatus::Ok, *oldPath, aside.path, {}});
  }
  // The new file first: until the list names it, the old file is the macro.
  if (const FileStatus status =
          SaveMacroFile(newPath, m_editor.Buffer(), m_editor.RecordCount(), DecimalValue(m_loopText), files);
      status != FileStatus::Ok) {
    m_context.ReportFileProblem({FileAction::Save, status, newPath, {}, u"The macro was not renamed."});
    return;
  }
  const SlotWrite renamed = m_library.RenameMacroInLibrary(old, name);
  if (!renamed.Done()) {
    if (!sameFile) (void)files.Remove(newPath);
    m_context.ReportFileProblem({FileAction::Save, renamed.slot < 0 ? FileStatus::NotFound : renamed.status,
                                 m_context.session.Paths().settingsFile, {}, u"The macro was not renamed."});
    return;
  }
  if (!sameFile && oldPath && files.Exists(*oldPath) && !files.Remove(*oldPath)) {
    m_context.ReportFileProblem({FileAction::Remove, FileStatus::Failed, *oldPath, {},
                                 u"The macro is renamed; its old file is still there."});
  }
  m_name = name;
  m_saveFailing = false;
  if (const auto index = m_library.IndexOf(name)) RenameButtonMacros(*index, name);
  ShowControls();
}

void MacroPage::RenameButtonMacros(int index, const std::u16string& name) {
  bool changed = false;
  for (ProfileConfig& profile : m_context.Live().Profiles) {
    for (ButtonAssignment& button : profile.ButtonAssigned) {
      if (button.FunctionCode != FunctionCode::Macro || (button.Param2 & 0x3F) != index) continue;
      if (FixedToString(button.MacroName) == name) continue;
      CopyToFixed(button.MacroName, name);
      changed = true;
    }
  }
  // The buttons' names follow, so a later delete re-points them by name.
  if (changed) (void)m_context.session.SaveConfiguration();
}

void MacroPage::DeleteMacro() {
  if (m_name.empty()) return;
  if (!m_context.ui.Warn(m_context.texts.ButtonPageText(u"WARN2"), true)) return;
  const std::u16string name = m_name;
  m_library.LoadMacroLibrary();
  const std::optional<int> index = m_library.IndexOf(name);
  // The list first: a macro whose file stays behind is an orphan file, one
  // whose entry stays behind would be a macro without a file.
  const SlotWrite removed = m_library.RemoveMacroFromLibrary(name);
  if (removed.status != FileStatus::Ok) {
    m_context.ReportFileProblem({FileAction::Save, removed.status, m_context.session.Paths().settingsFile, {},
                                 u"The macro was not deleted."});
    return;
  }
  FileSystem& files = m_context.session.Files();
  if (const auto path = PathOf(name); path && files.Exists(*path) && !files.Remove(*path)) {
    m_context.ReportFileProblem({FileAction::Remove, FileStatus::Failed, *path, {},
                                 u"The macro is no longer in the library; its file is still there."});
  }
  if (index && RepointButtonsAfterDelete(name, *index)) (void)m_context.session.ApplyConfiguration();
  if (!m_library.Empty()) {
    ShowCurrentMacro(m_library.Names().front());
  } else {
    ShowNoMacro();
  }
}

bool MacroPage::RepointButtonsAfterDelete(const std::u16string& deleted, int deletedIndex) {
  const auto& names = m_library.Names();
  bool changed = false;
  for (ProfileConfig& profile : m_context.Live().Profiles) {
    for (ButtonAssignment& button : profile.ButtonAssigned) {
      if (button.FunctionCode != FunctionCode::Macro) continue;
      const std::u16string stored = FixedToString(button.MacroName);
      const int oldIndex = button.Param2 & 0x3F;
      std::optional<int> index;
      if (!stored.empty()) {
        if (stored != deleted) index = m_library.IndexOf(stored);
      }
      if (stored.empty() || (stored != deleted && !index)) {
        // No name to go by: the index moves with the entries after the deleted one.
        if (oldIndex < deletedIndex) {
          index = oldIndex;
        } else if (oldIndex > deletedIndex) {
          index = oldIndex - 1;
        }
      }
      if (!index || *index >= static_cast<int>(names.size())) {
        button.FunctionCode = FunctionCode::Off;
        changed = true;
        continue;
      }
      const auto param2 = static_cast<std::uint8_t>((button.Param2 & 0xC0) | *index);
      const std::u16string& name = names[static_cast<std::size_t>(*index)];
      if (param2 != button.Param2 || stored != name) changed = true;
      button.Param2 = param2;
      CopyToFixed(button.MacroName, name);
    }
  }
  return changed;
}

FileDialogOptions MacroPage::MacroDialogOptions() {
  // The initial folder is relative to the program folder.
  return {kMacroFileExtension, u"*.macro", m_context.texts.ButtonPageText(u"MACROFILENAME") + u"(*.macro)|*.macro|",
          m_context.texts.ButtonPageText(u"MACRO") + u"\\"};
}

void MacroPage::ImportMacro() {
  if (m_library.LoadMacroLibrary() >= kMacroLibrarySlots) return;
  const auto source = m_context.ui.ChooseFileToOpen(MacroDialogOptions());
  if (!source) return;
  FileSystem& files = m_context.session.Files();
  const std::u16string title = FileTitleOf(*source);
  if (!LoadMacroFile(*source, files).BlobRead) {
    Warn(Quoted(*source) + u": " + Text(u"NOTAMACRO", u"this is not a macro file; nothing was imported."));
    return;
  }
  const auto target = PathOf(title);
  // A file of the macro folder that the library does not list yet is taken
  // in as it is.
  const bool inPlace = target && SameMacroName(*source, *target);
  if (inPlace) {
    if (m_library.IndexOfSameName(title)) {
      Warn(Text(u"MACROEXISTS", u"A macro named " + Quoted(title) + u" is already in the library."));
      return;
    }
  } else {
    if (!AcceptNewName(title, false)) return;
    if (!files.Copy(*source, *target)) {
      m_context.ReportFileProblem({FileAction::Copy, FileStatus::Failed, *target, *source, u"Nothing was imported."});
      return;
    }
  }
  const SlotWrite added = m_library.AddMacroToLibrary(title);
  if (!added.Done()) {
    if (!inPlace) (void)files.Remove(*target);
    m_library.LoadMacroLibrary();
    if (added.status != FileStatus::Ok) {
      m_context.ReportFileProblem({FileAction::Save, added.status, m_context.session.Paths().settingsFile, {},
                                   u"Nothing was imported."});
    }
    return;
  }
  m_library.LoadMacroLibrary();
  ShowCurrentMacro(title);
}

void MacroPage::ExportMacro() {
  if (m_name.empty()) return;
  const auto path = m_context.ui.ChooseFileToSave(MacroDialogOptions());
  if (!path) return;
  const FileStatus status = SaveMacroFile(*path, m_editor.Buffer(), m_editor.RecordCount(), DecimalValue(m_loopText),
                                          m_context.session.Files());
  if (status != FileStatus::Ok) m_context.ReportFileProblem({FileAction::Save, status, *path, {}, {}});
}

void MacroPage::ToggleNameMenu() {
  m_context.ui.EnableHook(false);
  if (m_library.LoadMacroLibrary() == 0) return;
  if (m_context.ui.MacroNameMenuOpen()) {
    m_context.ui.CloseMacroNameMenu();
  } else {
    m_context.ui.OpenMacroNameMenu(m_library.Names(), kNameMenuOrigin);
  }
}

void MacroPage::OnMacroNameChosen(int index) {
  m_context.ui.CloseMacroNameMenu();
  if (m_recorder.Active()) return;
  m_library.LoadMacroLibrary();
  if (index < 0 || index >= m_library.Count()) return;
  ShowCurrentMacro(m_library.Names()[static_cast<std::size_t>(index)]);
}

}  // namespace perix
