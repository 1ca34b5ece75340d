#include "app/QMcfgDlg.h"

#include <algorithm>
#include <cwchar>

#include "app/ServiceLink.h"
#include "controls/SkinEnvironment.h"
#include "controls/SkinFont.h"
#include "controls/SkinImage.h"
#include "skin/ControlMessages.h"
#include "store/DataFolder.h"
#include "framework/WideText.h"

namespace perix::win {
namespace {

constexpr UINT_PTR kDeferredInitTimer = 10002;
constexpr int kIconResource = 128;
constexpr COLORREF kMacroNumbersColour = 0xFF3296;  // 0x00BBGGRR
constexpr COLORREF kListHighlight = 0xFF3296;
constexpr UINT kStartDiagnostics = WM_APP + 0x50;
// Posted when the window is up: build the pages not shown first.
constexpr UINT kBuildOtherPages = WM_APP + 0x51;

std::u16string Utf16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

// The folder of the running executable, with its trailing backslash.
std::wstring ExecutableFolder() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n < path.size() ? n : 0);
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring CurrentDirectory() {
  // 520 code units is what the working directory is kept in; longer ones are
  // read whole rather than cut.
  std::wstring directory(520, L'\0');
  DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
  if (n >= directory.size()) {
    directory.assign(n + 1, L'\0');
    n = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
  }
  directory.resize(n < directory.size() ? n : 0);
  return directory;
}

}  // namespace

PERIX_BEGIN_MESSAGE_TABLE(CQMcfgDlg, CDialogBase)
  OnMessage<&CQMcfgDlg::OnCreate>(WM_CREATE),
  OnMessage<&CQMcfgDlg::OnClose>(WM_CLOSE),
  OnMessage<&CQMcfgDlg::OnDestroy>(WM_DESTROY),
  OnMessage<&CQMcfgDlg::OnPaint>(WM_PAINT),
  OnMessage<&CQMcfgDlg::OnPrintClient>(WM_PRINTCLIENT),
  OnMessage<&CQMcfgDlg::OnEraseBackground>(WM_ERASEBKGND),
  OnMessage<&CQMcfgDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
  OnMessage<&CQMcfgDlg::OnBackgroundPress>(WM_LBUTTONDOWN),
  OnMessage<&CQMcfgDlg::OnTimer>(WM_TIMER),
  OnMessage<&CQMcfgDlg::OnControlCommand>(WM_COMMAND),
  OnMessage<&CQMcfgDlg::OnSliderPosition>(kSliderPositionMessage),
  OnMessage<&CQMcfgDlg::OnColourChosen>(WindowMessage::ColourChosen),
  OnMessage<&CQMcfgDlg::OnServiceRequest>(ServiceRequest::Request),
  OnMessage<&CQMcfgDlg::OnServiceRequest>(ServiceRequest::DpiStagesChanged),
  OnMessage<&CQMcfgDlg::OnServiceRequest>(ServiceRequest::DeviceReset),
  OnMessage<&CQMcfgDlg::OnServiceRequest>(ServiceRequest::DeviceChanged),
  OnMessage<&CQMcfgDlg::OnServiceRequest>(ServiceRequest::HidePages),
  OnMessage<&CQMcfgDlg::OnServiceRequest>(WindowMessage::Unhandled1282),
  OnMessage<&CQMcfgDlg::OnMenuChoice>(kMenuChoiceMessage),
  OnMessage<&CQMcfgDlg::OnMacroNameChosen>(kMacroNameChosenMessage),
  OnMessage<&CQMcfgDlg::OnActionListReport>(kListRightReleaseMessage),
  OnMessage<&CQMcfgDlg::OnActionListReport>(kListLeftPressMessage),
  OnMessage<&CQMcfgDlg::OnActionListReport>(kListPauseDoubleClickMessage),
  OnMessage<&CQMcfgDlg::OnActionListReport>(kListMovementDoubleClickMessage),
  OnMessage<&CQMcfgDlg::OnEditKeyUp>(kEditKeyUpMessage),
  OnMessage<&CQMcfgDlg::OnHookKey>(WindowMessage::HookKey),
  OnMessage<&CQMcfgDlg::OnStartDiagnostics>(kStartDiagnostics),
  OnMessage<&CQMcfgDlg::OnBuildOtherPages>(kBuildOtherPages),
PERIX_END_MESSAGE_TABLE(CQMcfgDlg, CDialogBase)

