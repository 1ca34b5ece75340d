#include "performance/DpiPage.h"

#include "app/ServiceLink.h"
#include "performance/Dpi.h"
#include "text/Utf16.h"

namespace perix {

void DpiPage::ShowStageCaption(int index, const std::u16string& label) {
  const DpiStage& stage = m_context.Live().DpiStages[index];
  const std::u16string dpi = DecimalText(DpiFromLevel(stage.Level));
  m_context[StageButton(index)].caption = label + u" " + DecimalText(index + 1) + u"\r\n" + dpi + u"\r\n" + dpi;
}

void DpiPage::ShowDial(std::optional<int> index) {
  const int dpi = index ? DpiFromLevel(m_context.Live().DpiStages[*index].Level) : 0;
  m_context[Control::AdvancedDpiDialValue].caption = dpi > 0 ? DecimalText(dpi) : std::u16string();
}

void DpiPage::FollowActiveProfile(DeviceConfig& config) {
  if (const auto stage = StageIndex(ActiveProfile(config).DPI)) config.DPI = *stage;
}

void DpiPage::SelectDpiStage(int index) {
  for (int i = 0; i < kDpiStageCount; ++i) m_context[StageButton(i)].checked = i == index;
  ShowDial(StageIndex(index));
  if (const auto valid = StageIndex(index)) {
    const DpiStage& stage = m_context.Live().DpiStages[*valid];
    m_context[Control::AdvancedSeparateXY].checked = stage.SeparateXY != 0;
    m_context[Control::AdvancedLevelXSlider].position = SliderShows(Control::AdvancedLevelXSlider, stage.LevelX);
    m_context[Control::AdvancedLevelYSlider].position = SliderShows(Control::AdvancedLevelYSlider, stage.LevelY);
    m_context[Control::AdvancedLevelSlider].position = SliderShows(Control::AdvancedLevelSlider, stage.Level);
  }
  const std::u16string label = m_context.texts.ButtonPageText(u"DPISTAGE");
  for (int i = 0; i < kDpiStageCount; ++i) ShowStageCaption(i, label);
  m_context[Control::AdvancedLevelSlider].shown = m_context.IsCurrent(Page::Advanced);
  m_context[Control::AdvancedLevelXSlider].shown = false;
  m_context[Control::AdvancedLevelYSlider].shown = false;
}

bool DpiPage::OnCommand(Control control) {
  if (control >= Control::AdvancedStage1 && control <= Control::AdvancedStage4) {
    OnStageClicked(static_cast<int>(control) - static_cast<int>(Control::AdvancedStage1) + 1);
    return true;
  }
  if (control == Control::AdvancedSeparateXY) {
    OnSeparateXY();
    return true;
  }
  return false;
}

void DpiPage::OnStageClicked(int number) {
  const auto index = StageIndex(number - 1);
  if (!index) return;
  DeviceConfig& config = m_context.Live();
  ActiveProfile(config).DPI = *index;
  config.DPI = *index;
  SelectDpiStage(*index);
  m_context.session.SaveAndNotify(ServiceMessage::DpiOrPointer, 0, 0);
}

void DpiPage::OnLevelSlider(int position) {
  DeviceConfig& config = m_context.Live();
  // The stage being edited is the one shown checked, the active profile's;
  // the global index may still name another profile's stage. A stored index
  // outside the four stages leaves nothing to edit.
  const auto index = StageIndex(ActiveProfile(config).DPI);
  if (!index) return;
  config.DPI = *index;
  const int level = ClampToSlider(Control::AdvancedLevelSlider, position);
  config.DpiStages[*index].Level = level;
  m_context[Control::AdvancedLevelSlider].position = level;
  ShowStageCaption(*index, m_context.texts.ButtonPageText(u"DPISTAGE"));
  ShowDial(index);
  m_context.session.SaveAndNotify(ServiceMessage::DpiLevel, static_cast<std::uintptr_t>(*index), 0);
}

void DpiPage::OnSeparateXY() {
  DeviceConfig& config = m_context.Live();
  m_context[Control::AdvancedLevelSlider].shown = m_context.IsCurrent(Page::Advanced);
  m_context[Control::AdvancedLevelXSlider].shown = false;
  m_context[Control::AdvancedLevelYSlider].shown = false;
  if (const auto index = StageIndex(ActiveProfile(config).DPI)) config.DpiStages[*index].SeparateXY = 0;
  m_context[Control::AdvancedSeparateXY].checked = false;
  // Nothing is posted for the toggle; a failed save reaches the user through
  // the session.
  (void)m_context.session.SaveConfiguration();
}

}  // namespace perix
