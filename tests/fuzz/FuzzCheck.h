#pragma once
// What the fuzz targets share: a check that stops the run with a message
// (libFuzzer then saves the input), and text made from raw fuzz bytes.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "config/DeviceConfig.h"

#define FUZZ_CHECK(condition)                                                                   \
  do {                                                                                          \
    if (!(condition)) {                                                                         \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);        \
      std::abort();                                                                             \
    }                                                                                           \
  } while (0)

namespace perix::fuzz {

// Text for a failure message: printable ASCII as it is, the rest as \uXXXX.
inline std::string Shown(std::u16string_view text) {
  std::string out;
  for (char16_t c : text.substr(0, 80)) {
    if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(c));
      out += hex;
    }
  }
  return out;
}

// Bytes as UTF-16 text: pairs of bytes, little-endian, so that every code
// unit (NUL, lone surrogates, line breaks) can appear in names and values.
inline std::u16string Units(std::string_view bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return text;
}

// Records compare as the bytes they are stored as (the layout has no padding).
// When they differ, the offset of the first byte that does is printed.
inline bool SameRecord(const DeviceConfig& a, const DeviceConfig& b) {
  const auto* x = reinterpret_cast<const unsigned char*>(&a);
  const auto* y = reinterpret_cast<const unsigned char*>(&b);
  for (std::size_t i = 0; i < sizeof a; ++i) {
    if (x[i] != y[i]) {
      std::fprintf(stderr, "records differ from byte %zu of %zu (%02X, %02X)\n", i, sizeof a, x[i], y[i]);
      return false;
    }
  }
  return true;
}

}  // namespace perix::fuzz
