#pragma once
// CBmpMenu: the skinned popup menu, a modeless borderless dialog (template
// 144) with one image button per item of the program-wide item list
// (BmpMenuItems.h), and CSubBmpMenu, the sub-menu of one item, which opens
// while the pointer is over that item.
//
// Opening a menu:
//   CBmpMenu::AddItem(text, command);                 // fills the shared list
//   CBmpMenu::AddSubItem(index, text, value);         // items with sub-menus
//   auto menu = std::make_unique<CBmpMenu>();
//   menu->SetImages(background, over, down, disabled);           // file names
//   menu->SetSubMenuImages(background, over, down, disabled);
//   menu->SetPosition(x, y);                                     // screen
//   menu->Create(opener);
// The choice reaches the opener as message 0x501 (MenuChoice.h); the opener
// then destroys the menu, which empties the item list. Only one menu exists
// at a time: destroy the open one before filling the list for the next.

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "app/PopupMenu.h"
#include "controls/BitmapBtn.h"
#include "framework/Dialog.h"
#include "framework/GdiPlus.h"
#include "skin/MenuGeometry.h"

namespace perix::win {

// The four images of a menu or sub-menu: background (also the items' normal
// look), item highlighted, item pressed, item disabled.
struct MenuImages {
  ImagePtr background;
  ImagePtr highlighted;
  ImagePtr pressed;
  ImagePtr disabled;
};

MenuImages LoadMenuImages(std::wstring_view background, std::wstring_view highlighted, std::wstring_view pressed,
                          std::wstring_view disabled);

class CBmpMenu;

class CSubBmpMenu : public CDialogBase {
 public:
  // `images` belong to the menu and outlive the sub-menu.
  CSubBmpMenu(CBmpMenu& menu, int parentIndex, const MenuImages& images, int fontHeight);
  ~CSubBmpMenu() override;

  bool Open(const RECT& screenRect);
  int ParentIndex() const { return m_parentIndex; }

 private:
  PERIX_DECLARE_MESSAGE_TABLE();
  BOOL OnInitDialog() override;
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnItemCommand(WPARAM, LPARAM);

  CBmpMenu& m_menu;  // not owned: the menu owns its sub-menu
  int m_parentIndex;
  const MenuImages& m_images;
  int m_fontHeight;
  RECT m_screenRect{};
  std::vector<std::unique_ptr<CBitmapBtn>> m_items;  // owned
};

class CBmpMenu : public CDialogBase {
 public:
  CBmpMenu();
  ~CBmpMenu() override;

  static int AddItem(std::wstring_view text, std::uint32_t command);
  static bool AddSubItem(int itemIndex, std::wstring_view text, std::uint32_t value);

  // File names: absolute, or relative to the program folder.
  void SetImages(std::wstring_view background, std::wstring_view highlighted, std::wstring_view pressed,
                 std::wstring_view disabled);
  void SetSubMenuImages(std::wstring_view background, std::wstring_view highlighted, std::wstring_view pressed,
                        std::wstring_view disabled);
  void SetPosition(int x, int y);
  void SetItemStyle(int style) { m_itemStyle = style; }
  void SetFontHeight(int height) { m_fontHeight = height; }

  // Creates the menu window, owned by `opener`, and shows it.
  bool Create(HWND opener);

  HWND Opener() const { return m_opener; }
  CSubBmpMenu* OpenSubMenu() { return m_subMenu.get(); }
  int ItemCount() const { return static_cast<int>(m_items.size()); }
  HWND ItemWindow(int index) const;

 private:
  friend class CSubBmpMenu;
  PERIX_DECLARE_MESSAGE_TABLE();
  BOOL OnInitDialog() override;
  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM);
  LRESULT OnMouseMove(WPARAM, LPARAM);
  LRESULT OnItemCommand(WPARAM, LPARAM);
  LRESULT OnSubMenuChoice(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);

  void OpenSubMenuFor(int index);
  void CloseSubMenu();

  HWND m_opener = nullptr;
  MenuImages m_images;
  MenuImages m_subImages;
  POINT m_position{};
  int m_itemStyle = kMenuItemsTall;
  int m_fontHeight = 13;
  std::vector<std::unique_ptr<CBitmapBtn>> m_items;  // owned
  std::unique_ptr<CSubBmpMenu> m_subMenu;            // owned; the open sub-menu
};

// Fills the item list from a request and opens the menu with the images of
// its layout, its top-left corner at `screen`, owned by `opener`, which gets
// the choice. Null (and the list emptied) when the window could not be made.
// Destroy the open menu first.
std::unique_ptr<CBmpMenu> ShowBmpMenu(const PopupMenuRequest& request, POINT screen, HWND opener);

}  // namespace perix::win
