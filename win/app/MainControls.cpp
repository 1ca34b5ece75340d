#include "app/MainControls.h"

#include "controls/BitmapBtn.h"
#include "controls/SkinImage.h"
#include "controls/SkinnedControls.h"
#include "controls/StaticTrans.h"
#include "framework/StartupClock.h"

namespace perix::win {
namespace {

std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
std::u16string Utf16(std::string_view text) { return std::u16string(text.begin(), text.end()); }

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

std::size_t ImageSlot(SkinImage image) { return static_cast<std::size_t>(image); }

}  // namespace

CMainControls::CMainControls() = default;

CMainControls::~CMainControls() {
  // Later controls first, the reverse of their creation.
  for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) it->reset();
}

Gdiplus::Bitmap* CMainControls::PageImage(Page page, SkinImage image) const {
  if (image == SkinImage::None) return nullptr;
  return m_pageImages[static_cast<std::size_t>(page)][ImageSlot(image)].get();
}

Gdiplus::Bitmap* CMainControls::Background(Page page) const { return PageImage(page, SkinImage::Main); }

std::optional<SIZE> CMainControls::HomeImageSize() const {
  Gdiplus::Bitmap* main = Background(Page::Home);
  if (!main) return std::nullopt;
  const SIZE size = ImageSize(main);
  if (size.cx <= 0 || size.cy <= 0) return std::nullopt;
  return size;
}

void CMainControls::ReleasePageImages() {
  for (auto& page : m_pageImages) {
    for (auto& image : page) image.reset();
  }
  m_logo.reset();
  m_id.reset();
}

void CMainControls::Build(HWND parent, TextSource& texts) {
  m_logo = LoadSkinImage(Wide(kLogoImage));
  m_id = LoadSkinImage(Wide(kIdImage));
  for (const PageLayout& page : PagesInBuildOrder()) {
    auto& images = m_pageImages[static_cast<std::size_t>(page.page)];
    const std::u16string skinFile = Utf16(page.skinFile);
    for (std::string_view key : page.screenKeys) {
      const std::u16string file = texts.SkinString(skinFile, u"Screen", Utf16(key));
      // An empty entry would name the skin folder itself: no image.
      images[ImageSlot(SkinImageFromName(key))] = file.empty() ? nullptr : LoadSkinImage(Wide(file));
    }
    for (const ControlLayout& layout : ControlsOfPage(page.page)) {
      auto window = Create(layout, page.page, parent);
      if (window && window->Handle()) {
        window->Show(false);
        m_byHandle[window->Handle()] = static_cast<Control>(layout.index);
      }
      m_windows[layout.index] = std::move(window);
    }
  }
}

std::unique_ptr<CWindowBase> CMainControls::Create(const ControlLayout& layout, Page page, HWND parent) {
  ScopedStartupPhase phase(StartupPhase::ControlCreation);
  if (layout.kind == ControlKind::ColorPicker) {
    auto picker = std::make_unique<COwnColorSelect>();
    picker->Create(ToRect(layout.rect), parent, static_cast<UINT>(layout.controlId));
    return picker;
  }
  WindowImages images{};
  for (SkinImage image : {SkinImage::Main, SkinImage::Over, SkinImage::Down, SkinImage::Disabled}) {
    images[ImageSlot(image)] = PageImage(page, image);
  }
  // Image buttons are told apart by handle; labels keep the static default.
  UINT id = static_cast<UINT>(layout.controlId);
  if (layout.kind == ControlKind::Label) id = kStaticTransDefaultId;
  return CreateSkinnedControl(layout, images, parent, id);
}

std::optional<Control> CMainControls::ControlOf(HWND hwnd) const {
  const auto found = m_byHandle.find(hwnd);
  if (found == m_byHandle.end()) return std::nullopt;
  return found->second;
}

std::optional<Control> CMainControls::SliderWithId(int controlId) const {
  for (const ControlLayout& layout : MainControls()) {
    if (layout.kind == ControlKind::SliderBar && layout.controlId == controlId) return static_cast<Control>(layout.index);
  }
  return std::nullopt;
}

COwnColorSelect* CMainControls::Picker() const {
  return static_cast<COwnColorSelect*>(Window(Control::LightingColorPicker));
}

CListBoxEx* CMainControls::ActionList() const { return static_cast<CListBoxEx*>(Window(Control::MacroActionList)); }

void CMainControls::ApplyCaption(Control control, const std::u16string& caption) {
  if (CWindowBase* window = Window(control)) SetSkinnedControlText(LayoutOf(control), *window, Wide(caption));
}

void CMainControls::ApplyChecked(Control control, bool checked) {
  const ControlKind kind = LayoutOf(control).kind;
  if (kind != ControlKind::ImageButton && kind != ControlKind::CheckButton) return;
  if (auto* button = static_cast<CBitmapBtn*>(Window(control))) button->SetCheck(checked ? 1 : 0);
}

void CMainControls::ApplyEnabled(Control control, bool enabled) {
  if (CWindowBase* window = Window(control)) window->Enable(enabled);
}

void CMainControls::ApplyShown(Control control, bool shown) {
  if (CWindowBase* window = Window(control)) window->Show(shown);
}

void CMainControls::ApplyPosition(Control control, int position) {
  if (LayoutOf(control).kind != ControlKind::SliderBar) return;
  if (auto* bar = static_cast<CPngHSliderBar*>(Window(control))) bar->SetPos(position);
}

}  // namespace perix::win
