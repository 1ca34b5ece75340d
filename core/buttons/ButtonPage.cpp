#include "buttons/ButtonPage.h"

#include <algorithm>

#include "app/ServiceLink.h"
#include "buttons/DpiShiftEditor.h"
#include "buttons/FireKeyEditor.h"
#include "buttons/KeyCapture.h"
#include "buttons/KeyNames.h"
#include "buttons/XShootEditor.h"
#include "config/FunctionCatalogue.h"
#include "config/KeyUsageTable.h"
#include "macros/MacroSelection.h"
#include "store/MacroFile.h"
#include "text/Utf16.h"

namespace perix {
namespace {

// A choice comes in a window message: only a value that is a function code
// is stored, whatever else a message may carry.
void SetCodeIfKnown(ButtonAssignment& button, std::uint16_t value) {
  if (value <= 0xFF && IsRepairable(static_cast<std::uint8_t>(value))) {
    button.FunctionCode = static_cast<std::uint8_t>(value);
  }
}

}  // namespace

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
  const int label = static_cast<int>(control) - static_cast<int>(Control::ButtonLabel1);
  if (label < 0 || label >= kLabelCount) return false;
  OpenAssignmentMenu(label);
  return true;
}

std::vector<PopupMenuItem> ButtonPage::AssignmentMenuItems(int activeProfile) {
  TextSource& texts = m_context.texts;
  const auto caption = [&texts](std::string_view key) { return texts.ButtonPageText(Widen(key)); };
  std::vector<PopupMenuItem> items;
  for (const MenuItem& entry : TopLevelMenu()) {
    PopupMenuItem item{caption(entry.captionKey), entry.value, {}};
    if (const MenuGroupInfo* group = FindMenuGroup(entry.value)) {
      if (entry.value == MenuGroup::Shift) {
        for (const MenuItem& shift : ProfileShiftItems(activeProfile).items) {
          item.subItems.push_back({caption(shift.captionKey), shift.value});
        }
      } else {
        for (const MenuItem& sub : group->items) item.subItems.push_back({caption(sub.captionKey), sub.value});
      }
    }
    items.push_back(std::move(item));
  }
  return items;
}

void ButtonPage::OpenAssignmentMenu(int label) {
  if (label < 0 || label >= kLabelCount) return;
  m_context.ui.ClosePopupMenu();
  m_editedButton = label;
  const Rect& rect = LayoutOf(Label(label)).rect;
  PopupMenuRequest request;
  request.menu = Menu::Assignment;
  request.subMenu = Menu::AssignmentGroup;
  request.items = AssignmentMenuItems(m_context.Live().Profile);
  request.origin = {rect.left + 1, rect.bottom};
  request.keepOnScreen = kAssignmentMenuBox;
  m_context.ui.OpenPopupMenu(request);
}

ButtonPage::AfterChoice ButtonPage::OnMenuChoice(const MenuChoice& choice) {
  return ChooseButtonFunction((static_cast<std::uint32_t>(choice.command) << 16) | choice.value);
}

