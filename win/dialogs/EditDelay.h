#pragma once
// CEditDelay: the number-entry dialog. One digits-only box, kept within
// 1..limit as the user types (the rules are NumberEntry's), with an optional
// prompt above it. The macro editor asks with it for the length of a pause
// and the distance of a pointer movement.
//
//   NumberEntry entry(1500, NumberEntry::kMaximum, prompt);
//   CEditDelay dialog(entry, texts);
//   if (dialog.DoModal(owner) == IDOK) use(entry.Value());

#include "buttons/NumberEntry.h"
#include "dialogs/SkinnedDialog.h"

namespace perix::win {

inline constexpr wchar_t kNumberEntryTitle[] = L"Enter a number";

class CEditDelay : public CSkinnedDialog {
 public:
  // `entry` is edited in place and must outlive the dialog.
  CEditDelay(NumberEntry& entry, TextSource& texts);

 private:
  void OnOpen() override;
  void OnEditChanged(int control) override;

  NumberEntry& m_entry;  // not owned
};

}  // namespace perix::win
