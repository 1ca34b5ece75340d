#include "buttons/FireKeyEditor.h"

#include <algorithm>

#include "config/FunctionCatalogue.h"
#include "text/Utf16.h"

namespace perix {
namespace {

// The number a box holds brought into lo..hi; the replacement text when it
// had to change.
std::optional<std::u16string> Keep(std::u16string_view text, int lo, int hi, int& value) {
  const int typed = DecimalValue(text);
  value = std::clamp(typed, lo, hi);
  if (value == typed && !text.empty()) return std::nullopt;
  return DecimalText(value);
}

}  // namespace

FireKeyEditor::FireKeyEditor(const ButtonAssignment& button) {
  if (button.FunctionCode != FunctionCode::FireKey) return;
  // The slider cannot show a speed outside its range; OK stores what it shows.
  m_slider = std::clamp<int>(button.Data[1], kSliderMinimum, kSliderMaximum);
  m_count = button.Param1;
  m_value = button.Param2;
}

std::u16string FireKeyEditor::SliderText() const { return DecimalText(m_slider); }
std::u16string FireKeyEditor::CountText() const { return DecimalText(m_count); }
std::u16string FireKeyEditor::ValueText() const { return DecimalText(m_value); }

void FireKeyEditor::OnSlider(int position) { m_slider = std::clamp(position, kSliderMinimum, kSliderMaximum); }

void FireKeyEditor::OnUnlimited(bool on) { m_count = on ? 0 : kCountWhenLimited; }

std::optional<std::u16string> FireKeyEditor::OnCountKeyUp(std::u16string_view text) {
  // While unlimited the box is disabled and shows 0.
  if (Unlimited()) return std::nullopt;
  return Keep(text, 1, kByteMaximum, m_count);
}

std::optional<std::u16string> FireKeyEditor::OnValueKeyUp(std::u16string_view text) {
  return Keep(text, 0, kByteMaximum, m_value);
}

void FireKeyEditor::Accept(std::u16string_view countText, std::u16string_view valueText) {
  OnCountKeyUp(countText);
  OnValueKeyUp(valueText);
}

void FireKeyEditor::Store(ButtonAssignment& button) const {
  button.FunctionCode = FunctionCode::FireKey;
  button.Param1 = static_cast<std::uint8_t>(m_count);
  button.Param2 = static_cast<std::uint8_t>(m_value);
  button.Data[1] = static_cast<std::uint8_t>(m_slider);
}

}  // namespace perix
