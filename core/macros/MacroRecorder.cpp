#include "macros/MacroRecorder.h"

#include <algorithm>
#include <chrono>

#include "buttons/KeyNames.h"
#include "config/KeyUsageTable.h"

namespace perix {
namespace {

// The longest pause one record holds, in milliseconds (6553 units of 10 ms
// once rounded down).
constexpr std::uint32_t kLongestPause = 65535;

class SteadyClock final : public MacroClock {
 public:
  std::uint32_t Milliseconds() override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
};

// The name of a recorded key. The Windows keys share one key location but
// are named apart.
std::u16string RecordedKeyName(unsigned virtualKey) {
  if (virtualKey == 0x5B) return MacroKeyName(244);
  if (virtualKey == 0x5C) return MacroKeyName(245);
  return MacroKeyName(KeyLocationOf(virtualKey));
}

}  // namespace

MacroClock& SteadyMacroClock() {
  static SteadyClock clock;
  return clock;
}

void MacroRecorder::Start(bool inserting) {
  m_active = true;
  m_inserting = inserting;
  m_lastEvent.reset();
}

void MacroRecorder::Put(int& line, const MacroRecord& record, std::u16string text) {
  if (m_inserting) {
    ++line;
    m_editor.InsertAt(line, record, std::move(text));
    m_editor.Select(line);
  } else {
    m_editor.InsertAt(m_editor.RecordCount(), record, std::move(text));
  }
}

bool MacroRecorder::OnHookKey(unsigned virtualKey, unsigned flags, DelayMode mode, int fixedPause) {
  const Event event{virtualKey, flags};
  if (!m_active || event == m_previous) return false;
  if (m_editor.RecordCount() >= kMacroRecordLimit) return false;
  // Anything but a press or a release is not a key event of the hook's.
  const bool released = (flags & HookKeyFlags::Released) != 0;
  if ((flags & ~(HookKeyFlags::Released | HookKeyFlags::Extended)) != 0) return false;
  if (virtualKey == 0 || virtualKey > 0xFE) return false;

  std::uint8_t usage = 0;
  const bool known = UsageFromVirtualKey(virtualKey, usage);
  const std::uint32_t now = m_clock.Milliseconds();
  int line = m_editor.Selected();

  if (mode != DelayMode::None) {
    std::uint32_t pause = 0;
    if (mode == DelayMode::Recorded) {
      // Unsigned difference: right across a wrap of the clock.
      if (m_lastEvent) pause = now - *m_lastEvent;
    } else if (m_lastEvent) {
      pause = static_cast<std::uint32_t>(std::max(fixedPause, 10));
    }
    pause = std::min(pause - pause % 10, kLongestPause);
    if (pause != 0) Put(line, DelayRecord(static_cast<int>(pause)));
  }
  // A key the usage table does not know is stored as usage 0, named on its line.
  Put(line, KeyRecord(usage, !released), known ? std::u16string() : RecordedKeyName(virtualKey));

  m_lastEvent = now;
  if (!m_inserting) m_editor.Select(m_editor.RecordCount() - 1);
  m_previous = event;
  return true;
}

}  // namespace perix
