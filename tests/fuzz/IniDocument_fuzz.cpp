// The INI document on arbitrary bytes: parsing must keep every byte of an
// unchanged file, the struct decoder must agree with the encoder, and every
// write the document accepts must read back, in memory and after a save and
// a fresh parse, without changing any other key.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "store/IniDocument.h"
#include "store/IniText.h"

namespace {

using perix::IniDocument;
using perix::fuzz::Units;

struct Name {
  std::u16string section, key;
};

// Section and key names as the file spells them, found the rough way (ASCII
// lines split at '[', ']' and '='): enough to ask the document about the keys
// the input really has.
std::vector<Name> RoughNames(std::string_view bytes) {
  std::vector<Name> names;
  std::u16string section;
  std::size_t start = 0;
  while (start < bytes.size() && names.size() < 64) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    std::u16string wide(line.begin(), line.end());
    for (char16_t& c : wide) c = static_cast<unsigned char>(c);
    if (!wide.empty() && wide.front() == u'[') {
      section = wide.substr(1, wide.rfind(u']') == std::u16string::npos ? std::u16string::npos : wide.rfind(u']') - 1);
      continue;
    }
    names.push_back({section, wide.substr(0, wide.find(u'='))});
  }
  return names;
}

bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

std::u16string_view CutAtNul(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

void CheckStructs(const std::optional<std::u16string>& value) {
  if (!value || value->size() < 2 || value->size() % 2 != 0 || value->size() > 4096) return;
  const std::size_t size = value->size() / 2 - 1;
  std::vector<unsigned char> bytes(size + 1, 0xEE);
  if (!perix::DecodeIniStruct(*value, bytes.data(), size)) {
    FUZZ_CHECK(bytes[0] == 0xEE || size == 0);  // a failed read writes nothing
    return;
  }
  std::u16string upper = *value;
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'f') c = static_cast<char16_t>(c - 32);
  }
  FUZZ_CHECK(perix::EncodeIniStruct(bytes.data(), size) == upper);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  IniDocument document = IniDocument::Parse(bytes);
  FUZZ_CHECK(!document.Modified());

  // An unchanged document gives back the file it was read from (a UTF-16
  // file's dangling odd byte holds no character and is not kept).
  const std::string same = document.Serialize();
  const bool wide = document.Encoding() == perix::IniEncoding::Utf16LE ||
                    document.Encoding() == perix::IniEncoding::Utf16BE;
  FUZZ_CHECK(same == bytes || (wide && size % 2 == 1 && same == bytes.substr(0, size - 1)));

  std::vector<Name> names = RoughNames(bytes);
  for (const Name& name : names) {
    const auto value = document.Value(name.section, name.key);
    CheckStructs(value);
    (void)document.ReadInt(name.section, name.key, -1);
    (void)document.ReadString(name.section, name.key, u"\"d\" ", 7);
  }

  // Writes chosen by the input, into sections and keys it already has and
  // into new ones.
  FuzzedDataProvider in(data, size);
  const int writes = in.ConsumeIntegralInRange(0, 6);
  std::vector<std::pair<Name, std::u16string>> written;
  for (int i = 0; i < writes; ++i) {
    Name name;
    if (!names.empty() && in.ConsumeBool()) {
      name = names[in.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
    } else {
      name.section = Units(in.ConsumeRandomLengthString(24));
      name.key = Units(in.ConsumeRandomLengthString(24));
    }
    std::u16string value;
    if (in.ConsumeBool()) {
      std::vector<unsigned char> blob = in.ConsumeBytes<unsigned char>(in.ConsumeIntegralInRange(0, 40));
      if (!document.WriteStruct(name.section, name.key, blob.data(), blob.size())) continue;
      std::vector<unsigned char> back(blob.size() + 1, 0);
      FUZZ_CHECK(document.ReadStruct(name.section, name.key, back.data(), blob.size()));
      back.resize(blob.size());
      FUZZ_CHECK(back == blob);
      value = *document.Value(name.section, name.key);
    } else {
      value = Units(in.ConsumeRandomLengthString(48));
      const std::vector<Name> before = names;
      std::vector<std::optional<std::u16string>> old;
      for (const Name& other : before) old.push_back(document.Value(other.section, other.key));
      const bool accepted = document.WriteString(name.section, name.key, value);
      const std::u16string_view stored = perix::TrimIniBlanks(CutAtNul(value));
      if (!accepted) {
        // Only text that could not be read back is refused.
        FUZZ_CHECK(HasLineBreak(CutAtNul(name.section)) || HasLineBreak(CutAtNul(name.key)) ||
                   HasLineBreak(CutAtNul(value)) ||
                   perix::SkipLeadingIniBlanks(CutAtNul(name.key)).find_first_of(u"=") != std::u16string::npos ||
                   perix::SkipLeadingIniBlanks(CutAtNul(name.key)).starts_with(u'['));
        continue;
      }
      const auto back = document.Value(name.section, name.key);
      FUZZ_CHECK(back.has_value() && *back == stored);
      // No other key changed.
      for (std::size_t k = 0; k < before.size(); ++k) {
        const Name& other = before[k];
        const bool sameKey =
            perix::IniNamesEqual(perix::TrimIniBlanks(CutAtNul(other.section)),
                                 perix::TrimIniBlanks(CutAtNul(name.section))) &&
            perix::IniNamesEqual(perix::TrimIniBlanks(CutAtNul(other.key)), perix::TrimIniBlanks(CutAtNul(name.key)));
        if (!sameKey) FUZZ_CHECK(document.Value(other.section, other.key) == old[k]);
      }
      value = std::u16string(stored);
    }
    written.emplace_back(name, value);
    names.push_back(name);
  }

  // What was written survives a save and a fresh parse, and so does every
  // key that was there.
  const IniDocument reread = IniDocument::Parse(document.Serialize());
  for (const Name& name : names) {
    const auto before = document.Value(name.section, name.key);
    const auto after = reread.Value(name.section, name.key);
    if (before != after) {
      std::fprintf(stderr, "[%s] %s: %s before the save, %s after\n", perix::fuzz::Shown(name.section).c_str(),
                   perix::fuzz::Shown(name.key).c_str(), before ? perix::fuzz::Shown(*before).c_str() : "nothing",
                   after ? perix::fuzz::Shown(*after).c_str() : "nothing");
    }
    FUZZ_CHECK(before == after);
  }
  for (const auto& [name, value] : written) {
    const auto back = reread.Value(name.section, name.key);
    FUZZ_CHECK(back.has_value());
  }
  return 0;
}
