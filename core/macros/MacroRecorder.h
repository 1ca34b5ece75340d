#pragma once
// Keyboard recording: the hook library reports each key event typed anywhere
// on the desktop (message 0x8D2: virtual key, flags); while a recording runs
// each accepted event becomes at most two records of the open macro, the
// pause since the previous event and the key's press or release.
//
// Time comes from a clock interface, so tests set it instead of sleeping.

#include <cstdint>
#include <optional>

#include "macros/MacroEditor.h"

namespace perix {

class MacroClock {
 public:
  virtual ~MacroClock() = default;
  // A millisecond count that only moves forward (it may wrap).
  virtual std::uint32_t Milliseconds() = 0;
};

// The steady clock of the standard library.
MacroClock& SteadyMacroClock();

// Key-event flags of message 0x8D2.
namespace HookKeyFlags {
inline constexpr unsigned Extended = 0x01;
inline constexpr unsigned Released = 0x80;
}  // namespace HookKeyFlags

// How pauses are recorded and inserted (the three pause-mode buttons).
enum class DelayMode { Recorded = 0, Fixed = 1, None = 2 };

// Events are refused from this many records on: one adds at most two.
inline constexpr int kMacroRecordLimit = 58;

class MacroRecorder {
 public:
  MacroRecorder(MacroEditor& editor, MacroClock& clock) : m_editor(editor), m_clock(clock) {}

  // A fresh recording appends to the (emptied) macro; an inserting one puts
  // each event after the selected line.
  void Start(bool inserting);
  void Stop() { m_active = false; }
  bool Active() const { return m_active; }
  bool Inserting() const { return m_inserting; }

  // One key event. `fixedPause` is the pause of DelayMode::Fixed in
  // milliseconds (at least 10). True when the event was recorded: not while
  // stopped, not a repeat of the previous event (a held key), not from 58
  // records on, not with flags other than a press or a release.
  bool OnHookKey(unsigned virtualKey, unsigned flags, DelayMode mode, int fixedPause);

 private:
  void Put(int& line, const MacroRecord& record, std::u16string text = {});

  MacroEditor& m_editor;  // not owned
  MacroClock& m_clock;    // not owned
  bool m_active = false;
  bool m_inserting = false;
  std::optional<std::uint32_t> m_lastEvent;  // the time of the previous accepted event
  // The previous accepted event survives from one recording to the next, so
  // a key still held from the last one does not start the next with a press.
  struct Event {
    unsigned virtualKey = 0;
    unsigned flags = 0;
    friend bool operator==(const Event&, const Event&) = default;
  } m_previous;
};

}  // namespace perix
