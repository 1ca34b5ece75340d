#include "controls/BmpMenu.h"

#include <string>

#include "controls/SkinImage.h"
#include "framework/Gdi.h"
#include "skin/BmpMenuItems.h"
#include "skin/ControlMessages.h"
#include "skin/MenuChoice.h"
#include "framework/WideText.h"

namespace perix::win {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

std::u16string U16From(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

bool ValidIndex(int index) { return index >= 0 && static_cast<std::size_t>(index) < BmpMenuItemList().size(); }

// One item button of a menu or sub-menu, at `rect` in its client area.
std::unique_ptr<CBitmapBtn> MakeItemButton(HWND parent, const Rect& rect, int itemHeight, int imageWidth,
                                           const MenuImages& images, std::wstring_view text, int fontHeight) {
  auto button = std::make_unique<CBitmapBtn>();
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  if (!button->Create(L"", WS_VISIBLE, r, parent, 0)) return nullptr;
  button->SetImages(rect.left, rect.top, rect.Width(), rect.Height(), images.background.get(),
                    images.highlighted.get(), images.pressed.get(), images.disabled.get());
  button->SetCaption(text, 0, 1);
  button->SetTextBox(RECT{0, 0, imageWidth, itemHeight}, TextBoxLayout::LeftWrapped);
  button->SetFontHeight(fontHeight);
  button->SetTextColors(kWhite, kWhite, kWhite);
  return button;
}

void PaintBackground(HWND hwnd, Gdiplus::Bitmap* background) {
  PaintDc paint(hwnd);
  const SIZE size = ImageSize(background);
  DrawImage(paint.Get(), background, RECT{0, 0, size.cx, size.cy});
}

}  // namespace

MenuImages LoadMenuImages(std::wstring_view background, std::wstring_view highlighted, std::wstring_view pressed,
                          std::wstring_view disabled) {
  MenuImages images;
  images.background = LoadImageFile(background);
  images.highlighted = LoadImageFile(highlighted);
  images.pressed = LoadImageFile(pressed);
  images.disabled = LoadImageFile(disabled);
  return images;
}

// The sub-menu.

PERIX_BEGIN_MESSAGE_TABLE(CSubBmpMenu, CDialogBase)
  OnMessage<&CSubBmpMenu::OnPaint>(WM_PAINT),
  OnMessage<&CSubBmpMenu::OnEraseBackground>(WM_ERASEBKGND),
  OnMessage<&CSubBmpMenu::OnItemCommand>(WM_COMMAND),
PERIX_END_MESSAGE_TABLE(CSubBmpMenu, CDialogBase)

CSubBmpMenu::CSubBmpMenu(CBmpMenu& menu, int parentIndex, const MenuImages& images, int fontHeight)
    : CDialogBase(DialogTemplate::Popup()),
      m_menu(menu),
      m_parentIndex(parentIndex),
      m_images(images),
      m_fontHeight(fontHeight) {}

CSubBmpMenu::~CSubBmpMenu() { DestroyWindow(); }

bool CSubBmpMenu::Open(const RECT& screenRect) {
  m_screenRect = screenRect;
  return CreateModeless(m_menu.Handle());
}

BOOL CSubBmpMenu::OnInitDialog() {
  const RECT& r = m_screenRect;
  SetWindowPos(Handle(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (!ValidIndex(m_parentIndex)) return FALSE;
  const auto& subItems = BmpMenuItemList()[static_cast<std::size_t>(m_parentIndex)].subItems;
  const int width = ImageSize(m_images.background.get()).cx;
  const auto rects = SubMenuItemRects(static_cast<int>(subItems.size()), width);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    auto button = MakeItemButton(Handle(), rects[i], kSubMenuItemHeight, width, m_images, Wide(subItems[i].text),
                                 m_fontHeight);
    m_items.push_back(std::move(button));
  }
  return FALSE;
}

LRESULT CSubBmpMenu::OnPaint(WPARAM, LPARAM) {
  PaintBackground(Handle(), m_images.background.get());
  return 0;
}

LRESULT CSubBmpMenu::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CSubBmpMenu::OnItemCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED || !ValidIndex(m_parentIndex)) return 0;
  const auto& subItems = BmpMenuItemList()[static_cast<std::size_t>(m_parentIndex)].subItems;
  for (std::size_t i = 0; i < m_items.size() && i < subItems.size(); ++i) {
    if (m_items[i] && m_items[i]->Handle() == reinterpret_cast<HWND>(lParam)) {
      const MenuMessageParams p = EncodeSubItemToMenu(m_parentIndex, static_cast<int>(i), subItems[i].value);
      PostMessageW(m_menu.Handle(), kSubMenuChoiceMessage, p.wParam, static_cast<LPARAM>(p.lParam));
      break;
    }
  }
  return 0;
}

