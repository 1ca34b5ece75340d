// LinkProbe.exe: a small window program for the link tests.
//
//   LinkProbe.exe --title TITLE --log FILE [--hook]
//     Shows a 320x200 popup window at (0, 0) titled TITLE and writes one line
//     per event to FILE: every message in the user range ("msg N w=.. l=.."),
//     so it can stand in for the utility's window; the keys it receives
//     itself ("wm down vk=0x41", "wm up ..."); and, with --hook, the key
//     events of KBHook.dll ("key vk=0x41 flags=0x00"). The library is loaded
//     the way the utility loads it: program folder + "KBHook.dll", exports by
//     name, installhook(window), then enablehook(0).
//   LinkProbe.exe --post TITLE MSG [WPARAM [LPARAM]]
//     Posts a message to the top-level window titled TITLE. Exit 0 when
//     posted, 1 when no such window exists.
//
// Control messages (WM_APP + n, posted with --post) drive the hook:
//   +1 enablehook(wParam)   +2 removehook()       +3 installhook(window)
//   +4 ping (logs wParam)   +5 FreeLibrary        +6 load the library again
//   +7 installhook on a second window, enablehook(1), destroy that window

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "KBHook.h"

namespace {

enum Control : UINT {
  kEnable = WM_APP + 1,
  kRemove,
  kInstall,
  kPing,
  kUnload,
  kLoad,
  kInstallOnDoomedWindow,
};

HANDLE g_log = INVALID_HANDLE_VALUE;
HMODULE g_library = nullptr;
kbhook::InstallHookFn g_installHook = nullptr;
kbhook::RemoveHookFn g_removeHook = nullptr;
kbhook::EnableHookFn g_enableHook = nullptr;

void Log(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  int length = std::vsnprintf(line, sizeof line - 1, format, args);
  va_end(args);
  if (length < 0) {
    return;
  }
  length = length > static_cast<int>(sizeof line) - 2 ? static_cast<int>(sizeof line) - 2 : length;
  line[length++] = '\n';
  DWORD written = 0;
  ::WriteFile(g_log, line, static_cast<DWORD>(length), &written, nullptr);
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

int LoadHookLibrary() {
  g_library = ::LoadLibraryW((ProgramFolder() + L"KBHook.dll").c_str());
  if (g_library == nullptr) {
    return 0;
  }
  g_installHook = kbhook::Resolve<kbhook::InstallHookFn>(g_library, kbhook::kInstallHook);
  g_removeHook = kbhook::Resolve<kbhook::RemoveHookFn>(g_library, kbhook::kRemoveHook);
  g_enableHook = kbhook::Resolve<kbhook::EnableHookFn>(g_library, kbhook::kEnableHook);
  auto installMouse = kbhook::Resolve<kbhook::InstallMouseHookFn>(g_library, kbhook::kInstallMouseHook);
  auto removeMouse = kbhook::Resolve<kbhook::RemoveMouseHookFn>(g_library, kbhook::kRemoveMouseHook);
  int found = (g_installHook != nullptr) + (g_removeHook != nullptr) + (g_enableHook != nullptr);
  // The mouse exports must be harmless to call: they hook nothing.
  if (installMouse != nullptr && removeMouse != nullptr && !installMouse(nullptr) && removeMouse()) {
    found += 2;
  }
  return found;
}

int Install(HWND window) {
  return g_installHook != nullptr ? g_installHook(window) : -1;
}

void Enable(int enable) {
  if (g_enableHook != nullptr) {
    g_enableHook(enable);
  }
}

LRESULT HandleControl(HWND window, UINT message, WPARAM wParam) {
  switch (message) {
    case kEnable:
      Enable(static_cast<int>(wParam));
      Log("ctl enable %d", static_cast<int>(wParam));
      break;
    case kRemove:
      if (g_removeHook != nullptr) {
        g_removeHook();
      }
      Log("ctl remove");
      break;
    case kInstall:
      Log("ctl install %d", Install(window));
      break;
    case kPing:
      Log("ctl ping %d", static_cast<int>(wParam));
      break;
    case kUnload:
      ::FreeLibrary(g_library);
      g_library = nullptr;
      g_installHook = nullptr;
      g_removeHook = nullptr;
      g_enableHook = nullptr;
      Log("ctl unload");
      break;
    case kLoad:
      Log("ctl load %d", LoadHookLibrary());
      break;
    case kInstallOnDoomedWindow: {
      HWND doomed = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
      const int installed = Install(doomed);
      Enable(1);
      ::DestroyWindow(doomed);
      Log("ctl install-doomed %d", installed);
      break;
    }
    default:
      break;
  }
  return 0;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Log("wm down vk=0x%02X", static_cast<unsigned>(wParam));
      return 0;  // no DefWindowProc: Alt must not open the system menu
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Log("wm up vk=0x%02X", static_cast<unsigned>(wParam));
      return 0;
    case WM_SYSCHAR:
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  if (message == kbhook::kKeyEventMessage) {
    Log("key vk=0x%02X flags=0x%02X", static_cast<unsigned>(wParam), static_cast<unsigned>(lParam));
    return 1;
  }
  if (message >= kEnable && message <= kInstallOnDoomedWindow) {
    return HandleControl(window, message, wParam);
  }
  if (message >= WM_USER && message < 0xC000) {
    Log("msg %u w=%lld l=%lld", message, static_cast<long long>(wParam), static_cast<long long>(lParam));
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

long long ParseNumber(const wchar_t* text) {
  return text != nullptr ? std::wcstoll(text, nullptr, 0) : 0;
}

int Post(int argc, wchar_t** argv) {
  if (argc < 4) {
    return 2;
  }
  HWND window = ::FindWindowW(nullptr, argv[2]);
  if (window == nullptr) {
    return 1;
  }
  const auto message = static_cast<UINT>(ParseNumber(argv[3]));
  const auto wParam = static_cast<WPARAM>(ParseNumber(argc > 4 ? argv[4] : nullptr));
  const auto lParam = static_cast<LPARAM>(ParseNumber(argc > 5 ? argv[5] : nullptr));
  return ::PostMessageW(window, message, wParam, lParam) ? 0 : 1;
}

int Run(const std::wstring& title, const std::wstring& logPath, bool hook) {
  g_log = ::CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  if (g_log == INVALID_HANDLE_VALUE) {
    return 2;
  }
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
  windowClass.lpszClassName = L"PerixLinkProbe";
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_POPUP | WS_VISIBLE, 0, 0, 320,
                                  200, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) {
    return 2;
  }
  ::SetForegroundWindow(window);
  if (hook) {
    const int exports = LoadHookLibrary();
    const int installed = Install(window);
    Enable(0);
    Log("ready exports=%d install=%d", exports, installed);
  } else {
    Log("ready");
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2 && std::wcscmp(argv[1], L"--post") == 0) {
    return Post(argc, argv);
  }
  std::wstring title = L"PERIX link probe";
  std::wstring logPath = L"LinkProbe.log";
  bool hook = false;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--hook") == 0) {
      hook = true;
    } else if (std::wcscmp(argv[i], L"--title") == 0 && i + 1 < argc) {
      title = argv[++i];
    } else if (std::wcscmp(argv[i], L"--log") == 0 && i + 1 < argc) {
      logPath = argv[++i];
    } else {
      std::fwprintf(stderr, L"usage: LinkProbe --title TITLE --log FILE [--hook] | --post TITLE MSG [W [L]]\n");
      return 2;
    }
  }
  return Run(title, logPath, hook);
}
