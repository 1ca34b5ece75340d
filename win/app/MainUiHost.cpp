#include "app/MainUiHost.h"

#include <shellapi.h>

#include <string>

#include "app/FileDialogs.h"
#include "app/QMcfgDlg.h"
#include "dialogs/DPIShift.h"
#include "dialogs/EditDelay.h"
#include "dialogs/GunfireDlg.h"
#include "dialogs/KeyExDlg.h"
#include "dialogs/MacroSelDlg.h"
#include "dialogs/RenameProfileDlg.h"
#include "dialogs/XShoot.h"
#include "framework/WideText.h"

namespace perix::win {

bool CMainUiHost::Warn(std::u16string_view text, bool okCancel) {
  m_window.ClosePopup();
  const UINT type = (okCancel ? MB_OKCANCEL : MB_OK) | MB_ICONWARNING;
  return MessageBoxW(m_window.Handle(), Wide(text).c_str(), L"Warning", type) == IDOK;
}

FileDialogOptions CMainUiHost::InProgramFolder(const FileDialogOptions& options) const {
  // A relative initial folder (the macro page's "Macro\") is one of the
  // program's own folders.
  FileDialogOptions resolved = options;
  const std::u16string& folder = options.initialFolder;
  const bool relative = !folder.empty() && folder.find(u':') == std::u16string::npos && folder[0] != u'\\' &&
                        folder[0] != u'/';
  if (relative) {
    const std::wstring& program = m_window.ProgramFolder();
    resolved.initialFolder = std::u16string(program.begin(), program.end()) + folder;
  }
  return resolved;
}

std::optional<std::u16string> CMainUiHost::ChooseFileToOpen(const FileDialogOptions& options) {
  m_window.ClosePopup();
  return ShowFileDialog(m_window.Handle(), InProgramFolder(options), false);
}

std::optional<std::u16string> CMainUiHost::ChooseFileToSave(const FileDialogOptions& options) {
  m_window.ClosePopup();
  return ShowFileDialog(m_window.Handle(), InProgramFolder(options), true);
}

void CMainUiHost::OpenWebAddress(std::u16string_view address) {
  ShellExecuteW(m_window.Handle(), L"open", Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CMainUiHost::OpenHelp() {
  if (HWND viewer = FindWindowW(nullptr, L"HTML Help")) {
    if (IsIconic(viewer)) ShowWindow(viewer, SW_RESTORE);
    SetForegroundWindow(viewer);
    SetActiveWindow(viewer);
    return;
  }
  // The folder already ends with its backslash.
  const std::wstring file = m_window.ProgramFolder() + L"Vantorcfg.chm";
  ShellExecuteW(m_window.Handle(), L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CMainUiHost::CloseMainWindow(int result) { m_window.EndDialog(result); }

void CMainUiHost::MinimiseMainWindow() {
  if (HWND window = m_window.Handle()) SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

template <typename Dialog, typename Edited>
bool CMainUiHost::RunDialog(Edited& edited) {
  m_window.ClosePopup();
  Dialog dialog(edited, m_window.Texts());
  return dialog.DoModal(m_window.Handle()) == IDOK;
}

bool CMainUiHost::RunNumberEntry(NumberEntry& entry) {
  // The caller's entry changes only on OK.
  NumberEntry edited = entry;
  if (!RunDialog<CEditDelay>(edited)) return false;
  entry = edited;
  return true;
}

bool CMainUiHost::RunKeyDialog(SingleKeyCapture& capture) { return RunDialog<CKeyExDlg>(capture); }
bool CMainUiHost::RunFireKeyDialog(FireKeyEditor& editor) { return RunDialog<CGunfireDlg>(editor); }
bool CMainUiHost::RunXShootDialog(XShootEditor& editor) { return RunDialog<CXShoot>(editor); }
bool CMainUiHost::RunDpiShiftDialog(DpiShiftEditor& editor) { return RunDialog<CDPIShift>(editor); }

bool CMainUiHost::RunMacroSelection(MacroSelection& selection) { return RunDialog<CMacroSelDlg>(selection); }

// The rename dialog comes with the macro page; until then it answers as
// cancelled.

std::optional<std::u16string> CMainUiHost::RunRenameDialog(std::u16string_view current) {
  m_window.ClosePopup();
  CRenameProfileDlg dialog{std::u16string(current), m_window.Texts()};
  if (dialog.DoModal(m_window.Handle()) != IDOK) return std::nullopt;
  return dialog.Name();
}

void CMainUiHost::OpenPopupMenu(const PopupMenuRequest& request) { m_window.OpenPopupMenu(request); }

void CMainUiHost::ClosePopupMenu() { m_window.ClosePopup(); }

void CMainUiHost::OpenMacroNameMenu(const std::vector<std::u16string>& names, Point origin) {
  m_window.OpenMacroNameMenu(names, origin);
}

void CMainUiHost::CloseMacroNameMenu() { m_window.CloseMacroNameMenu(); }

bool CMainUiHost::MacroNameMenuOpen() { return m_window.MacroNameMenuOpen(); }

void CMainUiHost::EnableHook(bool enable) { m_window.Hook().Enable(enable ? 1 : 0); }

void CMainUiHost::Trace(std::u16string_view line) { OutputDebugStringW(Wide(line).c_str()); }

}  // namespace perix::win
