#pragma once
// Keeping a file the program could not understand: before a fresh file is
// written in its place, the old one is copied beside it under a new name
// ("Macro 1.macro.damaged", then ".damaged-2", ...), so nothing the user had
// is lost and they can be told where it is.

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace perix {

struct SetAsideResult {
  FileStatus status = FileStatus::Failed;
  std::u16string path;  // where the file was kept, when status is Ok
};

// Copies the file to the first free name of the row above. The original is
// left in place for the caller to replace.
SetAsideResult SetFileAside(std::u16string_view path, FileSystem& files = DefaultFileSystem());

}  // namespace perix
