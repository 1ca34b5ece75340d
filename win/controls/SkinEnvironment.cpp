#include "controls/SkinEnvironment.h"

#include "framework/Win32.h"

namespace perix::win {
namespace {

std::wstring ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring& Folder() {
  static std::wstring folder = ExecutableFolder();
  return folder;
}

std::wstring& Face() {
  static std::wstring face;
  return face;
}

}  // namespace

void SetProgramFolder(std::wstring_view folder) {
  std::wstring value(folder);
  if (!value.empty() && value.back() != L'\\' && value.back() != L'/') value.push_back(L'\\');
  Folder() = std::move(value);
}

const std::wstring& ProgramFolder() { return Folder(); }

void SetSkinFaceName(std::wstring_view faceName) {
  // LOGFONT keeps 31 characters and a terminating zero.
  Face() = std::wstring(faceName.substr(0, LF_FACESIZE - 1));
}

const std::wstring& SkinFaceName() { return Face(); }

std::wstring ResolveProgramPath(std::wstring_view path) {
  const bool absolute = (path.size() >= 2 && path[1] == L':') || (!path.empty() && (path[0] == L'\\' || path[0] == L'/'));
  if (absolute) return std::wstring(path);
  return ProgramFolder() + std::wstring(path);
}

}  // namespace perix::win
