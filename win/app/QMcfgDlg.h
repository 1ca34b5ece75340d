#pragma once
// CQMcfgDlg: the utility's one top-level window, a borderless skinned dialog
// run modally by the application object. It builds every page's controls
// from the skin, turns window messages into calls of the core's
// MainWindowModel, and renders the model's view after each call.
//
// Start-up (WM_CREATE, then WM_INITDIALOG): the program folder becomes the
// working directory; the string table and the skin face are found; every
// control is built; KBHook.dll is loaded, installed and disabled; the
// deferred-initialisation timer starts; then the data folder is resolved,
// "Mouse.ini" loaded and validated, the home page shown and every page
// filled. On destruction the hook is disabled and removed and the working
// directory restored.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Diagnostics.h"
#include "app/HookLibrary.h"
#include "app/MainControls.h"
#include "app/MainUiHost.h"
#include "app/MainWindowModel.h"
#include "app/TimedTexts.h"
#include "app/CountingFileSystem.h"
#include "app/ViewRenderer.h"
#include "controls/BmpMenu.h"
#include "controls/MacroNameMenu.h"
#include "framework/ChildComposer.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "skin/SkinTexts.h"
#include "store/ConfigSession.h"

namespace perix::win {

inline constexpr wchar_t kMainWindowTitle[] = L"ZELT-7700 PERIX gaming mouse";

class CQMcfgDlg : public CDialogBase {
 public:
  explicit CQMcfgDlg(DiagnosticOptions diagnostics = {});
  ~CQMcfgDlg() override;

  // Closes the open popup menu, if any (before any action of a click, a
  // drag or a message box).
  void ClosePopup();
  friend class CMainUiHost;
  CHookLibrary& Hook() { return m_hook; }
  const std::wstring& ProgramFolder() const { return m_programFolder; }
  // The skin files and the string table, for the dialogs.
  TextSource& Texts() { return *m_texts; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  LRESULT OnCreate(WPARAM, LPARAM);
  BOOL OnInitDialog() override;
  // Enter and Esc do not end the program: the window closes only by its
  // close buttons or the system's close command.
  void OnOK() override {}
  void OnCancel() override {}
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnPrintClient(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnQueryDragIcon(WPARAM, LPARAM);
  LRESULT OnBackgroundPress(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnControlCommand(WPARAM, LPARAM);
  LRESULT OnSliderPosition(WPARAM, LPARAM);
  LRESULT OnColourChosen(WPARAM, LPARAM);
  LRESULT OnServiceRequest(WPARAM, LPARAM);
  LRESULT OnMenuChoice(WPARAM, LPARAM);
  LRESULT OnStartDiagnostics(WPARAM, LPARAM);

  void BuildMainWindow();
  LRESULT OnBuildOtherPages(WPARAM, LPARAM);
  void SetUpActionList();
  // Renders the model's view into the controls and repaints what changed.
  void ApplyView();
  // The current page's background and the macro page's two numbers, over
  // `area` of the client area.
  void DrawPage(HDC dc, const RECT& area);
  void RepaintAll();
  // After a paint that composed the controls: they need no paint of their
  // own; the others paint now.
  void FinishComposedPaint();
  bool Composable(HWND child) const;
  // Opens a skinned popup menu as the page logic asked (PopupMenu.h), closing
  // the open one first.
  void OpenPopupMenu(const PopupMenuRequest& request);
  // The macro name menu, opened at `origin` in client coordinates; one at a
  // time.
  void OpenMacroNameMenu(const std::vector<std::u16string>& names, Point origin);
  void CloseMacroNameMenu() { m_nameMenu.reset(); }
  bool MacroNameMenuOpen() const { return m_nameMenu != nullptr; }
  void ReportFirstPaint();

  // The macro page's messages: the name menu's choice, the action list's
  // reports, the boxes' key releases and the hook's key events.
  LRESULT OnMacroNameChosen(WPARAM, LPARAM);
  LRESULT OnActionListReport(WPARAM, LPARAM);
  LRESULT OnEditKeyUp(WPARAM, LPARAM);
  LRESULT OnHookKey(WPARAM, LPARAM);
  // A box of the macro page reports its text to the model.
  void EditBoxChanged(Control control);

  // Diagnostics (Diagnostics.h); QMcfgDlg_diagnostics.cpp.
  void ClickControl(Control control);
  void ShowPageByClicks(Page page);
  bool RunStress(int rounds, CDiagnosticReport& report);
  void RunPageBench(int switches, CDiagnosticReport& report);
  void ContinueMemoryTour();
  static constexpr UINT_PTR kMemoryTourTimer = 10003;
  int m_memoryTourStep = 0;

  DiagnosticOptions m_diagnostics;
  std::wstring m_programFolder;    // with a trailing backslash
  std::wstring m_savedDirectory;   // the working directory before creation
  CCountingFileSystem m_files;
  std::unique_ptr<SkinTexts> m_skinTexts;    // owned; made once the program folder is known
  std::unique_ptr<CTimedTexts> m_texts;      // owned; m_skinTexts, timed
  CHookLibrary m_hook;
  CMainUiHost m_ui;
  CMainControls m_controls;
  CViewRenderer m_renderer;
  std::unique_ptr<ConfigSession> m_session;  // owned; made once the data folder is known
  std::unique_ptr<MainWindowModel> m_model;  // owned; uses m_session, m_ui, *m_texts
  std::unique_ptr<CBmpMenu> m_popup;         // owned; the open popup menu
  std::unique_ptr<CMacroNameMenu> m_nameMenu;  // owned; the open macro name menu
  bool m_applyingView = false;  // the renderer is setting texts: their change reports are its own
  HICON m_icon = nullptr;                    // shared resource icons, never destroyed
  HICON m_smallIcon = nullptr;
  FontHandle m_numbersFont;                  // owned; the macro page's numbers
  bool m_painted = false;
  bool m_composeChildren = false;  // the next paint composes the controls
  CChildComposer m_composer;
  CBandPainter m_bands;
  // Where page switches spent their time (the page bench reports it):
  // showing and hiding the controls, and painting the page.
  struct {
    double apply = 0;
    double paint = 0;
  } m_switchTimes;
  double m_createdAtMs = 0;      // since process creation: WM_CREATE
};

}  // namespace perix::win
