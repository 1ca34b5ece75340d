#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/Utf16.h"

namespace perix {
namespace {

TEST(NativeName, AnyBytesComeBackUnchanged) {
  EXPECT_EQ(Utf16FromNativeName("o\xff.prof"), (std::u16string{u'o', 0xDCFF, u'.', u'p', u'r', u'o', u'f'}));
  EXPECT_EQ(NativeNameFromUtf16(Utf16FromNativeName("o\xff.prof")), "o\xff.prof");
  // Valid UTF-8 reads as text, the same as everywhere else in the program.
  const std::string text = "Combo \xC3\xA9\xE4\xB8\xAD \xF0\x9F\x98\x80";
  EXPECT_EQ(Utf16FromNativeName(text), Utf8ToUtf16(text));
  EXPECT_EQ(NativeNameFromUtf16(Utf8ToUtf16(text)), text);
  // The UTF-8 form of an escape is not UTF-8 (a surrogate), so it is
  // escaped byte by byte in turn and cannot be confused with a real byte.
  EXPECT_EQ(NativeNameFromUtf16(Utf16FromNativeName("\xED\xB3\xBF")), "\xED\xB3\xBF");

  std::mt19937 random(12);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 24);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    ASSERT_EQ(NativeNameFromUtf16(Utf16FromNativeName(bytes)), bytes) << round;
  }
}

}  // namespace
}  // namespace perix
