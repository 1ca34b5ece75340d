#include "buttons/ButtonPage.h"

#include <algorithm>

#include "buttons/KeyNames.h"
#include "config/FunctionCatalogue.h"
#include "config/KeyUsageTable.h"
#include "text/Utf16.h"

namespace perix {

std::u16string ButtonPage::CaptionOf(ButtonAssignment& button) {
  TextSource& texts = m_context.texts;
  switch (button.FunctionCode) {
    case FunctionCode::Key: {
      std::uint8_t virtualKey = 0;
      if (!VirtualKeyFromUsage(button.Data[1], virtualKey)) return u"key";
      return KeyLabelOf(virtualKey);
    }
    case FunctionCode::Macro: {
      const std::u16string stored = FixedToString(button.MacroName);
      if (std::find(m_assignedMacroNames.begin(), m_assignedMacroNames.end(), stored) ==
          m_assignedMacroNames.end()) {
        m_assignedMacroNames.push_back(stored);
      }
      if (m_macros.Empty()) return texts.ButtonPageText(u"MACROCOMMAND");
      const int index = button.Param2 & 0x3F;
      if (index < m_macros.Count()) {
        const std::u16string& name = m_macros.Names()[static_cast<std::size_t>(index)];
        CopyToFixed(button.MacroName, name);
        return name;
      }
      button.FunctionCode = FunctionCode::Off;
      return texts.ButtonPageText(u"OFFBUTTON");
    }
    default: break;
  }
  const std::string_view key = CaptionKeyOf(button.FunctionCode);
  return key.empty() ? std::u16string() : texts.ButtonPageText(Widen(key));
}

bool ButtonPage::OnCommand(Control control) {
  // The assignment menu comes with the button assignment dialogs.
  (void)control;
  return false;
}

void ButtonPage::OnMenuChoice(const MenuChoice& choice) { (void)choice; }

void ButtonPage::ShowButtonAssignments() {
  m_assignedMacroNames.clear();
  ProfileConfig& profile = ActiveProfile(m_context.Live());
  for (int i = 0; i < kLabelCount; ++i) m_context[Label(i)].caption = CaptionOf(profile.ButtonAssigned[i]);
}

}  // namespace perix
