#include "buttons/KeyCapture.h"

#include <algorithm>
#include <cstring>

#include "buttons/KeyNames.h"
#include "config/FunctionCatalogue.h"
#include "config/KeyUsageTable.h"

namespace perix {
namespace {

constexpr unsigned kShift = 0x10;
constexpr unsigned kControl = 0x11;
constexpr unsigned kAlt = 0x12;
constexpr unsigned kEnter = 0x0D;
constexpr unsigned kKeypadEnter = 0x6C;
constexpr unsigned kSpace = 0x20;
constexpr unsigned kLeftShiftScanCode = 0x2A;
constexpr unsigned kRightShiftScanCode = 0x36;

// The Windows keys and the Applications key open the system's own menus;
// they are never captured.
bool NeverCaptured(unsigned virtualKey) { return virtualKey >= 0x5B && virtualKey <= 0x5D; }

// Keys whose press also serves the dialog (focus, default button) and so
// pass only their extended bit on.
bool DialogKey(unsigned virtualKey) {
  switch (virtualKey) {
    case 0x09:  // Tab
    case 0x0D:  // Enter
    case 0x1B:  // Esc
    case 0x27:  // Right
    case 0x28:  // Down
    case 0x2C:  // Print Screen
      return true;
    default: return false;
  }
}

}  // namespace

unsigned TranslateCapturedKey(unsigned virtualKey, unsigned flags) {
  const bool extended = (flags & KeyFlag::Extended) != 0;
  switch (virtualKey) {
    case kControl: return extended ? 0xA3 : 0xA2;
    case kAlt: return extended ? 0xA5 : 0xA4;
    case kShift:
      switch (flags & KeyFlag::ScanCode) {
        case kLeftShiftScanCode: return 0xA0;
        case kRightShiftScanCode: return 0xA1;
        default: return kShift;
      }
    case kEnter: return extended ? kKeypadEnter : kEnter;
    default: return virtualKey;
  }
}

KeyCapture::KeyCapture(int capacity) : m_capacity(std::clamp(capacity, 1, kMaxEvents)) {}

bool KeyCapture::OnKeyMessage(KeyMessage message, unsigned virtualKey, unsigned flags) {
  const bool repeat = (flags & KeyFlag::Repeat) != 0;
  switch (message) {
    case KeyMessage::KeyDown:
      if (NeverCaptured(virtualKey) || repeat) return virtualKey == kSpace;
      if (DialogKey(virtualKey)) {
        AddKeyEvent(false, virtualKey, flags & KeyFlag::Extended);
        return false;
      }
      AddKeyEvent(false, virtualKey, flags);
      return virtualKey == kSpace;
    case KeyMessage::KeyUp:
      if (!NeverCaptured(virtualKey)) AddKeyEvent(true, virtualKey, flags);
      return false;
    case KeyMessage::SysKeyDown:
      if (!repeat) AddKeyEvent(false, virtualKey, flags);
      return false;
    case KeyMessage::SysKeyUp: AddKeyEvent(true, virtualKey, flags); return false;
  }
  return false;
}

int KeyCapture::AddKeyEvent(bool release, unsigned virtualKey, unsigned flags) {
  const unsigned key = TranslateCapturedKey(virtualKey, flags);
  // Until the first capture the list holds what the dialog opened with,
  // which the first event taken replaces. An event that is refused leaves
  // it alone, so the display and what OK stores never part.
  const int count = m_captureStarted ? m_eventCount : 0;
  if (count >= m_capacity) return -1;
  if (release) {
    const auto events = std::span<const KeyEvent>(m_events.data(), static_cast<std::size_t>(count));
    const auto last = std::find_if(events.rbegin(), events.rend(), [key](const KeyEvent& e) {
      return static_cast<unsigned>(e.VirtualKey) == key;
    });
    if (last == events.rend() || last->IsRelease != 0) return -1;
  }
  m_eventCount = count;
  m_events[static_cast<std::size_t>(m_eventCount++)] = {static_cast<std::int32_t>(key), release ? 1 : 0, 0};
  ShowCapturedKeys();
  m_captureStarted = true;
  return 0;
}

void KeyCapture::LoadEvent(const KeyEvent& event) {
  if (m_eventCount >= m_capacity) return;
  m_events[static_cast<std::size_t>(m_eventCount++)] = event;
}

SingleKeyCapture::SingleKeyCapture(const ButtonAssignment& button) : KeyCapture(1) {
  if (button.Param2 == 1) {
    std::uint8_t virtualKey = 0;
    VirtualKeyFromUsage(button.Data[1], virtualKey);
    LoadEvent({virtualKey, 0, 0});
    m_loadedUsage = button.Data[1];
  }
  ShowCapturedKeys();
}

int SingleKeyCapture::AddKeyEvent(bool release, unsigned virtualKey, unsigned flags) {
  // Releases never count: the list holds one press.
  if (release) return -1;
  std::uint8_t usage = 0;
  if (!UsageFromVirtualKey(TranslateCapturedKey(virtualKey, flags), usage)) return -1;
  ClearEvents();
  return KeyCapture::AddKeyEvent(false, virtualKey, flags);
}

void SingleKeyCapture::ShowCapturedKeys() {
  m_display.clear();
  for (const KeyEvent& event : Events()) {
    if (event.IsRelease == 0) m_display += KeyCaptionOf(static_cast<unsigned>(event.VirtualKey)) + u" ";
  }
}

void SingleKeyCapture::Store(ButtonAssignment& button) const {
  const auto events = Events();
  button.FunctionCode = FunctionCode::Key;
  button.Param1 = 1;
  button.Param2 = static_cast<std::uint8_t>(events.size());
  std::memset(button.Data, 0, sizeof button.Data);
  if (events.empty()) return;
  const KeyEvent& event = events.front();
  button.Data[0] = static_cast<std::uint8_t>((event.Extra & 0x7F) | (event.IsRelease != 0 ? 0x80 : 0));
  if (!CaptureStarted() && m_loadedUsage) {
    button.Data[1] = *m_loadedUsage;
    return;
  }
  std::uint8_t usage = 0;
  UsageFromVirtualKey(static_cast<unsigned>(event.VirtualKey), usage);
  button.Data[1] = usage;
}

}  // namespace perix
