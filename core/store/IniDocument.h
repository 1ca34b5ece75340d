#pragma once
// An INI file in the Windows private-profile format, held in memory so that
// many values can be read and changed with one read and one write of the file.
//
// Reads give exactly what the platform's readers (GetPrivateProfileStringW,
// ...IntW, ...StructW) give for the same file. Writes change only the lines
// they must: every other line, comment, blank line and byte of spacing stays
// as it was, in the file's own encoding, so content that the utility does not
// own (the device service's keys, the user's comments) survives a save.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/IniText.h"

namespace perix {

class IniDocument {
 public:
  // An empty document: what a missing file reads as. It is written, like a
  // file the platform creates, in the ANSI code page with CRLF line ends.
  IniDocument();

  // Never fails: any bytes are read the way the platform reads them.
  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;

  IniEncoding Encoding() const { return m_encoding; }
  // True once a write has changed something since Parse.
  bool Modified() const { return m_modified; }

  // The stored value of a key, blanks trimmed, quotes still on; nothing when
  // the section or the key is missing or the key's line has no '='. The first
  // section of a name and the first key of a name in it are the ones that count.
  std::optional<std::u16string> Value(std::u16string_view section, std::u16string_view key) const;

  // Whether a section of that name exists (compared as the readers compare).
  bool HasSection(std::u16string_view section) const { return FindSection(section) != nullptr; }

  // The platform's readers. ReadString reads through a buffer of
  // `bufferSize` units (the result holds at most bufferSize - 1).
  std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view defaultValue, std::size_t bufferSize) const;
  std::int32_t ReadInt(std::u16string_view section, std::u16string_view key, std::int32_t defaultValue) const;
  bool ReadStruct(std::u16string_view section, std::u16string_view key, void* buffer, std::size_t size) const;

  // Sets a value, creating the section (at the end) and the key (after the
  // section's last line) when missing. Names and values end at a NUL, as the
  // platform's C strings do. False, with nothing changed, for what could not
  // be read back as written: a line break in any part, a '=' in the key or a
  // key that would read as a section header.
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  bool WriteInt(std::u16string_view section, std::u16string_view key, std::int32_t value);
  bool WriteStruct(std::u16string_view section, std::u16string_view key, const void* bytes, std::size_t size);

 private:
  enum class LineKind { Blank, Header, Entry };

  struct Line {
    std::string raw;       // the bytes read, terminator included; stale once `changed`
    std::u16string text;   // the line without its terminator
    std::u16string eol;    // u"\r\n", u"\n", u"\r", or empty for a last line without one
    bool changed = false;  // written by this document: encode from `text`
    LineKind kind = LineKind::Blank;
    // Positions in `text` of the section or key name and of the value.
    std::size_t nameBegin = 0, nameEnd = 0;
    std::size_t valueBegin = 0, valueEnd = 0;
    bool hasValue = false;

    std::u16string_view Name() const { return std::u16string_view(text).substr(nameBegin, nameEnd - nameBegin); }
    std::u16string_view ValueText() const {
      return std::u16string_view(text).substr(valueBegin, valueEnd - valueBegin);
    }
  };

  struct Section {
    bool hasHeader = false;  // false only for the lines before the first header
    Line header;
    std::vector<Line> lines;
  };

  static void Classify(Line& line);
  const Section* FindSection(std::u16string_view name) const;
  Section* FindSection(std::u16string_view name);
  static const Line* FindEntry(const Section& section, std::u16string_view key);
  Line MakeLine(std::u16string text) const;
  bool Representable(std::u16string_view text) const;
  bool StartsLikeByteOrderMark() const;
  void Append(std::string& out, const Line& line, bool last) const;
  void AppendEncoded(std::string& out, std::u16string_view text) const;

  std::vector<Section> m_sections;  // the first one is the headerless start of the file
  IniEncoding m_encoding = IniEncoding::Ansi;
  bool m_reencode = false;          // the encoding changed: no raw bytes are reused
  std::u16string m_newline = u"\r\n";  // for lines this document adds
  bool m_modified = false;
};

}  // namespace perix
