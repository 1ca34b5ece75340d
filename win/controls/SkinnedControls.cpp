#include "controls/SkinnedControls.h"

#include <string>

#include "controls/BitmapBtn.h"
#include "controls/ClrEdit.h"
#include "controls/ListBoxEx.h"
#include "controls/PngHSlider.h"
#include "controls/StaticTrans.h"
#include "controls/VantorMacroDisplay.h"
#include "framework/WideText.h"

namespace perix::win {
namespace {

Gdiplus::Bitmap* ImageOf(const WindowImages& images, SkinImage image) {
  return images[static_cast<std::size_t>(image)];
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

std::unique_ptr<CWindowBase> CreateSkinnedControl(const ControlLayout& layout, const WindowImages& images,
                                                  HWND parent, UINT id) {
  const RECT rect{layout.rect.left, layout.rect.top, layout.rect.right, layout.rect.bottom};
  const int width = layout.rect.Width();
  const int height = layout.rect.Height();
  switch (layout.kind) {
    case ControlKind::ImageButton:
    case ControlKind::CheckButton: {
      auto button = std::make_unique<CBitmapBtn>();
      if (!button->Create(L"", 0, rect, parent, id)) return button;
      button->SetImages(layout.rect.left, layout.rect.top, width, height, ImageOf(images, layout.looks.normal),
                        ImageOf(images, layout.looks.highlighted), ImageOf(images, layout.looks.pressed),
                        ImageOf(images, layout.looks.disabled));
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
      label->Create(L"", LabelStyle(layout), rect, parent, id);
      if (layout.fontHeight > 0) label->SetFontHeight(layout.fontHeight);
      return label;
    }
    case ControlKind::EditBox: {
      auto edit = std::make_unique<CClrEdit>();
      if (edit->Create(L"", EditStyle(layout), rect, parent, id) && layout.maxChars > 0) {
        SendMessageW(edit->Handle(), EM_LIMITTEXT, static_cast<WPARAM>(layout.maxChars), 0);
      }
      return edit;
    }
    case ControlKind::SliderBar: {
      auto bar = std::make_unique<CPngHSliderBar>();
      const std::wstring thumb = L"skins\\" + Wide(layout.slider.thumb);
      if (!bar->Create(thumb, L"", rect, parent, id)) return bar;
      if (layout.slider.filled == SkinImage::None) {
        bar->SetBackground(rect, ImageOf(images, layout.slider.background));
      } else {
        bar->SetBackground(rect, ImageOf(images, layout.slider.background), ImageOf(images, layout.slider.filled));
      }
      bar->SetRange(layout.slider.minimum, layout.slider.maximum);
      return bar;
    }
    case ControlKind::ListBox: {
      auto list = std::make_unique<CListBoxEx>();
      list->Create(rect, parent, id);
      return list;
    }
    case ControlKind::MacroDisplay: {
      auto display = std::make_unique<CVantorMacroDisplay>();
      display->Create(rect, parent, id, 0);
      return display;
    }
    case ControlKind::ColorPicker: break;
  }
  return nullptr;
}

void SetSkinnedControlText(const ControlLayout& layout, CWindowBase& window, std::wstring_view text) {
  switch (layout.kind) {
    case ControlKind::ImageButton:
    case ControlKind::CheckButton: static_cast<CBitmapBtn&>(window).SetCaption(text, 0, 1); break;
    case ControlKind::Label: static_cast<CStaticTrans&>(window).SetCaption(text); break;
    case ControlKind::EditBox: window.SetText(text); break;
    case ControlKind::MacroDisplay: static_cast<CVantorMacroDisplay&>(window).SetDisplayText(text); break;
    case ControlKind::SliderBar:
    case ControlKind::ColorPicker:
    case ControlKind::ListBox: break;
  }
}

}  // namespace perix::win
