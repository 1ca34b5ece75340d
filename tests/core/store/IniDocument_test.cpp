#include "store/IniDocument.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "text/Utf16.h"

namespace perix {
namespace {

std::string Utf16LE(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::u16string Read(const IniDocument& document, std::u16string_view section, std::u16string_view key) {
  return document.ReadString(section, key, u"<default>", 4096);
}

// What the user and the device service keep in the file besides our keys.
constexpr char kForeign[] =
    "; written by the device service\r\n"
    "[Setting]\r\n"
    "Profile = 2\r\n"
    "ProfileName=My shooter\r\n"
    "\r\n"
    "; colour, 0x00BBGGRR\r\n"
    "LedColor=255\r\n"
    "\r\n"
    "[MACRO_LIST]\r\n"
    "0=Macro1\r\n"
    "1=\r\n"
    "\r\n"
    "[Service]\r\n"
    "LastSeen=2024-01-01\r\n";

TEST(IniDocument, UnchangedFilesSerialiseToTheirOwnBytes) {
  const std::string files[] = {kForeign, "[S]\nk=v", "[S]\rk=v\r\r", Utf16LE(u"[S]\r\nk=\u4E2D\r\n"),
                               "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\xFF\r\n", std::string("a\0b=c\r\n\r\n", 9), ""};
  for (const std::string& bytes : files) EXPECT_EQ(IniDocument::Parse(bytes).Serialize(), bytes);
}

TEST(IniDocument, AWriteChangesOnlyItsOwnLine) {
  IniDocument document = IniDocument::Parse(kForeign);
  ASSERT_TRUE(document.WriteInt(u"setting", u"PROFILE", 0));
  ASSERT_TRUE(document.WriteInt(u"Setting", u"LedColor", 255));  // unchanged value
  std::string expected = kForeign;
  expected.replace(expected.find("Profile = 2"), 11, "Profile=0");
  EXPECT_EQ(document.Serialize(), expected);
}

TEST(IniDocument, NewKeysFollowTheSectionsLastLineAndNewSectionsGoLast) {
  IniDocument document = IniDocument::Parse(kForeign);
  ASSERT_TRUE(document.WriteString(u"Setting", u"PollingRate", u"2"));
  ASSERT_TRUE(document.WriteString(u"GROUP", u"DPI", u"1"));
  ASSERT_TRUE(document.WriteString(u"", u"Top", u"1"));
  std::string expected = kForeign;
  expected.replace(expected.find("LedColor=255\r\n"), 14, "LedColor=255\r\nPollingRate=2\r\n");
  expected = "; written by the device service\r\nTop=1\r\n" + expected.substr(expected.find("[Setting]"));
  expected += "[GROUP]\r\nDPI=1\r\n";
  EXPECT_EQ(document.Serialize(), expected);
}

TEST(IniDocument, AddedLinesFollowTheFilesLineEnds) {
  IniDocument lf = IniDocument::Parse("[S]\nk=1");
  ASSERT_TRUE(lf.WriteString(u"S", u"j", u"2"));
  ASSERT_TRUE(lf.WriteString(u"T", u"x", u"3"));
  EXPECT_EQ(lf.Serialize(), "[S]\nk=1\nj=2\n[T]\nx=3\n");

  IniDocument fresh;
  ASSERT_TRUE(fresh.WriteString(u"Setting", u"Profile", u"0"));
  ASSERT_TRUE(fresh.WriteString(u"GROUP", u"DPI", u"1"));
  EXPECT_EQ(fresh.Serialize(), "[Setting]\r\nProfile=0\r\n[GROUP]\r\nDPI=1\r\n");
}

using namespace std::string_literals;

struct ReadCase {
  std::string file;
  std::u16string_view section, key, expected;
};

// The platform's reading rules (checked against it under Wine): first section
// and first key win, ASCII-only case folding, blanks trimmed, matching quotes
// dropped, '=' and ']' found as the platform finds them, NUL ends a name.
TEST(IniDocument, ReadsAsThePlatformReads) {
  const ReadCase cases[] = {
      {"[S]\r\na=1\r\nA=2\r\n[s]\r\na=3\r\nb=4\r\n", u"s", u"A", u"1"},
      {"[S]\r\na=1\r\n[s]\r\nb=4\r\n", u"S", u"b", u"<default>"},
      {"[\xC9t\xE9]\r\nk=1\r\n", u"\u00C9T\u00C9", u"k", u"<default>"},
      {"[ S ]\r\n \t key \x0B = \x0C value  x \t\r\n", u" S", u"key ", u"value  x"},
      {"[S]\r\nk=\xA0v\xA0\r\n", u"S", u"k", u"\u00A0v\u00A0"},
      {"[S]\r\nd=\"x\"\r\n", u"S", u"d", u"x"},
      {"[S]\r\ns='x y'\r\n", u"S", u"s", u"x y"},
      {"[S]\r\nm=\"x'\r\n", u"S", u"m", u"\"x'"},
      {"[S]\r\no=\"\r\n", u"S", u"o", u"\""},
      {"[S]\r\ni=\"a\"b\"\r\n", u"S", u"i", u"a\"b"},
      {"[S]\r\nnoeq\r\n", u"S", u"noeq", u"<default>"},
      {"[S]\r\nempty=\r\n", u"S", u"empty", u""},
      {"[S]\r\n;c=1\r\n", u"S", u";c", u"1"},
      {"[S]\r\nk=v=w ; x\r\n", u"S", u"k", u"v=w ; x"},
      {"[a]b]\r\nk=1\r\n", u"a]b", u"k", u"1"},
      {"  [ind] trailing\r\nk=1\r\n", u"ind", u"k", u"1"},
      {"[unterminated\r\nk=1\r\n", u"", u"k", u"1"},
      {"top=1\r\n[]\r\nk=2\r\n", u"", u"k", u"<default>"},
      {"[S]\r\nk=v\0w\r\n"s, u"S", u"k", u"v"},
      {"[S]\r\nc\0d=3\r\n"s, u"S", u"c", u"3"},
      {"[A\0]x\r\nk=1\r\n"s, u"A", u"k", u"1"},
      {"[S]\rk=cr\r", u"S", u"k", u"cr"},
      {"[S]\r\nk=\x80\x81\xE9\r\n", u"S", u"k", u"\u20AC\u0081\u00E9"},
      {"\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\xC0\x80\xED\xA0\x80\xF0\x9F\x98", u"S", u"k",
       u"\u00E9\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\xEF\xBB[S]\r\nk=1\r\n", u"S", u"k", u"<default>"},
      {Utf16LE(u"[S]\r\nk=\u4E2D\r\n") + "x", u"S", u"k", u"\u4E2D"},
      {"\xFE\xFF\0[\0S\0]\0\n\0k\0=\x4E\x2D"s, u"S", u"k", u"\u4E2D"},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(Read(IniDocument::Parse(c.file), c.section, c.key), c.expected) << c.file;
  }
}

TEST(IniDocument, StringReaderCutsAtTheBufferAndQuotedValuesLoseOneMore) {
  const IniDocument document =
      IniDocument::Parse("\xEF\xBB\xBF[S]\r\nu=abcdef\r\nq=\"abcdef\"\r\np=" + std::string(4094, 'a') + "\xF0\x9F\x98\x80\r\n");
  EXPECT_EQ(document.ReadString(u"S", u"u", {}, 4), u"abc");
  EXPECT_EQ(document.ReadString(u"S", u"q", {}, 8), u"abcdef");
  // Six characters and a closing quote in a buffer of seven: the platform
  // drops the last character along with the quote.
  EXPECT_EQ(document.ReadString(u"S", u"q", {}, 7), u"abcde");
  EXPECT_EQ(document.ReadString(u"S", u"q", {}, 6), u"abcde");
  const std::u16string cut = document.ReadString(u"S", u"p", {}, 4096);
  ASSERT_EQ(cut.size(), 4095u);
  EXPECT_EQ(cut.back(), 0xD83D) << "cut between the halves of a pair, as the platform cuts";
  EXPECT_EQ(document.ReadString(u"S", u"missing", u"\"quoted\"  ", 4096), u"quoted");
  EXPECT_EQ(document.ReadString(u"S", u"missing", u"   ", 4096), u" ");
}

TEST(IniDocument, IntegerReaderFollowsThePlatformsGrammar) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"12", 12},          {"-12", -12},        {"+12", 12},           {" \x01 12", 12},    {"12abc", 12},
      {"abc", 0},          {"-", 0},            {"+ 5", 0},            {"0x1F", 31},        {"0X1F", 0},
      {"-0x10", -16},      {"0o17", 15},        {"0b101", 5},          {"0b2", 0},          {"010", 10},
      {"0x", 0},           {"4294967295", -1},  {"4294967296", 0},     {"2147483648", INT32_MIN},
      {"-2147483649", INT32_MAX},               {"99999999999999999999", 1661992959},
      {"\"42\"", 42},      {"'-7'", -7},        {"0xFFFFFFFFFF", -1},
      // The reader sees 29 characters: the 30th digit is never read.
      {"111111111111111111111111111119", 1729917383},
      {"\"11111111111111111111111111111\"", 1461481927},
  };
  for (const auto& [text, expected] : cases) {
    const IniDocument document = IniDocument::Parse(std::string("[S]\r\nk=") + text + "\r\n");
    EXPECT_EQ(document.ReadInt(u"S", u"k", -99), expected) << text;
  }
  for (const char* empty : {"[S]\r\nk=\r\n", "[S]\r\nk= \r\n", "[S]\r\nk=\"\"\r\n", "[S]\r\nk\r\n", "[T]\r\n"}) {
    EXPECT_EQ(IniDocument::Parse(empty).ReadInt(u"S", u"k", -99), -99) << empty;
  }
}

