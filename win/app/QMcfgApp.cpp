#include "app/QMcfgApp.h"

#include <cwchar>

#include "app/QMcfgDlg.h"

namespace perix::win {

CQMcfgApp::~CQMcfgApp() { ExitInstance(); }

bool CQMcfgApp::InitInstance() {
  wchar_t name[128];
  std::swprintf(name, 128, L"%ls_Mutex", kSingleInstanceName);
  m_mutex = CreateMutexW(nullptr, FALSE, name);
  if (m_mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    // Another instance runs; it is neither woken nor brought forward.
    CloseHandle(m_mutex);
    m_mutex = nullptr;
    return false;
  }

  Gdiplus::GdiplusStartupInput input;
  m_gdiplusStarted = Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr) == Gdiplus::Ok;

  {
    CQMcfgDlg window(m_diagnostics);
    const INT_PTR result = window.DoModal(nullptr);
    // Only the program's own checks end with a result that means anything.
    if (m_diagnostics.stressRounds > 0) m_exitCode = result == IDOK ? 0 : 1;
    if (result == -1) m_exitCode = 2;
  }
  return true;
}

int CQMcfgApp::ExitInstance() {
  if (m_mutex) {
    ReleaseMutex(m_mutex);
    CloseHandle(m_mutex);
    m_mutex = nullptr;
  }
  if (m_gdiplusStarted) {
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusStarted = false;
  }
  return m_exitCode;
}

}  // namespace perix::win
