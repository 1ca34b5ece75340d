#pragma once
// The number-entry dialog's rules (CEditDelay): one whole number typed into a
// digits-only box, kept within 1..limit as the user types. The macro editor
// asks with it for the length of a pause (milliseconds, up to 131070) and for
// the distance of a pointer movement (up to 119: a step byte from 120 up
// would read back as a step the other way).

#include <optional>
#include <string>
#include <string_view>

namespace perix {

class NumberEntry {
 public:
  static constexpr int kMaximum = 131070;

  // The value the box opens with, the largest value it accepts (at most
  // kMaximum) and the prompt shown above the box (may be empty).
  explicit NumberEntry(int value, int limit = kMaximum, std::u16string prompt = {});

  int Value() const { return m_value; }
  int Limit() const { return m_limit; }
  const std::u16string& Prompt() const { return m_prompt; }
  // The box's text: the value as "%d".
  std::u16string Text() const;

  // The box's text changed. A number below 1 (an empty box included) becomes
  // 1 and one above the limit becomes the limit; then the result is the text
  // the box must show instead of what was typed.
  std::optional<std::u16string> OnTextChanged(std::u16string_view text);

 private:
  int m_value;
  int m_limit;
  std::u16string m_prompt;
};

}  // namespace perix
