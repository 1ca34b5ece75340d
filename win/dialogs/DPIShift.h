#pragma once
// CDPIShift: the DPI-shift dialog. The level button opens a popup of the four
// levels (250 to 1000 DPI) and shows the one chosen; OK keeps it (the caller
// stores it).

#include "buttons/DpiShiftEditor.h"
#include "dialogs/SkinnedDialog.h"

namespace perix::win {

inline constexpr wchar_t kDpiShiftDialogTitle[] = L"DPI shift";

class CDPIShift : public CSkinnedDialog {
 public:
  CDPIShift(DpiShiftEditor& editor, TextSource& texts);

 private:
  void OnOpen() override;
  void OnClick(int control) override;
  void OnMenuChoice(const MenuChoice& choice) override;

  DpiShiftEditor& m_editor;  // not owned
};

}  // namespace perix::win
