#include "config/KeyUsageTable.h"

#include <array>

namespace perix {
namespace {

constexpr std::array<KeyUsage, 104> BuildTable() {
  std::array<KeyUsage, 104> table{};
  std::size_t n = 0;
  const auto add = [&](unsigned vk, unsigned usage) {
    table[n++] = {static_cast<std::uint8_t>(vk), static_cast<std::uint8_t>(usage)};
  };
  for (unsigned i = 0; i < 26; ++i) add('A' + i, 0x04 + i);
  for (unsigned i = 0; i < 9; ++i) add('1' + i, 0x1E + i);
  add('0', 0x27);
  add(0x0D, 0x28), add(0x1B, 0x29), add(0x08, 0x2A), add(0x09, 0x2B), add(0x20, 0x2C);
  add(0xBD, 0x2D), add(0xBB, 0x2E), add(0xDB, 0x2F), add(0xDD, 0x30), add(0xDC, 0x31);
  add(0xBA, 0x33), add(0xDE, 0x34), add(0xC0, 0x35), add(0xBC, 0x36), add(0xBE, 0x37), add(0xBF, 0x38);
  add(0x14, 0x39);
  for (unsigned i = 0; i < 12; ++i) add(0x70 + i, 0x3A + i);
  add(0x2C, 0x46), add(0x91, 0x47), add(0x13, 0x48);
  add(0x2D, 0x49), add(0x24, 0x4A), add(0x21, 0x4B), add(0x2E, 0x4C), add(0x23, 0x4D), add(0x22, 0x4E);
  add(0x27, 0x4F), add(0x25, 0x50), add(0x28, 0x51), add(0x26, 0x52);
  add(0x90, 0x53), add(0x6F, 0x54), add(0x6A, 0x55), add(0x6D, 0x56), add(0x6B, 0x57);
  add(0x6C, 0x58);  // the separator key stands for the keypad Enter
  for (unsigned i = 0; i < 9; ++i) add(0x61 + i, 0x59 + i);
  add(0x60, 0x62), add(0x6E, 0x63);
  add(0x5D, 0x65);
  add(0xA2, 0xE0), add(0xA0, 0xE1), add(0xA4, 0xE2), add(0x5B, 0xE3);
  add(0xA3, 0xE4), add(0xA1, 0xE5), add(0xA5, 0xE6), add(0x5C, 0xE7);
  if (n != table.size()) throw "key usage table size";  // fails the constant evaluation
  return table;
}

constexpr std::array<KeyUsage, 104> kTable = BuildTable();

struct Lookup {
  std::array<std::int16_t, 256> byVirtualKey{};
  std::array<std::int16_t, 256> byUsage{};
};

constexpr Lookup BuildLookup() {
  Lookup lookup;
  lookup.byVirtualKey.fill(-1);
  lookup.byUsage.fill(-1);
  for (const KeyUsage& pair : kTable) {
    lookup.byVirtualKey[pair.virtualKey] = pair.usage;
    lookup.byUsage[pair.usage] = pair.virtualKey;
  }
  return lookup;
}
constexpr Lookup kLookup = BuildLookup();

}  // namespace

std::span<const KeyUsage> KeyUsageTable() { return kTable; }

bool UsageFromVirtualKey(unsigned virtualKey, std::uint8_t& out) {
  if (virtualKey > 0xFF || kLookup.byVirtualKey[virtualKey] < 0) return false;
  out = static_cast<std::uint8_t>(kLookup.byVirtualKey[virtualKey]);
  return true;
}

bool VirtualKeyFromUsage(unsigned usage, std::uint8_t& out) {
  if (usage > 0xFF || kLookup.byUsage[usage] < 0) return false;
  out = static_cast<std::uint8_t>(kLookup.byUsage[usage]);
  return true;
}

}  // namespace perix