CQMcfgDlg::CQMcfgDlg(DiagnosticOptions diagnostics)
    : CDialogBase(DialogTemplate(WS_POPUP | WS_SYSMENU, WS_EX_APPWINDOW, 100, 100, L"")),
      m_diagnostics(std::move(diagnostics)),
      m_ui(*this) {}

CQMcfgDlg::~CQMcfgDlg() {
  // The controls' windows go while their objects are whole.
  m_popup.reset();
  m_nameMenu.reset();
  DestroyWindow();
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

LRESULT CQMcfgDlg::OnCreate(WPARAM, LPARAM) {
  m_createdAtMs = MillisecondsSinceProcessStart();
  StartupClock::Instance();  // its "other" phase starts here
  if (Default() == -1) return -1;

  m_programFolder = ExecutableFolder();
  SetProgramFolder(m_programFolder);
  m_savedDirectory = CurrentDirectory();
  // Relative paths (the skin files) resolve against the program folder from
  // here on, wherever the program was started from.
  SetCurrentDirectoryW(m_programFolder.c_str());

  // The string file is the program folder's "Strings.xml".
  {
    ScopedStartupPhase phase(StartupPhase::StringFile);
    m_skinTexts = std::make_unique<SkinTexts>(Utf16(m_programFolder), m_files);
    m_texts = std::make_unique<CTimedTexts>(*m_skinTexts);
  }
  // An empty face name gives the system's default face.
  SetSkinFaceName(Wide(m_texts->Text(u"MAIN", u"FONT")));

  BuildMainWindow();

  m_hook.Load(m_programFolder);
  m_hook.Install(Handle());
  wchar_t trace[64];
  std::swprintf(trace, 64, L"strtmp %x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(Handle())));
  m_ui.Trace(Utf16(trace));
  m_hook.Enable(0);

  SetTimer(Handle(), kDeferredInitTimer, 1, nullptr);
  return 0;
}

void CQMcfgDlg::BuildMainWindow() {
  // The home page now, so that the window shows quickly; the other pages
  // once it is painted (OnBuildOtherPages).
  m_controls.BuildHome(Handle(), *m_texts);
  // The window takes the size of the home page's image. Without one it keeps
  // the size the controls are placed for, so that it can still be seen,
  // moved and closed.
  const SIZE size = m_controls.WindowSize();
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  Invalidate();
}

LRESULT CQMcfgDlg::OnBuildOtherPages(WPARAM, LPARAM) {
  m_controls.BuildOtherPages();
  // The new controls take the state the model's view gave them while they
  // did not exist yet.
  for (const PageLayout& page : PagesInBuildOrder()) {
    if (page.page != Page::Home) m_renderer.ApplyToPage(page.page, m_controls);
  }
  SetUpActionList();
  if (!m_diagnostics.reportFile.empty()) {
    CDiagnosticReport report(m_diagnostics.reportFile);
    report.Line("all-pages-built-ms %.1f", MillisecondsSinceProcessStart());
  }
  if (m_diagnostics.RunsChecks()) PostMessageW(Handle(), kStartDiagnostics, 0, 0);
  return 0;
}

void CQMcfgDlg::SetUpActionList() {
  if (CListBoxEx* list = m_controls.ActionList()) {
    list->SetOwner(Handle());
    list->SetRightButtonNotification(true);
    list->SetHighlight(kListHighlight, RGB(0, 0, 0));
    list->SetTextColors(RGB(255, 255, 255), RGB(255, 255, 255));
    list->SetSelectionHighlight(true);
  }
}

BOOL CQMcfgDlg::OnInitDialog() {
  HINSTANCE instance = ModuleInstance();
  m_icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
  m_smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));

  {
    ScopedStartupPhase phase(StartupPhase::Configuration);
    const DataPaths paths = ResolveDataFolder(Utf16(m_programFolder));
    m_session = std::make_unique<ConfigSession>(paths, DefaultServiceLink());
    m_model = std::make_unique<MainWindowModel>(*m_session, m_ui, *m_texts);
    m_model->LoadCaptions();
    m_model->InitDialog();
  }

  SetWindowTextW(Handle(), kMainWindowTitle);

  SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | WS_MINIMIZEBOX);
  {
    ScopedStartupPhase phase(StartupPhase::Configuration);
    ApplyView();
  }
  // Handled once the first paint is done: the modal loop paints the window
  // before it takes posted messages.
  PostMessageW(Handle(), kBuildOtherPages, 0, 0);
  return TRUE;
}

