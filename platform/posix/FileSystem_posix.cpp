// Files on POSIX systems. Windows paths are accepted: a backslash is taken as
// the folder separator.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/FileSystem.h"
#include "text/Utf16.h"

namespace perix {
namespace {

std::string NativePath(std::u16string_view path) {
  std::string out = Utf16ToUtf8(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

FileStatus StatusFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return FileStatus::NotFound;
    case EACCES:
    case EPERM: return FileStatus::AccessDenied;
    case EROFS: return FileStatus::ReadOnly;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileStatus::DiskFull;
    case EBUSY:
    case ETXTBSY: return FileStatus::Locked;
    default: return FileStatus::Failed;
  }
}

bool WriteAllTo(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

FileStatus WriteInPlace(const std::string& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return StatusFromErrno(errno);
  const bool ok = WriteAllTo(fd, bytes) && ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  return ok ? FileStatus::Ok : StatusFromErrno(error);
}

class PosixFileSystem final : public FileSystem {
 public:
  FileRead ReadAll(std::u16string_view path) override {
    FileRead result;
    const std::string native = NativePath(path);
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      result.status = StatusFromErrno(errno);
      return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd);
      result.status = FileStatus::Failed;
      return result;
    }
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.status = StatusFromErrno(errno);
        ::close(fd);
        result.bytes.clear();
        return result;
      }
      if (n == 0) break;
      result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    result.status = FileStatus::Ok;
    return result;
  }

  FileStatus WriteAtomically(std::u16string_view path, std::string_view bytes) override {
    const std::string target = NativePath(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // A file without write permission is read-only, even to a user (root)
    // whom the system would let write it: the rename would replace it anyway.
    if (exists && (existing.st_mode & 0222) == 0) return FileStatus::ReadOnly;
    if (exists && ::access(target.c_str(), W_OK) != 0) {
      return errno == EROFS ? FileStatus::ReadOnly : FileStatus::AccessDenied;
    }
    if (exists && !S_ISREG(existing.st_mode)) return FileStatus::Failed;

    // The temporary file sits in the target's folder so that the rename stays
    // on one file system and is atomic.
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = folder + "/." + name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
      // A folder we cannot create files in may still hold a writable file.
      if (errno == ENOENT) return FileStatus::NotFound;
      return WriteInPlace(target, bytes);
    }
    ::fchmod(fd, exists ? (existing.st_mode & 07777) : 0644);
    const bool written = WriteAllTo(fd, bytes) && ::fsync(fd) == 0;
    ::close(fd);
    if (written && ::rename(temp.c_str(), target.c_str()) == 0) {
      const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
      }
      return FileStatus::Ok;
    }
    ::unlink(temp.c_str());
    return WriteInPlace(target, bytes);
  }

  std::optional<FileStamp> Stamp(std::u16string_view path) override {
    struct stat info {};
    if (::stat(NativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
  }

  bool Exists(std::u16string_view path) override {
    struct stat info {};
    return ::stat(NativePath(path).c_str(), &info) == 0;
  }

  bool MakeDirectories(std::u16string_view path) override {
    std::error_code error;
    const std::filesystem::path native(NativePath(path));
    std::filesystem::create_directories(native, error);
    return std::filesystem::is_directory(native, error);
  }

  bool Remove(std::u16string_view path) override { return ::unlink(NativePath(path).c_str()) == 0; }

  bool Copy(std::u16string_view from, std::u16string_view to) override {
    std::error_code error;
    return std::filesystem::copy_file(NativePath(from), NativePath(to),
                                      std::filesystem::copy_options::overwrite_existing, error);
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem instance;
  return instance;
}

}  // namespace perix
