#pragma once
// CMacroNameMenu: the drop-down that lists the macro library, opened at the
// lower-left corner of the button showing a macro's name (the macro page's
// name button, the macro selection dialog's drop-down). One row per macro,
// in library order, at most 20; the row under the pointer is highlighted.
// Choosing a row (click or double-click) posts kMacroNameChosenMessage
// (0x3414, ControlMessages.h) to the owner once, wParam = the row's library
// index, lParam 0. The menu never closes itself: its owner destroys it.
//
// One menu per owner, kept by the owner:
//   std::unique_ptr<CMacroNameMenu> m_nameMenu;  // owned; the open name menu
//   // the opening button clicked:
//   if (m_nameMenu) {
//     m_nameMenu.reset();                         // clicked again: it closes
//   } else {
//     m_nameMenu = std::make_unique<CMacroNameMenu>();
//     if (!m_nameMenu->Open(Handle(), CMacroNameMenu::BelowButton(button), names)) m_nameMenu.reset();
//   }
//   // on 0x3414: m_nameMenu.reset(), then take library entry wParam.

#include <string>
#include <vector>

#include "controls/ListBoxEx.h"
#include "framework/Dialog.h"
#include "framework/GdiPlus.h"

namespace perix::win {

class CMacroNameMenu : public CDialogBase {
 public:
  static constexpr UINT kListId = 4113;
  // Black list, white text, this colour (0x00BBGGRR) under the pointer and
  // along the bottom and right edges.
  static constexpr COLORREF kHighlight = 0xFF3396;

  CMacroNameMenu();
  ~CMacroNameMenu() override;

  // Opens the menu with its top-left corner at `screen`, listing `names`
  // (the first 20). False, and nothing opens, when there are no names or the
  // window cannot be made.
  bool Open(HWND owner, POINT screen, const std::vector<std::wstring>& names);

  // The lower-left corner of a button, in screen coordinates.
  static POINT BelowButton(HWND button);

  HWND Owner() const { return m_owner; }
  int RowCount() const { return static_cast<int>(m_names.size()); }
  CListBoxEx& List() { return m_list; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  BOOL OnInitDialog() override;
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnListChoice(WPARAM, LPARAM);
  LRESULT OnListPress(WPARAM, LPARAM);
  void Choose(int row);

  HWND m_owner = nullptr;  // not owned
  POINT m_position{};
  std::vector<std::wstring> m_names;
  ImagePtr m_background;  // owned
  SIZE m_size{};
  CListBoxEx m_list;
  bool m_chosen = false;  // the choice is posted once, however it was made
};

}  // namespace perix::win
