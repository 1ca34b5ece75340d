// DeviceServiceStandIn.exe: a stand-in for the device service, for tests and
// demonstrations; not part of the product. It owns a hidden top-level window
// titled "ZELT-7700MouseHid", writes every notification the utility posts to
// it as one decoded line to a log file, and forwards the service's own
// requests to the utility on command. Unless told otherwise it also behaves
// like a mouse (Device.h): it keeps a device's settings, shows them in a small
// window of its own, fills what a first start of the utility leaves unset and
// tells the utility so. See Usage() below.

#include <windows.h>
#include <shlobj.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "Device.h"
#include "DeviceWindow.h"
#include "NotificationDecoder.h"

namespace {

constexpr wchar_t kServiceTitle[] = L"ZELT-7700MouseHid";
constexpr wchar_t kServiceClass[] = L"PerixDeviceServiceStandIn";
constexpr wchar_t kUtilityTitle[] = L"ZELT-7700 PERIX gaming mouse";

// A --send invocation hands its request to the running stand-in in a
// WM_COPYDATA block, so that the utility receives it from the service's own
// window and the log shows it in order with the notifications.
constexpr ULONG_PTR kSendMagic = 0x50585344;  // "PXSD"
struct SendRequest {
  std::uint32_t message;
  std::int64_t wParam;
  std::int64_t lParam;
};
enum SendResult : LRESULT { kRejected = 0, kPosted = 1, kNoUtility = 2 };

// Messages a service may exchange with the utility: the user and application
// ranges, below the registered messages.
bool IsUserMessage(long long message) {
  return message >= WM_USER && message < 0xC000;
}

HANDLE g_log = INVALID_HANDLE_VALUE;
std::wstring g_iniPath;

// The pretend mouse; only with the device behaviour on.
bool g_deviceOn = true;
standin::Device g_device;
standin::DeviceWindow g_deviceWindow;
HWND g_utilitySeen = nullptr;  // the utility window the device last filled the file for

// The device looks for the utility's window this often, and reconnects this
// long after a polling-rate change.
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchMs = 250;
constexpr UINT_PTR kReconnectTimer = 2;
constexpr UINT kReconnectMs = 300;
constexpr UINT kDeviceChanged = 1285;
constexpr UINT kDeviceReset = 1280;
constexpr WPARAM kChangedStage = 8;
constexpr WPARAM kChangedLedMode = 10;

void WriteLine(const std::string& text) {
  const std::string line = text + "\n";
  DWORD written = 0;
  // Unbuffered: a test waiting for the line sees it as soon as it is written.
  ::WriteFile(g_log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string Utf8(const std::wstring& text) {
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

LRESULT Forward(const COPYDATASTRUCT* data) {
  if (data == nullptr || data->dwData != kSendMagic || data->cbData != sizeof(SendRequest) ||
      data->lpData == nullptr) {
    return kRejected;
  }
  SendRequest request;
  std::memcpy(&request, data->lpData, sizeof request);
  if (!IsUserMessage(request.message)) {
    return kRejected;
  }
  HWND utility = ::FindWindowW(nullptr, kUtilityTitle);
  const bool posted = utility != nullptr && ::PostMessageW(utility, request.message, static_cast<WPARAM>(request.wParam),
                                                           static_cast<LPARAM>(request.lParam));
  char line[160];
  std::snprintf(line, sizeof line, "send %u %s w=%lld l=%lld result=%s", request.message,
                standin::RequestName(request.message), static_cast<long long>(request.wParam),
                static_cast<long long>(request.lParam), posted ? "posted" : "no-window");
  WriteLine(line);
  return posted ? kPosted : kNoUtility;
}

// A request of the device's own to the utility, logged like a forwarded one.
void DevicePost(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND utility = ::FindWindowW(nullptr, kUtilityTitle);
  const bool posted = utility != nullptr && ::PostMessageW(utility, message, wParam, lParam);
  char line[160];
  std::snprintf(line, sizeof line, "device post %u %s w=%lld l=%lld result=%s", message,
                standin::RequestName(message), static_cast<long long>(wParam), static_cast<long long>(lParam),
                posted ? "posted" : "no-window");
  WriteLine(line);
  wchar_t shown[96];
  std::swprintf(shown, 96, L"Told the utility: %u (%lld, %lld)", message, static_cast<long long>(wParam),
                static_cast<long long>(lParam));
  g_deviceWindow.Update(shown);
}

// A utility has started: what its first start left unset (-1) the device
// fills with its own settings, then it tells the utility, which reloads the
// file. A file that already holds everything is left alone.
void OnUtilityAppeared() {
  const standin::Device::Fill fill = g_device.FillUnset(g_iniPath);
  if (fill.keys.empty()) return;
  std::wstring keys;
  for (const std::wstring& key : fill.keys) keys += L" " + key;
  WriteLine("device fill" + Utf8(keys) + (fill.failed ? " result=failed" : " result=written"));
  if (fill.failed) return;
  g_device.Take(g_iniPath, standin::Scope::All);
  DevicePost(kDeviceChanged, kChangedStage, g_device.Settings().DPI);
  if (const int bit = standin::Device::ModeBit(g_device.Settings().LedMode); fill.modeUnset && bit != 0) {
    DevicePost(kDeviceChanged, kChangedLedMode, bit);
  }
}

void OnDeviceTimer(HWND window, UINT_PTR timer) {
  if (timer == kReconnectTimer) {
    ::KillTimer(window, kReconnectTimer);
    // The device came back with its new polling rate: the service reports
    // the reset, which the utility expects after announcing the rate.
    DevicePost(kDeviceReset, 0, 0);
    return;
  }
  HWND utility = ::FindWindowW(nullptr, kUtilityTitle);
  if (utility != nullptr && utility != g_utilitySeen) OnUtilityAppeared();
  g_utilitySeen = utility;
}

// What the device does with a notification: takes the settings it concerns
// from the file and shows them.
void OnNotification(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const unsigned scope = standin::ScopeOf(message, wParam);
  if (scope == 0) return;
  g_device.Take(g_iniPath, scope);
  wchar_t shown[96];
  std::swprintf(shown, 96, L"Heard: %u %hs (%lld, %lld)", message, standin::NotificationName(message, wParam, lParam),
                static_cast<long long>(wParam), static_cast<long long>(lParam));
  g_deviceWindow.Update(shown);
  if (message == 1277) ::SetTimer(window, kReconnectTimer, kReconnectMs, nullptr);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    return Forward(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  }
  if (IsUserMessage(message)) {
    WriteLine(standin::DecodeNotification(g_iniPath, message, wParam, lParam));
    if (g_deviceOn) OnNotification(window, message, wParam, lParam);
    return 0;
  }
  if (message == WM_TIMER) {
    if (g_deviceOn) OnDeviceTimer(window, wParam);
    return 0;
  }
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Usage(FILE* out) {
  std::fputs(
      "DeviceServiceStandIn: stands in for the ZELT-7700 PERIX device service.\n"
      "\n"
      "  DeviceServiceStandIn [--ini PATH] [--log PATH] [--no-device]\n"
      "      Runs a hidden window titled \"ZELT-7700MouseHid\" and writes one line per\n"
      "      message it receives in the user range to the log, with the \"Mouse.ini\"\n"
      "      values that message concerns, e.g.\n"
      "        1298 Profile w=0 l=0 Profile=2\n"
      "      The first line is \"ready ini=PATH\". Only one stand-in runs at a time.\n"
      "      It also behaves like a mouse: it holds a device's settings (factory\n"
      "      values at start, then whatever the utility announces: 1279 the whole\n"
      "      file, 1298 the profile, 1227 the light, ...) and shows them in a small\n"
      "      window beside the utility's. When a utility starts, the fields its\n"
      "      first start left unset (-1) get the device's values and the utility is\n"
      "      told with 1285 (kind 8, and kind 10 for the lighting mode); after 1277\n"
      "      the device reconnects and 1280 follows. These lines start with\n"
      "      \"device fill\" and \"device post\".\n"
      "      --ini        the settings file (default: the roaming application-data\n"
      "                   folder + \\ZELT-7700 PERIX\\GamingMouse\\Mouse.ini)\n"
      "      --log        the log file, replaced at start (default:\n"
      "                   DeviceServiceStandIn.log beside the settings file)\n"
      "      --no-device  only log and forward: no device, no window, no requests of\n"
      "                   its own\n"
      "\n"
      "  DeviceServiceStandIn --send MESSAGE [WPARAM [LPARAM]]\n"
      "      Hands a request to the running stand-in, which posts it to the window\n"
      "      titled \"ZELT-7700 PERIX gaming mouse\" and logs \"send ... result=...\".\n"
      "      The service's requests: 1034 (LPARAM = 11, 12, 18, 20 or 22), 1224, 1280,\n"
      "      1285 (WPARAM = 8, 9 or 10, LPARAM = value) and 1294; any message from\n"
      "      1024 to 49151 is accepted. Numbers are decimal or 0x hexadecimal.\n"
      "      Exit status: 0 posted, 1 no utility window, 2 bad arguments,\n"
      "      3 no stand-in running.\n"
      "\n"
      "  DeviceServiceStandIn --help\n",
      out);
}

bool ParseNumber(const wchar_t* text, long long& value) {
  wchar_t* end = nullptr;
  errno = 0;
  value = std::wcstoll(text, &end, 0);
  return end != text && *end == L'\0' && errno == 0;
}

int Send(int argc, wchar_t** argv) {
  long long values[3] = {};
  if (argc < 3 || argc > 5) {
    Usage(stderr);
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    if (!ParseNumber(argv[i], values[i - 2])) {
      std::fwprintf(stderr, L"not a number: %ls\n", argv[i]);
      return 2;
    }
  }
  if (!IsUserMessage(values[0])) {
    std::fputs("the message must lie between 1024 and 49151\n", stderr);
    return 2;
  }
  HWND service = ::FindWindowW(kServiceClass, kServiceTitle);
  if (service == nullptr) {
    std::fputs("no stand-in is running\n", stderr);
    return 3;
  }
  SendRequest request{static_cast<std::uint32_t>(values[0]), values[1], values[2]};
  COPYDATASTRUCT data{kSendMagic, sizeof request, &request};
  DWORD_PTR result = kRejected;
  if (!::SendMessageTimeoutW(service, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000,
                             &result)) {
    std::fputs("the stand-in did not answer\n", stderr);
    return 3;
  }
  switch (result) {
    case kPosted: return 0;
    case kNoUtility: std::fputs("no utility window\n", stderr); return 1;
    default: return 3;
  }
}

// The folder of this program, with its trailing backslash: the utility's
// string file beside it names the lighting modes.
std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n < MAX_PATH ? n : 0);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring DefaultIniPath() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return L"Mouse.ini";
  }
  return std::wstring(folder) + L"\\ZELT-7700 PERIX\\GamingMouse\\Mouse.ini";
}

int Serve(const std::wstring& iniPath, std::wstring logPath) {
  if (::FindWindowW(kServiceClass, kServiceTitle) != nullptr) {
    std::fputs("a stand-in is already running\n", stderr);
    return 3;
  }
  g_iniPath = iniPath;
  if (logPath.empty()) {
    logPath = iniPath.substr(0, iniPath.find_last_of(L"\\/") + 1) + L"DeviceServiceStandIn.log";
  }
  g_log = ::CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (g_log == INVALID_HANDLE_VALUE) {
    std::fwprintf(stderr, L"cannot write the log %ls\n", logPath.c_str());
    return 2;
  }
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kServiceClass;
  ::RegisterClassW(&windowClass);
  // Hidden, like the real service's window: it must not cover the utility.
  HWND window = ::CreateWindowExW(0, kServiceClass, kServiceTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
  if (window == nullptr) {
    return 2;
  }
  WriteLine("ready ini=" + Utf8(iniPath));
  if (g_deviceOn) {
    // The device starts from what the file holds where it holds anything.
    g_device.Take(iniPath, standin::Scope::All);
    g_deviceWindow.Create(g_device, ProgramFolder());
    ::SetTimer(window, kWatchTimer, kWatchMs, nullptr);
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::DispatchMessageW(&message);
  }
  ::CloseHandle(g_log);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 2 && (std::wcscmp(argv[1], L"--help") == 0 || std::wcscmp(argv[1], L"-h") == 0 ||
                    std::wcscmp(argv[1], L"/?") == 0)) {
    Usage(stdout);
    return 0;
  }
  if (argc >= 2 && std::wcscmp(argv[1], L"--send") == 0) {
    return Send(argc, argv);
  }
  std::wstring iniPath;
  std::wstring logPath;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--ini") == 0 && i + 1 < argc) {
      iniPath = argv[++i];
    } else if (std::wcscmp(argv[i], L"--log") == 0 && i + 1 < argc) {
      logPath = argv[++i];
    } else if (std::wcscmp(argv[i], L"--no-device") == 0) {
      g_deviceOn = false;
    } else {
      Usage(stderr);
      return 2;
    }
  }
  return Serve(iniPath.empty() ? DefaultIniPath() : iniPath, logPath);
}
