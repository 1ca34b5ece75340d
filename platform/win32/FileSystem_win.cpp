#include <windows.h>

#include <atomic>
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

FileStatus WriteInPlaceOnce(const std::wstring& target, std::string_view bytes) {
  Handle file(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return StatusFromError(::GetLastError());
  if (!WriteAll(file.get(), bytes) || !::SetEndOfFile(file.get())) return StatusFromError(::GetLastError());
  ::FlushFileBuffers(file.get());
  return FileStatus::Ok;
}

bool IsSharingError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
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

// A name for the temporary file beside the target that no other writer uses:
// the process id and a counter, with CREATE_NEW guarding against leftovers.
Handle CreateTemporary(const std::wstring& target, std::wstring& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = target + L".~" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L".tmp";
    HANDLE file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY,
                                nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return Handle(file);
  }
  return Handle(INVALID_HANDLE_VALUE);
}

class Win32FileSystem final : public FileSystem {
 public:
  FileRead ReadAll(std::u16string_view path) override {
    FileRead result;
    Handle file(::CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
      result.status = StatusFromError(::GetLastError());
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
    const std::wstring target = ToWide(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      return FileStatus::ReadOnly;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return FileStatus::Failed;
    }

    // The temporary file sits beside the target so that the rename stays on
    // one volume and replaces the file in one step.
    std::wstring temp;
    bool written = false;
    {
      Handle file = CreateTemporary(target, temp);
      if (!file.valid()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_PATH_NOT_FOUND) return FileStatus::NotFound;
        return WriteInPlace(target, bytes);
      }
      written = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    }
    if (!written) {
      ::DeleteFileW(temp.c_str());
      return WriteInPlace(target, bytes);
    }
    ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A reader (the device service reading through the platform's profile
    // functions) holds the file open without delete sharing for the moment
    // of its read, which refuses the rename. Such reads are short: try again
    // at once, then with growing pauses, for up to about a second before
    // writing in place, which a reader could see half done.
    for (DWORD pause = 0, waited = 0; waited < 1000; waited += pause, pause = pause < 16 ? pause + 1 : 16) {
      if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return FileStatus::Ok;
      }
      if (!IsSharingError(::GetLastError())) break;
      if (pause == 0) {
        ::SwitchToThread();
      } else {
        ::Sleep(pause);
      }
    }
    ::DeleteFileW(temp.c_str());
    return WriteInPlace(target, bytes);
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

  bool Remove(std::u16string_view path) override { return ::DeleteFileW(ToWide(path).c_str()) != 0; }

  bool Copy(std::u16string_view from, std::u16string_view to) override {
    return ::CopyFileW(ToWide(from).c_str(), ToWide(to).c_str(), FALSE) != 0;
  }
};

}  // namespace

FileSystem& DefaultFileSystem() {
  static Win32FileSystem instance;
  return instance;
}

}  // namespace perix
