#include "markup/CharsetNames.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace perix::markup {
namespace {

constexpr CharsetName kNames[] = {
    // Unicode.
    {"utf-8", 65001}, {"unicode-1-1-utf-8", 65001}, {"unicode-2-0-utf-8", 65001},
    {"utf-7", 65000}, {"unicode-1-1-utf-7", 65000},
    {"utf-16", 1200}, {"utf-16le", 1200}, {"unicode", 1200}, {"ucs-2", 1200}, {"iso-10646-ucs-2", 1200},
    {"csunicode", 1200}, {"unicodefffe", 1201}, {"utf-16be", 1201},
    {"ucs-4", 65005}, {"iso-10646-ucs-4", 65005}, {"csucs4", 65005},
    // ASCII.
    {"us-ascii", 20127}, {"ascii", 20127}, {"us", 20127}, {"ansi_x3.4-1968", 20127}, {"ansi_x3.4-1986", 20127},
    {"iso-ir-6", 20127}, {"iso646-us", 20127}, {"iso_646.irv:1991", 20127}, {"ibm367", 20127},
    {"cp367", 20127}, {"csascii", 20127},
    // ISO 8859.
    {"iso-8859-1", 28591}, {"iso_8859-1", 28591}, {"iso_8859-1:1987", 28591}, {"iso8859-1", 28591},
    {"latin1", 28591}, {"l1", 28591}, {"iso-ir-100", 28591}, {"ibm819", 28591}, {"cp819", 28591},
    {"csisolatin1", 28591},
    {"iso-8859-2", 28592}, {"iso_8859-2", 28592}, {"iso_8859-2:1987", 28592}, {"latin2", 28592},
    {"l2", 28592}, {"iso-ir-101", 28592}, {"csisolatin2", 28592},
    {"iso-8859-3", 28593}, {"iso_8859-3", 28593}, {"iso_8859-3:1988", 28593}, {"latin3", 28593},
    {"l3", 28593}, {"iso-ir-109", 28593}, {"csisolatin3", 28593},
    {"iso-8859-4", 28594}, {"iso_8859-4", 28594}, {"iso_8859-4:1988", 28594}, {"latin4", 28594},
    {"l4", 28594}, {"iso-ir-110", 28594}, {"csisolatin4", 28594},
    {"iso-8859-5", 28595}, {"iso_8859-5", 28595}, {"iso_8859-5:1988", 28595}, {"cyrillic", 28595},
    {"iso-ir-144", 28595}, {"csisolatincyrillic", 28595},
    {"iso-8859-6", 28596}, {"iso_8859-6", 28596}, {"iso_8859-6:1987", 28596}, {"arabic", 28596},
    {"iso-ir-127", 28596}, {"ecma-114", 28596}, {"csisolatinarabic", 28596}, {"asmo-708", 708},
    {"iso-8859-7", 28597}, {"iso_8859-7", 28597}, {"iso_8859-7:1987", 28597}, {"greek", 28597},
    {"greek8", 28597}, {"iso-ir-126", 28597}, {"elot_928", 28597}, {"ecma-118", 28597},
    {"csisolatingreek", 28597},
    {"iso-8859-8", 28598}, {"iso_8859-8", 28598}, {"iso_8859-8:1988", 28598}, {"hebrew", 28598},
    {"iso-ir-138", 28598}, {"csisolatinhebrew", 28598}, {"visual", 28598}, {"iso-8859-8-i", 38598},
    {"iso_8859-8-i", 38598}, {"logical", 38598}, {"csiso88598i", 38598},
    {"iso-8859-9", 28599}, {"iso_8859-9", 28599}, {"iso_8859-9:1989", 28599}, {"latin5", 28599},
    {"l5", 28599}, {"iso-ir-148", 28599}, {"csisolatin5", 28599},
    {"iso-8859-13", 28603},
    {"iso-8859-15", 28605}, {"iso_8859-15", 28605}, {"latin-9", 28605}, {"latin9", 28605},
    {"l9", 28605}, {"csiso885915", 28605},
    // Windows.
    {"windows-1250", 1250}, {"cp1250", 1250},
    {"windows-1251", 1251}, {"cp1251", 1251},
    {"windows-1252", 1252}, {"x-ansi", 1252}, {"cp1252", 1252},
    {"windows-1253", 1253}, {"cp1253", 1253},
    {"windows-1254", 1254}, {"cp1254", 1254},
    {"windows-1255", 1255}, {"cp1255", 1255},
    {"windows-1256", 1256}, {"cp1256", 1256},
    {"windows-1257", 1257}, {"cp1257", 1257},
    {"windows-1258", 1258}, {"cp1258", 1258},
    {"windows-874", 874}, {"dos-874", 874}, {"tis-620", 874}, {"iso-8859-11", 874},
    // DOS and OEM.
    {"ibm437", 437}, {"cp437", 437}, {"437", 437}, {"cspc8codepage437", 437},
    {"dos-720", 720}, {"ibm737", 737}, {"ibm775", 775},
    {"ibm850", 850}, {"cp850", 850}, {"850", 850}, {"cspc850multilingual", 850},
    {"ibm852", 852}, {"cp852", 852}, {"852", 852}, {"cspcp852", 852},
    {"ibm855", 855}, {"cp855", 855}, {"csibm855", 855},
    {"ibm857", 857}, {"cp857", 857}, {"csibm857", 857},
    {"ibm00858", 858},
    {"ibm860", 860}, {"cp860", 860}, {"csibm860", 860},
    {"ibm861", 861}, {"cp861", 861}, {"csibm861", 861},
    {"dos-862", 862}, {"ibm862", 862}, {"cp862", 862}, {"csibm862", 862},
    {"ibm863", 863}, {"cp863", 863}, {"csibm863", 863},
    {"ibm864", 864}, {"cp864", 864}, {"csibm864", 864},
    {"ibm865", 865}, {"cp865", 865}, {"csibm865", 865},
    {"cp866", 866}, {"ibm866", 866}, {"csibm866", 866},
    {"ibm869", 869}, {"cp869", 869}, {"csibm869", 869},
    // Cyrillic.
    {"koi8-r", 20866}, {"cskoi8r", 20866}, {"koi8", 20866}, {"koi8r", 20866},
    {"koi8-u", 21866}, {"koi8-ru", 21866},
    // Chinese.
    {"gb2312", 936}, {"csgb2312", 936}, {"gb_2312-80", 936}, {"iso-ir-58", 936}, {"chinese", 936},
    {"csiso58gb231280", 936}, {"gbk", 936}, {"cp936", 936}, {"ms936", 936},
    {"gb18030", 54936}, {"hz-gb-2312", 52936}, {"euc-cn", 51936}, {"x-euc-cn", 51936},
    {"big5", 950}, {"csbig5", 950}, {"cn-big5", 950}, {"x-x-big5", 950}, {"cp950", 950},
    // Japanese.
    {"shift_jis", 932}, {"shift-jis", 932}, {"ms_kanji", 932}, {"csshiftjis", 932}, {"x-sjis", 932},
    {"sjis", 932}, {"windows-31j", 932}, {"cswindows31j", 932}, {"cp932", 932},
    {"euc-jp", 51932}, {"x-euc-jp", 51932}, {"x-euc", 51932}, {"cseucpkdfmtjapanese", 51932},
    {"extended_unix_code_packed_format_for_japanese", 51932},
    {"iso-2022-jp", 50220}, {"csiso2022jp", 50221},
    // Korean.
    {"ks_c_5601-1987", 949}, {"ks_c_5601-1989", 949}, {"ks_c_5601", 949}, {"ksc_5601", 949},
    {"ksc5601", 949}, {"korean", 949}, {"iso-ir-149", 949}, {"csksc56011987", 949}, {"cp949", 949},
    {"euc-kr", 51949}, {"cseuckr", 51949}, {"iso-2022-kr", 50225}, {"csiso2022kr", 50225},
    {"johab", 1361},
    // Macintosh.
    {"macintosh", 10000}, {"mac", 10000}, {"csmacintosh", 10000}, {"x-mac-japanese", 10001},
    {"x-mac-chinesetrad", 10002}, {"x-mac-korean", 10003}, {"x-mac-arabic", 10004},
    {"x-mac-hebrew", 10005}, {"x-mac-greek", 10006}, {"x-mac-cyrillic", 10007},
    {"x-mac-chinesesimp", 10008},
    {"x-mac-ce", 10029},
    // EBCDIC.
    {"ibm037", 37}, {"cp037", 37}, {"ebcdic-cp-us", 37}, {"ebcdic-cp-ca", 37}, {"ebcdic-cp-wt", 37},
    {"ebcdic-cp-nl", 37}, {"csibm037", 37}, {"ibm500", 500}, {"cp500", 500}, {"ebcdic-cp-be", 500},
    {"ebcdic-cp-ch", 500}, {"csibm500", 500},
};
constexpr std::size_t kCount = sizeof kNames / sizeof kNames[0];
static_assert(kCount == 254);

// Names hash by the sum of their character codes into 150 buckets.
constexpr std::size_t kBuckets = 150;
constexpr std::size_t kMaxName = 100;

constexpr std::size_t HashName(std::string_view name) {
  std::size_t sum = 0;
  for (char c : name) sum += static_cast<unsigned char>(c);
  return sum % kBuckets;
}

struct Buckets {
  std::array<std::uint16_t, kBuckets + 1> first{};
  std::array<std::uint16_t, kCount> order{};
};

constexpr Buckets BuildBuckets() {
  Buckets buckets;
  std::array<std::uint16_t, kBuckets> counts{};
  for (const CharsetName& entry : kNames) ++counts[HashName(entry.name)];
  for (std::size_t b = 0; b < kBuckets; ++b) {
    buckets.first[b + 1] = static_cast<std::uint16_t>(buckets.first[b] + counts[b]);
  }
  std::array<std::uint16_t, kBuckets> fill{};
  for (std::size_t i = 0; i < kCount; ++i) {
    const std::size_t b = HashName(kNames[i].name);
    buckets.order[buckets.first[b] + fill[b]++] = static_cast<std::uint16_t>(i);
  }
  return buckets;
}
constexpr Buckets kBucketTable = BuildBuckets();

constexpr char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

}  // namespace

std::span<const CharsetName> CharsetNameTable() { return kNames; }

unsigned CodePageOfCharset(std::u16string_view name) {
  constexpr std::u16string_view kUtf32 = u"utf-32";
  if (name.size() >= kUtf32.size()) {
    bool utf32 = true;
    for (std::size_t i = 0; i < kUtf32.size() && utf32; ++i) utf32 = Lower(name[i]) == kUtf32[i];
    if (utf32) return kCodePageUtf32;
  }
  if (name.empty() || name.size() >= kMaxName) return 0;
  std::size_t sum = 0;
  for (char16_t c : name) sum += Lower(c);
  const std::size_t b = sum % kBuckets;
  for (std::size_t k = kBucketTable.first[b]; k < kBucketTable.first[b + 1]; ++k) {
    const CharsetName& entry = kNames[kBucketTable.order[k]];
    if (entry.name.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) {
      same = static_cast<char16_t>(static_cast<unsigned char>(entry.name[i])) == Lower(name[i]);
    }
    if (same) return entry.codePage;
  }
  return 0;
}

}  // namespace perix::markup
