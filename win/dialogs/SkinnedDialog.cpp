#include "dialogs/SkinnedDialog.h"

#include <string>
#include <utility>

#include "controls/SkinImage.h"
#include "controls/WindowShape.h"
#include "framework/Gdi.h"
#include "skin/ControlMessages.h"
#include "framework/WideText.h"

namespace perix::win {
namespace {

// Controls without an ID of their own in the table get one from here, so
// that the edit boxes' key reports (which carry only an ID) can be told apart.
constexpr UINT kFirstFrameId = 0x7000;
constexpr int kMaskTolerance = 8;
constexpr RgbColor kMaskKey{static_cast<std::uint8_t>(kSkinKeyColor >> 16), static_cast<std::uint8_t>(kSkinKeyColor >> 8),
                            static_cast<std::uint8_t>(kSkinKeyColor)};

std::u16string Utf16(std::string_view text) { return std::u16string(text.begin(), text.end()); }
std::u16string Utf16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }


bool IsEnterOrEsc(const MSG& message) {
  const bool key = message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR;
  return key && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

}  // namespace

PERIX_BEGIN_MESSAGE_TABLE(CSkinnedDialog, CDialogBase)
  OnMessage<&CSkinnedDialog::OnClose>(WM_CLOSE),
  OnMessage<&CSkinnedDialog::OnSystemCommand>(WM_SYSCOMMAND),
  OnMessage<&CSkinnedDialog::OnPaint>(WM_PAINT),
  OnMessage<&CSkinnedDialog::OnEraseBackground>(WM_ERASEBKGND),
  OnMessage<&CSkinnedDialog::OnBackgroundPress>(WM_LBUTTONDOWN),
  OnMessage<&CSkinnedDialog::OnCommandMessage>(WM_COMMAND),
  OnMessage<&CSkinnedDialog::OnEditKeyUpMessage>(kEditKeyUpMessage),
  OnMessage<&CSkinnedDialog::OnSliderMessage>(kSliderPositionMessage),
  OnMessage<&CSkinnedDialog::OnMenuChoiceMessage>(kMenuChoiceMessage),
PERIX_END_MESSAGE_TABLE(CSkinnedDialog, CDialogBase)

CSkinnedDialog::CSkinnedDialog(Dialog dialog, TextSource& texts, std::wstring_view title)
    : CDialogBase(DialogTemplate(WS_POPUP, 0, 100, 100, title)),
      m_layout(DialogLayoutOf(dialog)),
      m_texts(texts) {}

CSkinnedDialog::~CSkinnedDialog() {
  // The menu and the controls go while their parent object is whole.
  m_menu.reset();
  DestroyWindow();
}

CWindowBase* CSkinnedDialog::ControlWindow(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_controls.size()) return nullptr;
  return m_controls[static_cast<std::size_t>(index)].get();
}

UINT CSkinnedDialog::WindowIdOf(int index) const {
  const ControlLayout& layout = m_layout.controls[static_cast<std::size_t>(index)];
  return layout.controlId != 0 ? static_cast<UINT>(layout.controlId) : kFirstFrameId + static_cast<UINT>(index);
}

void CSkinnedDialog::LoadImages() {
  m_ownedImages.clear();
  m_images = {};
  m_mask = nullptr;
  const std::u16string skinFile = Utf16(m_layout.skinFile);
  for (std::string_view key : m_layout.screenKeys) {
    const std::u16string file = m_texts.SkinString(skinFile, u"Screen", Utf16(key));
    // An empty entry would name the skin folder itself: no image.
    ImagePtr image = file.empty() ? nullptr : LoadSkinImage(Wide(file));
    if (!image) continue;
    const SkinImage slot = SkinImageFromName(key);
    if (slot != SkinImage::None) m_images[static_cast<std::size_t>(slot)] = image.get();
    if (key == "Mask") m_mask = image.get();
    m_ownedImages.push_back(std::move(image));
  }
}

void CSkinnedDialog::BuildControls() {
  m_controls.clear();
  m_byHandle.clear();
  const std::u16string skinFile = Utf16(m_layout.skinFile);
  for (std::size_t i = 0; i < m_layout.controls.size(); ++i) {
    const ControlLayout& layout = m_layout.controls[i];
    std::unique_ptr<CWindowBase> window;
    // A control without a place (the DPI-shift dialog's close button) is not made.
    if (!layout.rect.IsEmpty()) {
      window = CreateSkinnedControl(layout, m_images, Handle(), WindowIdOf(static_cast<int>(i)));
    }
    if (window && window->Handle()) {
      window->Show(true);
      m_byHandle[window->Handle()] = static_cast<int>(i);
      std::u16string caption;
      if (!layout.text.empty()) {
        caption = Utf16(layout.text);
      } else if (layout.captionKey != kNoCaption) {
        caption = SkinCaption(layout.captionKey);
      }
      if (!caption.empty()) SetSkinnedControlText(layout, *window, Wide(caption));
    }
    m_controls.push_back(std::move(window));
  }
}

BOOL CSkinnedDialog::OnInitDialog() {
  // The size of the "Main" image, centred over the owner (or the screen).
  LoadImages();
  SIZE size{m_layout.size.width, m_layout.size.height};
  if (Gdiplus::Bitmap* main = Image(SkinImage::Main)) {
    const SIZE imageSize = ImageSize(main);
    if (imageSize.cx > 0 && imageSize.cy > 0) size = imageSize;
  }
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND owner = GetWindow(Handle(), GW_OWNER); owner && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  }
  const int x = area.left + ((area.right - area.left) - size.cx) / 2;
  const int y = area.top + ((area.bottom - area.top) - size.cy) / 2;
  SetWindowPos(Handle(), nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  // The shape is cut from the window at its final size.
  if (m_mask) ApplyMaskShape(Handle(), m_mask, kMaskKey, kMaskTolerance);

  BuildControls();
  OnOpen();
  // The dialog sets the focus where it wants it.
  return FALSE;
}

