#pragma once
// Dialog templates built in memory. The program's windows lay out their
// controls in code at fixed pixel positions, so a template only has to give
// the dialog window itself; building it here keeps the static library free
// of resource files, which a static library could not carry into the program
// anyway.

#include <string_view>
#include <vector>

#include "framework/Win32.h"

namespace perix::win {

// The window class every dialog of the program uses, so that the framework's
// window procedure sees all of a dialog's messages from its creation on.
inline constexpr wchar_t kDialogClassName[] = L"PerixDialog";

// Template 144: the borderless, captionless popup of the skinned menus.
inline constexpr int kPopupTemplateId = 144;

class DialogTemplate {
 public:
  // A dialog with no controls; the size is in dialog units and is normally
  // replaced when the dialog initialises.
  DialogTemplate(DWORD style, DWORD exStyle, short width, short height, std::wstring_view title);

  // The popup of template 144.
  static DialogTemplate Popup();

  const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

 private:
  std::vector<WORD> m_words;
};

}  // namespace perix::win
