#include "framework/StartupClock.h"

namespace perix::win {
namespace {

long long Now() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

const char* StartupPhaseName(StartupPhase phase) {
  switch (phase) {
    case StartupPhase::Other: return "other";
    case StartupPhase::SkinFiles: return "skin-files";
    case StartupPhase::StringFile: return "string-file";
    case StartupPhase::ImageDecoding: return "image-decoding";
    case StartupPhase::ImageCutting: return "image-cutting";
    case StartupPhase::ControlCreation: return "control-creation";
    case StartupPhase::Configuration: return "configuration";
    case StartupPhase::Painting: return "painting";
    case StartupPhase::Count: break;
  }
  return "?";
}

StartupClock& StartupClock::Instance() {
  static StartupClock clock;
  return clock;
}

StartupClock::StartupClock() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  if (frequency.QuadPart > 0) m_frequency = frequency.QuadPart;
  m_since = Now();
}

StartupPhase StartupClock::SwitchTo(StartupPhase phase) {
  const long long now = Now();
  m_ticks[static_cast<int>(m_current)] += now - m_since;
  m_since = now;
  const StartupPhase outer = m_current;
  m_current = phase;
  return outer;
}

double StartupClock::Milliseconds(StartupPhase phase) const {
  long long ticks = m_ticks[static_cast<int>(phase)];
  if (phase == m_current) ticks += Now() - m_since;
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(m_frequency);
}

double MillisecondsSinceProcessStart() {
  FILETIME creation{}, exitTime{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user)) return -1;
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const auto ticks = [](const FILETIME& t) {
    return static_cast<long long>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime);
  };
  return static_cast<double>(ticks(now) - ticks(creation)) / 10000.0;
}

}  // namespace perix::win