// The menu.

PERIX_BEGIN_MESSAGE_TABLE(CBmpMenu, CDialogBase)
  OnMessage<&CBmpMenu::OnPaint>(WM_PAINT),
  OnMessage<&CBmpMenu::OnEraseBackground>(WM_ERASEBKGND),
  OnMessage<&CBmpMenu::OnMouseMove>(WM_MOUSEMOVE),
  OnMessage<&CBmpMenu::OnItemCommand>(WM_COMMAND),
  OnMessage<&CBmpMenu::OnSubMenuChoice>(kSubMenuChoiceMessage),
  OnMessage<&CBmpMenu::OnDestroy>(WM_DESTROY),
PERIX_END_MESSAGE_TABLE(CBmpMenu, CDialogBase)

CBmpMenu::CBmpMenu() : CDialogBase(DialogTemplate::Popup()) {}

CBmpMenu::~CBmpMenu() {
  DestroyWindow();
  ClearBmpMenuItems();
}

int CBmpMenu::AddItem(std::wstring_view text, std::uint32_t command) { return AddBmpMenuItem(U16From(text), command); }

bool CBmpMenu::AddSubItem(int itemIndex, std::wstring_view text, std::uint32_t value) {
  return AddBmpMenuSubItem(itemIndex, U16From(text), value);
}

void CBmpMenu::SetImages(std::wstring_view background, std::wstring_view highlighted, std::wstring_view pressed,
                         std::wstring_view disabled) {
  m_images = LoadMenuImages(background, highlighted, pressed, disabled);
}

void CBmpMenu::SetSubMenuImages(std::wstring_view background, std::wstring_view highlighted,
                                std::wstring_view pressed, std::wstring_view disabled) {
  m_subImages = LoadMenuImages(background, highlighted, pressed, disabled);
}

void CBmpMenu::SetPosition(int x, int y) { m_position = POINT{x, y}; }

bool CBmpMenu::Create(HWND opener) {
  m_opener = opener;
  return CreateModeless(opener);
}

HWND CBmpMenu::ItemWindow(int index) const {
  if (index < 0 || index >= ItemCount() || !m_items[static_cast<std::size_t>(index)]) return nullptr;
  return m_items[static_cast<std::size_t>(index)]->Handle();
}

BOOL CBmpMenu::OnInitDialog() {
  const SIZE size = ImageSize(m_images.background.get());
  // Without a background image the menu has no size.
  SetWindowPos(Handle(), nullptr, m_position.x, m_position.y, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  const auto& items = BmpMenuItemList();
  const int height = MenuItemHeight(m_itemStyle);
  const auto rects = MenuItemRects(static_cast<int>(items.size()), {size.cx, size.cy}, m_itemStyle);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    m_items.push_back(MakeItemButton(Handle(), rects[i], height, size.cx, m_images, Wide(MenuItemText(items[i])),
                                     m_fontHeight));
  }
  return FALSE;
}

LRESULT CBmpMenu::OnPaint(WPARAM, LPARAM) {
  PaintBackground(Handle(), m_images.background.get());
  return 0;
}

