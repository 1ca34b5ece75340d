#include "performance/LightingPage.h"

#include "app/ServiceLink.h"
#include "performance/Lighting.h"
#include "text/Utf16.h"

namespace perix {

std::u16string LightingPage::ModeName(int mode) {
  if (mode < 1 || mode > 6) return {};
  return m_context.texts.ButtonPageText(u"LEDMODE" + DecimalText(mode));
}

std::u16string LightingPage::DirectionName(int direction) {
  if (direction < 1 || direction > 4) return {};
  return m_context.texts.ButtonPageText(u"LEDMODEDIR" + DecimalText(direction));
}

void LightingPage::Announce() { m_context.session.SaveAndNotify(ServiceMessage::Lighting); }

void LightingPage::ShowLightingValues(std::int32_t brightness, std::int32_t speed, std::int32_t ledOn) {
  // The toggle, the slider's enabled state and its position tell the same
  // story on every path: a speed of 0 is "off" and the slider rests.
  m_context[Control::LightingSpeedToggle].checked = speed != 0;
  m_context[Control::LightingSpeedSlider].enabled = speed != 0;
  m_context[Control::LightingSpeedSlider].position = SliderShows(Control::LightingSpeedSlider, speed);
  m_context[Control::LightingBrightnessSlider].position = SliderShows(Control::LightingBrightnessSlider, brightness);
  m_context[Control::LightingBrightnessPercent].caption = DecimalText(BrightnessPercent(brightness));
  if (ledOn == 0 || ledOn == 1) {
    m_context[Control::LightingOn].checked = ledOn == 1;
    m_context[Control::LightingOff].checked = ledOn == 0;
  }
}

void LightingPage::ShowLedModeCaption(std::int32_t mode) {
  if (mode < 1 || mode > 6) {
    m_context[Control::LightingMode].caption.clear();
    return;
  }
  m_context[Control::LightingMode].caption = ModeName(mode);
  m_context[Control::LightingDirection].enabled = mode == 2 || mode == 5;
}

void LightingPage::ShowLedDirectionCaption(std::int32_t direction) {
  m_context[Control::LightingDirection].caption = DirectionName(direction);
}

void LightingPage::ShowAll() {
  const DeviceConfig& config = m_context.Live();
  const LedModeSetting& setting = config.LedModeSettings[0];
  ShowLightingValues(setting.Value2, setting.Value3, config.LedStateOn);
  ShowLedModeCaption(config.LedMode);
  // The direction button is visible in this layout, so it names the stored
  // direction from the start, not only after a menu choice.
  ShowLedDirectionCaption(setting.Value1);
}

bool LightingPage::OnCommand(Control control) {
  switch (control) {
    case Control::LightingOn: OnLightOn(); return true;
    case Control::LightingOff: OnLightOff(); return true;
    case Control::LightingSpeedToggle: OnSpeedToggle(); return true;
    case Control::LightingMode: OpenModeMenu(); return true;
    case Control::LightingDirection: OpenDirectionMenu(); return true;
    default: return false;
  }
}

void LightingPage::OpenMenuBelow(Control button, Menu menu, std::vector<PopupMenuItem> items) {
  PopupMenuRequest request;
  request.menu = menu;
  request.items = std::move(items);
  // One pixel left of the button's bottom-left corner.
  const Rect& rect = LayoutOf(button).rect;
  request.origin = {rect.left - 1, rect.bottom};
  m_context.ui.OpenPopupMenu(request);
}

void LightingPage::OpenModeMenu() {
  std::vector<PopupMenuItem> items;
  for (int mode : {1, 2, 3, 4, 6}) {
    items.push_back({ModeName(mode), static_cast<std::uint32_t>(LightingCommand::FirstMode + mode - 1), {}});
  }
  OpenMenuBelow(Control::LightingMode, Menu::LedMode, std::move(items));
}

void LightingPage::OpenDirectionMenu() {
  // Chosen by the stored mode rather than by comparing the mode button's
  // caption with the mode names: with a string missing from the string file
  // two names are equal (empty) and the caption would pick the wrong pair.
  int first;
  switch (m_context.Live().LedMode) {
    case 2: first = 1; break;
    case 5: first = 3; break;
    default: return;  // no direction to choose: no menu, not an empty one
  }
  std::vector<PopupMenuItem> items;
  for (int direction : {first, first + 1}) {
    items.push_back(
        {DirectionName(direction), static_cast<std::uint32_t>(LightingCommand::FirstDirection + direction - 1), {}});
  }
  OpenMenuBelow(Control::LightingDirection, Menu::LedDirection, std::move(items));
}

void LightingPage::OnLightOn() {
  m_context.Live().LedStateOn = 1;
  m_context[Control::LightingOn].checked = true;
  m_context[Control::LightingOff].checked = false;
  Announce();
}

void LightingPage::OnLightOff() {
  m_context.Live().LedStateOn = 0;
  m_context[Control::LightingOn].checked = false;
  m_context[Control::LightingOff].checked = true;
  Announce();
}

void LightingPage::OnSpeedToggle() {
  LedModeSetting& setting = m_context.Live().LedModeSettings[0];
  setting.Value3 = setting.Value3 != 0 ? 0 : 3;
  const bool on = setting.Value3 != 0;
  m_context[Control::LightingSpeedSlider].enabled = on;
  m_context[Control::LightingSpeedToggle].checked = on;
  m_context[Control::LightingSpeedSlider].position = SliderShows(Control::LightingSpeedSlider, setting.Value3);
  Announce();
}

void LightingPage::OnBrightnessSlider(int position) {
  const int step = ClampToSlider(Control::LightingBrightnessSlider, position);
  m_context.Live().LedModeSettings[0].Value2 = step;
  m_context[Control::LightingBrightnessSlider].position = step;
  m_context[Control::LightingBrightnessPercent].caption = DecimalText(BrightnessPercent(step));
  Announce();
}

void LightingPage::OnSpeedSlider(int position) {
  // A resting slider (speed off) takes no reports: an odd message must not
  // turn the speed on behind the toggle's back.
  if (!m_context[Control::LightingSpeedSlider].enabled) return;
  const int speed = ClampToSlider(Control::LightingSpeedSlider, position);
  m_context.Live().LedModeSettings[0].Value3 = speed;
  m_context[Control::LightingSpeedSlider].position = speed;
  m_context[Control::LightingSpeedToggle].checked = true;
  Announce();
}

void LightingPage::OnMenuCommand(int command) {
  DeviceConfig& config = m_context.Live();
  LedModeSetting& setting = config.LedModeSettings[0];
  if (command >= LightingCommand::FirstMode && command < LightingCommand::FirstMode + 6) {
    const int mode = command - (LightingCommand::FirstMode - 1);
    config.LedMode = mode;
    const bool directed = mode == 2 || mode == 5;
    m_context[Control::LightingDirection].enabled = directed;
    ShowLightingValues(setting.Value2, setting.Value3, config.LedStateOn);
    ShowLedModeCaption(config.LedMode);
    ShowLedDirectionCaption(setting.Value1);
    Announce();
  } else if (command >= LightingCommand::FirstDirection && command < LightingCommand::FirstDirection + 4) {
    setting.Value1 = command - (LightingCommand::FirstDirection - 1);
    ShowLedDirectionCaption(setting.Value1);
    Announce();
  }
}

void LightingPage::OnColourChosen(std::uint32_t colour) {
  m_context.Live().LedColor = colour & 0x00FFFFFFu;
  m_context.view.pickerColour = m_context.Live().LedColor;
  Announce();
}

}  // namespace perix