TEST(IniDocument, BlobsRoundTripAndAnythingElseLeavesTheBufferAlone) {
  std::vector<unsigned char> bytes(644);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 37 + 11);
  IniDocument document;
  ASSERT_TRUE(document.WriteStruct(u"GROUP", u"ButtonAssigned1", bytes.data(), bytes.size()));
  const std::u16string stored = *document.Value(u"GROUP", u"ButtonAssigned1");
  ASSERT_EQ(stored.size(), 1290u);
  std::vector<unsigned char> back(644, 0);
  ASSERT_TRUE(IniDocument::Parse(document.Serialize()).ReadStruct(u"GROUP", u"ButtonAssigned1", back.data(), 644));
  EXPECT_EQ(back, bytes);

  std::u16string oneDigit = stored;
  oneDigit[100] = oneDigit[100] == u'0' ? u'1' : u'0';
  std::u16string lower = stored;
  for (char16_t& c : lower) c = (c >= u'A' && c <= u'F') ? static_cast<char16_t>(c + 32) : c;
  const std::u16string rejected[] = {oneDigit, stored.substr(0, 1289), stored + u"00", stored.substr(2),
                                     u"\"" + stored + u"\"", stored.substr(0, 1288) + u"G0"};
  for (const std::u16string& value : rejected) {
    IniDocument damaged;
    ASSERT_TRUE(damaged.WriteString(u"G", u"B", value));
    std::vector<unsigned char> untouched(644, 0xEE);
    EXPECT_FALSE(damaged.ReadStruct(u"G", u"B", untouched.data(), 644));
    EXPECT_EQ(untouched, std::vector<unsigned char>(644, 0xEE));
  }
  IniDocument lowerCase;
  ASSERT_TRUE(lowerCase.WriteString(u"G", u"B", lower));
  EXPECT_TRUE(lowerCase.ReadStruct(u"G", u"B", back.data(), 644)) << "the platform reads either case";
}

