// Randomly damaged settings files, read by the store and by kernel32's own
// private-profile readers: every key must read the same. The files start from
// the layout of "Mouse.ini" and get blanks and control characters around
// names and values, changed letter case, quotes, other number forms, other
// line ends and encodings, duplicated sections and keys, and junk lines.
//
// The seed is fixed, so a failure names a file that can be made again. The
// test run compares a few hundred files; for a longer run set
// PERIX_MUTATED_FILES (for example 5000) and PERIX_MUTATION_SEED; with
// PERIX_MUTATION_KEEP set every file stays in the temporary folder (files that
// differ always do).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "WineProfile.h"
#include "store/IniDocument.h"
#include "store/SettingsStore.h"
#include "text/Utf16.h"

namespace perix::wine {
namespace {

class Random {
 public:
  explicit Random(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint32_t Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 7;
    m_state ^= m_state << 17;
    return static_cast<std::uint32_t>(m_state >> 11);
  }
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : Next() % n; }
  bool Chance(unsigned percent) { return Below(100) < percent; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(items.size())];
  }

 private:
  std::uint64_t m_state;
};

struct Entry {
  std::u16string key;
  std::u16string value;
  std::size_t blobSize = 0;  // bytes the value encodes, when it is a blob
};

struct Section {
  std::u16string name;
  std::vector<Entry> entries;
};

std::u16string Blob(Random& random, std::size_t size) {
  std::vector<unsigned char> bytes(size);
  for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(random.Next());
  return EncodeIniStruct(bytes.data(), bytes.size());
}

// The layout of a settings file, with values of every kind it holds.
std::vector<Section> BaseLayout(Random& random) {
  std::vector<Section> sections;
  Section setting{u"Setting", {}};
  for (const char16_t* key : {u"Profile", u"TrayEnabled", u"MouseButtons", u"PollingRate", u"LeftCount", u"RightCount",
                              u"WheelScrollLines", u"MouseSensitivity", u"DoubleClickSpeed", u"AccelerationEnabled",
                              u"Acceleration", u"UniversalScrollEnabled"}) {
    setting.entries.push_back({key, DecimalText(static_cast<int>(random.Below(40)) - 1)});
  }
  for (int i = 1; i <= 4; ++i) setting.entries.push_back({u"DPI_INFO" + DecimalText(i), Blob(random, 16), 16});
  for (int i = 1; i <= 6; ++i) setting.entries.push_back({u"LED_MODE_INFO" + DecimalText(i), Blob(random, 12), 12});
  setting.entries.push_back({u"DPI", u"2"});
  setting.entries.push_back({u"LedColor", u"16744512"});
  setting.entries.push_back({u"ProfileName", u"My Profile caf\u00E9"});
  sections.push_back(std::move(setting));
  for (int p = 0; p < 3; ++p) {
    Section group{p == 0 ? std::u16string(u"GROUP") : u"GROUP" + DecimalText(p), {}};
    group.entries.push_back({u"Name", u"Game " + DecimalText(p)});
    group.entries.push_back({u"DPI", DecimalText(p)});
    group.entries.push_back({u"ButtonAssigned" + DecimalText(p + 1), Blob(random, 644), 644});
    sections.push_back(std::move(group));
  }
  sections.push_back({u"MACRO_LIST", {{u"0", u"Macro1"}, {u"1", u"Combo \u00E9"}, {u"7", u"Last"}}});
  return sections;
}

// What may stand around a name or a value.
const std::vector<std::u16string> kPadding = {
    u" ",  u"\t", u"  \t ", u"\v", u"\f", std::u16string(1, u'\x01'), std::u16string(1, u'\x1F'), u"\x7F", u"\u00A0",
    u"\u3000", std::u16string(1, u'\0')};

std::u16string Pad(Random& random, unsigned percent) {
  return random.Chance(percent) ? random.Pick(kPadding) : std::u16string();
}

std::u16string ChangeCase(Random& random, std::u16string name) {
  for (char16_t& c : name) {
    if (!random.Chance(40)) continue;
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    else if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    else if (c == u'\u00E9') c = u'\u00C9';
  }
  return name;
}

