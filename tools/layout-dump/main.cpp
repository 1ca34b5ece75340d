// layout-dump: prints the program's control layout (core/skin/Layout.h) as
// JSON on standard output, so that tools drawing the skin place every look at
// the rectangle the program cuts it from.

#include <cstdio>
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "skin/Layout.h"

namespace {

using nlohmann::json;
using namespace perix;

json RectJson(const Rect& r) { return json::array({r.left, r.top, r.right, r.bottom}); }

json SizeJson(const Size& s) { return {{"width", s.width}, {"height", s.height}}; }

json FlagsJson(std::uint16_t flags) {
  static constexpr std::pair<std::uint16_t, const char*> kNames[] = {
      {ControlFlag::EveryPage, "everyPage"},       {ControlFlag::AlwaysHidden, "alwaysHidden"},
      {ControlFlag::StartsDisabled, "startsDisabled"}, {ControlFlag::ToggleMode, "toggleMode"},
      {ControlFlag::DigitsOnly, "digitsOnly"},     {ControlFlag::ReadOnly, "readOnly"},
      {ControlFlag::WordWrap, "wordWrap"},         {ControlFlag::VerticalCenter, "verticalCenter"},
  };
  json names = json::array();
  for (const auto& [flag, name] : kNames) {
    if ((flags & flag) != 0) names.push_back(name);
  }
  return names;
}

json ImageJson(SkinImage image) {
  return image == SkinImage::None ? json(nullptr) : json(std::string(SkinImageName(image)));
}

json ControlJson(const ControlLayout& c) {
  json j = {
      {"index", c.index},
      {"name", std::string(c.name)},
      {"kind", std::string(ControlKindName(c.kind))},
      {"rect", RectJson(c.rect)},
      {"visible", c.IsVisible()},
      {"captionKey", c.captionKey == kNoCaption ? json(nullptr) : json(c.captionKey)},
      {"controlId", c.controlId},
      {"flags", FlagsJson(c.flags)},
      {"align", std::string(TextAlignName(c.align))},
  };
  if (c.kind == ControlKind::ImageButton || c.kind == ControlKind::CheckButton) {
    j["looks"] = {{"normal", ImageJson(c.looks.normal)},
                  {"highlighted", ImageJson(c.looks.highlighted)},
                  {"pressed", ImageJson(c.looks.pressed)},
                  {"disabled", ImageJson(c.looks.disabled)}};
  }
  if (c.maxChars != 0) j["maxChars"] = c.maxChars;
  if (!c.text.empty()) j["text"] = std::string(c.text);
  if (c.fontHeight != 0) j["fontHeight"] = c.fontHeight;
  if (c.kind == ControlKind::SliderBar) {
    j["slider"] = {{"minimum", c.slider.minimum},
                   {"maximum", c.slider.maximum},
                   {"thumb", std::string(c.slider.thumb)},
                   {"background", ImageJson(c.slider.background)},
                   {"filled", ImageJson(c.slider.filled)}};
  }
  return j;
}

json ControlsJson(std::span<const ControlLayout> controls) {
  json list = json::array();
  for (const ControlLayout& c : controls) list.push_back(ControlJson(c));
  return list;
}

json StringsJson(std::span<const std::string_view> strings) {
  json list = json::array();
  for (std::string_view s : strings) list.push_back(std::string(s));
  return list;
}

json RectConstant(const Rect& r) { return RectJson(r); }

json Dump() {
  json pages = json::array();
  for (const PageLayout& page : PagesInBuildOrder()) {
    pages.push_back({{"page", std::string(page.name)},
                     {"identifier", page.identifier},
                     {"skinFile", std::string(page.skinFile)},
                     {"screen", StringsJson(page.screenKeys)},
                     {"controls", ControlsJson(ControlsOfPage(page.page))}});
  }
  json dialogs = json::array();
  for (const DialogLayout& dialog : Dialogs()) {
    dialogs.push_back({{"dialog", std::string(dialog.name)},
                       {"class", std::string(dialog.className)},
                       {"skinFile", std::string(dialog.skinFile)},
                       {"screen", StringsJson(dialog.screenKeys)},
                       {"size", SizeJson(dialog.size)},
                       {"template", dialog.templateId},
                       {"controls", ControlsJson(dialog.controls)}});
  }
  json menus = json::array();
  for (const MenuLayout& menu : Menus()) {
    json items = json::array();
    for (int i = 0; i < menu.maxItems; ++i) items.push_back(RectJson(MenuItemRect(menu, i)));
    menus.push_back({{"menu", std::string(menu.name)},
                     {"background", std::string(menu.background)},
                     {"highlighted", std::string(menu.highlighted)},
                     {"pressed", std::string(menu.pressed)},
                     {"disabled", std::string(menu.disabled)},
                     {"itemHeight", menu.itemHeight},
                     {"firstItemTop", menu.firstItemTop},
                     {"maxItems", menu.maxItems},
                     {"size", SizeJson(menu.size)},
                     {"items", items}});
  }
  const ControlLayout& picker = LayoutOf(Control::LightingColorPicker);
  return {
      {"mainWindow", SizeJson(kMainWindowSize)},
      {"pages", pages},
      {"colorPicker",
       {{"origin", json::array({picker.rect.left, picker.rect.top})},
        {"size", SizeJson({picker.rect.Width(), picker.rect.Height()})},
        {"square", RectConstant(kColorPickerSquare)},
        {"hueBar", RectConstant(kColorPickerHueBar)},
        {"leftMark", RectConstant(kColorPickerLeftMark)},
        {"rightMark", RectConstant(kColorPickerRightMark)},
        {"swatch", RectConstant(kColorPickerSwatch)},
        {"unpaintedRows", kColorPickerUnpaintedRows},
        {"controls", ControlsJson(ColorPickerControls())}}},
      {"macroNumbers",
       {{"totalDelay", json::array({kMacroTotalDelayOrigin.x, kMacroTotalDelayOrigin.y})},
        {"actionCount", json::array({kMacroActionCountOrigin.x, kMacroActionCountOrigin.y})},
        {"rect", RectConstant(kMacroNumbersRect)},
        {"fontHeight", kMacroNumbersFontHeight}}},
      {"dialogs", dialogs},
      {"menus", menus},
      {"macroNameMenu", {{"rowHeight", kMacroNameMenuRowHeight}, {"maxRows", kMacroNameMenuMaxRows}}},
      {"keyColor", kSkinKeyColor},
      {"fixedFiles", StringsJson(FixedSkinFiles())},
  };
}

}  // namespace

int main() {
  std::cout << Dump().dump(1) << '\n';
  return std::cout.good() ? 0 : 1;
}
