#pragma once
// The core's only way to files. Paths are Windows paths in UTF-16 (the form
// the program builds and stores, "C:\...\Mouse.ini"); outside Windows the
// implementation reads a backslash as the folder separator.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace perix {

// What became of a file operation. Every caller looks at it: a failure the
// user can do something about reaches them (FileProblem.h).
enum class [[nodiscard]] FileStatus {
  Ok,
  NotFound,      // no such file or folder
  AccessDenied,  // exists, but this process may not read or write it
  ReadOnly,      // the file or its volume is read-only
  Locked,        // another program holds the file open and refuses to share it
  DiskFull,      // no room left for the new contents
  NotAFile,      // a folder, a pipe or a device where a file was expected
  NotUnderstood, // the contents are not of the kind expected (see SettingsText.h)
  Failed,        // any other failure
};

// What tells a changed file from an unchanged one without reading it.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // last write, in the platform's finest unit
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

struct FileRead {
  FileStatus status = FileStatus::Failed;
  std::string bytes;  // the whole file when status is Ok
  bool ok() const { return status == FileStatus::Ok; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual FileRead ReadAll(std::u16string_view path) = 0;

  // Replaces the whole file so that a reader at any moment sees either the old
  // or the new contents, never a mix: a temporary file in the same folder is
  // written and flushed, then renamed over the target. When the rename is
  // refused because another process holds the file open, it is retried for a
  // short while and then the file is rewritten in place, so the change is
  // never dropped.
  virtual FileStatus WriteAtomically(std::u16string_view path, std::string_view bytes) = 0;

  // Removes the temporary files that saves of `path` killed half-way left
  // beside it, never one that a running save still writes. WriteAtomically
  // does this after each replace; a save with nothing to change calls it.
  virtual void RemoveStaleTemporaries(std::u16string_view path) { (void)path; }

  // Size and last-write time of a file; nothing when it cannot be examined,
  // which callers take as "changed".
  virtual std::optional<FileStamp> Stamp(std::u16string_view path) {
    (void)path;
    return std::nullopt;
  }

  virtual bool Exists(std::u16string_view path) = 0;
  // Creates the folder and any missing parents; true when it exists afterwards.
  virtual bool MakeDirectories(std::u16string_view path) = 0;
  virtual FileStatus Remove(std::u16string_view path) = 0;
  // Gives a file a new name in the same folder, keeping its contents and
  // dates. Never replaces a file already called `to`.
  virtual FileStatus Rename(std::u16string_view from, std::u16string_view to) {
    (void)from;
    (void)to;
    return FileStatus::Failed;
  }
  // Copies a file, replacing the target.
  virtual FileStatus Copy(std::u16string_view from, std::u16string_view to) = 0;
};

// The operating system's file system.
FileSystem& DefaultFileSystem();

// Why an operation failed, in words for the user ("the file is read-only").
const char* FileStatusText(FileStatus status);

}  // namespace perix
