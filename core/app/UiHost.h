#pragma once
// The side effects the page logic asks of the window system: message boxes,
// file dialogs, the shell, the window itself and the keyboard hook. The
// front-end implements it; tests replace it with a recorder.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/PopupMenu.h"
#include "buttons/NumberEntry.h"

namespace perix {

class DpiShiftEditor;
class FireKeyEditor;
class MacroSelection;
class SingleKeyCapture;
class XShootEditor;

struct FileDialogOptions {
  std::u16string defaultExtension;  // without the dot
  std::u16string fileName;          // initial file name, e.g. "*.prof"
  std::u16string filter;            // "Description(*.ext)|*.ext|"
  std::u16string initialFolder;     // a hint; may name a file; a relative one is in the program folder
};

class UiHost {
 public:
  virtual ~UiHost() = default;

  // A modal box captioned "Warning". With `okCancel` it has OK and Cancel
  // and returns true for OK; otherwise it has OK alone.
  virtual bool Warn(std::u16string_view text, bool okCancel) = 0;

  // Nothing when the user cancels.
  virtual std::optional<std::u16string> ChooseFileToOpen(const FileDialogOptions& options) = 0;
  virtual std::optional<std::u16string> ChooseFileToSave(const FileDialogOptions& options) = 0;

  virtual void OpenWebAddress(std::u16string_view address) = 0;
  // Brings an open help viewer to the front, or opens the help file.
  virtual void OpenHelp() = 0;

  // Ends the main window's modal run with the result.
  virtual void CloseMainWindow(int result) = 0;
  virtual void MinimiseMainWindow() = 0;

  // The skinned modal dialogs. Each runs until OK, Cancel or its close
  // button and returns true for OK.
  //
  // The number-entry dialog (CEditDelay): the entry holds the value typed.
  virtual bool RunNumberEntry(NumberEntry& entry) = 0;
  // The button dialogs edit what they are given, for one button; the caller
  // stores it after OK. The key dialog (CKeyExDlg) hands every key pressed
  // to the capture.
  virtual bool RunKeyDialog(SingleKeyCapture& capture) = 0;
  virtual bool RunFireKeyDialog(FireKeyEditor& editor) = 0;   // CGunfireDlg
  virtual bool RunXShootDialog(XShootEditor& editor) = 0;     // CXShoot
  virtual bool RunDpiShiftDialog(DpiShiftEditor& editor) = 0;  // CDPIShift
  // The macro selection dialog (CMacroSelDlg): a macro of the library and
  // its play mode.
  virtual bool RunMacroSelection(MacroSelection& selection) = 0;
  // The rename dialog (CRenameProfileDlg), opened with the current name;
  // the text in its box on OK, nothing on Cancel.
  virtual std::optional<std::u16string> RunRenameDialog(std::u16string_view current) = 0;

  // Opens a skinned popup menu, closing the open one first; its choice comes
  // back as message 0x501 (MainWindowModel::OnMenuChoice).
  virtual void OpenPopupMenu(const PopupMenuRequest& request) = 0;
  // Closes and deletes the open popup menu, if any.
  virtual void ClosePopupMenu() = 0;

  // The macro name menu (CMacroNameMenu): the library's names, its top-left
  // corner at `origin` in the main window's client coordinates. Its choice
  // comes back as message 0x3414 (MainWindowModel::OnMacroNameChosen).
  virtual void OpenMacroNameMenu(const std::vector<std::u16string>& names, Point origin) = 0;
  virtual void CloseMacroNameMenu() = 0;
  virtual bool MacroNameMenuOpen() = 0;

  // Switches the keyboard hook's delivery on or off.
  virtual void EnableHook(bool enable) = 0;

  // A diagnostic line for the debugger's output.
  virtual void Trace(std::u16string_view line) = 0;
};

}  // namespace perix
