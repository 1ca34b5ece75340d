#include <windows.h>

#include <atomic>
#include <cwchar>
#include <string>

#include "Wide.h"
#include "platform/FileSystem.h"

namespace perix {
namespace {

FileStatus StatusFromError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: return FileStatus::NotFound;
    case ERROR_ACCESS_DENIED: return FileStatus::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileStatus::Locked;
    case ERROR_WRITE_PROTECT: return FileStatus::ReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileStatus::DiskFull;
    default: return FileStatus::Failed;
  }
}

class Handle {
 public:
  explicit Handle(HANDLE h) : m_handle(h) {}
  ~Handle() {
    if (valid()) ::CloseHandle(m_handle);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
  HANDLE get() const { return m_handle; }
  void reset() {
    if (valid()) ::CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE m_handle;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool IsSharingError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

// Rewrites an existing file in place, for when another process holds it open
// and refuses the rename. The file is never cut short first: room for longer
// contents is taken before any byte changes (a full disk then changes
// nothing), the new bytes go over the old ones, and only then is the end set.
FileStatus WriteInPlaceOnce(const std::wstring& target, std::string_view bytes) {
  Handle file(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return StatusFromError(::GetLastError());
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return StatusFromError(::GetLastError());
  LARGE_INTEGER wanted{};
  wanted.QuadPart = static_cast<LONGLONG>(bytes.size());
  LARGE_INTEGER start{};
  if (wanted.QuadPart > size.QuadPart &&
      (!::SetFilePointerEx(file.get(), wanted, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.get()))) {
    const DWORD error = ::GetLastError();
    ::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file.get());
    return StatusFromError(error);
  }
  if (!::SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) || !WriteAll(file.get(), bytes) ||
      !::SetEndOfFile(file.get())) {
    return StatusFromError(::GetLastError());
  }
  ::FlushFileBuffers(file.get());
  return FileStatus::Ok;
}

// The last resort when the file cannot be replaced: another process holds it
// open without allowing deletion. Writing into it needs only write sharing,
// which such a holder (a reader) usually grants; a holder that refuses even
// that gets a little more time.
FileStatus WriteInPlace(const std::wstring& target, std::string_view bytes) {
  FileStatus status = FileStatus::Failed;
  for (int attempt = 0; attempt < 25; ++attempt) {
    if (attempt > 0) ::Sleep(20);
    status = WriteInPlaceOnce(target, bytes);
    if (status != FileStatus::AccessDenied && status != FileStatus::Locked) return status;
  }
  return status;
}

// Temporary files of this program's saves: "<target>.~<process id>-<n>.tmp".
std::wstring TemporaryPrefix(const std::wstring& target) { return target + L".~"; }

// A name for the temporary file beside the target that no other writer uses:
// the process id and a counter, with CREATE_NEW guarding against leftovers.
// No other process may open it while it is being written.
Handle CreateTemporary(const std::wstring& target, std::wstring& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = TemporaryPrefix(target) + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) +
           L".tmp";
    HANDLE file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY,
                                nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return Handle(file);
  }
  return Handle(INVALID_HANDLE_VALUE);
}

bool ProcessRuns(DWORD id) {
  Handle process(::OpenProcess(SYNCHRONIZE, FALSE, id));
  if (!process.valid()) return ::GetLastError() == ERROR_ACCESS_DENIED;
  return ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// Removes what killed saves of `target` left behind: temporary files whose
// writer no longer runs. A file still open in any process cannot be deleted,
// so a save in progress is never disturbed.
void RemoveStaleTemporariesOf(const std::wstring& target) {
  const std::wstring prefix = TemporaryPrefix(target);
  const std::size_t slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1);
  const std::wstring namePrefix = prefix.substr(folder.size());
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((prefix + L"*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name.compare(0, namePrefix.size(), namePrefix) != 0 || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      continue;
    }
    wchar_t* end = nullptr;
    const unsigned long id = std::wcstoul(name.c_str() + namePrefix.size(), &end, 10);
    if (end == nullptr || *end != L'-' || id == ::GetCurrentProcessId() || ProcessRuns(id)) continue;
    const wchar_t* counter = end + 1;
    while (*counter >= L'0' && *counter <= L'9') ++counter;
    if (counter == end + 1 || std::wstring(counter) != L".tmp") continue;
    ::DeleteFileW((folder + name).c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// Whether a path names a file on a disk, rather than a device ("NUL", "COM1")
// or a pipe.
bool IsDiskFile(const std::wstring& path) {
  Handle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return !file.valid() || ::GetFileType(file.get()) == FILE_TYPE_DISK;
}

// The file a path finally names, when it is a symbolic link (or a chain of
// them), so that a save replaces the file the link points to and the link
// stays a link. Other paths are returned as they are.
std::wstring ResolveLinks(const std::wstring& target) {
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return target;
  Handle file(::CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return target;
  std::wstring final(MAX_PATH, L'\0');
  DWORD length = ::GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()), 0);
  if (length >= final.size()) {
    final.resize(length + 1);
    length = ::GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()), 0);
  }
  if (length == 0 || length >= final.size()) return target;
  final.resize(length);
  return final;
}

