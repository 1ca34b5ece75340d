#pragma once
// The skinned popup menus the main window opens (the assignment menu, the
// lighting mode and direction menus, the macro editor's menus), as the page
// logic asks for them. A page fills a request; the front-end shows it with
// the images of its menu layout and reports the choice back as message 0x501,
// which the main window hands to the current page (MainWindowModel::OnMenuChoice).
//
// Only one popup is open at a time: opening one closes the open one, and any
// click, drag or menu choice in the main window closes it first.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/BmpMenuItems.h"
#include "skin/Layout.h"

namespace perix {

struct PopupMenuItem {
  std::u16string text;
  std::uint32_t command = 0;             // only its low 16 bits are reported
  std::vector<BmpSubMenuItem> subItems;  // a group: shown in a sub-menu
};

struct PopupMenuRequest {
  Menu menu = Menu::Count;                 // the images and item height of the menu
  std::optional<Menu> subMenu;             // the images of its sub-menus, when items have sub-items
  std::vector<PopupMenuItem> items;
  Point origin;                            // top-left corner, in the main window's client coordinates
  // When set: a menu whose corner plus this size would pass the right or
  // bottom edge of the screen moves left or up by the same amount.
  std::optional<Size> keepOnScreen;
};

// Where a menu at `screen` opens on a screen of `screenSize`, after the
// keep-on-screen rule above.
Point KeepMenuOnScreen(Point screen, std::optional<Size> keepOnScreen, Size screenSize);

}  // namespace perix
