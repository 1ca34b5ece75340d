// DeviceServiceStandIn.exe: a stand-in for the device service, for tests and
// demonstrations. It owns a hidden top-level window titled
// "ZELT-7700MouseHid", writes every notification the utility posts to it as
// one decoded line to a log file, and forwards the service's own requests to
// the utility on command. See Usage() below.

#include <windows.h>
#include <shlobj.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

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

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    return Forward(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  }
  if (IsUserMessage(message)) {
    WriteLine(standin::DecodeNotification(g_iniPath, message, wParam, lParam));
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
      "  DeviceServiceStandIn [--ini PATH] [--log PATH]\n"
      "      Runs a hidden window titled \"ZELT-7700MouseHid\" and writes one line per\n"
      "      message it receives in the user range to the log, with the \"Mouse.ini\"\n"
      "      values that message concerns, e.g.\n"
      "        1298 Profile w=0 l=0 Profile=2\n"
      "      The first line is \"ready ini=PATH\". Only one stand-in runs at a time.\n"
      "      --ini   the settings file (default: the roaming application-data folder\n"
      "              + \\ZELT-7700 PERIX\\GamingMouse\\Mouse.ini)\n"
      "      --log   the log file, replaced at start (default: DeviceServiceStandIn.log\n"
      "              beside the settings file)\n"
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
    } else {
      Usage(stderr);
      return 2;
    }
  }
  return Serve(iniPath.empty() ? DefaultIniPath() : iniPath, logPath);
}
