#pragma once
// CSkinnedDialog: the frame of the program's small modal dialogs (key,
// number entry, rename, fire key, X-shoot, DPI shift, macro selection).
//
// A dialog names its table in core/skin/Layout.h (Dialog::...); the frame
//  - reads section "Screen" of the table's skin file and paints "Main" as
//    the background; the window takes the size of that image (the table's
//    size without one) and, when the skin gives a "Mask", its shape;
//  - creates every control of the table at its place, with its looks cut
//    from the window images and its caption from section "BUTTONPOS"
//    (key = the control's caption key);
//  - closes with 1 on the OK button (control 0) once OnAccept agrees, and
//    with 2 on the Cancel button (control 1), the close button (control 2)
//    and the system's close command (Alt+F4);
//  - swallows Enter and Esc: neither closes a dialog of this program;
//  - moves the window when its background is dragged;
//  - opens its own skinned popup menus and hands their choice back.
//
// Using it:
//   class CMyDlg : public CSkinnedDialog {
//     CMyDlg(TextSource& texts) : CSkinnedDialog(Dialog::Rename, texts, L"Rename") {}
//     void OnOpen() override { SetControlText(RenameControl::NameBox, u"..."); }
//     bool OnAccept() override { m_name = ControlText(RenameControl::NameBox); return true; }
//   };
//   CMyDlg dialog(texts);
//   if (dialog.DoModal(owner) == IDOK) ...
//
// Controls are addressed by their table's enum (RenameControl::NameBox) or
// by their index in the table.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/PopupMenu.h"
#include "app/TextSource.h"
#include "controls/BmpMenu.h"
#include "controls/SkinnedControls.h"
#include "framework/Dialog.h"
#include "framework/GdiPlus.h"
#include "skin/Layout.h"
#include "skin/MenuChoice.h"

namespace perix::win {

// The frame's buttons, first in every dialog table.
inline constexpr int kFrameOk = 0;
inline constexpr int kFrameCancel = 1;
inline constexpr int kFrameClose = 2;

class CSkinnedDialog : public CDialogBase {
 public:
  // `texts` (the skin files and the string table) must outlive the dialog.
  // `title` names the window for the system and for tools; it is not shown.
  CSkinnedDialog(Dialog dialog, TextSource& texts, std::wstring_view title);
  ~CSkinnedDialog() override;

  const DialogLayout& Layout() const { return m_layout; }

  // The control's window; null when it could not be made.
  CWindowBase* ControlWindow(int index) const;
  template <typename E>
  CWindowBase* ControlWindow(E control) const {
    return ControlWindow(static_cast<int>(control));
  }

 protected:
  // --- What a dialog adds.
  // The controls exist and show their skin captions: show the values.
  virtual void OnOpen() {}
  // OK was clicked: store what the dialog edits. False keeps it open.
  virtual bool OnAccept() { return true; }
  // A click on one of the dialog's own image buttons (not OK, Cancel, close).
  virtual void OnClick(int /*control*/) {}
  // The user changed the text of an edit box (EN_CHANGE); texts the dialog
  // writes itself (SetControlText) are not reported.
  virtual void OnEditChanged(int /*control*/) {}
  // A key was released in an edit box.
  virtual void OnEditKeyUp(int /*control*/, WPARAM /*key*/) {}
  // A slider reported its position.
  virtual void OnSlider(int /*control*/, int /*position*/) {}
  // A choice in a popup menu opened with OpenMenu (the menu is closed by then).
  virtual void OnMenuChoice(const MenuChoice& /*choice*/) {}

  // Enter and Esc close nothing. A dialog that captures keys overrides this
  // and calls the frame's version for what it does not take.
  bool PreTranslateMessage(MSG& message) override;

  // --- What the frame offers.
  void SetControlText(int index, std::u16string_view text);
  template <typename E>
  void SetControlText(E control, std::u16string_view text) {
    SetControlText(static_cast<int>(control), text);
  }
  std::u16string ControlText(int index) const;
  // Rewrites what the user typed into an edit box, the caret at the end.
  void ReplaceEditText(int index, std::u16string_view text);
  template <typename E>
  std::u16string ControlText(E control) const {
    return ControlText(static_cast<int>(control));
  }
  // The control's rectangle on the screen.
  RECT ControlScreenRect(int index) const;
  template <typename E>
  RECT ControlScreenRect(E control) const {
    return ControlScreenRect(static_cast<int>(control));
  }
  // The caption of a key of section "BUTTONPOS" of the dialog's skin file.
  std::u16string SkinCaption(int key) const;
  // A window image of the skin file; null when it is missing.
  Gdiplus::Bitmap* Image(SkinImage image) const { return m_images[static_cast<std::size_t>(image)]; }
  TextSource& Texts() const { return m_texts; }

  // Opens a skinned popup menu with its top-left corner at `screen`, closing
  // the open one first. Its choice comes back through OnMenuChoice.
  void OpenMenu(Menu menu, std::vector<PopupMenuItem> items, POINT screen);
  // Closes the open popup menu; a click anywhere and a press on the
  // background do this first. A dialog with menus of its own closes them too.
  virtual void CloseMenu();
  bool MenuOpen() const { return m_menu != nullptr; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  BOOL OnInitDialog() final;
  // IDOK and IDCANCEL come from Enter and Esc (the dialog manager's); the
  // frame's own buttons carry no such IDs.
  void OnOK() final {}
  void OnCancel() final {}
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnSystemCommand(WPARAM, LPARAM);
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnBackgroundPress(WPARAM, LPARAM);
  LRESULT OnCommandMessage(WPARAM, LPARAM);
  LRESULT OnEditKeyUpMessage(WPARAM, LPARAM);
  LRESULT OnSliderMessage(WPARAM, LPARAM);
  LRESULT OnMenuChoiceMessage(WPARAM, LPARAM);

  void LoadImages();
  void BuildControls();
  std::optional<int> IndexOf(HWND control) const;
  std::optional<int> IndexWithId(int id) const;
  UINT WindowIdOf(int index) const;

  const DialogLayout& m_layout;
  TextSource& m_texts;  // not owned
  std::vector<ImagePtr> m_ownedImages;                // owned
  WindowImages m_images{};                            // into m_ownedImages
  Gdiplus::Bitmap* m_mask = nullptr;                  // into m_ownedImages; the "Mask" image
  std::vector<std::unique_ptr<CWindowBase>> m_controls;  // owned; by table index
  std::unordered_map<HWND, int> m_byHandle;
  std::unique_ptr<CBmpMenu> m_menu;  // owned; the open popup menu
  bool m_writingText = false;         // SetControlText is at work
};

}  // namespace perix::win
