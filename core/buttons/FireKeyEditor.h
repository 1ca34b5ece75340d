#pragma once
// The fire-key dialog's rules (CGunfireDlg): a speed on a slider, a count
// (0 = unlimited, with its check button) and a second value, loaded from a
// fire-key button and stored back into it on OK.

#include <optional>
#include <string>
#include <string_view>

#include "config/DeviceConfig.h"

namespace perix {

class FireKeyEditor {
 public:
  static constexpr int kSliderMinimum = 10;
  static constexpr int kSliderMaximum = 200;
  static constexpr int kDefaultSlider = 30;
  static constexpr int kDefaultValue = 10;
  // What the count becomes when the unlimited check button is turned off.
  static constexpr int kCountWhenLimited = 3;
  // The count and the value are stored in one byte each.
  static constexpr int kByteMaximum = 255;

  // A fire-key button (code 101) opens with its stored numbers, each as it
  // is; any other with the defaults (slider 30, unlimited, value 10).
  explicit FireKeyEditor(const ButtonAssignment& button);

  int Slider() const { return m_slider; }
  int Count() const { return m_count; }
  int Value() const { return m_value; }
  bool Unlimited() const { return m_count == 0; }

  std::u16string SliderText() const;
  std::u16string CountText() const;
  std::u16string ValueText() const;

  // The slider moved.
  void OnSlider(int position);
  // The unlimited check button was turned on or off: the count becomes 0
  // (its box disabled) or 3.
  void OnUnlimited(bool on);
  // A key was released in the count box or the value box, which holds
  // `text`: a count above 255 becomes 255 and one of 0 or less 1; a value
  // above 255 becomes 255. The result is the text the box must show
  // instead, if it must change.
  std::optional<std::u16string> OnCountKeyUp(std::u16string_view text);
  std::optional<std::u16string> OnValueKeyUp(std::u16string_view text);

  // OK, with what the boxes hold then (they may have changed without a key,
  // by the mouse): the numbers are taken as OnCountKeyUp and OnValueKeyUp
  // would take them.
  void Accept(std::u16string_view countText, std::u16string_view valueText);
  // After OK: FunctionCode 101, Param1 = the count, Param2 = the value, Data
  // byte 1 = the slider; the other bytes stay.
  void Store(ButtonAssignment& button) const;

 private:
  int m_slider = kDefaultSlider;
  int m_count = 0;
  int m_value = kDefaultValue;
};

}  // namespace perix
