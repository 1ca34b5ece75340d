// The anchor of the program's start-up, repaint and memory figures: a bare
// Win32 program that opens one 900 x 680 window like the utility's and
// paints it the way the utility paints its background (into an off-screen
// bitmap, then one block transfer), with nothing else. Timed the same way as
// the utility (Diagnostics.h):
//
//   BareWindow.exe [--report FILE] [--close] [--bench-repaints COUNT]
//
// --report appends "first-paint-ms N" (from process creation to the end of
// the first paint) to FILE; --bench-repaints times COUNT repaints of the
// whole window and appends "repaint-ms median ..."; --close ends the program
// after that, else it stays until its window is closed.

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/StartupClock.h"

namespace {

constexpr UINT kAfterFirstPaint = WM_APP + 1;

std::wstring g_report;
bool g_close = false;
int g_repaints = 0;
bool g_painted = false;

void Report(const char* line) {
  if (g_report.empty()) return;
  if (std::FILE* file = _wfopen(g_report.c_str(), L"ab")) {
    std::fprintf(file, "%s\n", line);
    std::fclose(file);
  }
}

void Paint(HWND hwnd) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client{};
  GetClientRect(hwnd, &client);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HBRUSH brush = CreateSolidBrush(RGB(24, 20, 36));
  FillRect(memory, &client, brush);
  DeleteObject(brush);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(hwnd, &paint);
}

void BenchRepaints(HWND hwnd) {
  std::vector<double> times;
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  for (int i = 0; i < g_repaints; ++i) {
    LARGE_INTEGER start{}, end{};
    QueryPerformanceCounter(&start);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                    static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  char line[128];
  std::snprintf(line, sizeof line, "repaint-ms median %.2f (repaints %d)", times[times.size() / 2], g_repaints);
  Report(line);
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
      Paint(hwnd);
      if (!g_painted) {
        g_painted = true;
        char line[64];
        std::snprintf(line, sizeof line, "first-paint-ms %.1f", perix::win::MillisecondsSinceProcessStart());
        Report(line);
        PostMessageW(hwnd, kAfterFirstPaint, 0, 0);
      }
      return 0;
    case kAfterFirstPaint:
      if (g_repaints > 0) BenchRepaints(hwnd);
      if (g_close) PostMessageW(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
    for (int i = 1; i < argc; ++i) {
      const std::wstring arg = argv[i];
      if (arg == L"--report" && i + 1 < argc) g_report = argv[++i];
      if (arg == L"--bench-repaints" && i + 1 < argc) g_repaints = std::max(0, _wtoi(argv[++i]));
      if (arg == L"--close") g_close = true;
    }
    LocalFree(argv);
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"PerixBareWindow";
  if (!RegisterClassExW(&wc)) return 1;
  HWND hwnd = CreateWindowExW(WS_EX_APPWINDOW, wc.lpszClassName, L"Bare window", WS_POPUP | WS_SYSMENU, 0, 0, 900,
                              680, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
