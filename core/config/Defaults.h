#pragma once
// Keeping a configuration sane: the not-loaded state a load starts from,
// factory values, the repair of unknown button codes, and the validation that
// every load ends with.

#include <cstdint>
#include <string>
#include <vector>

#include "config/DeviceConfig.h"

namespace perix {

// Factory values of the polling rate and the lighting mode: a 2 ms interval
// (500 Hz), the rate validation repairs an out-of-range value to, and mode 3,
// one of the six modes the lighting page offers.
inline constexpr std::int32_t kFactoryPollingRate = 2;
inline constexpr std::int32_t kFactoryLedMode = 3;

// The factory function code of button n (1..8).
std::uint8_t DefaultFunctionCode(int buttonNumber);

// Marks every loadable field not loaded (-1, code 0xFF), clears all five
// profiles and numbers their buttons 1..8. Reserved0, LeftCount, RightCount,
// MouseButtons, Reserved1 and LedMode keep their content.
void ResetToUnset(DeviceConfig& config);

// Factory values for the global lighting, DPI and pointer fields and for one
// profile (0..4): its DPI stage and its eight default assignments. Name, Exe
// and the other profiles stay.
void ResetProfileToDefaults(DeviceConfig& config, int profileIndex);

// The factory assignment of button n (1..8): code, Param1 1, Param2 0, no
// data. ButtonNumber and MacroName stay.
void SetDefaultAssignment(ButtonAssignment& button, int buttonNumber);

// One change made by validation, for reports.
struct Repair {
  std::string field;  // e.g. "Profile", "Profiles[2].ButtonAssigned[4].FunctionCode"
  std::int64_t oldValue;
  std::int64_t newValue;
};

// Gives every button whose code is not accepted its default assignment.
// Always 0.
int RepairButtonCodes(ProfileConfig& profile, std::vector<Repair>* repairs = nullptr,
                      int profileIndex = 0);

// Copies `source` into `destination` and repairs the fields the program
// relies on: Profile, MouseButtons, TrayEnabled, PollingRate and the button
// codes. Lighting, DPI and pointer fields pass unchanged, -1 included.
// Always 0. When `repairs` is given, each change is appended to it.
int ValidateConfig(DeviceConfig& destination, const DeviceConfig& source,
                   std::vector<Repair>* repairs = nullptr);

}  // namespace perix
