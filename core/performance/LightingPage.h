#pragma once
// The lighting page: on and off, the mode and its direction, brightness,
// speed and colour. Every change ends with a save and one notification.

#include <cstdint>
#include <string>
#include <vector>

#include "app/PageContext.h"
#include "skin/MenuChoice.h"

namespace perix {

namespace LightingCommand {
inline constexpr int FirstMode = 40005;       // 40005..40010 select modes 1..6
inline constexpr int FirstDirection = 40011;  // 40011..40014 select directions 1..4
}  // namespace LightingCommand

class LightingPage {
 public:
  explicit LightingPage(PageContext& context) : m_context(context) {}

  void ShowLightingValues(std::int32_t brightness, std::int32_t speed, std::int32_t ledOn);
  void ShowLedModeCaption(std::int32_t mode);
  void ShowLedDirectionCaption(std::int32_t direction);

  // Everything the page shows, from the live configuration (RefreshPages).
  void ShowAll();

  // A click on one of the page's controls; false when it is not one of them.
  bool OnCommand(Control control);
  // The mode button: opens the mode menu below it. Mode 5 has no item; only
  // its command selects it.
  void OpenModeMenu();
  // The direction button: opens the menu of the directions the current mode
  // takes (1 and 2 for mode 2, 3 and 4 for mode 5); none for other modes.
  void OpenDirectionMenu();
  // The choice made in the mode or direction menu.
  void OnMenuChoice(const MenuChoice& choice) { OnMenuCommand(choice.command); }

  void OnLightOn();
  void OnLightOff();
  void OnSpeedToggle();
  void OnBrightnessSlider(int position);
  void OnSpeedSlider(int position);
  // A mode (40005..40010) or direction (40011..40014) menu command.
  void OnMenuCommand(int command);
  void OnColourChosen(std::uint32_t colour);

  std::u16string ModeName(int mode);
  std::u16string DirectionName(int direction);

 private:
  void Announce();
  void OpenMenuBelow(Control button, Menu menu, std::vector<PopupMenuItem> items);
  PageContext& m_context;
};

}  // namespace perix
