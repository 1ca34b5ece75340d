#pragma once
// The platform's open and save file dialogs, set up from a FileDialogOptions.

#include <optional>
#include <string>

#include "app/UiHost.h"
#include "framework/Win32.h"

namespace perix::win {

// The '|'-separated filter ("Profile File(*.prof)|*.prof|") in the form the
// dialogs take: each part ended by a NUL, the whole by a second NUL.
std::wstring DialogFilter(std::u16string_view filter);

// The folder a dialog opens in, from a hint that may name a file.
std::wstring DialogFolder(std::u16string_view hint);

// Nothing when the user cancels or the dialog cannot be shown.
std::optional<std::u16string> ShowFileDialog(HWND owner, const FileDialogOptions& options, bool save);

}  // namespace perix::win
