#pragma once
// CRenameProfileDlg: the rename dialog of the macro page. One centred edit
// box, opened with the current name selected and focused; OK hands back the
// box's text, Cancel and the close button leave everything as it was.
//
//   CRenameProfileDlg dialog(current, texts);
//   if (dialog.DoModal(owner) == IDOK) use(dialog.Name());

#include <string>

#include "dialogs/SkinnedDialog.h"

namespace perix::win {

inline constexpr wchar_t kRenameTitle[] = L"Rename";

class CRenameProfileDlg : public CSkinnedDialog {
 public:
  CRenameProfileDlg(std::u16string current, TextSource& texts);

  // The box's text on OK; the current name before.
  const std::u16string& Name() const { return m_name; }

 private:
  void OnOpen() override;
  bool OnAccept() override;

  std::u16string m_name;
};

}  // namespace perix::win
