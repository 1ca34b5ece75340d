#pragma once
// Keeping a file the program could not understand: it is kept, untouched,
// under the name "<name>.damaged-YYYYMMDD-HHMMSS" beside itself ("-2", "-3",
// ... when that is taken), so that a fresh file can take its place and the
// user can still recover what the old one held. "Mouse.ini" is moved aside at
// start-up; a macro file is copied aside before its first save replaces it.

#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "store/FileProblem.h"

namespace perix {

// A moment of local time, to the second.
struct LocalTime {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};
LocalTime CurrentLocalTime();

// The name a file set aside at `when` gets: "Mouse.ini.damaged-20240131-235959".
std::u16string SetAsidePath(std::u16string_view path, const LocalTime& when);

struct SetAsideResult {
  FileStatus status = FileStatus::Failed;
  std::u16string path;  // where the file was kept, when status is Ok
};

// Renames the file to the first free set-aside name. Ok once the file is no
// longer at `path`; its bytes are never read or changed.
SetAsideResult MoveFileAside(std::u16string_view path, FileSystem& files = DefaultFileSystem(),
                             const LocalTime& when = CurrentLocalTime());

// Copies the file to the first free set-aside name. The original is left in
// place for the caller to replace.
SetAsideResult SetFileAside(std::u16string_view path, FileSystem& files = DefaultFileSystem(),
                            const LocalTime& when = CurrentLocalTime());

// What the user is told: the file could not be read and where it was kept.
// `note` says what the program did instead.
FileProblem SetAsideNotice(std::u16string_view path, const SetAsideResult& result, std::u16string note = {});

}  // namespace perix
