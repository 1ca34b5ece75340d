#pragma once
// Keyboard keys are stored as USB HID usage IDs of the Keyboard/Keypad page,
// never as Windows virtual-key codes; this table translates between the two.

#include <cstdint>
#include <span>

namespace perix {

struct KeyUsage {
  std::uint8_t virtualKey;
  std::uint8_t usage;
};

// The 104 pairs. Generic Shift, Ctrl and Alt (0x10..0x12) are absent: capture
// turns them into their left or right variants first.
std::span<const KeyUsage> KeyUsageTable();

// Each returns whether the key has an entry, and leaves `out` untouched when
// it has none.
bool UsageFromVirtualKey(unsigned virtualKey, std::uint8_t& out);
bool VirtualKeyFromUsage(unsigned usage, std::uint8_t& out);

}  // namespace perix
