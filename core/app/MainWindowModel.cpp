#include "app/MainWindowModel.h"

#include "app/ServiceLink.h"
#include "skin/MenuChoice.h"
#include "config/Defaults.h"
#include "store/ProfileFile.h"
#include "text/FilePath.h"
#include "text/Utf16.h"

namespace perix {
namespace {

// Requests of message 1034 (lParam).
constexpr std::intptr_t kResetActiveProfile = 11;
constexpr std::intptr_t kApplyConfiguration = 12;
constexpr std::intptr_t kOpenHelp = 22;

// Kinds of message 1285 (wParam): what the device changed by itself.
constexpr std::uintptr_t kDeviceStage = 8;
constexpr std::uintptr_t kDeviceProfile = 9;
constexpr std::uintptr_t kDeviceLedMode = 10;

constexpr Control kEveryPageButtons[] = {Control::HomeSpare, Control::HomeImport, Control::HomeResetAll,
                                         Control::HomeExport};

// The mode the device reports as a bit: 1 → 3, 2 → 4, 4 → 2, 16 → 6, else 1.
std::int32_t LedModeFromDeviceBit(std::intptr_t bit) {
  switch (bit) {
    case 1: return 3;
    case 2: return 4;
    case 4: return 2;
    case 16: return 6;
    default: return 1;
  }
}

// The page a tab, back button or page link opens, if the control is one.
bool PageOpenedBy(Control control, Page& page) {
  if (control == Control::ButtonMacroPage) {
    page = Page::Macros;
    return true;
  }
  for (Page each : {Page::Buttons, Page::Lighting, Page::Advanced, Page::Macros}) {
    if (control == PageTab(each)) {
      page = each;
      return true;
    }
    if (control == PageBackButton(each)) {
      page = Page::Home;
      return true;
    }
  }
  return false;
}

int Offset(Control control, Control first) { return static_cast<int>(control) - static_cast<int>(first); }
bool InRange(Control control, Control first, Control last) { return control >= first && control <= last; }

}  // namespace

MainWindowModel::MainWindowModel(ConfigSession& session, UiHost& ui, TextSource& texts, MacroClock& clock)
    : m_context{session, m_view, texts, ui},
      m_macros(session.Paths().settingsFile, session.Files()),
      m_dpi(m_context),
      m_advanced(m_context),
      m_lighting(m_context),
      m_buttons(m_context, m_macros),
      m_macroPage(m_context, m_macros, clock) {
  session.SetProblemReporter(this);
}

MainWindowModel::~MainWindowModel() { m_context.session.SetProblemReporter(nullptr); }

void MainWindowModel::LoadCaptions() {
  for (const PageLayout& page : PagesInBuildOrder()) {
    for (const ControlLayout& layout : ControlsOfPage(page.page)) {
      ControlView& view = m_view.controls[layout.index];
      if (!layout.text.empty()) {
        view.caption = Utf8ToUtf16(layout.text);
      } else if (layout.captionKey != kNoCaption) {
        view.caption = m_context.texts.SkinString(Utf8ToUtf16(page.skinFile), u"BUTTONPOS",
                                                  DecimalText(layout.captionKey));
      }
      view.enabled = !layout.Has(ControlFlag::StartsDisabled);
    }
  }
  // The web button reads its key like the others but shows the address.
  m_view[Control::HomeWeb].caption = kWebAddress;
}

void MainWindowModel::InitDialog() {
  m_context.session.LoadConfiguration(-1);
  ShowPage(PageIdentifier(Page::Home));
  m_context.resetPending = false;
  m_macroPage.SelectFirstMacro();
  RefreshPages();
}

void MainWindowModel::OnDeferredInit() { m_macroPage.OnDeferredInit(); }

void MainWindowModel::ShowPage(int identifier) {
  Page page = Page::Home;
  const bool blank = !PageFromIdentifier(identifier, page);
  m_context.ui.CloseMacroNameMenu();
  for (Control control : kEveryPageButtons) m_view[control].enabled = true;

  for (const ControlLayout& layout : MainControls()) {
    const auto control = static_cast<Control>(layout.index);
    bool shown;
    if (layout.Has(ControlFlag::AlwaysHidden)) {
      shown = false;
    } else if (layout.Has(ControlFlag::EveryPage)) {
      shown = true;
    } else if (blank) {
      // The blank state keeps one way back: the button page's back button.
      shown = control == Control::ButtonBack;
    } else {
      shown = PageOf(control) == page;
    }
    m_view.controls[layout.index].shown = shown;
  }
  for (Page tabPage : {Page::Buttons, Page::Lighting, Page::Advanced, Page::Macros}) {
    m_view[PageTab(tabPage)].checked = !blank && tabPage == page;
  }
  m_view.page = identifier;

  if (blank) return;
  const DeviceConfig& config = m_context.Live();
  switch (page) {
    case Page::Advanced:
      m_view[Control::AdvancedLevelXSlider].shown = false;
      m_view[Control::AdvancedLevelYSlider].shown = false;
      if (const auto stage = StageIndex(ActiveProfile(config).DPI)) {
        m_view[Control::AdvancedSeparateXY].checked = config.DpiStages[*stage].SeparateXY != 0;
      }
      break;
    case Page::Lighting: m_view.pickerColour = config.LedColor & 0x00FFFFFFu; break;
    case Page::Macros:
      // Profile files are not handled while a macro is being edited.
      m_view[Control::HomeImport].enabled = false;
      m_view[Control::HomeResetAll].enabled = false;
      m_view[Control::HomeExport].enabled = false;
      m_macroPage.OnShown();
      break;
    case Page::Home:
    case Page::Buttons: break;
  }
}

void MainWindowModel::ShowMacroNumbers(std::int32_t first, std::int32_t second) {
  m_view.macroLine1 = DecimalText(first);
  m_view.macroLine2 = DecimalText(second);
}

void MainWindowModel::RefreshPages() {
  const DeviceConfig& config = m_context.Live();
  m_advanced.ShowPollingRate(config.PollingRate);
  m_dpi.SelectDpiStage(ActiveProfile(config).DPI);
  for (int i = 0; i < kProfileCount; ++i) {
    m_view[static_cast<Control>(static_cast<int>(Control::ButtonProfile1) + i)].checked = i == config.Profile;
  }
  m_lighting.ShowAll();
  m_advanced.ShowPointerValues();
  // The click counters share the macro page's two numbers, which show the
  // current macro's total pause and action count whenever there is one.
  ShowMacroNumbers(config.LeftCount, config.RightCount);
  m_macroPage.ShowNumbers();
  // The DPI and acceleration sliders are separate windows over the page and
  // must not linger when another page is shown.
  const bool advanced = m_context.IsCurrent(Page::Advanced);
  m_view[Control::AdvancedLevelSlider].shown = advanced;
  m_view[Control::AdvancedAccelerationSlider].shown = advanced;
  m_view[Control::AdvancedLevelXSlider].shown = false;
  m_view[Control::AdvancedLevelYSlider].shown = false;
  m_buttons.ShowButtonAssignments();
}

void MainWindowModel::OnCommand(Control control) {
  // A click anywhere closes an open menu before its own action; the macro
  // name menu closes too, unless its own button was clicked (which toggles it).
  m_context.ui.ClosePopupMenu();
  if (control != Control::MacroNameButton) m_context.ui.CloseMacroNameMenu();
  Page page;
  if (PageOpenedBy(control, page)) {
    if (m_view.page == PageIdentifier(page)) return;
    ShowPage(PageIdentifier(page));
    if (page == Page::Advanced) RefreshPages();
    return;
  }
  switch (PageOf(control)) {
    case Page::Home: OnHomeCommand(control); return;
    case Page::Buttons:
      if (InRange(control, Control::ButtonProfile1, Control::ButtonProfile5)) {
        SelectProfile(Offset(control, Control::ButtonProfile1));
      } else {
        m_buttons.OnCommand(control);
      }
      return;
    case Page::Advanced:
      if (!m_dpi.OnCommand(control)) m_advanced.OnCommand(control);
      return;
    case Page::Lighting: m_lighting.OnCommand(control); return;
    case Page::Macros:
      m_macroPage.OnCommand(control);
      // A deleted macro may have switched buttons off.
      m_buttons.ShowButtonAssignments();
      return;
  }
}

void MainWindowModel::OnHomeCommand(Control control) {
  switch (control) {
    case Control::HomeClose: m_context.ui.CloseMainWindow(1); break;
    case Control::HomeWeb: m_context.ui.OpenWebAddress(kWebAddress); break;
    case Control::HomeImport: ImportProfileFile(); break;
    case Control::HomeExport: ExportProfileFile(); break;
    case Control::HomeMinimise: m_context.ui.MinimiseMainWindow(); break;
    case Control::HomeResetAll: ResetAllProfiles(); break;
    default: break;
  }
}

void MainWindowModel::OnBackgroundPress() {
  m_context.ui.ClosePopupMenu();
  m_context.ui.CloseMacroNameMenu();
  m_buttons.SetEditedButton(-1);
}

void MainWindowModel::OnMenuChoice(std::uint64_t wParam, std::uint64_t lParam) {
  m_context.ui.ClosePopupMenu();
  if (m_menuKind != 0) return;
  const MenuChoice choice = DecodeMenuChoice(wParam, lParam);
  if (m_context.IsCurrent(Page::Buttons)) {
    // A macro asked for while the library is empty: the macros are made there.
    if (m_buttons.OnMenuChoice(choice) == ButtonPage::AfterChoice::ShowMacroPage) {
      ShowPage(PageIdentifier(Page::Macros));
    }
  } else if (m_context.IsCurrent(Page::Lighting)) {
    m_lighting.OnMenuChoice(choice);
  } else if (m_context.IsCurrent(Page::Macros)) {
    m_macroPage.OnMenuChoice(choice);
  }
  m_buttons.SetEditedButton(-1);
}

void MainWindowModel::OnSliderPosition(int position, int controlId) {
  if (position == m_lastSlider.position && controlId == m_lastSlider.controlId) return;
  m_lastSlider = {position, controlId};
  switch (controlId) {
    case 10001: m_dpi.OnLevelSlider(position); break;
    case 10008: m_lighting.OnSpeedSlider(position); break;
    case 10009: m_lighting.OnBrightnessSlider(position); break;
    case 10010: m_advanced.OnAccelerationSlider(position); break;
    default: break;
  }
}

void MainWindowModel::OnColourChosen(std::uint32_t colour) { m_lighting.OnColourChosen(colour); }

std::intptr_t MainWindowModel::OnServiceRequest(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  ConfigSession& session = m_context.session;
  switch (message) {
    case ServiceRequest::Request:
      switch (lParam) {
        case kResetActiveProfile:
          ResetProfileToDefaults(session.Live(), session.Live().Profile);
          RefreshPages();
          return 0;
        case kApplyConfiguration: (void)session.ApplyConfiguration(); return 0;
        case kOpenHelp: m_context.ui.OpenHelp(); return 0;
        case 18:
        case 20: return 0;
        default: return -1;
      }
    case ServiceRequest::DpiStagesChanged: session.ReloadDpiStages(); return 0;
    case ServiceRequest::DeviceReset:
      if (m_context.resetPending) {
        m_context.resetPending = false;
      } else {
        m_context.ui.Trace(u"OnMouseUnplug");
      }
      return 0;
    case ServiceRequest::DeviceChanged: {
      // Take over whatever the service wrote first.
      session.LoadConfiguration(-1);
      DeviceConfig& config = session.Live();
      // Values the record cannot hold are ignored rather than stored.
      if (wParam == kDeviceStage) {
        if (const auto stage = StageIndex(static_cast<std::int32_t>(lParam)); stage && lParam == *stage) {
          config.DPI = *stage;
          ActiveProfile(config).DPI = *stage;
        }
      } else if (wParam == kDeviceProfile) {
        if (lParam >= 0 && lParam < kProfileCount) {
          config.Profile = static_cast<std::int32_t>(lParam);
          DpiPage::FollowActiveProfile(config);
        }
      } else if (wParam == kDeviceLedMode) {
        config.LedMode = LedModeFromDeviceBit(lParam);
      }
      if (wParam == kDeviceStage || wParam == kDeviceProfile || wParam == kDeviceLedMode) {
        // A failed save reaches the user through the session.
        (void)session.SaveConfiguration();
      }
      RefreshPages();
      m_macroPage.SelectFirstMacro();
      return 0;
    }
    case ServiceRequest::HidePages: ShowPage(kBlankPageIdentifier); return 0;
    case WindowMessage::Unhandled1282: return 0;
    case WindowMessage::ColourChosen: OnColourChosen(static_cast<std::uint32_t>(wParam)); return 0;
    case WindowMessage::SliderPosition:
      OnSliderPosition(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    default: return -1;
  }
}

void MainWindowModel::SelectProfile(int index) {
  DeviceConfig& config = m_context.Live();
  if (index < 0 || index >= kProfileCount || config.Profile == index) return;
  config.Profile = index;
  DpiPage::FollowActiveProfile(config);
  RefreshPages();
  m_context.session.SaveAndNotify(ServiceMessage::Profile);
}

void MainWindowModel::ResetAllProfiles() {
  if (!m_context.ui.Warn(m_context.texts.ButtonPageText(u"WARN1"), true)) return;
  DeviceConfig& config = m_context.Live();
  config.Profile = 0;
  for (int profile = 0; profile < kProfileCount; ++profile) ResetProfileToDefaults(config, profile);
  RefreshPages();
  (void)m_context.session.ApplyConfiguration();
}

FileDialogOptions MainWindowModel::ProfileDialogSpec() const {
  return {u"prof", u"*.prof", u"Profile File(*.prof)|*.prof|", m_context.session.Paths().settingsFile};
}

void MainWindowModel::ImportProfileFile() {
  const auto path = m_context.ui.ChooseFileToOpen(ProfileDialogSpec());
  if (!path) return;
  const ProfileFileStatus status = ImportProfile(m_context.session, *path);
  if (status == ProfileFileStatus::Ok || status == ProfileFileStatus::WriteFailed) RefreshPages();
  if (status == ProfileFileStatus::Ok) return;
  std::u16string text = m_context.texts.ButtonPageText(
      status == ProfileFileStatus::WriteFailed ? u"SAVEFAILED" : u"IMPORTFAILED");
  if (text.empty()) text = Utf8ToUtf16(ProfileFileStatusText(status));
  m_context.ui.Warn(FileTitleOf(*path) + u": " + text, false);
}

void MainWindowModel::ExportProfileFile() {
  const auto path = m_context.ui.ChooseFileToSave(ProfileDialogSpec());
  if (!path) return;
  if (ExportProfile(m_context.Live(), *path, m_context.session.Files()) == ProfileFileStatus::Ok) return;
  std::u16string text = m_context.texts.ButtonPageText(u"EXPORTFAILED");
  if (text.empty()) text = Utf8ToUtf16(ProfileFileStatusText(ProfileFileStatus::WriteFailed));
  m_context.ui.Warn(FileTitleOf(*path) + u": " + text, false);
}

}  // namespace perix