class Win32FileSystem final : public FileSystem {
 public:
  FileRead ReadAll(std::u16string_view path) override {
    FileRead result;
    const DWORD attributes = ::GetFileAttributesW(ToWide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      result.status = FileStatus::NotAFile;
      return result;
    }
    Handle file(::CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
      result.status = StatusFromError(::GetLastError());
      return result;
    }
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) {
      result.status = FileStatus::NotAFile;
      return result;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
      result.status = FileStatus::Failed;
      return result;
    }
    char buffer[65536];
    for (;;) {
      DWORD read = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
        result.status = StatusFromError(::GetLastError());
        result.bytes.clear();
        return result;
      }
      if (read == 0) break;
      result.bytes.append(buffer, read);
    }
    result.status = FileStatus::Ok;
    return result;
  }

  FileStatus WriteAtomically(std::u16string_view path, std::string_view bytes) override {
    const std::wstring target = ResolveLinks(ToWide(path));
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return FileStatus::NotAFile;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return FileStatus::ReadOnly;
    if (exists && !IsDiskFile(target)) return FileStatus::NotAFile;

    // The temporary file sits beside the target so that the rename stays on
    // one volume and replaces the file in one step. Nothing is written into
    // the target itself unless another process refuses the rename (below): a
    // full disk or a kill while writing leaves it as it was.
    std::wstring temp;
    {
      Handle file = CreateTemporary(target, temp);
      if (!file.valid()) return StatusFromError(::GetLastError());
      if (!WriteAll(file.get(), bytes) || !::FlushFileBuffers(file.get())) {
        const DWORD error = ::GetLastError();
        file.reset();
        ::DeleteFileW(temp.c_str());
        return StatusFromError(error);
      }
    }
    ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A reader (the device service reading through the platform's profile
    // functions) holds the file open without delete sharing for the moment
    // of its read, which refuses the rename. Such reads are short: try again
    // at once, then with growing pauses, for up to about a second before
    // writing in place, which a reader could see half done.
    DWORD error = ERROR_SUCCESS;
    for (DWORD pause = 0, waited = 0; waited < 1000; waited += pause, pause = pause < 16 ? pause + 1 : 16) {
      if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        RemoveStaleTemporariesOf(target);
        return FileStatus::Ok;
      }
      error = ::GetLastError();
      if (!IsSharingError(error)) break;
      if (pause == 0) {
        ::SwitchToThread();
      } else {
        ::Sleep(pause);
      }
    }
    ::DeleteFileW(temp.c_str());
    if (!exists || !IsSharingError(error)) return StatusFromError(error);
    return WriteInPlace(target, bytes);
  }

  void RemoveStaleTemporaries(std::u16string_view path) override {
    RemoveStaleTemporariesOf(ResolveLinks(ToWide(path)));
  }

  std::optional<FileStamp> Stamp(std::u16string_view path) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return std::nullopt;
    }
    FileStamp stamp;
    stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    stamp.modified = static_cast<std::int64_t>((std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                               data.ftLastWriteTime.dwLowDateTime);
    return stamp;
  }

  bool Exists(std::u16string_view path) override {
    return ::GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  bool MakeDirectories(std::u16string_view path) override {
    std::wstring full = ToWide(path);
    while (!full.empty() && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    if (full.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::size_t slash = full.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0 && full[slash - 1] != L':') {
      MakeDirectories(FromWide(full.substr(0, slash)));
    }
    return ::CreateDirectoryW(full.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
  }

  FileStatus Remove(std::u16string_view path) override {
    return ::DeleteFileW(ToWide(path).c_str()) ? FileStatus::Ok : StatusFromError(::GetLastError());
  }

  FileStatus Copy(std::u16string_view from, std::u16string_view to) override {
    return ::CopyFileW(ToWide(from).c_str(), ToWide(to).c_str(), FALSE) ? FileStatus::Ok
                                                                         : StatusFromError(::GetLastError());
  }

  FileStatus Rename(std::u16string_view from, std::u16string_view to) override {
    // Without MOVEFILE_REPLACE_EXISTING an existing file of the new name is kept.
    if (::MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(), 0)) return FileStatus::Ok;
    const DWORD error = ::GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? FileStatus::Failed : StatusFromError(error);
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static Win32FileSystem instance;
  return instance;
}

}  // namespace perix