TEST(IniDocument, FilesKeepTheirEncoding) {
  IniDocument utf8 = IniDocument::Parse("\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\n");
  ASSERT_TRUE(utf8.WriteString(u"S", u"n", u"\u4E2D"));
  EXPECT_EQ(utf8.Serialize(), "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\nn=\xE4\xB8\xAD\r\n");

  IniDocument utf16 = IniDocument::Parse(Utf16LE(u"[S]\r\nk=\u00E9\r\n"));
  ASSERT_TRUE(utf16.WriteString(u"S", u"n", u"\u4E2D"));
  EXPECT_EQ(utf16.Serialize(), Utf16LE(u"[S]\r\nk=\u00E9\r\nn=\u4E2D\r\n"));

  IniDocument odd = IniDocument::Parse(Utf16LE(u"[S]\r\n") + "x");
  ASSERT_TRUE(odd.WriteString(u"S", u"n", u"1"));
  EXPECT_EQ(odd.Serialize(), Utf16LE(u"[S]\r\nn=1\r\n")) << "the dangling byte would misalign what follows";
}

TEST(IniDocument, ACharacterOutsideAnsiMakesTheWholeFileUtf16) {
  const std::string ansi = "; caf\xE9\r\n[MACRO_LIST]\r\n0=Macro1\r\n\r\n[Setting]\r\nName=\x80uro";
  IniDocument document = IniDocument::Parse(ansi);
  ASSERT_TRUE(document.WriteString(u"MACRO_LIST", u"1", u"Combo \u00E9\u4E2D"));
  EXPECT_EQ(document.Encoding(), IniEncoding::Utf16LE);
  EXPECT_EQ(document.Serialize(),
            Utf16LE(u"; caf\u00E9\r\n[MACRO_LIST]\r\n0=Macro1\r\n1=Combo \u00E9\u4E2D\r\n\r\n[Setting]\r\nName=\u20ACuro"));
  const IniDocument back = IniDocument::Parse(document.Serialize());
  EXPECT_EQ(Read(back, u"MACRO_LIST", u"1"), u"Combo \u00E9\u4E2D");
  EXPECT_EQ(Read(back, u"Setting", u"Name"), u"\u20ACuro");

  IniDocument section;
  ASSERT_TRUE(section.WriteString(u"\u4E2D", u"k", u"v"));
  EXPECT_EQ(section.Encoding(), IniEncoding::Utf16LE);

  // UTF-8 has no form for a lone surrogate (found by fuzzing: the value came
  // back as U+FFFD after the save, a section name so spelled lost its keys).
  IniDocument utf8 = IniDocument::Parse("\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\n");
  const std::u16string lone = {u'a', char16_t{0xD800}, u'b'};
  const std::u16string loneSection(1, char16_t{0xDE5E});
  ASSERT_TRUE(utf8.WriteString(loneSection, u"k", lone));
  EXPECT_EQ(utf8.Encoding(), IniEncoding::Utf16LE);
  const IniDocument reread = IniDocument::Parse(utf8.Serialize());
  EXPECT_EQ(Read(reread, loneSection, u"k"), lone);
  EXPECT_EQ(Read(reread, u"S", u"k"), u"\u00E9");

  // Nor may an ANSI file start with bytes that read as a byte-order mark
  // (found by fuzzing: the rewritten first line lost its leading blanks).
  const std::pair<const char*, std::u16string_view> starts[] = {
      {"  \xEF\xBB\xBF\"[ c=y\r\n", u"\u00EF\u00BB\u00BF\"[ c"},
      {"\t\xFF\xFEk=y\r\n", u"\u00FF\u00FEk"},
      {" \xFE\xFFk=y", u"\u00FE\u00FFk"}};
  for (const auto& [bytes, key] : starts) {
    IniDocument first = IniDocument::Parse(bytes);
    ASSERT_EQ(Read(first, u"", key), u"y") << bytes;
    ASSERT_TRUE(first.WriteString(u"", key, u"z"));
    EXPECT_EQ(Read(IniDocument::Parse(first.Serialize()), u"", key), u"z") << bytes;
  }
  IniDocument fresh;
  ASSERT_TRUE(fresh.WriteString(u"", u"\u00EF\u00BB\u00BFk", u"v"));
  EXPECT_EQ(Read(IniDocument::Parse(fresh.Serialize()), u"", u"\u00EF\u00BB\u00BFk"), u"v");
}

