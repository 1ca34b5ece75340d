// PerixConfig.exe: the configuration utility of the ZELT-7700 PERIX gaming
// mouse.

#include "app/Diagnostics.h"
#include "app/QMcfgApp.h"

#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  perix::win::DiagnosticOptions diagnostics;
  if (argv) {
    diagnostics = perix::win::ParseDiagnosticOptions(argc, argv);
    LocalFree(argv);
  }
  perix::win::CQMcfgApp app(std::move(diagnostics));
  app.InitInstance();
  return app.ExitInstance();
}
