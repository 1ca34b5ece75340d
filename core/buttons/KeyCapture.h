#pragma once
// Keys pressed while a key dialog has the focus, turned into a list of key
// events (CBaseKeyPressDlg), and the key dialog's own rules (CKeyExDlg): it
// keeps the last key pressed and stores it in a button as a key entry.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "config/DeviceConfig.h"

namespace perix {

struct KeyEvent {
  std::int32_t VirtualKey = 0;  // after the modifier translation
  std::int32_t IsRelease = 0;   // 0 press, 1 release
  std::int32_t Extra = 0;       // 0 for every captured event; bits 0..6 of the stored entry's first byte
};

// The keyboard messages a dialog's message loop hands over.
enum class KeyMessage { KeyDown, KeyUp, SysKeyDown, SysKeyUp };

// Bits of a keyboard message's key flags: the high 16 bits of its lParam.
namespace KeyFlag {
inline constexpr unsigned ScanCode = 0xFF;
inline constexpr unsigned Extended = 0x100;
inline constexpr unsigned Repeat = 0x4000;  // the key was already down: auto-repeat
}  // namespace KeyFlag

// The key a message names, as it is captured: the generic Ctrl, Alt and
// Shift become their left or right keys (Shift by its scan code, and stays
// generic when that names neither), the keypad's Enter (an extended Enter)
// becomes 0x6C.
unsigned TranslateCapturedKey(unsigned virtualKey, unsigned flags);

class KeyCapture {
 public:
  static constexpr int kMaxEvents = 60;

  // `capacity`: how many events the list keeps, at most kMaxEvents.
  explicit KeyCapture(int capacity = kMaxEvents);
  virtual ~KeyCapture() = default;

  // A keyboard message reached the dialog. True when it is consumed and must
  // not reach the dialog's own processing (Space, so that it never presses
  // the focused button); Enter and Esc go on, and the dialog must not let
  // them close it. The Windows and Applications keys are never captured.
  bool OnKeyMessage(KeyMessage message, unsigned virtualKey, unsigned flags);

  // Appends an event; 0 when it was taken, -1 when refused: the list is full,
  // or a release does not follow a press of the same key. The first event
  // taken after opening replaces whatever the list held.
  virtual int AddKeyEvent(bool release, unsigned virtualKey, unsigned flags);
  // The list changed.
  virtual void ShowCapturedKeys() {}

  std::span<const KeyEvent> Events() const { return {m_events.data(), static_cast<std::size_t>(m_eventCount)}; }
  int EventCount() const { return m_eventCount; }
  // Whether a key was captured since the dialog opened.
  bool CaptureStarted() const { return m_captureStarted; }

 protected:
  // Puts an event in the list without counting as a capture (a stored key
  // shown when the dialog opens).
  void LoadEvent(const KeyEvent& event);
  void ClearEvents() { m_eventCount = 0; }

 private:
  int m_capacity;
  int m_eventCount = 0;
  bool m_captureStarted = false;
  std::array<KeyEvent, kMaxEvents> m_events{};
};

// The key dialog: one key, the last one pressed, modifiers included (Ctrl
// then A captures A alone). A key that has no HID usage could not be stored,
// so it is refused and the dialog keeps showing the key it had.
class SingleKeyCapture final : public KeyCapture {
 public:
  // Opens on the button's stored key, when it holds exactly one.
  explicit SingleKeyCapture(const ButtonAssignment& button);

  int AddKeyEvent(bool release, unsigned virtualKey, unsigned flags) override;
  void ShowCapturedKeys() override;

  // What the display shows: each key's capture name followed by a space.
  const std::u16string& DisplayText() const { return m_display; }

  // OK: FunctionCode 5 and the key entry (Param1 1, Param2 the number of
  // entries, all of Data rewritten). A stored key left as it was opened
  // keeps its usage even when no virtual key names it.
  void Store(ButtonAssignment& button) const;

 private:
  std::optional<std::uint8_t> m_loadedUsage;
  std::u16string m_display;
};

}  // namespace perix