LRESULT CQMcfgDlg::OnTimer(WPARAM wParam, LPARAM) {
  if (wParam == kMemoryTourTimer) {
    ContinueMemoryTour();
    return 0;
  }
  if (wParam != kDeferredInitTimer) return Default();
  KillTimer(Handle(), kDeferredInitTimer);
  if (m_model) {
    m_model->OnDeferredInit();
    ApplyView();
  }
  return 0;
}

LRESULT CQMcfgDlg::OnClose(WPARAM, LPARAM) {
  ClosePopup();
  EndDialog(IDCANCEL);
  return 0;
}

LRESULT CQMcfgDlg::OnDestroy(WPARAM, LPARAM) {
  const LRESULT result = Default();
  m_hook.Enable(0);
  m_hook.Remove();
  m_popup.reset();
  m_nameMenu.reset();
  m_numbersFont.reset();
  m_controls.ReleasePageImages();
  if (!m_savedDirectory.empty()) SetCurrentDirectoryW(m_savedDirectory.c_str());
  return result;
}

// ---------------------------------------------------------------------------
// The view

void CQMcfgDlg::ApplyView() {
  if (!m_model || !Handle() || m_applyingView) return;
  const MainView& view = m_model->View();
  // A page switch shows and hides dozens of controls. With the window's
  // redrawing off that costs no painting; the page then paints once, whole.
  const std::optional<int> shown = m_renderer.AppliedPage();
  const bool switching = shown && *shown != view.page && IsWindowVisible(Handle());
  if (switching) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  const double applyStart = MillisecondsSinceProcessStart();
  m_applyingView = true;
  const CViewRenderer::Repaint repaint = m_renderer.Apply(view, m_controls);
  m_applyingView = false;
  if (switching) SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  if (repaint.page) {
    const double paintStart = MillisecondsSinceProcessStart();
    RepaintAll();
    m_switchTimes.apply += paintStart - applyStart;
    m_switchTimes.paint += MillisecondsSinceProcessStart() - paintStart;
  } else if (repaint.macroNumbers && m_model->CurrentPage() == PageIdentifier(Page::Macros)) {
    const RECT numbers{kMacroNumbersRect.left, kMacroNumbersRect.top, kMacroNumbersRect.right,
                       kMacroNumbersRect.bottom};
    RedrawWindow(Handle(), &numbers, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

void CQMcfgDlg::RepaintAll() {
  // The page with its image buttons and labels composed into one picture
  // (ChildComposer.h); the other controls paint themselves after it.
  m_composeChildren = true;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
  m_composeChildren = false;
  FinishComposedPaint();
}

void CQMcfgDlg::FinishComposedPaint() {
  // What the composed picture shows needs no paint of its own.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
  for (HWND child : m_composer.Skipped()) {
    if (IsWindow(child)) RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

bool CQMcfgDlg::Composable(HWND child) const {
  const std::optional<Control> control = m_controls.ControlOf(child);
  if (!control) return false;
  switch (LayoutOf(*control).kind) {
    case ControlKind::ImageButton:
    case ControlKind::CheckButton:
    case ControlKind::Label: return true;
    default: return false;
  }
}

void CQMcfgDlg::DrawPage(HDC dc, const RECT& area) {
  const int identifier = m_model ? m_model->CurrentPage() : PageIdentifier(Page::Home);
  m_controls.PaintBackground(dc, identifier, area);
  if (!m_model || identifier != PageIdentifier(Page::Macros)) return;

  const MainView& view = m_model->View();
  if (!m_numbersFont) {
    SkinFontRequest request;
    request.height = kMacroNumbersFontHeight;
    request.weight = FW_NORMAL;
    m_numbersFont = CreateSkinFont(request);
  }
  const int savedMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF savedColour = SetTextColor(dc, kMacroNumbersColour);
  {
    ScopedSelectObject font(dc, m_numbersFont.get());
    const std::wstring first = Wide(view.macroLine1);
    const std::wstring second = Wide(view.macroLine2);
    TextOutW(dc, kMacroTotalDelayOrigin.x, kMacroTotalDelayOrigin.y, first.c_str(), static_cast<int>(first.size()));
    TextOutW(dc, kMacroActionCountOrigin.x, kMacroActionCountOrigin.y, second.c_str(),
             static_cast<int>(second.size()));
  }
  SetTextColor(dc, savedColour);
  SetBkMode(dc, savedMode);
}

LRESULT CQMcfgDlg::OnPaint(WPARAM, LPARAM) {
  {
    ScopedStartupPhase phase(StartupPhase::Painting);
    PaintDc paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    if (IsIconic(Handle())) {
      const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
      const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
      if (m_icon) DrawIcon(paint.Get(), x, y, m_icon);
      return 0;
    }
    // Only the part to be painted, composed off-screen band by band.
    RECT area{};
    if (!IntersectRect(&area, &paint.Dirty(), &client)) area = client;
    // The first paint and a page switch show the controls too (RepaintAll).
    const bool compose = m_composeChildren || !m_painted;
    if (compose) m_composer.Prepare(Handle(), area, [this](HWND child) { return Composable(child); });
    m_bands.Paint(paint.Get(), area, [this, compose](HDC dc, const RECT& band) {
      DrawPage(dc, band);
      if (compose) m_composer.Compose(dc, band);
    });
  }
  if (!m_painted) {
    m_painted = true;
    {
      ScopedStartupPhase phase(StartupPhase::Painting);
      FinishComposedPaint();
    }
    ReportFirstPaint();
  }
  return 0;
}

LRESULT CQMcfgDlg::OnPrintClient(WPARAM wParam, LPARAM) {
  // Children that show the page under themselves ask for it this way.
  HDC dc = reinterpret_cast<HDC>(wParam);
  if (!dc) return 0;
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT area{};
  // Only what the asking child's DC shows.
  if (GetClipBox(dc, &area) == ERROR || !IntersectRect(&area, &area, &client)) area = client;
  DrawPage(dc, area);
  return 0;
}

LRESULT CQMcfgDlg::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CQMcfgDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_icon); }

LRESULT CQMcfgDlg::OnBackgroundPress(WPARAM, LPARAM lParam) {
  if (m_model) {
    m_model->OnBackgroundPress();
  } else {
    ClosePopup();
  }
  // Let the system move the window, as if the press were on a caption.
  POINT screen = PointFromLParam(lParam);
  ClientToScreen(Handle(), &screen);
  PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
  return 0;
}

// ---------------------------------------------------------------------------
// Commands and messages

LRESULT CQMcfgDlg::OnControlCommand(WPARAM wParam, LPARAM lParam) {
  const std::optional<Control> control = m_controls.ControlOf(reinterpret_cast<HWND>(lParam));
  const UINT code = HIWORD(wParam);
  if (control && code == EN_CHANGE && LayoutOf(*control).kind == ControlKind::EditBox) {
    EditBoxChanged(*control);
    return 0;
  }
  const bool click = code == BN_CLICKED || code == BN_DOUBLECLICKED;
  if (!control || !click || !m_model) return Default();
  const ControlKind kind = LayoutOf(*control).kind;
  if (kind != ControlKind::ImageButton && kind != ControlKind::CheckButton) return Default();
  m_model->OnCommand(*control);
  ApplyView();
  return 0;
}

LRESULT CQMcfgDlg::OnSliderPosition(WPARAM wParam, LPARAM lParam) {
  if (!m_model) return 0;
  const int position = static_cast<int>(static_cast<std::intptr_t>(wParam));
  const int id = static_cast<int>(lParam);
  // The bar already shows where it was pressed or dragged to.
  if (const auto slider = m_controls.SliderWithId(id)) m_renderer.NoteSliderShows(*slider, position);
  m_model->OnSliderPosition(position, id);
  ApplyView();
  return 0;
}

LRESULT CQMcfgDlg::OnColourChosen(WPARAM wParam, LPARAM) {
  if (!m_model) return 0;
  const auto colour = static_cast<std::uint32_t>(wParam & 0x00FFFFFFu);
  // The picker already shows the colour; handing it back would restart its hue.
  if (COwnColorSelect* picker = m_controls.Picker(); picker && picker->Colour() == colour) {
    m_renderer.NotePickerShows(colour);
  }
  m_model->OnColourChosen(colour);
  ApplyView();
  return 0;
}

LRESULT CQMcfgDlg::OnServiceRequest(WPARAM wParam, LPARAM lParam) {
  if (!m_model) return 0;
  const std::intptr_t result = m_model->OnServiceRequest(MessageBeingHandled(), wParam, lParam);
  ApplyView();
  return result;
}

LRESULT CQMcfgDlg::OnMenuChoice(WPARAM wParam, LPARAM lParam) {
  if (!m_model) {
    ClosePopup();
    return 0;
  }
  m_model->OnMenuChoice(static_cast<std::uint64_t>(wParam), static_cast<std::uint64_t>(lParam));
  ApplyView();
  return 0;
}

// ---------------------------------------------------------------------------
// The macro page

void CQMcfgDlg::EditBoxChanged(Control control) {
  // The renderer's own texts are what the model already holds.
  if (!m_model || m_applyingView) return;
  CWindowBase* box = m_controls.Window(control);
  if (!box) return;
  const std::wstring text = box->Text();
  const std::u16string typed = Utf16(text);
  // The box already shows what was typed; setting it again would move the caret.
  m_renderer.NoteCaptionShows(control, typed);
  if (control == Control::MacroDelayBox) {
    m_model->Macro().OnDelayBoxText(typed);
  } else if (control == Control::MacroLoopBox) {
    m_model->Macro().OnLoopBoxText(typed);
  } else {
    return;
  }
  ApplyView();
}

LRESULT CQMcfgDlg::OnEditKeyUp(WPARAM, LPARAM lParam) {
  // Every text change already arrives as EN_CHANGE; a key release of the
  // loop or delay box reads the box once more, which changes nothing when
  // the text is the one reported.
  for (Control control : {Control::MacroDelayBox, Control::MacroLoopBox}) {
    if (LayoutOf(control).controlId == static_cast<int>(lParam)) EditBoxChanged(control);
  }
  return 0;
}

LRESULT CQMcfgDlg::OnMacroNameChosen(WPARAM wParam, LPARAM) {
  m_nameMenu.reset();
  if (!m_model) return 0;
  m_model->Macro().OnMacroNameChosen(static_cast<int>(wParam));
  ApplyView();
  return 0;
}

LRESULT CQMcfgDlg::OnActionListReport(WPARAM wParam, LPARAM) {
  if (!m_model) return 0;
  const int line = static_cast<int>(static_cast<std::intptr_t>(wParam));
  MacroPage& page = m_model->Macro();
  switch (MessageBeingHandled()) {
    case kListRightReleaseMessage: {
      // The menu opens where the button was released.
      const DWORD at = GetMessagePos();
      POINT pointer{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
      ScreenToClient(Handle(), &pointer);
      page.OnListRightRelease(line, Point{pointer.x, pointer.y});
      break;
    }
    case kListLeftPressMessage: page.OnListPress(line); break;
    case kListPauseDoubleClickMessage: page.OnPauseDoubleClick(line); break;
    case kListMovementDoubleClickMessage: page.OnMovementDoubleClick(line); break;
    default: break;
  }
  ApplyView();
  return 0;
}

LRESULT CQMcfgDlg::OnHookKey(WPARAM wParam, LPARAM lParam) {
  if (!m_model) return 0;
  const int result = m_model->Macro().OnHookKey(static_cast<unsigned>(wParam), static_cast<unsigned>(lParam));
  if (result != 0) ApplyView();
  return result;
}

void CQMcfgDlg::OpenMacroNameMenu(const std::vector<std::u16string>& names, Point origin) {
  m_nameMenu.reset();
  std::vector<std::wstring> rows;
  rows.reserve(names.size());
  for (const std::u16string& name : names) rows.push_back(Wide(name));
  POINT screen{origin.x, origin.y};
  ClientToScreen(Handle(), &screen);
  auto menu = std::make_unique<CMacroNameMenu>();
  if (menu->Open(Handle(), screen, rows)) m_nameMenu = std::move(menu);
}

// ---------------------------------------------------------------------------
// Popup menus

void CQMcfgDlg::ClosePopup() { m_popup.reset(); }

void CQMcfgDlg::OpenPopupMenu(const PopupMenuRequest& request) {
  ClosePopup();
  POINT screen{request.origin.x, request.origin.y};
  ClientToScreen(Handle(), &screen);
  const Point placed = KeepMenuOnScreen({screen.x, screen.y}, request.keepOnScreen,
                                        {GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)});
  m_popup = ShowBmpMenu(request, POINT{placed.x, placed.y}, Handle());
}

}  // namespace perix::win
