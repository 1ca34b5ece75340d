#pragma once
// CXShoot: the X-shoot dialog. What is fired (left, right or middle mouse
// button from the choice popup, or a key typed into the target box) and two
// numbers of 1..255; OK keeps them (the caller stores them).

#include "buttons/XShootEditor.h"
#include "dialogs/SkinnedDialog.h"

namespace perix::win {

inline constexpr wchar_t kXShootDialogTitle[] = L"X-shoot";

class CXShoot : public CSkinnedDialog {
 public:
  CXShoot(XShootEditor& editor, TextSource& texts);

 private:
  void OnOpen() override;
  void OnClick(int control) override;
  void OnEditChanged(int control) override;
  void OnMenuChoice(const MenuChoice& choice) override;

  void ShowTarget();

  XShootEditor& m_editor;  // not owned
};

}  // namespace perix::win
