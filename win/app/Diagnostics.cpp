#include "app/Diagnostics.h"

#include <cstdarg>
#include <cwchar>

#include "framework/Win32.h"

namespace perix::win {

DiagnosticOptions ParseDiagnosticOptions(int argc, wchar_t** argv) {
  DiagnosticOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring key = argv[i];
    const wchar_t* value = argv[i + 1];
    if (key == L"--report") {
      options.reportFile = value;
    } else if (key == L"--ready-event") {
      options.readyEvent = value;
    } else if (key == L"--memory-tour") {
      options.memoryTourFile = value;
    } else if (key == L"--stress") {
      options.stressRounds = static_cast<int>(std::wcstol(value, nullptr, 10));
    } else if (key == L"--bench-pages") {
      options.benchPageSwitches = static_cast<int>(std::wcstol(value, nullptr, 10));
    }
  }
  return options;
}

CDiagnosticReport::CDiagnosticReport(const std::wstring& path) {
  // Binary: the scripts reading the report expect bare line feeds.
  if (!path.empty()) m_file = _wfopen(path.c_str(), L"ab");
}

CDiagnosticReport::~CDiagnosticReport() {
  if (m_file) std::fclose(m_file);
}

void CDiagnosticReport::Line(const char* format, ...) {
  if (!m_file) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(m_file, format, args);
  va_end(args);
  std::fputc('\n', m_file);
  std::fflush(m_file);
}

}  // namespace perix::win
