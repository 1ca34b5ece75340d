#pragma once
// The window system as the page logic sees it, recorded: message boxes,
// dialogs and menus answer with what the test set up.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/UiHost.h"
#include "buttons/DpiShiftEditor.h"
#include "buttons/FireKeyEditor.h"
#include "buttons/KeyCapture.h"
#include "buttons/XShootEditor.h"
#include "macros/MacroSelection.h"
#include "text/Utf16.h"

namespace perix::test {

class RecordingUi final : public UiHost {
 public:
  bool answerOk = true;
  std::optional<std::u16string> chosenFile;
  std::vector<std::u16string> warnings;
  std::vector<std::u16string> traces;
  int closedWith = 0;
  bool Warn(std::u16string_view text, bool) override {
    warnings.emplace_back(text);
    return answerOk;
  }
  std::optional<std::u16string> ChooseFileToOpen(const FileDialogOptions&) override { return chosenFile; }
  std::optional<std::u16string> ChooseFileToSave(const FileDialogOptions&) override { return chosenFile; }
  void OpenWebAddress(std::u16string_view) override {}
  void OpenHelp() override {}
  void CloseMainWindow(int result) override { closedWith = result; }
  void MinimiseMainWindow() override {}
  std::optional<PopupMenuRequest> openMenu;
  int menusClosed = 0;
  void OpenPopupMenu(const PopupMenuRequest& request) override { openMenu = request; }
  void ClosePopupMenu() override {
    if (openMenu) ++menusClosed;
    openMenu.reset();
  }
  // Dialogs answer with what the test put here: OK with the entry's value
  // set to `enteredNumber` (when set), or Cancel.
  std::optional<int> enteredNumber;
  std::optional<std::u16string> renamedTo;
  int dialogsRun = 0;
  bool RunNumberEntry(NumberEntry& entry) override {
    ++dialogsRun;
    if (!enteredNumber) return false;
    entry.OnTextChanged(DecimalText(*enteredNumber));
    return true;
  }
  std::optional<std::u16string> RunRenameDialog(std::u16string_view) override {
    ++dialogsRun;
    return renamedTo;
  }
  std::optional<std::vector<std::u16string>> nameMenu;  // the names of the open macro name menu
  void OpenMacroNameMenu(const std::vector<std::u16string>& names, Point) override { nameMenu = names; }
  void CloseMacroNameMenu() override { nameMenu.reset(); }
  bool MacroNameMenuOpen() override { return nameMenu.has_value(); }
  // The button dialogs: the test plays the user on the dialog's rules and
  // answers OK (true) or Cancel; without a player the dialog is cancelled.
  std::function<bool(SingleKeyCapture&)> keyDialog;
  std::function<bool(FireKeyEditor&)> fireKeyDialog;
  std::function<bool(XShootEditor&)> xShootDialog;
  std::function<bool(DpiShiftEditor&)> dpiShiftDialog;
  std::function<bool(MacroSelection&)> macroSelection;
  template <typename Dialog>
  bool Play(const std::function<bool(Dialog&)>& player, Dialog& dialog) {
    ++dialogsRun;
    return player ? player(dialog) : false;
  }
  bool RunKeyDialog(SingleKeyCapture& capture) override { return Play(keyDialog, capture); }
  bool RunFireKeyDialog(FireKeyEditor& editor) override { return Play(fireKeyDialog, editor); }
  bool RunXShootDialog(XShootEditor& editor) override { return Play(xShootDialog, editor); }
  bool RunDpiShiftDialog(DpiShiftEditor& editor) override { return Play(dpiShiftDialog, editor); }
  bool RunMacroSelection(MacroSelection& selection) override { return Play(macroSelection, selection); }
  bool hookEnabled = false;
  void EnableHook(bool enable) override { hookEnabled = enable; }
  void Trace(std::u16string_view line) override { traces.emplace_back(line); }
};

}  // namespace perix::test