std::u16string NumberForm(Random& random, const std::u16string& value) {
  const std::vector<std::u16string> forms = {
      u"+" + value, u"0x1F", u"0X1F", u"0x", u"-0x10", u"010", u"0o17", u"0b101", u"00" + value, value + u"abc",
      value + u" 9", u"4294967295", u"4294967296", u"-2147483649", u"99999999999999999999", u"", u"-", u"+",
      u"1e3", u"\uFF11\uFF12", u"\u0661", u" " + value, u"\"" + value + u"\"", u"'" + value + u"'", u"0x7FFFFFFF",
      u"-0", u"- 5"};
  return random.Pick(forms);
}

std::u16string Quote(Random& random, const std::u16string& value) {
  switch (random.Below(7)) {
    case 0: return u"\"" + value + u"\"";
    case 1: return u"'" + value + u"'";
    case 2: return u"\"" + value + u"'";
    case 3: return u"\"" + value;
    case 4: return value + u"\"";
    case 5: return u"\" " + value + u" \"";
    default: return u"\"\"" + value + u"\"\"";
  }
}

std::u16string DamageBlob(Random& random, std::u16string value) {
  if (value.empty()) return value;
  switch (random.Below(7)) {
    case 0:
      for (char16_t& c : value) {
        if (c >= u'A' && c <= u'F' && random.Chance(50)) c = static_cast<char16_t>(c + 32);
      }
      return value;
    case 1: value[random.Below(value.size())] = u"0123456789ABCDEFGZ"[random.Below(18)]; return value;
    case 2: value.erase(random.Below(value.size()), 1); return value;
    case 3: return value + u"00";
    case 4: value.insert(random.Below(value.size()), u" "); return value;
    case 5: return value.substr(0, value.size() - 2);
    default: return u"\"" + value + u"\"";
  }
}

std::u16string JunkLine(Random& random) {
  const std::vector<std::u16string> junk = {
      u"noequals", u"[unterminated", u"]backwards[", u";comment=1", u"#hash=2", u"=value without key", u"==", u"[]",
      u"[ ]", u"  ", u"\t", u"[Setting", u"Profile", u"key=value=more", u"\uFEFFbom=1", u"[\u00E9]", u"k\u00E9y=v",
      u"\u4E2D=\u6587"};
  if (random.Chance(70)) return random.Pick(junk);
  std::u16string line;
  const std::size_t length = random.Below(24);
  for (std::size_t i = 0; i < length; ++i) {
    char16_t c = static_cast<char16_t>(random.Below(0x100));
    if (c == u'\r' || c == u'\n') c = u'x';
    line.push_back(c);
  }
  return line;
}

struct Query {
  std::u16string section, key;
  std::size_t blobSize = 0;
};

struct MutatedFile {
  std::u16string text;  // without line ends chosen yet: lines joined with '\n'
  std::vector<Query> queries;
};

