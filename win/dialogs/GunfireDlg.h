#pragma once
// CGunfireDlg: the fire-key dialog. A speed slider, a count with its
// "unlimited" check button and a second value; OK keeps them (the caller
// stores them). Enter and Esc close nothing, as in the other dialogs.

#include "buttons/FireKeyEditor.h"
#include "dialogs/SkinnedDialog.h"

namespace perix::win {

inline constexpr wchar_t kFireKeyDialogTitle[] = L"Fire key";

class CGunfireDlg : public CSkinnedDialog {
 public:
  CGunfireDlg(FireKeyEditor& editor, TextSource& texts);

 private:
  void OnOpen() override;
  bool OnAccept() override;
  void OnClick(int control) override;
  void OnEditKeyUp(int control, WPARAM key) override;
  void OnSlider(int control, int position) override;

  void ShowCount();

  FireKeyEditor& m_editor;  // not owned
};

}  // namespace perix::win
