#pragma once
// CMacroSelDlg: the macro selection dialog. The drop-down opens the macro
// name menu (CMacroNameMenu) with the library; the three mode buttons choose
// how the button plays the macro. OK keeps both (the caller stores them).

#include <memory>

#include "controls/MacroNameMenu.h"
#include "dialogs/SkinnedDialog.h"
#include "macros/MacroSelection.h"

namespace perix::win {

inline constexpr wchar_t kMacroSelectionTitle[] = L"Choose a macro";

class CMacroSelDlg : public CSkinnedDialog {
 public:
  CMacroSelDlg(MacroSelection& selection, TextSource& texts);
  ~CMacroSelDlg() override;

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  void OnOpen() override;
  void OnClick(int control) override;
  void CloseMenu() override;
  LRESULT OnNameChosen(WPARAM, LPARAM);

  void ShowChoice();

  MacroSelection& m_selection;              // not owned
  std::unique_ptr<CMacroNameMenu> m_names;  // owned; the open name menu
  bool m_namesWereOpen = false;             // when the menus were last closed
};

}  // namespace perix::win
