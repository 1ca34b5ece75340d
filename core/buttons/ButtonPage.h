#pragma once
// The button page: one label per mouse button (1..6) with the caption of the
// function the active profile assigns to it.

#include <string>
#include <vector>

#include "app/PageContext.h"
#include "macros/MacroLibrary.h"
#include "skin/MenuChoice.h"

namespace perix {

class ButtonPage {
 public:
  ButtonPage(PageContext& context, MacroLibrary& macros) : m_context(context), m_macros(macros) {}

  // Recomputes the six label captions from the active profile. A macro
  // button whose library entry no longer exists becomes a disabled button
  // (code 7) here; the change reaches the file with the next save.
  void ShowButtonAssignments();

  // A click on one of the page's controls (the six labels open the
  // assignment menu); false when it is not one of them. The profile buttons
  // and the macro-page link are the main window's.
  bool OnCommand(Control control);
  // The choice made in the assignment menu for EditedButton.
  void OnMenuChoice(const MenuChoice& choice);

  // The button (0..7) whose menu is open or whose choice is being applied;
  // -1 when none.
  int EditedButton() const { return m_editedButton; }
  void SetEditedButton(int index) { m_editedButton = index; }

  // The caption of one assignment, as its label shows it.
  std::u16string CaptionOf(ButtonAssignment& button);

  // Distinct macro names of the active profile's macro buttons, rebuilt by
  // every refresh of the labels.
  const std::vector<std::u16string>& AssignedMacroNames() const { return m_assignedMacroNames; }

  static Control Label(int index) { return static_cast<Control>(static_cast<int>(Control::ButtonLabel1) + index); }
  static constexpr int kLabelCount = 6;

 private:
  PageContext& m_context;
  MacroLibrary& m_macros;
  std::vector<std::u16string> m_assignedMacroNames;
  int m_editedButton = -1;
};

}  // namespace perix
