#include "text/Windows1252.h"

namespace perix {
namespace {

// Characters of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

std::u16string DecodeWindows1252(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out.push_back(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char16_t>(b));
  }
  return out;
}

bool EncodeWindows1252(std::u16string_view text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  bool lossless = true;
  for (char16_t ch : text) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
      out.push_back(static_cast<char>(ch));
      continue;
    }
    int found = -1;
    for (int i = 0; i < 32; ++i) {
      if (kHigh[i] == ch) {
        found = i;
        break;
      }
    }
    if (found >= 0) {
      out.push_back(static_cast<char>(0x80 + found));
    } else {
      out.push_back('?');
      lossless = false;
    }
  }
  return lossless;
}

}  // namespace perix
