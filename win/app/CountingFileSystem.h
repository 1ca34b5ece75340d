#pragma once
// The operating system's files, with a count of whole-file reads per file
// name, so the program can tell (Diagnostics.h) that its string file is read
// once at start-up and not once per caption.

#include <map>
#include <string>

#include "platform/FileSystem.h"

namespace perix::win {

class CCountingFileSystem final : public FileSystem {
 public:
  explicit CCountingFileSystem(FileSystem& inner = DefaultFileSystem()) : m_inner(inner) {}

  FileRead ReadAll(std::u16string_view path) override;
  FileStatus WriteAtomically(std::u16string_view path, std::string_view bytes) override {
    return m_inner.WriteAtomically(path, bytes);
  }
  void RemoveStaleTemporaries(std::u16string_view path) override { m_inner.RemoveStaleTemporaries(path); }
  std::optional<FileStamp> Stamp(std::u16string_view path) override { return m_inner.Stamp(path); }
  bool Exists(std::u16string_view path) override { return m_inner.Exists(path); }
  bool MakeDirectories(std::u16string_view path) override { return m_inner.MakeDirectories(path); }
  FileStatus Remove(std::u16string_view path) override { return m_inner.Remove(path); }
  FileStatus Copy(std::u16string_view from, std::u16string_view to) override { return m_inner.Copy(from, to); }
  FileStatus Rename(std::u16string_view from, std::u16string_view to) override { return m_inner.Rename(from, to); }

  // Reads of files with this name (the last part of the path, any case).
  int ReadsOf(std::u16string_view fileName) const;
  int TotalReads() const { return m_total; }

 private:
  FileSystem& m_inner;  // not owned
  std::map<std::u16string, int> m_reads;  // by lower-case file name
  int m_total = 0;
};

}  // namespace perix::win
