#pragma once
// The DPI stages on the advanced page: four stage buttons, one of which is the
// current stage of the active profile, and the level slider of that stage.

#include <optional>

#include "app/PageContext.h"

namespace perix {

class DpiPage {
 public:
  explicit DpiPage(PageContext& context) : m_context(context) {}

  // Shows stage `index` (0..3) as the current one; saves and posts nothing.
  // An index outside 0..3 (as a file may hold) checks no stage.
  void SelectDpiStage(int index);
  // A click on a stage button or the separate-X/Y toggle; false for any other
  // control.
  bool OnCommand(Control control);
  // Stage button n (1..4).
  void OnStageClicked(int number);
  // The level slider (control 10001) reported a position. It edits the stage
  // shown checked: the active profile's.
  void OnLevelSlider(int position);
  // Makes the global "DPI" follow the active profile's stage, after the
  // profile changed. An unusable profile stage leaves it alone.
  static void FollowActiveProfile(DeviceConfig& config);
  void OnSeparateXY();

  static Control StageButton(int index) { return static_cast<Control>(static_cast<int>(Control::AdvancedStage1) + index); }

 private:
  void ShowStageCaption(int index, const std::u16string& label);
  // The dial beside the stages: the DPI of the stage shown checked.
  void ShowDial(std::optional<int> index);
  PageContext& m_context;
};

}  // namespace perix