std::u16string CSkinnedDialog::SkinCaption(int key) const {
  return m_texts.SkinString(Utf16(m_layout.skinFile), u"BUTTONPOS", Utf16(std::to_string(key)));
}

void CSkinnedDialog::SetControlText(int index, std::u16string_view text) {
  CWindowBase* window = ControlWindow(index);
  if (!window) return;
  // What the dialog writes is no change by the user.
  const bool wasWriting = m_writingText;
  m_writingText = true;
  SetSkinnedControlText(m_layout.controls[static_cast<std::size_t>(index)], *window, Wide(text));
  m_writingText = wasWriting;
}

std::u16string CSkinnedDialog::ControlText(int index) const {
  CWindowBase* window = ControlWindow(index);
  return window ? Utf16(window->Text()) : std::u16string();
}

void CSkinnedDialog::ReplaceEditText(int index, std::u16string_view text) {
  SetControlText(index, text);
  if (CWindowBase* box = ControlWindow(index); box && box->Handle()) {
    const auto end = static_cast<LPARAM>(text.size());
    SendMessageW(box->Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
  }
}

RECT CSkinnedDialog::ControlScreenRect(int index) const {
  RECT rect{};
  if (CWindowBase* window = ControlWindow(index); window && window->Handle()) GetWindowRect(window->Handle(), &rect);
  return rect;
}

bool CSkinnedDialog::PreTranslateMessage(MSG& message) { return IsEnterOrEsc(message); }

LRESULT CSkinnedDialog::OnClose(WPARAM, LPARAM) {
  CloseMenu();
  EndDialog(IDCANCEL);
  return 0;
}

LRESULT CSkinnedDialog::OnSystemCommand(WPARAM wParam, LPARAM) {
  // Alt or F10 alone would enter the (hidden) window menu, which then takes
  // the next key; these dialogs have no menu.
  if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
  return Default();
}

LRESULT CSkinnedDialog::OnPaint(WPARAM, LPARAM) {
  PaintDc paint(Handle());
  RECT client{};
  GetClientRect(Handle(), &client);
  if (Gdiplus::Bitmap* main = Image(SkinImage::Main)) {
    DrawImage(paint.Get(), main, client);
  } else {
    FillRect(paint.Get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  return 0;
}

LRESULT CSkinnedDialog::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CSkinnedDialog::OnBackgroundPress(WPARAM, LPARAM lParam) {
  CloseMenu();
  // Let the system move the window, as if the press were on a caption.
  POINT screen = PointFromLParam(lParam);
  ClientToScreen(Handle(), &screen);
  PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION,
               MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
  return 0;
}

LRESULT CSkinnedDialog::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
  const std::optional<int> index = IndexOf(reinterpret_cast<HWND>(lParam));
  if (!index) return Default();
  const ControlKind kind = m_layout.controls[static_cast<std::size_t>(*index)].kind;
  const UINT code = HIWORD(wParam);
  if (kind == ControlKind::EditBox) {
    if (code == EN_CHANGE && !m_writingText) OnEditChanged(*index);
    return 0;
  }
  if (kind != ControlKind::ImageButton && kind != ControlKind::CheckButton) return Default();
  if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return 0;
  // A click anywhere closes an open menu before its own action.
  CloseMenu();
  switch (*index) {
    case kFrameOk:
      if (OnAccept()) EndDialog(IDOK);
      break;
    case kFrameCancel:
    case kFrameClose: EndDialog(IDCANCEL); break;
    default: OnClick(*index); break;
  }
  return 0;
}

LRESULT CSkinnedDialog::OnEditKeyUpMessage(WPARAM wParam, LPARAM lParam) {
  if (const std::optional<int> index = IndexWithId(static_cast<int>(lParam))) OnEditKeyUp(*index, wParam);
  return 0;
}

LRESULT CSkinnedDialog::OnSliderMessage(WPARAM wParam, LPARAM lParam) {
  if (const std::optional<int> index = IndexWithId(static_cast<int>(lParam))) {
    OnSlider(*index, static_cast<int>(static_cast<INT_PTR>(wParam)));
  }
  return 0;
}

LRESULT CSkinnedDialog::OnMenuChoiceMessage(WPARAM wParam, LPARAM lParam) {
  if (!m_menu) return 0;  // a late report of a menu already closed
  CloseMenu();
  OnMenuChoice(DecodeMenuChoice(static_cast<std::uint64_t>(wParam), static_cast<std::uint64_t>(lParam)));
  return 0;
}

void CSkinnedDialog::OpenMenu(Menu menu, std::vector<PopupMenuItem> items, POINT screen) {
  CloseMenu();
  PopupMenuRequest request;
  request.menu = menu;
  request.items = std::move(items);
  m_menu = ShowBmpMenu(request, screen, Handle());
}

void CSkinnedDialog::CloseMenu() { m_menu.reset(); }

std::optional<int> CSkinnedDialog::IndexOf(HWND control) const {
  const auto found = m_byHandle.find(control);
  if (found == m_byHandle.end()) return std::nullopt;
  return found->second;
}

std::optional<int> CSkinnedDialog::IndexWithId(int id) const {
  for (std::size_t i = 0; i < m_controls.size(); ++i) {
    if (m_controls[i] && m_controls[i]->Handle() && static_cast<int>(WindowIdOf(static_cast<int>(i))) == id) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

}  // namespace perix::win