MutatedFile Mutate(Random& random) {
  std::vector<Section> sections = BaseLayout(random);
  MutatedFile file;
  std::vector<std::u16string> lines;
  const unsigned rate = 5 + static_cast<unsigned>(random.Below(30));  // how damaged this file is
  if (random.Chance(rate)) lines.push_back(JunkLine(random));
  for (std::size_t s = 0; s < sections.size(); ++s) {
    Section& section = sections[s];
    std::u16string name = random.Chance(rate) ? ChangeCase(random, section.name) : section.name;
    const std::u16string header = Pad(random, rate) + u"[" + Pad(random, rate) + name + Pad(random, rate) + u"]" +
                                  (random.Chance(rate / 3) ? u" trailing ]" : u"") + Pad(random, rate);
    lines.push_back(header);
    file.queries.push_back({section.name, u"Profile"});
    if (name != section.name) file.queries.push_back({name, u"Profile"});
    for (const Entry& entry : section.entries) {
      std::u16string key = random.Chance(rate) ? ChangeCase(random, entry.key) : entry.key;
      std::u16string value = entry.value;
      if (entry.blobSize != 0 && random.Chance(rate)) value = DamageBlob(random, value);
      if (entry.blobSize == 0 && random.Chance(rate)) value = NumberForm(random, value);
      if (random.Chance(rate / 2)) value = Quote(random, value);
      if (random.Chance(2)) {  // longer than the readers' buffer
        const std::size_t length = 4090 + random.Below(12);
        value = (random.Chance(50) ? u"\"" : u"") + std::u16string(length, u'v') + value;
      }
      const std::u16string line = Pad(random, rate) + key + Pad(random, rate) + u"=" + Pad(random, rate) + value +
                                  Pad(random, rate);
      lines.push_back(line);
      file.queries.push_back({section.name, entry.key, entry.blobSize});
      if (key != entry.key) file.queries.push_back({name, key, entry.blobSize});
      if (random.Chance(rate / 2)) {  // the same key again, another value
        lines.push_back(ChangeCase(random, entry.key) + u"=" + NumberForm(random, u"5"));
      }
      if (random.Chance(rate / 2)) lines.push_back(JunkLine(random));
      if (random.Chance(rate / 3)) lines.emplace_back();
    }
    if (random.Chance(rate / 2)) {  // the section again, further down
      lines.push_back(u"[" + ChangeCase(random, section.name) + u"]");
      lines.push_back(section.entries.front().key + u"=second");
      lines.push_back(u"Extra=in the second " + section.name);
      file.queries.push_back({section.name, u"Extra"});
    }
  }
  std::u16string text;
  for (const std::u16string& line : lines) text.append(line).push_back(u'\n');
  file.text = std::move(text);
  return file;
}

std::string Encode(Random& random, const std::u16string& lines, std::string& how) {
  const std::vector<std::u16string> ends = {u"\r\n", u"\n", u"\r"};
  const std::size_t endChoice = random.Below(4);  // 3: mixed
  std::u16string text;
  for (char16_t c : lines) {
    if (c != u'\n') {
      text.push_back(c);
      continue;
    }
    text += endChoice < 3 ? ends[endChoice] : random.Pick(ends);
  }
  if (random.Chance(20)) {  // no line break after the last line
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.pop_back();
  }
  how = endChoice == 0 ? "CRLF" : endChoice == 1 ? "LF" : endChoice == 2 ? "CR" : "mixed";
  std::string bytes;
  switch (random.Below(5)) {
    case 0: {
      how += ", UTF-16LE";
      bytes = "\xFF\xFE";
      for (char16_t c : text) bytes.append({static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)});
      break;
    }
    case 1: {
      how += ", UTF-16BE";
      bytes = "\xFE\xFF";
      for (char16_t c : text) bytes.append({static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)});
      break;
    }
    case 2: how += ", UTF-8 with mark"; bytes = "\xEF\xBB\xBF" + Utf16ToUtf8(text); break;
    case 3: how += ", UTF-8 without mark"; bytes = Utf16ToUtf8(text); break;
    default: {
      how += ", ANSI";
      for (char16_t c : text) bytes.push_back(c < 0x100 ? static_cast<char>(c) : '?');
      break;
    }
  }
  return bytes;
}

// Sections and keys as the platform lists them (its enumeration readers).
std::vector<Query> PlatformNames(const std::u16string& path) {
  std::vector<Query> names;
  std::vector<wchar_t> buffer(1 << 16);
  const DWORD length = ::GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()),
                                                        W(path).c_str());
  std::vector<std::wstring> sections;
  for (DWORD i = 0; i < length;) {
    std::wstring name(buffer.data() + i);
    i += static_cast<DWORD>(name.size()) + 1;
    sections.push_back(name);
  }
  for (const std::wstring& section : sections) {
    std::vector<wchar_t> keys(1 << 16);
    const DWORD size = ::GetPrivateProfileStringW(section.c_str(), nullptr, L"", keys.data(),
                                                  static_cast<DWORD>(keys.size()), W(path).c_str());
    for (DWORD i = 0; i < size;) {
      std::wstring key(keys.data() + i);
      i += static_cast<DWORD>(key.size()) + 1;
      names.push_back({FromWide(section), FromWide(key)});
    }
  }
  return names;
}

