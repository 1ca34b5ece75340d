#pragma once
// CQMcfgApp: the application object. One instance of the program runs at a
// time, found by a named mutex; a second one ends at once, without a window
// and without touching any file. The first starts GDI+, runs the main window
// modally, and on exit releases the mutex and shuts GDI+ down.

#include "app/Diagnostics.h"
#include "framework/Win32.h"

namespace perix::win {

// Formatted into "%s_Mutex".
inline constexpr wchar_t kSingleInstanceName[] = L"ZELT-7700 PERIX gaming mouse";

class CQMcfgApp {
 public:
  explicit CQMcfgApp(DiagnosticOptions diagnostics = {}) : m_diagnostics(std::move(diagnostics)) {}
  ~CQMcfgApp();
  CQMcfgApp(const CQMcfgApp&) = delete;
  CQMcfgApp& operator=(const CQMcfgApp&) = delete;

  // Runs the main window until it closes; false for a second instance,
  // which must end without one.
  bool InitInstance();
  // Releases what InitInstance took; returns the process's exit code.
  int ExitInstance();

 private:
  DiagnosticOptions m_diagnostics;
  HANDLE m_mutex = nullptr;    // owned
  ULONG_PTR m_gdiplusToken = 0;
  bool m_gdiplusStarted = false;
  int m_exitCode = 0;
};

}  // namespace perix::win
