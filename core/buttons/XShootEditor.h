#pragma once
// The X-shoot dialog's rules (CXShoot): what is fired (a mouse button or a
// keyboard key) and two numbers of 1..255, loaded from an X-shoot button and
// stored back into it on OK.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/PopupMenu.h"
#include "config/DeviceConfig.h"

namespace perix {

class XShootEditor {
 public:
  enum Choice : int { Left = 1, Right = 2, Middle = 3, Keyboard = 4 };
  static constexpr int kMinimum = 1;
  static constexpr int kMaximum = 255;

  // An X-shoot button (code 9) opens with its target and numbers; any other
  // with the keyboard chosen, no key and empty number boxes.
  explicit XShootEditor(const ButtonAssignment& button);

  // The choice popup's entries: "Left" 1, "Right" 2, "Middle" 3, "Keyboard" 4.
  static std::vector<PopupMenuItem> ChoiceMenuItems();

  int ChoiceMade() const { return m_choice; }
  std::uint8_t Target() const { return m_target; }
  int First() const { return m_first; }
  int Second() const { return m_second; }

  // The target box: the mouse button's name (and disabled), or the key's
  // character for the keyboard (enabled).
  std::u16string TargetText() const;
  bool TargetEnabled() const { return m_choice == Keyboard; }
  // The number boxes: empty until a number is known.
  std::u16string FirstText() const;
  std::u16string SecondText() const;

  // A choice in the popup. The keyboard starts without a key, so that OK
  // never stores a mouse button the box no longer shows.
  void OnChoice(int choice);
  // The target box changed while the keyboard is chosen: its character names
  // the key (none when the layout has no key for it, or the box is empty).
  void OnTargetText(std::u16string_view text);
  // A number box changed: 0 or less (an empty box included) becomes 1, above
  // 255 becomes 255. The result is the text the box must show instead, if it
  // must change.
  std::optional<std::u16string> OnFirstText(std::u16string_view text);
  std::optional<std::u16string> OnSecondText(std::u16string_view text);

  // OK: FunctionCode 9, Param1 and Param2 the numbers (1 where none is
  // set), all of Data zero but byte 1, the target.
  void Store(ButtonAssignment& button) const;

 private:
  int m_choice = Keyboard;
  std::uint8_t m_target = 0;
  int m_first = 0;   // 0 until known
  int m_second = 0;
};

}  // namespace perix
