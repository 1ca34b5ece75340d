#pragma once
// Keeping a file the program could not understand: it is renamed, untouched,
// to "<name>.damaged-YYYYMMDD-HHMMSS" beside itself, so that a fresh file can
// take its place and the user can still recover what the old one held. Used
// for "Mouse.ini" at start-up and for macro files.

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
  std::u16string asidePath;  // where the file now is, when status is Ok
};

// Renames the file at `path` to SetAsidePath(path, when), or, when that name
// is taken, to the same name followed by "-2", "-3", ... The file's bytes are
// never read or changed. Ok once the file is no longer at `path`.
SetAsideResult SetAsideFile(std::u16string_view path, FileSystem& files, const LocalTime& when = CurrentLocalTime());

// What the user is told: the file could not be understood and where it was
// kept. `note` says what the program did instead.
FileProblem SetAsideNotice(std::u16string_view path, const SetAsideResult& result, std::u16string note = {});

}  // namespace perix
