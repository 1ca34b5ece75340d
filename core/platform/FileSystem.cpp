#include "platform/FileSystem.h"

namespace perix {

const char* FileStatusText(FileStatus status) {
  switch (status) {
    case FileStatus::Ok: return "ok";
    case FileStatus::NotFound: return "no such file";
    case FileStatus::AccessDenied: return "access denied";
    case FileStatus::ReadOnly: return "the file is read-only";
    case FileStatus::Locked: return "another program has the file locked";
    case FileStatus::DiskFull: return "the disk is full";
    case FileStatus::NotAFile: return "it is not a regular file";
    case FileStatus::NotUnderstood: return "its contents could not be understood";
    case FileStatus::Failed: break;
  }
  return "cannot be read or written";
}

}  // namespace perix
