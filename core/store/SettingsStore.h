#pragma once
// The settings store: reads and writes one INI file in the Windows
// private-profile format, the format the device service reads "Mouse.ini" in.
// It holds only the path; every operation reads or rewrites the file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace perix {

class IniDocument;

class SettingsStore {
 public:
  // Values longer than this (in UTF-16 code units, terminator included) are cut
  // by ReadString, as by the platform's reader with a buffer of this size.
  static constexpr std::size_t kStringBufferSize = 4096;

  explicit SettingsStore(std::u16string path, FileSystem& files = DefaultFileSystem());

  const std::u16string& Path() const { return m_path; }

  // Each write reads the file, changes one value and replaces the file
  // atomically. True when the file was written.
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  bool WriteInt(std::u16string_view section, std::u16string_view key, std::int32_t value);
  bool WriteStruct(std::u16string_view section, std::u16string_view key, const void* bytes, std::size_t size);

  // The integer reader: optional sign and digits, the default when the key is
  // missing or empty.
  std::int32_t ReadInt(std::u16string_view section, std::u16string_view key, std::int32_t defaultValue) const;
  std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view defaultValue = {}) const;
  // Fills `buffer` only when the value has exactly two hex digits per byte plus
  // the checksum byte and the checksum matches; otherwise leaves it alone.
  bool ReadStruct(std::u16string_view section, std::u16string_view key, void* buffer, std::size_t size) const;

  // The file as a document, for callers that read many values (an absent
  // or unreadable file reads as an empty document).
  IniDocument Load() const;
  // Writes a whole document in one atomic replace.
  bool Save(const IniDocument& document) const;

 private:
  std::u16string m_path;
  FileSystem* m_files;  // not owned
};

}  // namespace perix
