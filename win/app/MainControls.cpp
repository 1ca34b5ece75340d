#include "app/MainControls.h"

#include "controls/BitmapBtn.h"
#include "controls/ClrEdit.h"
#include "controls/SkinImage.h"
#include "controls/StaticTrans.h"
#include "framework/StartupClock.h"

namespace perix::win {
namespace {

std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
std::u16string Utf16(std::string_view text) { return std::u16string(text.begin(), text.end()); }

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

std::size_t ImageSlot(SkinImage image) { return static_cast<std::size_t>(image); }

SkinImage SkinImageFromKey(std::string_view key) {
  if (key == "Main") return SkinImage::Main;
  if (key == "Over") return SkinImage::Over;
  if (key == "Down") return SkinImage::Down;
  if (key == "Disabled") return SkinImage::Disabled;
  return SkinImage::None;
}

DWORD LabelStyle(const ControlLayout& layout) {
  DWORD style = SS_NOPREFIX;
  switch (layout.align) {
    case TextAlign::Left: style |= SS_LEFT; break;
    case TextAlign::Center: style |= SS_CENTER; break;
    case TextAlign::Right: style |= SS_RIGHT; break;
  }
  if (layout.Has(ControlFlag::VerticalCenter)) style |= SS_CENTERIMAGE;
  return style;
}

DWORD EditStyle(const ControlLayout& layout) {
  DWORD style = ES_AUTOHSCROLL;
  switch (layout.align) {
    case TextAlign::Left: style |= ES_LEFT; break;
    case TextAlign::Center: style |= ES_CENTER; break;
    case TextAlign::Right: style |= ES_RIGHT; break;
  }
  if (layout.Has(ControlFlag::DigitsOnly)) style |= ES_NUMBER;
  if (layout.Has(ControlFlag::ReadOnly)) style |= WS_DISABLED;
  return style;
}

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
    images[ImageSlot(SkinImageFromKey(key))] = file.empty() ? nullptr : LoadSkinImage(Wide(file));
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
  const RECT rect = ToRect(layout.rect);
  const int width = layout.rect.Width();
  const int height = layout.rect.Height();
  const auto pageImage = [&images](SkinImage image) {
    return image == SkinImage::None ? nullptr : images[ImageSlot(image)].get();
  };
  switch (layout.kind) {
    case ControlKind::ImageButton:
    case ControlKind::CheckButton: {
      auto button = std::make_unique<CBitmapBtn>();
      if (!button->Create(L"", 0, rect, parent, 0)) return button;
      button->SetImages(layout.rect.left, layout.rect.top, width, height, pageImage(layout.looks.normal),
                        pageImage(layout.looks.highlighted), pageImage(layout.looks.pressed),
                        pageImage(layout.looks.disabled));
      button->SetToggleMode(layout.Has(ControlFlag::ToggleMode));
      if (layout.Has(ControlFlag::WordWrap)) {
        button->SetTextBox(RECT{0, 0, width, height}, TextBoxLayout::CentredWrapped);
      } else if (layout.Has(ControlFlag::VerticalCenter)) {
        button->SetTextBox(RECT{0, 0, width, height}, TextBoxLayout::CentredSingleLine);
      }
      return button;
    }
    case ControlKind::Label: {
      auto label = std::make_unique<CStaticTrans>();
      label->Create(L"", LabelStyle(layout), rect, parent);
      return label;
    }
    case ControlKind::EditBox: {
      auto edit = std::make_unique<CClrEdit>();
      if (edit->Create(L"", EditStyle(layout), rect, parent, static_cast<UINT>(layout.controlId)) &&
          layout.maxChars > 0) {
        SendMessageW(edit->Handle(), EM_LIMITTEXT, static_cast<WPARAM>(layout.maxChars), 0);
      }
      return edit;
    }
    case ControlKind::SliderBar: {
      auto bar = std::make_unique<CPngHSliderBar>();
      const std::wstring thumb = L"skins\\" + Wide(layout.slider.thumb);
      if (!bar->Create(thumb, L"", rect, parent, static_cast<UINT>(layout.controlId))) return bar;
      if (layout.slider.filled == SkinImage::None) {
        bar->SetBackground(rect, pageImage(layout.slider.background));
      } else {
        bar->SetBackground(rect, pageImage(layout.slider.background), pageImage(layout.slider.filled));
      }
      bar->SetRange(layout.slider.minimum, layout.slider.maximum);
      return bar;
    }
    case ControlKind::ColorPicker: {
      auto picker = std::make_unique<COwnColorSelect>();
      picker->Create(rect, parent, static_cast<UINT>(layout.controlId));
      return picker;
    }
    case ControlKind::ListBox: {
      auto list = std::make_unique<CListBoxEx>();
      list->Create(rect, parent, static_cast<UINT>(layout.controlId));
      return list;
    }
    case ControlKind::MacroDisplay: break;  // only the key dialogs have one
  }
  return nullptr;
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
  CWindowBase* window = Window(control);
  if (!window) return;
  switch (LayoutOf(control).kind) {
    case ControlKind::ImageButton:
    case ControlKind::CheckButton: static_cast<CBitmapBtn*>(window)->SetCaption(Wide(caption), 0, 1); break;
    case ControlKind::Label: static_cast<CStaticTrans*>(window)->SetCaption(Wide(caption)); break;
    case ControlKind::EditBox: window->SetText(Wide(caption)); break;
    case ControlKind::SliderBar:
    case ControlKind::ColorPicker:
    case ControlKind::ListBox:
    case ControlKind::MacroDisplay: break;  // no caption to show
  }
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
