#include "app/MainControls.h"

#include "controls/BitmapBtn.h"
#include "controls/SkinImage.h"
#include "controls/SkinnedControls.h"
#include "controls/StaticTrans.h"
#include "framework/StartupClock.h"
#include "framework/WideText.h"

namespace perix::win {
namespace {

std::u16string Utf16(std::string_view text) { return std::u16string(text.begin(), text.end()); }

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

std::size_t ImageSlot(SkinImage image) { return static_cast<std::size_t>(image); }

}  // namespace

CMainControls::CMainControls() = default;

CMainControls::~CMainControls() {
  // Later controls first, the reverse of their creation.
  for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) it->reset();
}

SIZE CMainControls::WindowSize() const {
  if (m_homeImageSize) return *m_homeImageSize;
  return SIZE{kMainWindowSize.width, kMainWindowSize.height};
}

void CMainControls::PaintBackground(HDC dc, int pageIdentifier, const RECT& area) const {
  Page page = Page::Home;
  if (PageFromIdentifier(pageIdentifier, page)) {
    m_backgrounds.Paint(dc, page, area);
  } else {
    CPageBackgrounds::PaintBlack(dc, area);
  }
}

void CMainControls::ReleasePageImages() {
  m_backgrounds.Clear();
  m_logo.reset();
  m_id.reset();
}

void CMainControls::BuildHome(HWND parent, TextSource& texts) {
  m_parent = parent;
  m_texts = &texts;
  m_logo = LoadSkinImage(Wide(kLogoImage));
  m_id = LoadSkinImage(Wide(kIdImage));
  for (const PageLayout& page : PagesInBuildOrder()) {
    if (page.page == Page::Home) BuildPage(page);
  }
}

void CMainControls::BuildOtherPages() {
  if (!m_texts) return;
  for (const PageLayout& page : PagesInBuildOrder()) {
    if (!Built(page.page)) BuildPage(page);
  }
}

void CMainControls::BuildPage(const PageLayout& page) {
  m_built[static_cast<std::size_t>(page.page)] = true;
  PageImages images;
  const std::u16string skinFile = Utf16(page.skinFile);
  for (std::string_view key : page.screenKeys) {
    const std::u16string file = m_texts->SkinString(skinFile, u"Screen", Utf16(key));
    // An empty entry would name the skin folder itself: no image.
    images[ImageSlot(SkinImageFromName(key))] = file.empty() ? nullptr : LoadSkinImage(Wide(file));
  }
  Gdiplus::Bitmap* main = images[ImageSlot(SkinImage::Main)].get();
  if (page.page == Page::Home) {
    const SIZE size = ImageSize(main);
    if (size.cx > 0 && size.cy > 0) m_homeImageSize = size;
  }
  {
    ScopedStartupPhase phase(StartupPhase::ImageCutting);
    m_backgrounds.Set(page.page, main, WindowSize());
  }
  for (const ControlLayout& layout : ControlsOfPage(page.page)) {
    auto window = Create(layout, images, m_parent);
    if (window && window->Handle()) {
      window->Show(false);
      m_byHandle[window->Handle()] = static_cast<Control>(layout.index);
    }
    m_windows[layout.index] = std::move(window);
  }
  // The controls keep their own cuts; the page's images go now.
}

std::unique_ptr<CWindowBase> CMainControls::Create(const ControlLayout& layout, const PageImages& images,
                                                   HWND parent) {
  ScopedStartupPhase phase(StartupPhase::ControlCreation);
  if (layout.kind == ControlKind::ColorPicker) {
    auto picker = std::make_unique<COwnColorSelect>();
    picker->Create(ToRect(layout.rect), parent, static_cast<UINT>(layout.controlId));
    return picker;
  }
  WindowImages windowImages{};
  for (SkinImage image : {SkinImage::Main, SkinImage::Over, SkinImage::Down, SkinImage::Disabled}) {
    windowImages[ImageSlot(image)] = images[ImageSlot(image)].get();
  }
  // Image buttons are told apart by handle; labels keep the static default.
  UINT id = static_cast<UINT>(layout.controlId);
  if (layout.kind == ControlKind::Label) id = kStaticTransDefaultId;
  return CreateSkinnedControl(layout, windowImages, parent, id);
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
