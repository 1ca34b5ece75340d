#pragma once
// The macro page: the library (new, rename, delete, import, export, the name
// menu), the editor of the current macro and keyboard recording. It keeps
// the page's controls in the view (enabled states, the pause-mode and loop
// buttons, the boxes, the action list and the two numbers), saves the macro
// file after every change and tells the device service which macro slot
// changed where the service needs to know.
//
// The current macro is the one whose name the name button shows; with an
// empty library there is none and the editing controls are disabled.

#include <optional>
#include <string>

#include "app/PageContext.h"
#include "macros/MacroEditor.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroRecorder.h"
#include "skin/MenuChoice.h"

namespace perix {

// Commands of the two menus the page opens.
namespace MacroMenuCommand {
inline constexpr std::uint16_t InsertRecording = 40001;  // the step menu, by position 0..3
inline constexpr std::uint16_t Copy = 40002;
inline constexpr std::uint16_t Cut = 40003;
inline constexpr std::uint16_t Paste = 40004;
inline constexpr std::uint16_t LeftClick = 40015;  // the mouse-action menu, by command
inline constexpr std::uint16_t RightClick = 40016;
inline constexpr std::uint16_t MiddleClick = 40017;
inline constexpr std::uint16_t MoveLeft = 40024;
inline constexpr std::uint16_t MoveRight = 40025;
inline constexpr std::uint16_t MoveUp = 40026;
inline constexpr std::uint16_t MoveDown = 40027;
}  // namespace MacroMenuCommand

// The largest loop count the loop box takes.
inline constexpr int kMaxLoopTime = 255;

class MacroPage {
 public:
  MacroPage(PageContext& context, MacroLibrary& library, MacroClock& clock = SteadyMacroClock());

  // Reloads the library and makes its first macro current (at start-up and
  // when the device service reports a change).
  void SelectFirstMacro();
  // The page's entry steps, each time it is shown.
  void OnShown();
  // The deferred part of the start-up: the loop box shows "0", disabled.
  void OnDeferredInit();
  // Writes the total pause and the action count into the two numbers when
  // a macro is shown; false (nothing written) otherwise.
  bool ShowNumbers();

  // A click on one of the page's controls.
  void OnCommand(Control control);
  // The choice made in the step menu or the mouse-action menu.
  void OnMenuChoice(const MenuChoice& choice);
  // The name menu's choice (message 0x3414): a library index.
  void OnMacroNameChosen(int index);
  // The action list's reports: a line pressed with the left button (0x3402),
  // released with the right one (0x3400; `pointer` in the window's client
  // coordinates places the menu), double-clicked (0x3403 pause, 0x3404
  // movement).
  void OnListPress(int line);
  void OnListRightRelease(int line, std::optional<Point> pointer = std::nullopt);
  void OnPauseDoubleClick(int line);
  void OnMovementDoubleClick(int line);
  // The text of the delay box or the loop box changed.
  void OnDelayBoxText(std::u16string_view text);
  void OnLoopBoxText(std::u16string_view text);
  // A key event from the hook library (message 0x8D2); its result.
  int OnHookKey(unsigned virtualKey, unsigned flags);

  const std::u16string& CurrentName() const { return m_name; }
  const MacroEditor& Editor() const { return m_editor; }
  DelayMode Mode() const { return m_mode; }
  bool Recording() const { return m_recorder.Active(); }
  bool LoopOn() const { return m_loopOn; }

 private:
  // The library.
  void ShowCurrentMacro(const std::u16string& name);
  void ShowNoMacro();
  void NewMacro();
  void RenameMacro();
  void DeleteMacro();
  void ImportMacro();
  void ExportMacro();
  void ToggleNameMenu();
  FileDialogOptions MacroDialogOptions();
  // Whether `name` may become a macro's new name beside the current one;
  // otherwise the user is told why.
  bool AcceptNewName(const std::u16string& name, bool renaming);
  // Buttons of every profile that played a macro after the deleted one play
  // it still; those of the deleted one are switched off. True when a button
  // changed.
  bool RepointButtonsAfterDelete(const std::u16string& deleted, int deletedIndex);
  void RenameButtonMacros(int index, const std::u16string& name);

  // The editor.
  void StartRecording(bool inserting);
  void StopRecording();
  void SetDelayMode(DelayMode mode);
  void ToggleLoop();
  void OpenStepMenu(Point origin);
  void OpenMouseActionMenu();
  // The pause around inserted actions: 10 ms, the delay box's number (at
  // least 10, the box rewritten when it held less) or none.
  int InsertPause();
  int FixedPause();
  // After a change of the records: save, show.
  void Edited(bool tellService = false);

  // Files.
  std::optional<std::u16string> PathOf(std::u16string_view name) const;
  // Writes the current macro's file; false, with the user told once per
  // streak of failures, when it could not be written.
  bool SaveCurrentMacro();
  void FillLoopBox();
  void Warn(std::u16string_view text) { m_context.ui.Warn(text, false); }
  std::u16string Text(std::u16string_view key, std::u16string_view fallback);

  // The view.
  void ShowControls();

  PageContext& m_context;
  MacroLibrary& m_library;  // not owned
  MacroEditor m_editor;
  MacroRecorder m_recorder;
  std::u16string m_name;  // the current macro; empty for none
  // The current macro's file exists but its records could not be read: it
  // is set aside before the first save replaces it.
  bool m_unreadable = false;
  bool m_saveFailing = false;
  DelayMode m_mode = DelayMode::Recorded;
  std::u16string m_delayText;
  bool m_loopOn = false;
  std::u16string m_loopText = u"0";
};

}  // namespace perix
