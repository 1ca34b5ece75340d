#pragma once
// The main window's side effects as the page logic asks for them: "Warning"
// boxes, the file dialogs, the shell, closing and minimising the window, the
// keyboard hook and debugger traces.

#include "app/UiHost.h"
#include "framework/Win32.h"

namespace perix::win {

class CQMcfgDlg;

class CMainUiHost final : public UiHost {
 public:
  explicit CMainUiHost(CQMcfgDlg& window) : m_window(window) {}

  bool Warn(std::u16string_view text, bool okCancel) override;
  std::optional<std::u16string> ChooseFileToOpen(const FileDialogOptions& options) override;
  std::optional<std::u16string> ChooseFileToSave(const FileDialogOptions& options) override;
  void OpenWebAddress(std::u16string_view address) override;
  void OpenHelp() override;
  void CloseMainWindow(int result) override;
  void MinimiseMainWindow() override;
  bool RunNumberEntry(NumberEntry& entry) override;
  bool RunKeyDialog(SingleKeyCapture& capture) override;
  bool RunFireKeyDialog(FireKeyEditor& editor) override;
  bool RunXShootDialog(XShootEditor& editor) override;
  bool RunDpiShiftDialog(DpiShiftEditor& editor) override;
  bool RunMacroSelection(MacroSelection& selection) override;
  std::optional<std::u16string> RunRenameDialog(std::u16string_view current) override;
  void OpenPopupMenu(const PopupMenuRequest& request) override;
  void ClosePopupMenu() override;
  void OpenMacroNameMenu(const std::vector<std::u16string>& names, Point origin) override;
  void CloseMacroNameMenu() override;
  bool MacroNameMenuOpen() override;
  void EnableHook(bool enable) override;
  void Trace(std::u16string_view line) override;

 private:
  // Runs a skinned dialog on what it edits, over the main window.
  template <typename Dialog, typename Edited>
  bool RunDialog(Edited& edited);
  FileDialogOptions InProgramFolder(const FileDialogOptions& options) const;

  CQMcfgDlg& m_window;  // not owned: the window owns this
};

}  // namespace perix::win
