#pragma once
// The mouse the stand-in pretends to be. It holds the settings a device keeps,
// starting from the configuration's factory values; it takes them from
// "Mouse.ini" when the utility announces a change; and on a first start it
// fills the fields the utility left unset (-1) with its own, as a device
// reports what it holds. The file is read and written with the platform's
// private-profile functions, as the device service does, never with the
// utility's own code.

#include <windows.h>

#include <string>
#include <vector>

#include "config/DeviceConfig.h"

namespace standin {

// Which of the device's settings a notification concerns.
namespace Scope {
inline constexpr unsigned Profile = 1 << 0;  // the active profile and each profile's stage
inline constexpr unsigned Stage = 1 << 1;    // the active stage
inline constexpr unsigned Levels = 1 << 2;   // the four stages' levels
inline constexpr unsigned Light = 1 << 3;    // on/off, colour, mode and its parameters
inline constexpr unsigned Pointer = 1 << 4;  // acceleration, double-click speed, wheel lines
inline constexpr unsigned Rate = 1 << 5;     // the polling rate
inline constexpr unsigned All = (1 << 6) - 1;
}  // namespace Scope

// What the device takes from the file for a notification; 0 for messages
// that concern none of its settings.
unsigned ScopeOf(UINT message, WPARAM wParam);

class Device {
 public:
  Device();  // factory values: profile 1, stage 2 of 750/1250/1750/2000 DPI, red breathing light, 500 Hz

  const perix::DeviceConfig& Settings() const { return m_settings; }

  // Takes the settings in `scope` from the file. A value the file does not
  // hold (missing, -1, unreadable, out of the device's range) leaves the
  // device's own.
  void Take(const std::wstring& ini, unsigned scope);

  struct Fill {
    std::vector<std::wstring> keys;  // "Section/Key" of every field written
    bool failed = false;             // a write was refused (a read-only file, say)
    bool modeUnset = false;          // "LedMode" was among them
  };
  // Writes the device's value into every field of the file that is unset.
  Fill FillUnset(const std::wstring& ini) const;

  // The bit with which a device reports its lighting mode (1285 kind 10); 0
  // for a mode it has no bit for.
  static int ModeBit(int mode);

 private:
  perix::DeviceConfig m_settings;
};

}  // namespace standin
