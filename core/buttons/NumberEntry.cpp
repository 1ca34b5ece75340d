#include "buttons/NumberEntry.h"

#include <algorithm>
#include <utility>

#include "text/Utf16.h"

namespace perix {

NumberEntry::NumberEntry(int value, int limit, std::u16string prompt)
    : m_limit(std::clamp(limit, 1, kMaximum)), m_prompt(std::move(prompt)) {
  m_value = std::clamp(value, 1, m_limit);
}

std::u16string NumberEntry::Text() const { return DecimalText(m_value); }

std::optional<std::u16string> NumberEntry::OnTextChanged(std::u16string_view text) {
  const int typed = DecimalValue(text);
  m_value = std::clamp(typed, 1, m_limit);
  // An empty box, a 0 or too large a number is rewritten at once.
  if (m_value == typed) return std::nullopt;
  return Text();
}

}  // namespace perix