std::size_t EnvNumber(const char* name, std::size_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? static_cast<std::size_t>(std::strtoull(text, nullptr, 10)) : fallback;
}

// The platform takes letters beyond F as hex digits and reads a blob longer
// than asked for; the store holds to the exact format of two hex digits per
// byte and the checksum (the device service never writes anything else).
bool PlatformOnlyBlob(const std::optional<std::u16string>& value, std::size_t size) {
  if (!value) return false;
  if (value->size() != 2 * size + 2) return true;
  return std::any_of(value->begin(), value->end(), [](char16_t c) {
    return !((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'));
  });
}

std::string Shown(std::u16string_view text) {
  std::string out;
  for (char16_t c : text.substr(0, 60)) {
    if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      char hex[12];
      std::snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(c));
      out += hex;
    }
  }
  return out;
}

TEST(MutatedFiles, EveryKeyReadsAsThePlatformReadsIt) {
  const std::size_t count = EnvNumber("PERIX_MUTATED_FILES", 200);
  const std::size_t seed = EnvNumber("PERIX_MUTATION_SEED", 20240601);
  TempFolder folder;
  std::size_t keys = 0;
  std::size_t failures = 0;
  for (std::size_t n = 0; n < count && failures < 20; ++n) {
    Random random(seed + n);
    MutatedFile file = Mutate(random);
    std::string how;
    const std::string bytes = Encode(random, file.text, how);
    const std::u16string path = folder.File(L"m" + std::to_wstring(n) + L".ini");
    WriteBytes(path, bytes);
    std::vector<Query> queries = file.queries;
    for (const Query& listed : PlatformNames(path)) queries.push_back(listed);

    const IniDocument document = SettingsStore(path).Load();
    bool fileFailed = false;
    for (const Query& q : queries) {
      ++keys;
      const std::string where = "file " + std::to_string(n) + " (" + how + ", seed " + std::to_string(seed + n) +
                                ") [" + Shown(q.section) + "] " + Shown(q.key);
      const std::u16string mine = document.ReadString(q.section, q.key, u"dflt", SettingsStore::kStringBufferSize);
      const std::u16string theirs = PlatformString(path, q.section, q.key, u"dflt");
      bool same = mine == theirs;
      EXPECT_EQ(Shown(mine), Shown(theirs)) << where;
      const std::int32_t mineInt = document.ReadInt(q.section, q.key, -77);
      const std::int32_t theirInt = PlatformInt(path, q.section, q.key, -77);
      same = same && mineInt == theirInt;
      EXPECT_EQ(mineInt, theirInt) << where << " value " << Shown(theirs);
      std::vector<std::size_t> sizes = {4};
      if (q.blobSize != 0) sizes.push_back(q.blobSize);
      for (std::size_t size : sizes) {
        std::vector<unsigned char> bytesRead(size, 0xEE);
        const bool ok = document.ReadStruct(q.section, q.key, bytesRead.data(), size);
        const auto platform = PlatformStruct(path, q.section, q.key, size);
        if (ok) {
          same = same && platform && *platform == bytesRead;
          EXPECT_TRUE(platform.has_value() && *platform == bytesRead) << where << " blob of " << size;
        } else if (platform) {
          const bool allowed = PlatformOnlyBlob(document.Value(q.section, q.key), size);
          same = same && allowed;
          EXPECT_TRUE(allowed) << where << " blob of " << size << " read only by the platform";
        }
      }
      if (!same) {
        fileFailed = true;
        ++failures;
      }
    }
    if (fileFailed || std::getenv("PERIX_MUTATION_KEEP") != nullptr) {
      // Keep the file for a closer look.
      WriteBytes(FromWide(std::filesystem::temp_directory_path().wstring()) + u"\\perix-mutated-" +
                     DecimalText(static_cast<std::int64_t>(seed + n)) + u".ini",
                 bytes);
    }
  }
  std::cout << "[ MUTATED  ] " << count << " files, " << keys << " keys compared with the platform, " << failures
            << " differences\n";
}

}  // namespace
}  // namespace perix::wine
