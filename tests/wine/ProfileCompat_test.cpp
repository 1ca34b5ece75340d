// The settings store against kernel32's private-profile functions, on copies
// of the same files: what one side writes, the other must read the same way.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "WineProfile.h"
#include "store/IniDocument.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix::wine {
namespace {

std::string Utf16LE(std::u16string_view text, bool mark = true) {
  std::string out = mark ? "\xFF\xFE" : "";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::string Utf16BE(std::u16string_view text) {
  std::string out = "\xFE\xFF";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

struct Fixture {
  const char* name;
  std::string bytes;
  std::vector<std::u16string> sections;
  std::vector<std::u16string> keys;
};

std::string Garbage() {
  std::string bytes = "[S]\r\na=1\r\n";
  std::uint32_t state = 12345;
  for (int i = 0; i < 3000; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<char>(state >> 23));
  }
  return bytes + "\r\n[T]\r\nb=2\r\n";
}

std::vector<Fixture> Fixtures() {
  const std::u16string longValue(5000, u'v');
  std::vector<Fixture> list = {
      {"spacing", "[S]\r\n  a  =  1  \r\nb=2\r\n\tc\t=\t3\t\r\n d= \r\n\x0B" "e\x0C=\x0B" "5\r\n", {u"S", u" S "},
       {u"a", u"b", u"c", u"d", u"e", u" a ", u"\ta"}},
      {"comments", "; head\r\n[S]\r\n;a=1\r\na=2 ; not a comment\r\n#b=3\r\n; tail\r\n", {u"S", u""},
       {u";a", u"a", u"#b", u"; tail", u"; head"}},
      {"blank lines", "\r\n\r\n[S]\r\n\r\na=1\r\n\r\n\r\n[T]\r\n\r\nb=2\r\n\r\n", {u"S", u"T"}, {u"a", u"b"}},
      {"duplicates", "[S]\r\na=1\r\nA=2\r\n[s]\r\na=3\r\nb=4\r\n[ S ]\r\nc=5\r\n[T]\r\nx=1\r\nx=2\r\n",
       {u"S", u"s", u"T"}, {u"a", u"A", u"b", u"c", u"x"}},
      {"name case", "[SeCtIoN]\r\nKeY=1\r\n[\xC9t\xE9]\r\n\xC9=2\r\n\xE9=3\r\n",
       {u"section", u"SECTION", u"\u00C9t\u00E9", u"\u00C9T\u00C9", u"\u00E9t\u00E9"},
       {u"key", u"KEY", u"\u00C9", u"\u00E9"}},
      {"quotes",
       "[S]\r\nd=\"x\"\r\ns='x'\r\nu=\"x\r\nm=\"x'\r\no=\"\r\ne=\"\"\r\ni=\"a\"b\"\r\nw= \"x\" \r\nn=\"12\"\r\n"
       "q4094=\"" + std::string(4093, 'q') + "Z\"\r\nq4095=\"" + std::string(4094, 'q') + "Z\"\r\nq4096=\"" +
           std::string(4095, 'q') + "Z\"\r\nqi=\"" + std::string(29, '1') + "\"\r\n",
       {u"S"}, {u"d", u"s", u"u", u"m", u"o", u"e", u"i", u"w", u"n", u"q4094", u"q4095", u"q4096", u"qi"}},
      {"no final newline", "[S]\r\na=1\r\nb=2", {u"S"}, {u"a", u"b"}},
      {"long lines",
       "[S]\r\nlong=" + std::string(longValue.begin(), longValue.end()) + "\r\n" + std::string(70000, 'k') +
           "=big key\r\ndigits=" + std::string(40, '7') + "\r\nafter=ok\r\n",
       {u"S"}, {u"long", std::u16string(70000, u'k'), u"digits", u"after"}},
      {"blobs",
       "[S]\r\ngood=0102ABFFAD\r\nlower=0102abffad\r\nbadsum=0102ABFFAE\r\nodd=0102ABFFA\r\nshort=0102ABFF\r\n"
       "long=0102ABFFAD00\r\nquoted=\"0102ABFFAD\"\r\nhexless=0G10\r\nspaced= 0102ABFFAD \r\n"
       "blob16=000102030405060708090A0B0C0D0E0F78\r\nempty=\r\n",
       {u"S"},
       {u"good", u"lower", u"badsum", u"odd", u"short", u"long", u"quoted", u"hexless", u"spaced", u"blob16", u"empty",
        u"missing"}},
      {"outside sections", "top=1\r\nnoeq\r\n[unterminated\r\n[]\r\nhidden=2\r\n[S]\r\nlone\r\n=empty key\r\nk=v=w\r\n",
       {u"", u"S", u"unterminated"}, {u"top", u"noeq", u"[unterminated", u"hidden", u"lone", u"", u"k"}},
      {"headers", "[a]b]\r\nk=1\r\n[c]]\r\nk=2\r\n[[d]\r\nk=3\r\n  [ e ]  trailing\r\nk=4\r\n",
       {u"a", u"a]b", u"c", u"c]", u"[d", u"e"}, {u"k"}},
      {"CR only", "[S]\ra=1\rb=2\r\r[T]\rc=3\r", {u"S", u"T"}, {u"a", u"b", u"c"}},
      {"LF only", "[S]\na=1\n\n[T]\nc=3", {u"S", u"T"}, {u"a", u"c"}},
      {"ANSI high", "[S]\r\nk=\x80\x81\x8D\x9F\xA0\xE9\xFF\r\n\xE9=\xC9\r\n", {u"S"}, {u"k", u"\u00E9"}},
      {"NUL bytes", std::string("[S]\r\na=v\0k3=x\r\nb=2\r\nc\0d=3\r\n", 29), {u"S"}, {u"a", u"k3", u"b", u"c"}},
      {"UTF-8 BOM",
       "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\xE4\xB8\xAD\r\nbad=\xC0\x80|\xED\xA0\x80|\xF4\x90\x80\x80|\xE4\xB8|\xFF\r\n"
       "cut=\xF0\x9F\x98",
       {u"S"}, {u"k", u"bad", u"cut"}},
      {"UTF-16LE BOM", Utf16LE(u"[S]\r\nk=\u00E9\u4E2D\r\nn=\"7\"\r\n[T]\nx=\xD83D\xDE00"), {u"S", u"T"},
       {u"k", u"n", u"x"}},
      {"UTF-16LE odd byte", Utf16LE(u"[S]\r\nk=1\r\n") + "x", {u"S"}, {u"k"}},
      {"UTF-16BE BOM", Utf16BE(u"[S]\r\nk=\u00E9\u4E2D\r\n"), {u"S"}, {u"k"}},
      {"UTF-16 without BOM", Utf16LE(u"[S]\r\nk=1\r\n", false), {u"S"}, {u"k"}},
      {"truncated BOMs", "\xEF\xBB[S]\r\nk=1\r\n[T]\r\n\xFFk=2\r\n", {u"S", u"T", u"\u00EF\u00BB[S]"}, {u"k"}},
      {"binary garbage", Garbage(), {u"S", u"T"}, {u"a", u"b"}},
      {"only a BOM", "\xFF\xFE", {u"S"}, {u"k"}},
  };
  // Integers: the reader's whole grammar, one key each.
  const char* ints[] = {"12", "-12", "+12", "  12", "12abc", "abc", "0x1F", "0X1f", "0x", "0xG", "-0x10", "010",
                        "0o17", "0b101", "0b2", "4294967295", "4294967296", "2147483648", "-2147483649",
                        "99999999999999999999", "", " ", "-", "+ 5", "1 2", "\"42\"", "'-7'", "\"\"", "\x01\x1C" "12",
                        "0x7FFFFFFF", "0xFFFFFFFFFF", "0x0000000000000000000000000001", "00000000000000000000000000000005",
                        "11111111111111111111111111111", "-1111111111111111111111111111"};
  Fixture integers{"integers", "[I]\r\n", {u"I"}, {}};
  for (std::size_t i = 0; i < std::size(ints); ++i) {
    const std::string key = std::to_string(i);
    integers.bytes.append(1, 'k').append(key).append(1, '=').append(ints[i]).append("\r\n");
    std::u16string wideKey(1, u'k');
    wideKey.append(Widen(key));
    integers.keys.push_back(wideKey);
  }
  integers.keys.push_back(u"missing");
  list.push_back(std::move(integers));
  return list;
}

// The platform also accepts a blob longer than its size calls for (it reads
// the leading digits) and takes letters beyond F as digits; the store holds
// to the exact format, two hex digits per byte and the checksum.
bool PlatformOnlyBlob(const std::optional<std::u16string>& value, std::size_t size) {
  if (!value) return false;
  if (value->size() != 2 * size + 2) return true;
  for (char16_t c : *value) {
    if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'))) return true;
  }
  return false;
}

std::vector<std::u16string> Unique(std::vector<std::u16string> names) {
  std::vector<std::u16string> out;
  for (std::u16string& name : names) {
    if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(std::move(name));
  }
  return out;
}

void ExpectSameReads(const std::u16string& path, const Fixture& fixture, const char* what) {
  // The store's own readers once, then the document they read through for
  // the many queries (the store parses the file afresh on every call).
  const SettingsStore store(path);
  ASSERT_FALSE(fixture.sections.empty() || fixture.keys.empty());
  EXPECT_EQ(store.ReadString(fixture.sections[0], fixture.keys[0], u"dflt"),
            PlatformString(path, fixture.sections[0], fixture.keys[0], u"dflt"));
  EXPECT_EQ(store.ReadInt(fixture.sections[0], fixture.keys[0], -77),
            PlatformInt(path, fixture.sections[0], fixture.keys[0], -77));
  const IniDocument document = store.Load();
  for (const std::u16string& section : Unique(fixture.sections)) {
    for (const std::u16string& key : Unique(fixture.keys)) {
      SCOPED_TRACE(std::string(what) + " " + fixture.name + " [" + Utf16ToUtf8(section.substr(0, 20)) + "] " +
                   Utf16ToUtf8(key.substr(0, 20)));
      EXPECT_EQ(document.ReadString(section, key, u"dflt", SettingsStore::kStringBufferSize),
                PlatformString(path, section, key, u"dflt"));
      EXPECT_EQ(document.ReadInt(section, key, -77), PlatformInt(path, section, key, -77));
      for (std::size_t size : {std::size_t{1}, std::size_t{4}, std::size_t{16}}) {
        std::vector<unsigned char> mine(size, 0xEE);
        const bool ok = document.ReadStruct(section, key, mine.data(), size);
        const auto theirs = PlatformStruct(path, section, key, size);
        if (ok) {
          ASSERT_TRUE(theirs.has_value()) << "size " << size;
          EXPECT_EQ(mine, *theirs) << "size " << size;
        } else {
          EXPECT_EQ(mine, std::vector<unsigned char>(size, 0xEE)) << "a failed read leaves the buffer alone";
          if (theirs) {
            EXPECT_TRUE(PlatformOnlyBlob(document.Value(section, key), size)) << "size " << size;
          }
        }
      }
    }
  }
}

TEST(ProfileCompat, ReadsEveryFileAsThePlatformDoes) {
  TempFolder folder;
  int n = 0;
  for (const Fixture& fixture : Fixtures()) {
    const std::u16string path = folder.File(L"read" + std::to_wstring(n++) + L".ini");
    WriteBytes(path, fixture.bytes);
    ExpectSameReads(path, fixture, "read");
  }
}

TEST(ProfileCompat, DefaultsAreTrimmedAndUnquotedAsThePlatformDoes) {
  TempFolder folder;
  const std::u16string path = folder.File(L"defaults.ini");
  WriteBytes(path, "[S]\r\n");
  const SettingsStore store(path);
  for (std::u16string_view dflt : {u"\"x\"", u"'x'", u"x  ", u"  ", u" ", u"\"x  \"", u" \"x\" ", u"x \t", u"\"",
                                   u"\"\"", u"\"x\"  "}) {
    EXPECT_EQ(store.ReadString(u"S", u"missing", dflt), PlatformString(path, u"S", u"missing", dflt))
        << Utf16ToUtf8(dflt);
  }
}

TEST(ProfileCompat, StringReaderCutsAtTheBufferLikeThePlatform) {
  TempFolder folder;
  const std::u16string path = folder.File(L"cut.ini");
  std::u16string text = u"[S]\r\nsp=" + std::u16string(4094, u'a') + u"\xD83D\xDE00\r\nq=\"abcdef\"\r\n";
  WriteBytes(path, Utf16LE(text));
  const IniDocument document = SettingsStore(path).Load();
  for (DWORD size : {1u, 2u, 3u, 6u, 7u, 8u, 4095u, 4096u, 4097u}) {
    for (std::u16string_view key : {u"sp", u"q", u"missing"}) {
      EXPECT_EQ(document.ReadString(u"S", key, u"\"default\"", size),
                PlatformString(path, u"S", key, u"\"default\"", size))
          << "size " << size;
    }
  }
}

struct Write {
  std::u16string section, key, value;
};

// Writes the store and the platform both accept and store the same way (no
// characters outside the ANSI code page; those the platform turns into '?').
std::vector<Write> CommonWrites() {
  return {{u"S", u"a", u"new"},       {u"S", u"zz", u"added"},   {u"New", u"k", u"v"}, {u"S", u"a", u"new"},
          {u"s", u"A", u"  lead"},    {u"T", u"b", u"\"q\""},    {u"", u"top", u"1"},  {u"New", u"k", u"w"},
          {u"S", u"tail", u"x  "},    {u"S", u"noeq", u"filled"}, {u"S", u"lone", u"set"}};
}

void ApplyStore(const std::u16string& path, const std::vector<Write>& writes) {
  SettingsStore store(path);
  for (const Write& w : writes) ASSERT_EQ(store.WriteString(w.section, w.key, w.value), FileStatus::Ok);
}

void ApplyPlatform(const std::u16string& path, const std::vector<Write>& writes) {
  for (const Write& w : writes) ASSERT_TRUE(PlatformWriteString(path, w.section, w.key, w.value));
}

// Each side reads what the other wrote. The platform rewrites every line of
// a file it changes (blank lines dropped, spacing and line ends normalised)
// while the store keeps untouched lines byte for byte, so the files may
// differ; the values read from them may not.
TEST(ProfileCompat, EachSideReadsWhatTheOtherWrote) {
  TempFolder folder;
  const std::vector<Write> writes = CommonWrites();
  int n = 0;
  for (Fixture fixture : Fixtures()) {
    const std::string name = fixture.name;
    // The platform gives the keys under a "[]" header to the start of the
    // file when it rewrites it, which changes what reads; nothing to compare.
    if (name == "outside sections" || name == "UTF-16 without BOM" || name == "truncated BOMs") continue;
    const std::u16string mine = folder.File(L"mine" + std::to_wstring(n) + L".ini");
    const std::u16string theirs = folder.File(L"theirs" + std::to_wstring(n) + L".ini");
    ++n;
    WriteBytes(mine, fixture.bytes);
    WriteBytes(theirs, fixture.bytes);
    ApplyStore(mine, writes);
    ApplyPlatform(theirs, writes);
    for (const Write& w : writes) {
      fixture.sections.push_back(w.section);
      fixture.keys.push_back(w.key);
    }
    ExpectSameReads(mine, fixture, "store-written");
    ExpectSameReads(theirs, fixture, "platform-written");
    const IniDocument a = SettingsStore(mine).Load();
    const IniDocument b = SettingsStore(theirs).Load();
    for (const std::u16string& section : fixture.sections) {
      for (const std::u16string& key : fixture.keys) {
        EXPECT_EQ(a.ReadString(section, key, u"dflt", 4096), b.ReadString(section, key, u"dflt", 4096))
            << name << " [" << Utf16ToUtf8(section) << "] " << Utf16ToUtf8(key.substr(0, 20));
      }
    }
  }
}

// On files already in the form the platform writes (CRLF, no blank lines, no
// spacing), the store's output is the platform's, byte for byte.
TEST(ProfileCompat, WritesToNormalisedFilesAreByteIdentical) {
  TempFolder folder;
  const std::u16string text = u"[S]\r\na=1\r\n;c=comment\r\nnoeq\r\n[T]\r\nb=\u00E9\r\n";
  const std::string ansi = "[S]\r\na=1\r\n;c=comment\r\nnoeq\r\n[T]\r\nb=\xE9\r\n";
  const std::string files[] = {ansi, "\xEF\xBB\xBF" + Utf16ToUtf8(text), Utf16LE(text), Utf16BE(text), "",
                               "\xEF\xBB\xBF", "\xFF\xFE"};
  // Trailing blanks would be written as they are and trimmed by the
  // platform's next rewrite; leave them to the reading comparison above.
  std::vector<Write> writes;
  for (const Write& w : CommonWrites()) {
    if (w.value.back() != u' ') writes.push_back(w);
  }
  writes.push_back({u"T", u"b", u"\u00E8"});
  int n = 0;
  for (const std::string& bytes : files) {
    const std::u16string mine = folder.File(L"nmine" + std::to_wstring(n) + L".ini");
    const std::u16string theirs = folder.File(L"ntheirs" + std::to_wstring(n) + L".ini");
    ++n;
    WriteBytes(mine, bytes);
    WriteBytes(theirs, bytes);
    ApplyStore(mine, writes);
    ApplyPlatform(theirs, writes);
    EXPECT_EQ(ReadBytes(mine), ReadBytes(theirs)) << "file " << n;
  }
}

TEST(ProfileCompat, FreshFilesFromTheSameWritesAreByteIdentical) {
  TempFolder folder;
  const unsigned char blob[] = {0x01, 0x02, 0xAB, 0xFF};
  const std::u16string mine = folder.File(L"fresh-mine.ini");
  const std::u16string theirs = folder.File(L"fresh-theirs.ini");
  SettingsStore store(mine);
  const std::vector<Write> writes = {{u"Setting", u"Profile", u"0"},   {u"Setting", u"TrayEnabled", u"1"},
                                     {u"GROUP", u"DPI", u"1"},         {u"setting", u"profile", u"2"},
                                     {u"  Setting", u"  New", u"  spaced"}, {u"", u"top", u"1"},
                                     {u"S", u"", u"empty key"},        {u"S", u"q", u"\"quoted\""},
                                     {u"S", u"e", u""},                {u"  New Sec", u"k", u"caf\u00E9"}};
  for (const Write& w : writes) {
    ASSERT_EQ(store.WriteString(w.section, w.key, w.value), FileStatus::Ok);
    ASSERT_TRUE(PlatformWriteString(theirs, w.section, w.key, w.value));
    ASSERT_EQ(store.WriteStruct(u"GROUP", u"B", blob, sizeof blob), FileStatus::Ok);
    ASSERT_TRUE(PlatformWriteStruct(theirs, u"GROUP", u"B", blob, sizeof blob));
    ASSERT_EQ(ReadBytes(mine), ReadBytes(theirs)) << "after " << Utf16ToUtf8(w.section) << "/" << Utf16ToUtf8(w.key);
  }
  // A key outside any section goes to the top, before the first header.
  EXPECT_EQ(ReadBytes(mine)->substr(0, 29), std::string("top=1\r\n[Setting]\r\nProfile=2\r\n"));
}

// The platform turns a character outside the ANSI code page into '?'; the
// store makes the file UTF-16 instead, which the platform reads in full.
TEST(ProfileCompat, CharactersOutsideAnsiSurviveAsUtf16) {
  TempFolder folder;
  const std::u16string path = folder.File(L"upgrade.ini");
  WriteBytes(path, "; keep me\r\n[S]\r\na=caf\xE9\r\n\r\n[MACRO_LIST]\r\n0=Macro1\r\n");
  ASSERT_EQ(SettingsStore(path).WriteString(u"MACRO_LIST", u"1", u"Combo \u00E9\u4E2D"), FileStatus::Ok);
  EXPECT_EQ(ReadBytes(path)->substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(PlatformString(path, u"MACRO_LIST", u"1", u""), u"Combo \u00E9\u4E2D");
  EXPECT_EQ(PlatformString(path, u"MACRO_LIST", u"0", u""), u"Macro1");
  EXPECT_EQ(PlatformString(path, u"S", u"a", u""), u"caf\u00E9");
  // And the platform keeps writing it as UTF-16.
  ASSERT_TRUE(PlatformWriteString(path, u"S", u"b", u"\u4E2D"));
  EXPECT_EQ(SettingsStore(path).ReadString(u"S", u"b"), u"\u4E2D");
  EXPECT_EQ(SettingsStore(path).ReadString(u"MACRO_LIST", u"1"), u"Combo \u00E9\u4E2D");
}

}  // namespace
}  // namespace perix::wine
