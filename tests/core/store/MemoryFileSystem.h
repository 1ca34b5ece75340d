#pragma once
// Files in memory, with counts of reads and writes and failures on demand.

#include <map>
#include <string>

#include "platform/FileSystem.h"

namespace perix::test {

class MemoryFileSystem final : public FileSystem {
 public:
  std::map<std::u16string, std::string> files;
  FileStatus readFailure = FileStatus::Ok;   // returned by ReadAll of an existing file when not Ok
  FileStatus writeFailure = FileStatus::Ok;  // returned by WriteAtomically when not Ok
  bool copyFails = false;    // Copy refuses
  bool removeFails = false;  // Remove refuses
  int reads = 0;
  int writes = 0;

  FileRead ReadAll(std::u16string_view path) override {
    ++reads;
    FileRead result;
    const auto found = files.find(std::u16string(path));
    if (found == files.end()) {
      result.status = FileStatus::NotFound;
    } else if (readFailure != FileStatus::Ok) {
      result.status = readFailure;
    } else {
      result.status = FileStatus::Ok;
      result.bytes = found->second;
    }
    return result;
  }

  FileStatus WriteAtomically(std::u16string_view path, std::string_view bytes) override {
    ++writes;
    if (writeFailure != FileStatus::Ok) return writeFailure;
    files[std::u16string(path)] = std::string(bytes);
    return FileStatus::Ok;
  }

  bool Exists(std::u16string_view path) override { return files.count(std::u16string(path)) != 0; }
  bool MakeDirectories(std::u16string_view) override { return true; }
  bool Remove(std::u16string_view path) override { return !removeFails && files.erase(std::u16string(path)) != 0; }
  bool Copy(std::u16string_view from, std::u16string_view to) override {
    if (copyFails) return false;
    const auto found = files.find(std::u16string(from));
    if (found == files.end()) return false;
    files[std::u16string(to)] = found->second;
    return true;
  }
};

}  // namespace perix::test
