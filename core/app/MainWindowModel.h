#pragma once
// The main window's logic, without the window: page switching, the command
// dispatch, profile selection, the reset of all profiles, profile files, and
// the handling of every request from the device service. It changes the
// configuration and the view; the Win32 window forwards messages here and
// draws the view.

#include <cstdint>
#include <memory>
#include <string>

#include "app/MainView.h"
#include "app/PageContext.h"
#include "app/TextSource.h"
#include "app/UiHost.h"
#include "buttons/ButtonPage.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroPage.h"
#include "performance/AdvancedPage.h"
#include "performance/DpiPage.h"
#include "performance/LightingPage.h"
#include "store/ConfigSession.h"

namespace perix {

// The maker's web address, opened by the web button and shown as its caption.
inline constexpr char16_t kWebAddress[] = u"https://zelt.example";

// Messages of the program's own that the main window handles.
namespace WindowMessage {
inline constexpr unsigned SliderPosition = 0x446;  // wParam position, lParam control ID
inline constexpr unsigned MenuChoice = 0x501;
inline constexpr unsigned ColourChosen = 1303;     // wParam colour
inline constexpr unsigned Unhandled1282 = 1282;
inline constexpr unsigned HookKey = 0x8D2;         // wParam virtual key, lParam flags
}  // namespace WindowMessage

class MainWindowModel final : private FileProblemReporter {
 public:
  // `clock` times the pauses of macro recording.
  MainWindowModel(ConfigSession& session, UiHost& ui, TextSource& texts, MacroClock& clock = SteadyMacroClock());
  ~MainWindowModel() override;
  MainWindowModel(const MainWindowModel&) = delete;
  MainWindowModel& operator=(const MainWindowModel&) = delete;

  const MainView& View() const { return m_view; }
  int CurrentPage() const { return m_view.page; }
  bool ResetPending() const { return m_context.resetPending; }
  ConfigSession& Session() { return m_context.session; }
  MacroLibrary& Macros() { return m_macros; }

  // Start-up. The captions every control reads from its page's skin file.
  void LoadCaptions();
  // The dialog initialisation once the data folder is known: load and
  // validate "Mouse.ini", show the home page, fill every page.
  void InitDialog();
  // The one-shot deferred initialisation (timer 10002).
  void OnDeferredInit();

  // A click on one of the window's controls. An open popup menu closes first.
  void OnCommand(Control control);
  // A left-button press on the window's background (the start of a drag):
  // closes the open popup menu and forgets the button it was opened for.
  void OnBackgroundPress();
  // The choice made in a popup menu (message 0x501): the menu closes, then
  // the choice goes to the current page (the button, macro or lighting page);
  // on other pages it is dropped.
  void OnMenuChoice(std::uint64_t wParam, std::uint64_t lParam);
  // A slider report (0x446); repeats of the last report are dropped, whichever
  // slider sent it.
  void OnSliderPosition(int position, int controlId);
  void OnColourChosen(std::uint32_t colour);
  // Requests the device service posts (1034, 1224, 1280, 1285, 1294) and the
  // window's other numbered messages; returns the message's result.
  std::intptr_t OnServiceRequest(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  // Makes a page (100000..100004, or 100005) current and shows its controls.
  void ShowPage(int identifier);
  // Brings every page's controls in line with the live configuration.
  void RefreshPages();

  void SelectProfile(int index);
  void ResetAllProfiles();
  void ImportProfileFile();
  void ExportProfileFile();

  DpiPage& Dpi() { return m_dpi; }
  AdvancedPage& Advanced() { return m_advanced; }
  LightingPage& Lighting() { return m_lighting; }
  ButtonPage& Buttons() { return m_buttons; }
  // The macro page: the window hands it the action list's reports, the
  // name menu's choice, the boxes' texts and the hook's key events.
  MacroPage& Macro() { return m_macroPage; }

 private:
  // Failed saves of the settings file reach the user here.
  void ReportFileProblem(const FileProblem& problem) override { m_context.ReportFileProblem(problem); }
  FileDialogOptions ProfileDialogSpec() const;
  void OnHomeCommand(Control control);
  void ShowMacroNumbers(std::int32_t first, std::int32_t second);

  MainView m_view;
  PageContext m_context;
  MacroLibrary m_macros;
  DpiPage m_dpi;
  AdvancedPage m_advanced;
  LightingPage m_lighting;
  ButtonPage m_buttons;
  MacroPage m_macroPage;
  // Which popup is open; 0 for every menu the window opens itself.
  int m_menuKind = 0;
  struct SliderReport {
    int position = 0;
    int controlId = 0;
  } m_lastSlider;
};

}  // namespace perix
