#include "performance/AdvancedPage.h"

#include <algorithm>

#include "app/ServiceLink.h"
#include "store/ConfigLayout.h"
#include "text/Utf16.h"

namespace perix {
namespace {

constexpr std::uintptr_t kPointerChanged = 0xFF;

// Steps a setting and keeps the result within [low, high] from either side,
// so a stored value outside the range (-1 after a first start) comes into it
// with the first click instead of drifting further out.
std::int32_t Step(std::int32_t value, int step, std::int32_t low, std::int32_t high) {
  const std::int64_t next = static_cast<std::int64_t>(value) + step;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(next, low, high));
}

}  // namespace

int AdvancedPage::RateCode(std::int32_t interval) {
  // 125 Hz shares 250 Hz's code: the device service is not told them apart.
  switch (interval) {
    case 2: return 2;
    case 1: return 3;
    default: return 1;
  }
}

void AdvancedPage::ShowPollingRate(std::int32_t interval) {
  Control chosen;
  switch (interval) {
    case 8: chosen = Control::AdvancedRate125; break;
    case 4: chosen = Control::AdvancedRate250; break;
    case 2: chosen = Control::AdvancedRate500; break;
    case 1: chosen = Control::AdvancedRate1000; break;
    default: return;
  }
  for (Control rate : {Control::AdvancedRate125, Control::AdvancedRate250, Control::AdvancedRate500,
                       Control::AdvancedRate1000}) {
    m_context[rate].checked = rate == chosen;
  }
}

void AdvancedPage::ShowPointerValues() {
  const DeviceConfig& config = m_context.Live();
  m_context[Control::AdvancedDoubleClickValue].caption = DecimalText(config.DoubleClickSpeed);
  m_context[Control::AdvancedScrollLinesValue].caption = DecimalText(config.WheelScrollLines);
  m_context[Control::AdvancedAccelerationSlider].position =
      SliderShows(Control::AdvancedAccelerationSlider, config.Acceleration);
  m_context[Control::AdvancedAccelerationToggle].checked = config.AccelerationEnabled == 1;
}

bool AdvancedPage::OnCommand(Control control) {
  switch (control) {
    case Control::AdvancedRate125: OnPollingRate(8); return true;
    case Control::AdvancedRate250: OnPollingRate(4); return true;
    case Control::AdvancedRate500: OnPollingRate(2); return true;
    case Control::AdvancedRate1000: OnPollingRate(1); return true;
    case Control::AdvancedAccelerationToggle: OnAccelerationToggle(); return true;
    case Control::AdvancedDoubleClickUp: OnDoubleClickSpeed(+1); return true;
    case Control::AdvancedDoubleClickDown: OnDoubleClickSpeed(-1); return true;
    case Control::AdvancedScrollLinesUp: OnWheelScrollLines(+1); return true;
    case Control::AdvancedScrollLinesDown: OnWheelScrollLines(-1); return true;
    default: return false;
  }
}

void AdvancedPage::OnPollingRate(std::int32_t interval) {
  m_context.Live().PollingRate = interval;
  ShowPollingRate(interval);
  // The service reads the rate from the file: nothing is announced when it
  // could not be written (the user hears why from the session).
  if (m_context.session.SavePollingRate() != FileStatus::Ok) return;
  if (m_context.session.Announce(ServiceMessage::PollingRate, 0, RateCode(interval))) {
    m_context.resetPending = true;
  }
}

void AdvancedPage::OnAccelerationToggle() {
  DeviceConfig& config = m_context.Live();
  // On only from a stored 1: an unset value (-1) shows off, so the first
  // click turns acceleration on, as the box shows.
  config.AccelerationEnabled = config.AccelerationEnabled == 1 ? 0 : 1;
  m_context[Control::AdvancedAccelerationToggle].checked = config.AccelerationEnabled == 1;
  m_context.session.SaveAndNotify(ServiceMessage::DpiOrPointer, kPointerChanged, kPointerChanged);
}

void AdvancedPage::OnAccelerationSlider(int position) {
  const int level = ClampToSlider(Control::AdvancedAccelerationSlider, position);
  m_context.Live().Acceleration = level;
  m_context[Control::AdvancedAccelerationSlider].position = level;
  m_context.session.SaveAndNotify(ServiceMessage::DpiOrPointer, kPointerChanged, kPointerChanged);
}

void AdvancedPage::OnDoubleClickSpeed(int step) {
  DeviceConfig& config = m_context.Live();
  config.DoubleClickSpeed = Step(config.DoubleClickSpeed, step, 4, 20);
  m_context[Control::AdvancedDoubleClickValue].caption = DecimalText(config.DoubleClickSpeed);
  m_context.session.SaveAndNotify(ServiceMessage::DoubleClickSpeed);
}

void AdvancedPage::OnWheelScrollLines(int step) {
  DeviceConfig& config = m_context.Live();
  config.WheelScrollLines = Step(config.WheelScrollLines, step, 1, 10);
  m_context[Control::AdvancedScrollLinesValue].caption = DecimalText(config.WheelScrollLines);
  m_context.session.SaveAndNotify(ServiceMessage::WheelScrollLines);
}

}  // namespace perix