LRESULT CBmpMenu::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CBmpMenu::OnMouseMove(WPARAM, LPARAM lParam) {
  // Item buttons forward their moves with the point in screen coordinates.
  // A move over the menu's own background comes in client coordinates, and
  // that pointer is over no item.
  POINT pointer = PointFromLParam(lParam);
  const DWORD at = GetMessagePos();
  const POINT cursor{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (WindowFromPoint(cursor) == Handle()) ClientToScreen(Handle(), &pointer);

  auto& items = BmpMenuItemList();
  std::vector<MenuItemHit> hits;
  hits.reserve(m_items.size());
  for (std::size_t i = 0; i < m_items.size() && i < items.size(); ++i) {
    RECT r{};
    if (m_items[i]) GetWindowRect(m_items[i]->Handle(), &r);
    hits.push_back({ToRect(r), items[i].hasSubMenu != 0, items[i].subMenuOpen != 0});
  }
  std::optional<Rect> subWindow;
  if (m_subMenu && m_subMenu->Handle()) {
    RECT r{};
    GetWindowRect(m_subMenu->Handle(), &r);
    subWindow = ToRect(r);
  }
  const SubMenuChange change = DecideSubMenu({pointer.x, pointer.y}, hits, subWindow);
  if (change.close >= 0) CloseSubMenu();
  if (change.open >= 0) OpenSubMenuFor(change.open);
  return 0;
}

void CBmpMenu::OpenSubMenuFor(int index) {
  if (!ValidIndex(index)) return;
  CloseSubMenu();
  auto& item = BmpMenuItemList()[static_cast<std::size_t>(index)];
  const int menuWidth = ImageSize(m_images.background.get()).cx;
  const int subWidth = ImageSize(m_subImages.background.get()).cx;
  const Rect r = SubMenuWindowRect({m_position.x, m_position.y}, menuWidth, index, subWidth,
                                        static_cast<int>(item.subItems.size()));
  m_subMenu = std::make_unique<CSubBmpMenu>(*this, index, m_subImages, m_fontHeight);
  if (!m_subMenu->Open(RECT{r.left, r.top, r.right, r.bottom})) {
    m_subMenu.reset();
    return;
  }
  item.subMenuOpen = 1;
}

void CBmpMenu::CloseSubMenu() {
  if (!m_subMenu) return;
  const int index = m_subMenu->ParentIndex();
  m_subMenu.reset();
  if (ValidIndex(index)) BmpMenuItemList()[static_cast<std::size_t>(index)].subMenuOpen = 0;
}

LRESULT CBmpMenu::OnItemCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  const auto& items = BmpMenuItemList();
  for (std::size_t i = 0; i < m_items.size() && i < items.size(); ++i) {
    if (!m_items[i] || m_items[i]->Handle() != reinterpret_cast<HWND>(lParam)) continue;
    // An item with a sub-menu is chosen through its sub-items.
    if (items[i].hasSubMenu) break;
    const MenuMessageParams p = EncodeItemChoice(static_cast<int>(i), items[i].command);
    PostMessageW(m_opener, kMenuChoiceMessage, p.wParam, static_cast<LPARAM>(p.lParam));
    break;
  }
  return 0;
}

LRESULT CBmpMenu::OnSubMenuChoice(WPARAM wParam, LPARAM lParam) {
  const int parent = SubMenuParentIndex(wParam);
  if (!ValidIndex(parent)) return 0;
  const MenuMessageParams fromSub{static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam)};
  const MenuMessageParams p = EncodeSubItemChoice(fromSub, BmpMenuItemList()[static_cast<std::size_t>(parent)].command);
  PostMessageW(m_opener, kMenuChoiceMessage, p.wParam, static_cast<LPARAM>(p.lParam));
  return 0;
}

LRESULT CBmpMenu::OnDestroy(WPARAM, LPARAM) {
  // The sub-menu is owned by this window and goes with it.
  m_subMenu.reset();
  m_items.clear();
  return Default();
}

std::unique_ptr<CBmpMenu> ShowBmpMenu(const PopupMenuRequest& request, POINT screen, HWND opener) {
  if (request.menu == Menu::Count) return nullptr;
  for (const PopupMenuItem& item : request.items) {
    const int index = CBmpMenu::AddItem(Wide(item.text), item.command);
    for (const BmpSubMenuItem& sub : item.subItems) CBmpMenu::AddSubItem(index, Wide(sub.text), sub.value);
  }
  const auto file = [](std::string_view name) { return L"skins\\" + Wide(name); };
  auto popup = std::make_unique<CBmpMenu>();
  const MenuLayout& layout = MenuLayoutOf(request.menu);
  popup->SetImages(file(layout.background), file(layout.highlighted), file(layout.pressed), file(layout.disabled));
  if (request.subMenu) {
    const MenuLayout& sub = MenuLayoutOf(*request.subMenu);
    popup->SetSubMenuImages(file(sub.background), file(sub.highlighted), file(sub.pressed), file(sub.disabled));
  }
  popup->SetItemStyle(layout.itemHeight == kSubMenuItemHeight ? kMenuItemsTall : kMenuItemsShort);
  popup->SetPosition(screen.x, screen.y);
  if (!popup->Create(opener)) {
    popup.reset();
    ClearBmpMenuItems();
  }
  return popup;
}

}  // namespace perix::win
