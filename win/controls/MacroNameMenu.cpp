#include "controls/MacroNameMenu.h"

#include <algorithm>

#include "controls/SkinImage.h"
#include "framework/Gdi.h"
#include "skin/ControlMessages.h"
#include "skin/Layout.h"
#include "framework/WideText.h"

namespace perix::win {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

PERIX_BEGIN_MESSAGE_TABLE(CMacroNameMenu, CDialogBase)
  OnMessage<&CMacroNameMenu::OnPaint>(WM_PAINT),
  OnMessage<&CMacroNameMenu::OnEraseBackground>(WM_ERASEBKGND),
  OnCommand<&CMacroNameMenu::OnListChoice>(CMacroNameMenu::kListId, LBN_SELCHANGE),
  OnCommand<&CMacroNameMenu::OnListChoice>(CMacroNameMenu::kListId, LBN_DBLCLK),
  OnMessage<&CMacroNameMenu::OnListPress>(kListLeftPressMessage),
PERIX_END_MESSAGE_TABLE(CMacroNameMenu, CDialogBase)

CMacroNameMenu::CMacroNameMenu() : CDialogBase(DialogTemplate::Popup()) {}

CMacroNameMenu::~CMacroNameMenu() { DestroyWindow(); }

POINT CMacroNameMenu::BelowButton(HWND button) {
  RECT r{};
  if (button) GetWindowRect(button, &r);
  return POINT{r.left, r.bottom};
}

bool CMacroNameMenu::Open(HWND owner, POINT screen, const std::vector<std::wstring>& names) {
  if (names.empty() || Handle()) return false;
  m_owner = owner;
  m_position = screen;
  const std::size_t rows = std::min<std::size_t>(names.size(), kMacroNameMenuMaxRows);
  m_names.assign(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(rows));
  m_chosen = false;
  m_background = LoadSkinImage(Wide(kMacroNameMenuImage));
  // The list is as wide as the menu's image; without one, as the layout says.
  const SIZE image = ImageSize(m_background.get());
  m_size.cx = image.cx > 0 ? image.cx : LayoutOf(MacroNameMenuControl::List).rect.Width();
  m_size.cy = RowCount() * kMacroNameMenuRowHeight + 2;
  if (!CreateModeless(owner)) return false;
  return true;
}

BOOL CMacroNameMenu::OnInitDialog() {
  SetWindowPos(Handle(), HWND_TOP, m_position.x, m_position.y, m_size.cx, m_size.cy,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // The list leaves the last column and row to the edge lines the menu paints.
  if (m_list.Create(RECT{0, 0, m_size.cx - 1, m_size.cy - 1}, Handle(), kListId)) {
    m_list.SetHighlight(kHighlight, kBlack);
    m_list.SetTextColors(kWhite, kWhite);
    m_list.SetSelectionHighlight(false);
    for (const std::wstring& name : m_names) m_list.AddLine(name, kListNoPicture);
  }
  return FALSE;
}

LRESULT CMacroNameMenu::OnPaint(WPARAM, LPARAM) {
  PaintDc paint(Handle());
  HDC dc = paint.Get();
  const RECT all{0, 0, m_size.cx, m_size.cy};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (m_background) DrawImagePart(dc, m_background.get(), 0, 0, 0, 0, m_size.cx, m_size.cy);
  BrushHandle edge(CreateSolidBrush(kHighlight));
  const RECT bottom{0, m_size.cy - 1, m_size.cx, m_size.cy};
  const RECT right{m_size.cx - 1, 0, m_size.cx, m_size.cy};
  FillRect(dc, &bottom, edge.get());
  FillRect(dc, &right, edge.get());
  return 0;
}

LRESULT CMacroNameMenu::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CMacroNameMenu::OnListChoice(WPARAM, LPARAM) {
  Choose(static_cast<int>(SendMessageW(m_list.Handle(), LB_GETCURSEL, 0, 0)));
  return 0;
}

LRESULT CMacroNameMenu::OnListPress(WPARAM wParam, LPARAM) {
  Choose(static_cast<int>(wParam));
  return 0;
}

void CMacroNameMenu::Choose(int row) {
  if (m_chosen || row < 0 || row >= RowCount() || !m_owner) return;
  m_chosen = true;
  PostMessageW(m_owner, kMacroNameChosenMessage, static_cast<WPARAM>(row), 0);
}

}  // namespace perix::win
