// The main window's own checks (Diagnostics.h): the leak check and the page
// benchmark. They drive the window the way clicks do, through WM_COMMAND from
// the controls' own handles, and never touch the configuration.

#include <algorithm>
#include <vector>

#include "app/QMcfgDlg.h"
#include "framework/GuiResources.h"

namespace perix::win {
namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// CPU time of this thread so far, in milliseconds.
double ThreadCpuMilliseconds() {
  FILETIME creation{}, exitTime{}, kernel{}, user{};
  if (!GetThreadTimes(GetCurrentThread(), &creation, &exitTime, &kernel, &user)) return 0;
  const auto ticks = [](const FILETIME& t) {
    return static_cast<double>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime);
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

constexpr Page kCycle[] = {Page::Buttons, Page::Lighting, Page::Advanced, Page::Macros};

}  // namespace

void CQMcfgDlg::ReportFirstPaint() {
  if (!m_diagnostics.reportFile.empty()) {
    const double firstPaint = MillisecondsSinceProcessStart();
    CDiagnosticReport report(m_diagnostics.reportFile);
    report.Line("first-paint-ms %.1f", firstPaint);
    // Until the window's creation: the system loading the program, GDI+.
    report.Line("startup-ms process %.1f", m_createdAtMs);
    // From there on the clock's phases add up to the rest; "other" is what no
    // phase claims (window messages, the hook library, ...).
    const StartupClock& clock = StartupClock::Instance();
    for (int i = 0; i < static_cast<int>(StartupPhase::Count); ++i) {
      const auto phase = static_cast<StartupPhase>(i);
      report.Line("startup-ms %s %.1f", StartupPhaseName(phase), clock.Milliseconds(phase));
    }
    report.Line("string-file-reads %d", m_files.ReadsOf(u"Strings.xml"));
    report.Line("file-reads %d", m_files.TotalReads());
  }
  if (!m_diagnostics.readyEvent.empty()) {
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, m_diagnostics.readyEvent.c_str())) {
      SetEvent(event);
      CloseHandle(event);
    }
  }
}

void CQMcfgDlg::ClickControl(Control control) {
  if (CWindowBase* window = m_controls.Window(control)) {
    SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(window->Handle()));
  }
}

void CQMcfgDlg::ShowPageByClicks(Page page) {
  Page current = Page::Home;
  if (!m_model || !PageFromIdentifier(m_model->CurrentPage(), current) || current == page) return;
  if (current != Page::Home) ClickControl(PageBackButton(current));
  if (page != Page::Home) ClickControl(PageTab(page));
}

bool CQMcfgDlg::RunStress(int rounds, CDiagnosticReport& report) {
  const auto round = [this](int i) {
    // One click a round, a tab and a back button in turn; the switch repaints
    // the whole window before it returns.
    ShowPageByClicks(i % 2 == 0 ? kCycle[(i / 2) % 4] : Page::Home);
    // The lighting page's mode menu, opened under its button and closed again.
    PopupMenuRequest menu;
    menu.menu = Menu::LedMode;
    const Rect anchor = LayoutOf(Control::LightingMode).rect;
    menu.origin = {anchor.left, anchor.bottom};
    for (int mode = 1; mode <= 6; ++mode) {
      menu.items.push_back({m_texts->ButtonPageText(u"LEDMODE" + std::u16string(1, static_cast<char16_t>(u'0' + mode))),
                            static_cast<std::uint32_t>(40004 + mode), {}});
    }
    OpenPopupMenu(menu);
    if (m_popup) RedrawWindow(m_popup->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // A click on a page control closes it, as a user's would.
    ClickControl(Control::HomeSpare);
  };
  // The first rounds settle what the system creates once and keeps.
  for (int i = 0; i < 8; ++i) round(i);
  const int gdiBefore = GdiObjectCount();
  const int userBefore = UserObjectCount();
  for (int i = 0; i < rounds; ++i) round(i);
  const int gdiAfter = GdiObjectCount();
  const int userAfter = UserObjectCount();
  report.Line("stress rounds=%d gdi %d -> %d user %d -> %d", rounds, gdiBefore, gdiAfter, userBefore, userAfter);
  // A leak of one object a round would add as many objects as rounds.
  const bool flat = gdiBefore > 0 && gdiAfter - gdiBefore <= 8 && userAfter - userBefore <= 0;
  report.Line(flat ? "stress flat" : "stress LEAK");
  return flat;
}

void CQMcfgDlg::RunPageBench(int switches, CDiagnosticReport& report) {
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(switches));
  const double cpuBefore = ThreadCpuMilliseconds();
  m_switchTimes = {};
  for (int i = 0; i < switches; ++i) {
    // Home and a sub-page in turn: every switch is one click of a tab or of
    // a back button.
    const Page page = i % 2 == 0 ? kCycle[(i / 2) % 4] : Page::Home;
    LARGE_INTEGER start{}, end{};
    QueryPerformanceCounter(&start);
    ShowPageByClicks(page);
    UpdateWindow(Handle());
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  const double cpu = ThreadCpuMilliseconds() - cpuBefore;
  if (times.empty()) return;
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times) sum += t;
  report.Line("page-switch-ms median %.2f mean %.2f min %.2f max %.2f (switches %d)", times[times.size() / 2],
              sum / static_cast<double>(times.size()), times.front(), times.back(), switches);
  // The program's own processor time, whatever else the machine runs (the
  // window server's share is not in it).
  report.Line("page-switch-cpu-ms mean %.2f", cpu / static_cast<double>(times.size()));
  report.Line("page-switch-phases-ms controls %.2f painting %.2f (means)",
              m_switchTimes.apply / static_cast<double>(times.size()),
              m_switchTimes.paint / static_cast<double>(times.size()));
}

void CQMcfgDlg::ContinueMemoryTour() {
  // Each step ends with a line in the report; the reader of the memory
  // figure answers with the file, and the next tick goes on.
  const std::wstring& file = m_diagnostics.memoryTourFile;
  if (m_memoryTourStep > 0) {
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    DeleteFileW(file.c_str());
  }
  CDiagnosticReport report(m_diagnostics.reportFile);
  switch (m_memoryTourStep++) {
    case 0: report.Line("memory-phase start"); break;
    case 1:
      for (Page page : kCycle) {
        ShowPageByClicks(page);
        ShowPageByClicks(Page::Home);
      }
      report.Line("memory-phase pages");
      break;
    case 2:
      for (int i = 0; i < 1000; ++i) ShowPageByClicks(i % 2 == 0 ? kCycle[(i / 2) % 4] : Page::Home);
      report.Line("memory-phase switches");
      break;
    default:
      KillTimer(Handle(), kMemoryTourTimer);
      EndDialog(IDOK);
      break;
  }
}

LRESULT CQMcfgDlg::OnStartDiagnostics(WPARAM, LPARAM) {
  if (!m_diagnostics.memoryTourFile.empty()) {
    SetTimer(Handle(), kMemoryTourTimer, 20, nullptr);
    return 0;
  }
  CDiagnosticReport report(m_diagnostics.reportFile);
  bool passed = true;
  if (m_diagnostics.benchPageSwitches > 0) RunPageBench(m_diagnostics.benchPageSwitches, report);
  if (m_diagnostics.stressRounds > 0) passed = RunStress(m_diagnostics.stressRounds, report);
  EndDialog(passed ? IDOK : IDABORT);
  return 0;
}

}  // namespace perix::win