ButtonPage::AfterChoice ButtonPage::ChooseButtonFunction(std::uint32_t choice) {
  const int b = m_editedButton;
  if (b < 0 || b >= kButtonCount) return AfterChoice::Nothing;
  // The service may switch the active profile while a dialog is open: the
  // choice still belongs to the profile the menu was opened on.
  DeviceConfig& config = m_context.Live();
  ProfileConfig& profile = ActiveProfile(config);
  const auto profileIndex = static_cast<std::uintptr_t>(&profile - config.Profiles);
  ButtonAssignment& button = profile.ButtonAssigned[b];
  const auto group = static_cast<std::uint16_t>(choice >> 16);
  const auto item = static_cast<std::uint16_t>(choice & 0xFFFF);

  // The profile keeps a left click: taking away the last one is refused. A
  // profile that has none (a damaged or imported file) may get one back.
  const bool otherLeftClick = std::any_of(std::begin(profile.ButtonAssigned), std::end(profile.ButtonAssigned),
                                          [&button](const ButtonAssignment& other) {
                                            return &other != &button && other.FunctionCode == FunctionCode::Click;
                                          });
  if (button.FunctionCode == FunctionCode::Click && !otherLeftClick) {
    if (group != FunctionCode::Click) m_context.ui.Warn(m_context.texts.ButtonPageText(u"WARN3"), false);
    return AfterChoice::Nothing;
  }

  switch (group) {
    case FunctionCode::Macro:
      if (m_macros.Empty()) {
        m_editedButton = -1;
        return AfterChoice::ShowMacroPage;
      }
      if (!ApplyMacro(button, b)) return AfterChoice::Nothing;
      break;
    case MenuGroup::Advanced:
    case MenuGroup::Shift:
    case MenuGroup::Basic:
    case MenuGroup::Media:
    case MenuGroup::Additional: ApplyGroupItem(button, item); break;
    default: SetCodeIfKnown(button, group); break;
  }

  ShowButtonAssignments();
  m_editedButton = -1;
  // A failed save reaches the user through the session and posts nothing.
  m_context.session.SaveAndNotify(ServiceMessage::ButtonAssignment, profileIndex, b);
  return AfterChoice::Nothing;
}

void ButtonPage::ApplyGroupItem(ButtonAssignment& button, std::uint16_t item) {
  UiHost& ui = m_context.ui;
  switch (item) {
    case FunctionCode::Key: {
      SingleKeyCapture capture(button);
      if (ui.RunKeyDialog(capture)) capture.Store(button);
      return;
    }
    case FunctionCode::XShoot: {
      XShootEditor editor(button);
      if (ui.RunXShootDialog(editor)) editor.Store(button);
      return;
    }
    case FunctionCode::DpiShift: {
      DpiShiftEditor editor(button);
      if (ui.RunDpiShiftDialog(editor)) editor.Store(button);
      return;
    }
    case FunctionCode::FireKey: {
      FireKeyEditor editor(button);
      if (ui.RunFireKeyDialog(editor)) editor.Store(button);
      return;
    }
    case FunctionCode::Macro: return;  // no group item carries it
    default: SetCodeIfKnown(button, item); return;
  }
}

bool ButtonPage::ApplyMacro(ButtonAssignment& button, int buttonIndex) {
  MacroSelection selection(m_macros.Names(), button);
  // A cancelled selection still refreshes, saves and notifies.
  if (!m_context.ui.RunMacroSelection(selection)) return true;

  // The device plays at most seven distinct macros per profile.
  constexpr std::size_t kMaxDistinctMacros = 7;
  const auto& names = m_assignedMacroNames;
  if (button.FunctionCode != FunctionCode::Macro && names.size() >= kMaxDistinctMacros &&
      std::find(names.begin(), names.end(), selection.ChosenName()) == names.end()) {
    return false;
  }

  button.FunctionCode = FunctionCode::Macro;
  std::uint8_t param2 = static_cast<std::uint8_t>(selection.ChosenIndex() & 0x3F);
  param2 |= selection.PlayMode() == MacroPlayMode::Toggle ? 0x80 : 0x40;
  button.Param2 = param2;
  int loops = 1;
  if (const auto path = MacroFilePath(m_context.session.Paths().macroFolder, selection.ChosenName())) {
    loops = ReadLoopTime(*path, 1, m_context.session.Files());
  }
  // The loop count is one byte.
  button.Param1 = static_cast<std::uint8_t>(std::clamp(loops, 0, 255));
  button.ButtonNumber =
      selection.PlayMode() == MacroPlayMode::WhileHeld ? 0xFF : static_cast<std::uint8_t>(buttonIndex + 1);
  // The name follows with the refresh of the labels.
  return true;
}

void ButtonPage::ShowButtonAssignments() {
  m_assignedMacroNames.clear();
  ProfileConfig& profile = ActiveProfile(m_context.Live());
  for (int i = 0; i < kLabelCount; ++i) m_context[Label(i)].caption = CaptionOf(profile.ButtonAssigned[i]);
}

}  // namespace perix
