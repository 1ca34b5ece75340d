#pragma once
// The settings store: reads and writes one INI file in the Windows
// private-profile format, the format the device service reads "Mouse.ini" in.
// It holds only the path; every operation reads or rewrites the file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "store/IniDocument.h"

namespace perix {

class SettingsStore {
 public:
  // Values longer than this (in UTF-16 code units, terminator included) are cut
  // by ReadString, as by the platform's reader with a buffer of this size.
  static constexpr std::size_t kStringBufferSize = 4096;

  explicit SettingsStore(std::u16string path, FileSystem& files = DefaultFileSystem());

  const std::u16string& Path() const { return m_path; }

  // Each write reads the file, changes one value and replaces the file
  // atomically. Ok when the file holds the value afterwards (a value equal to
  // the stored one leaves the file untouched). Otherwise the file is as it
  // was: why it could not be read or written, NotUnderstood for a file that
  // is not INI text, Failed for a text that cannot be stored (see
  // IniDocument::WriteString).
  FileStatus WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  FileStatus WriteInt(std::u16string_view section, std::u16string_view key, std::int32_t value);
  FileStatus WriteStruct(std::u16string_view section, std::u16string_view key, const void* bytes, std::size_t size);

  // The integer reader: optional sign, an optional 0x/0o/0b prefix, digits up
  // to the first other character, wrapping at 32 bits; the default when the
  // key is missing or its value empty.
  std::int32_t ReadInt(std::u16string_view section, std::u16string_view key, std::int32_t defaultValue) const;
  std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view defaultValue = {}) const;
  // Fills `buffer` only when the value has exactly two hex digits per byte plus
  // the checksum byte and the checksum matches; otherwise leaves it alone.
  bool ReadStruct(std::u16string_view section, std::u16string_view key, void* buffer, std::size_t size) const;

  // The file as a document, for callers that read many values (an absent
  // or unreadable file reads as an empty document).
  IniDocument Load() const;
  // The same for callers that will write the document back: the status tells
  // a missing file (NotFound, an empty document to start from) from one that
  // exists but cannot be read, which must not be replaced.
  FileStatus Load(IniDocument& document) const;
  // Writes a whole document in one atomic replace; a document no write has
  // changed is not written at all. Ok when the file holds the document.
  FileStatus Save(const IniDocument& document) const;

 private:
  std::u16string m_path;
  FileSystem* m_files;  // not owned
};

}  // namespace perix
