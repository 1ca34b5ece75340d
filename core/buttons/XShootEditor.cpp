#include "buttons/XShootEditor.h"

#include <algorithm>
#include <cstring>

#include "config/FunctionCatalogue.h"
#include "config/KeyUsageTable.h"
#include "platform/KeyboardLayout.h"
#include "text/Utf16.h"

namespace perix {
namespace {

std::optional<std::u16string> Keep(std::u16string_view text, int& value) {
  const int typed = DecimalValue(text);
  value = std::clamp(typed, XShootEditor::kMinimum, XShootEditor::kMaximum);
  if (value == typed) return std::nullopt;
  return DecimalText(value);
}

int Stored(int value) { return value < XShootEditor::kMinimum || value > XShootEditor::kMaximum ? 1 : value; }

}  // namespace

XShootEditor::XShootEditor(const ButtonAssignment& button) {
  // Another function's bytes mean nothing here: only an X-shoot button opens
  // with what it holds.
  if (button.FunctionCode != FunctionCode::XShoot) return;
  m_target = button.Data[1];
  switch (m_target) {
    case ShootTarget::Left: m_choice = Left; break;
    case ShootTarget::Right: m_choice = Right; break;
    case ShootTarget::Middle: m_choice = Middle; break;
    default: m_choice = Keyboard; break;
  }
  m_first = button.Param1;
  m_second = button.Param2;
}

std::vector<PopupMenuItem> XShootEditor::ChoiceMenuItems() {
  return {{u"Left", Left, {}}, {u"Right", Right, {}}, {u"Middle", Middle, {}}, {u"Keyboard", Keyboard, {}}};
}

std::u16string XShootEditor::TargetText() const {
  switch (m_choice) {
    case Left: return u"Left";
    case Right: return u"Right";
    case Middle: return u"Middle";
    default: break;
  }
  std::uint8_t virtualKey = 0;
  if (m_target == 0 || !VirtualKeyFromUsage(m_target, virtualKey)) return {};
  // The character the key types, as a letter key shows it: upper case.
  unsigned char typed = UnshiftedCharacterOf(virtualKey);
  if (typed >= 'a' && typed <= 'z') typed = static_cast<unsigned char>(typed - 'a' + 'A');
  if (typed <= ' ' || typed == 0x7F) return {};
  return std::u16string(1, static_cast<char16_t>(typed));
}

std::u16string XShootEditor::FirstText() const { return m_first > 0 ? DecimalText(m_first) : std::u16string(); }
std::u16string XShootEditor::SecondText() const { return m_second > 0 ? DecimalText(m_second) : std::u16string(); }

void XShootEditor::OnChoice(int choice) {
  switch (choice) {
    case Left: m_target = ShootTarget::Left; break;
    case Right: m_target = ShootTarget::Right; break;
    case Middle: m_target = ShootTarget::Middle; break;
    case Keyboard: m_target = 0; break;
    default: return;
  }
  m_choice = choice;
}

void XShootEditor::OnTargetText(std::u16string_view text) {
  if (m_choice != Keyboard) return;
  m_target = 0;
  if (text.empty()) return;
  std::uint8_t usage = 0;
  if (UsageFromVirtualKey(VirtualKeyOfCharacter(text.front()), usage)) m_target = usage;
}

std::optional<std::u16string> XShootEditor::OnFirstText(std::u16string_view text) { return Keep(text, m_first); }
std::optional<std::u16string> XShootEditor::OnSecondText(std::u16string_view text) { return Keep(text, m_second); }

void XShootEditor::Store(ButtonAssignment& button) const {
  button.FunctionCode = FunctionCode::XShoot;
  button.Param1 = static_cast<std::uint8_t>(Stored(m_first));
  button.Param2 = static_cast<std::uint8_t>(Stored(m_second));
  std::memset(button.Data, 0, sizeof button.Data);
  button.Data[1] = m_target;
}

}  // namespace perix
