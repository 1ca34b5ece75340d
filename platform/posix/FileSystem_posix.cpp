// Files on POSIX systems. Windows paths are accepted: a backslash is taken as
// the folder separator. File names are bytes; those that are not UTF-8 travel
// through the core's UTF-16 unchanged (NativeNameFromUtf16).

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/FileSystem.h"
#include "text/Utf16.h"

namespace perix {
namespace {

std::string NativePath(std::u16string_view path) {
  std::string out = NativeNameFromUtf16(path);
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
    case EISDIR:
    case ENXIO: return FileStatus::NotAFile;
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

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return m_fd; }
  bool valid() const { return m_fd >= 0; }

 private:
  int m_fd;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names: symbolic links are followed, so that a save
// through a link replaces the file it points to and the link stays a link.
// A link to a file that does not exist yet names that file.
bool ResolveLinks(std::string& path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 256) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return false;
    target.resize(static_cast<std::size_t>(length));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
  errno = ELOOP;
  return false;
}

// Temporary files of this program's saves: ".<name>.perix-<pid>-XXXXXX" beside
// the target. The writer holds an exclusive lock on its file until the rename;
// a save killed half-way leaves the file behind, unlocked, with the number of
// a process that no longer exists.
std::string TemporaryPrefix(const std::string& name) { return "." + name + ".perix-"; }

bool ProcessExists(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

// Removes what killed saves of `name` in `folder` left behind. A file is removed only
// when the process that wrote it has gone and nobody holds its lock, so a save
// in progress, in this process or another, is never disturbed.
void RemoveStaleTemporariesOf(const std::string& folder, const std::string& name) {
  DIR* directory = ::opendir(folder.c_str());
  if (directory == nullptr) return;
  const std::string prefix = TemporaryPrefix(name);
  while (const dirent* entry = ::readdir(directory)) {
    const std::string candidate = entry->d_name;
    if (candidate.compare(0, prefix.size(), prefix) != 0) continue;
    char* end = nullptr;
    const long pid = std::strtol(candidate.c_str() + prefix.size(), &end, 10);
    if (end == nullptr || *end != '-' || std::string(end + 1).size() != 6) continue;
    if (pid == static_cast<long>(::getpid()) || ProcessExists(pid)) continue;
    const std::string path = folder + "/" + candidate;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
    ::unlink(path.c_str());
  }
  ::closedir(directory);
}

class PosixFileSystem final : public FileSystem {
 public:
  FileRead ReadAll(std::u16string_view path) override {
    FileRead result;
    const std::string native = NativePath(path);
    // Opened without waiting, so that a pipe or a device where a file was
    // expected is refused instead of blocking until something writes to it.
    Descriptor fd(::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
      result.status = StatusFromErrno(errno);
      return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
      result.status = StatusFromErrno(errno);
      return result;
    }
    if (!S_ISREG(info.st_mode)) {
      result.status = FileStatus::NotAFile;
      return result;
    }
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.status = StatusFromErrno(errno);
        result.bytes.clear();
        return result;
      }
      if (n == 0) break;
      result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    result.status = FileStatus::Ok;
    return result;
  }

  FileStatus WriteAtomically(std::u16string_view path, std::string_view bytes) override {
    std::string target = NativePath(path);
    if (!ResolveLinks(target)) return StatusFromErrno(errno);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) return FileStatus::NotAFile;
    // A file without write permission is read-only, even to a user (root)
    // whom the system would let write it: the rename would replace it anyway.
    if (exists && (existing.st_mode & 0222) == 0) return FileStatus::ReadOnly;
    if (exists && ::access(target.c_str(), W_OK) != 0) {
      return errno == EROFS ? FileStatus::ReadOnly : FileStatus::AccessDenied;
    }

    // The new contents go to a temporary file in the target's folder, so that
    // the rename stays on one file system and replaces the file in one step.
    // Nothing is ever written into the target itself: a failure at any point
    // (a full disk, a kill) leaves it as it was.
    const std::string folder = FolderOf(target);
    const std::string name = NameOf(target);
    std::string temp = folder + "/" + TemporaryPrefix(name) + std::to_string(::getpid()) + "-XXXXXX";
    Descriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.valid()) return StatusFromErrno(errno);
    ::flock(fd.get(), LOCK_EX);
    ::fchmod(fd.get(), exists ? (existing.st_mode & 07777) : 0644);
    if (!WriteAllTo(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
      const int error = errno;
      ::unlink(temp.c_str());
      return StatusFromErrno(error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
      const int error = errno;
      ::unlink(temp.c_str());
      return StatusFromErrno(error);
    }
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid()) ::fsync(directory.get());
    RemoveStaleTemporariesOf(folder, name);
    return FileStatus::Ok;
  }

  void RemoveStaleTemporaries(std::u16string_view path) override {
    std::string target = NativePath(path);
    if (ResolveLinks(target)) RemoveStaleTemporariesOf(FolderOf(target), NameOf(target));
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

  FileStatus Remove(std::u16string_view path) override {
    return ::unlink(NativePath(path).c_str()) == 0 ? FileStatus::Ok : StatusFromErrno(errno);
  }

  FileStatus Copy(std::u16string_view from, std::u16string_view to) override {
    // Copies only regular files: anything else fails at once (a pipe as the
    // source would otherwise wait for a writer).
    std::error_code error;
    std::filesystem::copy_file(NativePath(from), NativePath(to), std::filesystem::copy_options::overwrite_existing,
                               error);
    return error ? StatusFromErrno(error.value()) : FileStatus::Ok;
  }

  FileStatus Rename(std::u16string_view from, std::u16string_view to) override {
    const std::string source = NativePath(from);
    const std::string destination = NativePath(to);
    // A hard link fails when the new name is taken, which a rename would not.
    if (::link(source.c_str(), destination.c_str()) == 0) {
      if (::unlink(source.c_str()) == 0) return FileStatus::Ok;
      const int error = errno;
      ::unlink(destination.c_str());
      return StatusFromErrno(error);
    }
    if (errno == EEXIST) return FileStatus::Failed;
    const int linkError = errno;
    // File systems without hard links (and links to folders, pipes, ...).
    if (linkError == EPERM || linkError == EOPNOTSUPP || linkError == EXDEV || linkError == EMLINK) {
      struct stat info {};
      if (::lstat(destination.c_str(), &info) == 0) return FileStatus::Failed;
      if (::rename(source.c_str(), destination.c_str()) == 0) return FileStatus::Ok;
      return StatusFromErrno(errno);
    }
    return StatusFromErrno(linkError);
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static PosixFileSystem instance;
  return instance;
}

}  // namespace perix
