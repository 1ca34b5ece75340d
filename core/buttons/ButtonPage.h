#pragma once
// The button page: one label per mouse button (1..6) with the caption of the
// function the active profile assigns to it.

#include <cstdint>
#include <string>
#include <vector>

#include "app/PageContext.h"
#include "app/PopupMenu.h"
#include "macros/MacroLibrary.h"
#include "skin/MenuChoice.h"

namespace perix {

// The assignment menu moves left or up by this much where it would pass the
// right or bottom edge of the screen.
inline constexpr Size kAssignmentMenuBox{157, 264};

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
  // Opens the assignment menu for a label (0..5) under it: the catalogue's
  // entries with the profile-shift group leaving out the active profile.
  void OpenAssignmentMenu(int label);
  // The assignment menu's entries for the active profile (0..4).
  std::vector<PopupMenuItem> AssignmentMenuItems(int activeProfile);

  // What the main window does after a choice.
  enum class AfterChoice { Nothing, ShowMacroPage };
  // The choice made in the assignment menu for EditedButton.
  AfterChoice OnMenuChoice(const MenuChoice& choice);
  // Applies a choice to EditedButton: high 16 bits the top-level entry's
  // value, low 16 bits the group item's (0 for a top-level entry). Removing
  // the profile's last left click is refused with a warning; a macro asked
  // for with an empty library sends the user to the macro page; everything
  // else (a dialog cancelled included) refreshes the labels, saves the whole
  // configuration and tells the service which button changed (1299).
  AfterChoice ChooseButtonFunction(std::uint32_t choice);

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
  // A group item: a dialog for some, the code itself for the rest.
  void ApplyGroupItem(ButtonAssignment& button, std::uint16_t item);
  // The macro selection; false when the macro may not be stored (an eighth
  // distinct macro in the profile).
  bool ApplyMacro(ButtonAssignment& button, int buttonIndex);

  PageContext& m_context;
  MacroLibrary& m_macros;
  std::vector<std::u16string> m_assignedMacroNames;
  int m_editedButton = -1;
};

}  // namespace perix