TEST(IniDocument, RefusesWhatCouldNotBeReadBackAndChangesNothing) {
  IniDocument document = IniDocument::Parse(kForeign);
  EXPECT_FALSE(document.WriteString(u"Setting", u"ProfileName", u"a\r\n[Injected]\r\nx=1"));
  EXPECT_FALSE(document.WriteString(u"Setting", u"a=b", u"v"));
  EXPECT_FALSE(document.WriteString(u"Setting", u" [T]", u"v"));
  EXPECT_FALSE(document.WriteString(u"Set\nting", u"k", u"v"));
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.Serialize(), kForeign);
  // A name or value ends at a NUL, as a C string does.
  ASSERT_TRUE(document.WriteString(u"Setting", std::u16string_view(u"Key\0junk", 8), std::u16string_view(u"v\0w", 3)));
  EXPECT_EQ(Read(document, u"Setting", u"Key"), u"v");
}

// Whatever the bytes, parsing never fails, an untouched document gives the
// same bytes back, and a value written into it reads back.
TEST(IniDocument, DamagedInputParsesAndTakesWrites) {
  std::uint32_t state = 99;
  const auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  };
  const char* prefixes[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "[S]\r\n"};
  for (int round = 0; round < 400; ++round) {
    std::string bytes = prefixes[round % 5];
    const std::size_t length = next() % (round % 50 == 0 ? 200000 : 300);
    const char alphabet[] = "[]=;\"' \t\r\n\0SkAx\x80\xC3\xFF";
    for (std::size_t i = 0; i < length; ++i) {
      bytes.push_back(round % 3 == 0 ? static_cast<char>(next()) : alphabet[next() % (sizeof alphabet - 1)]);
    }
    const IniDocument parsed = IniDocument::Parse(bytes);
    const bool oddWide = (round % 5 == 2 || round % 5 == 3) && bytes.size() % 2 != 0;
    if (!oddWide) {
      EXPECT_EQ(parsed.Serialize(), bytes) << "round " << round;
    }
    IniDocument written = parsed;
    ASSERT_TRUE(written.WriteString(u"Setting", u"PollingRate", u"\u4E2D 4"));
    ASSERT_TRUE(written.WriteInt(u"S", u"k", -1));
    const IniDocument back = IniDocument::Parse(written.Serialize());
    EXPECT_EQ(Read(back, u"Setting", u"PollingRate"), u"\u4E2D 4") << "round " << round;
    EXPECT_EQ(back.ReadInt(u"S", u"k", 5), -1) << "round " << round;
  }
}

}  // namespace
}  // namespace perix
