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
  m_context[Control::LightingSpeedToggle].checked = speed != 0;
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

bool LightingPage::OnCommand(Control control) {
  switch (control) {
    case Control::LightingOn: OnLightOn(); return true;
    case Control::LightingOff: OnLightOff(); return true;
    case Control::LightingSpeedToggle: OnSpeedToggle(); return true;
    default: return false;
  }
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
  m_context[Control::LightingSpeedSlider].enabled = setting.Value3 != 0;
  m_context[Control::LightingSpeedToggle].checked = setting.Value3 != 0;
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
  const int speed = ClampToSlider(Control::LightingSpeedSlider, position);
  m_context.Live().LedModeSettings[0].Value3 = speed;
  m_context[Control::LightingSpeedSlider].position = speed;
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
