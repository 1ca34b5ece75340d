#include "app/FileDialogs.h"
#include "framework/WideText.h"

#include <commdlg.h>

#include <vector>

namespace perix::win {
namespace {

// Longer than MAX_PATH: a typed path may be long, and a short buffer makes
// the dialog fail instead of returning it.
constexpr std::size_t kPathBuffer = 32768;

}  // namespace

std::wstring DialogFilter(std::u16string_view filter) {
  std::wstring out = Wide(filter);
  for (wchar_t& c : out) {
    if (c == L'|') c = L'\0';
  }
  // Terminate the last part when the filter does not end with '|', then the
  // list.
  if (out.empty() || out.back() != L'\0') out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

std::wstring DialogFolder(std::u16string_view hint) {
  std::wstring folder = Wide(hint);
  const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return folder;
  // A file, existing or not: its folder.
  const std::size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

std::optional<std::u16string> ShowFileDialog(HWND owner, const FileDialogOptions& options, bool save) {
  const std::wstring filter = DialogFilter(options.filter);
  const std::wstring extension = Wide(options.defaultExtension);
  const std::wstring folder = DialogFolder(options.initialFolder);
  std::vector<wchar_t> file(kPathBuffer, L'\0');
  const std::wstring initial = Wide(options.fileName);
  initial.copy(file.data(), std::min(initial.size(), file.size() - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  const std::wstring path(file.data());
  if (path.empty()) return std::nullopt;
  return std::u16string(path.begin(), path.end());
}

}  // namespace perix::win
