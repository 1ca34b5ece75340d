#pragma once
// Where start-up time goes: a clock that charges the time spent in each
// phase of building the window (reading skin files, parsing the string file,
// decoding images, creating controls, ...) to that phase. Phases nest: a
// phase entered inside another stops the other's clock until it ends, so the
// figures add up to the time measured and nothing is counted twice.
//
// The program's diagnostic report prints the totals (Diagnostics.h). The
// clock costs two counter reads per phase change and runs always.

#include <array>

#include "framework/Win32.h"

namespace perix::win {

enum class StartupPhase {
  Other,            // whatever no phase below claims
  SkinFiles,        // the skin's INI files
  StringFile,       // "Strings.xml"
  ImageDecoding,    // page and control images from their files
  ImageCutting,     // control images cut from page images
  ControlCreation,  // creating and setting up the control windows
  Configuration,    // data folder, "Mouse.ini", the pages filled from it
  Painting,         // painting windows
  Count
};

const char* StartupPhaseName(StartupPhase phase);

class StartupClock {
 public:
  static StartupClock& Instance();
  // Milliseconds charged to a phase so far.
  double Milliseconds(StartupPhase phase) const;

 private:
  friend class ScopedStartupPhase;
  StartupClock();
  // Charges the time since the last switch to the current phase and makes
  // `phase` current; returns the phase that was current.
  StartupPhase SwitchTo(StartupPhase phase);

  std::array<long long, static_cast<int>(StartupPhase::Count)> m_ticks{};
  StartupPhase m_current = StartupPhase::Other;
  long long m_since = 0;
  long long m_frequency = 1;
};

// Charges the time of its scope to a phase.
class ScopedStartupPhase {
 public:
  explicit ScopedStartupPhase(StartupPhase phase) : m_outer(StartupClock::Instance().SwitchTo(phase)) {}
  ~ScopedStartupPhase() { StartupClock::Instance().SwitchTo(m_outer); }
  ScopedStartupPhase(const ScopedStartupPhase&) = delete;
  ScopedStartupPhase& operator=(const ScopedStartupPhase&) = delete;

 private:
  StartupPhase m_outer;
};

// Milliseconds since this process was created.
double MillisecondsSinceProcessStart();

}  // namespace perix::win
