#include "dialogs/MacroSelDlg.h"

#include <string>
#include <vector>

#include "controls/BitmapBtn.h"
#include "skin/ControlMessages.h"

namespace perix::win {
namespace {

constexpr MacroSelectControl kModeButtons[] = {MacroSelectControl::Mode0, MacroSelectControl::Mode1,
                                               MacroSelectControl::Mode2};

}  // namespace

PERIX_BEGIN_MESSAGE_TABLE(CMacroSelDlg, CSkinnedDialog)
  OnMessage<&CMacroSelDlg::OnNameChosen>(kMacroNameChosenMessage),
PERIX_END_MESSAGE_TABLE(CMacroSelDlg, CSkinnedDialog)

CMacroSelDlg::CMacroSelDlg(MacroSelection& selection, TextSource& texts)
    : CSkinnedDialog(Dialog::MacroSelect, texts, kMacroSelectionTitle), m_selection(selection) {}

CMacroSelDlg::~CMacroSelDlg() {
  m_names.reset();
  DestroyWindow();
}

void CMacroSelDlg::OnOpen() { ShowChoice(); }

void CMacroSelDlg::ShowChoice() {
  if (!m_selection.ChosenName().empty()) SetControlText(MacroSelectControl::MacroDropDown, m_selection.ChosenName());
  for (int mode = 0; mode < kMacroPlayModeCount; ++mode) {
    if (auto* button = static_cast<CBitmapBtn*>(ControlWindow(kModeButtons[mode]))) {
      button->SetCheck(static_cast<int>(m_selection.PlayMode()) == mode ? 1 : 0);
    }
  }
}

void CMacroSelDlg::CloseMenu() {
  m_namesWereOpen = m_names != nullptr;
  m_names.reset();
  CSkinnedDialog::CloseMenu();
}

void CMacroSelDlg::OnClick(int control) {
  // The frame has closed an open name menu: a second click on the
  // drop-down only closes it.
  if (control == static_cast<int>(MacroSelectControl::MacroDropDown)) {
    if (m_namesWereOpen) return;
    std::vector<std::wstring> names;
    for (const std::u16string& name : m_selection.Names()) names.emplace_back(name.begin(), name.end());
    CWindowBase* dropDown = ControlWindow(MacroSelectControl::MacroDropDown);
    m_names = std::make_unique<CMacroNameMenu>();
    if (!dropDown || !m_names->Open(Handle(), CMacroNameMenu::BelowButton(dropDown->Handle()), names)) m_names.reset();
    return;
  }
  for (int mode = 0; mode < kMacroPlayModeCount; ++mode) {
    if (control == static_cast<int>(kModeButtons[mode])) {
      m_selection.SetPlayMode(static_cast<MacroPlayMode>(mode));
      ShowChoice();
    }
  }
}

LRESULT CMacroSelDlg::OnNameChosen(WPARAM wParam, LPARAM) {
  m_names.reset();
  m_selection.Choose(static_cast<int>(static_cast<INT_PTR>(wParam)));
  ShowChoice();
  return 0;
}

}  // namespace perix::win
