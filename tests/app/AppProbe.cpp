// AppProbe.exe: reads another program's windows from outside, for the
// end-to-end tests of PerixConfig.exe.
//
//   AppProbe.exe --window TITLE
//     "x y width height visible=V iconic=I" of the top-level window titled
//     TITLE; exit 1 when there is none.
//   AppProbe.exe --controls TITLE
//     One line per child window of it, direct children only, in the order the
//     system lists them:
//     "left top right bottom visible=V enabled=E checked=C class=NAME text=TEXT"
//     with the rectangle in the window's client coordinates and the check
//     state as BM_GETCHECK reports it (buttons only, else 0).
//   AppProbe.exe --texts TITLE
//     The texts of all its child windows, one per line (a message box's
//     words, say), line breaks shown as "\n".
//   AppProbe.exe --list TITLE
//     The lines of its first visible list box, one per line:
//     "index data=D selected=S top=T text=TEXT" (D the line's item data, T
//     the index of the first line the list shows).
// Output is UTF-8.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring TextOf(HWND hwnd) {
  // WM_GETTEXT reaches another process's controls too.
  const auto length = static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto got = static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return text;
}

std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'\r') continue;
    if (c == L'\n') {
      out += L"\\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

struct Children {
  HWND parent;
  std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
  auto* children = reinterpret_cast<Children*>(param);
  children->windows.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> ChildrenOf(HWND parent, bool directOnly) {
  Children children{parent, {}};
  EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&children));
  if (!directOnly) return children.windows;
  std::vector<HWND> direct;
  for (HWND hwnd : children.windows) {
    if (GetParent(hwnd) == parent) direct.push_back(hwnd);
  }
  return direct;
}

int Window(HWND top) {
  RECT r{};
  GetWindowRect(top, &r);
  std::printf("%ld %ld %ld %ld visible=%d iconic=%d\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
              IsWindowVisible(top) ? 1 : 0, IsIconic(top) ? 1 : 0);
  return 0;
}

int Controls(HWND top) {
  for (HWND child : ChildrenOf(top, true)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&r), 2);
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    int checked = 0;
    if (_wcsicmp(cls, L"Button") == 0) checked = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    std::printf("%ld %ld %ld %ld visible=%d enabled=%d checked=%d class=%s text=%s\n", r.left, r.top, r.right, r.bottom,
                IsWindowVisible(child) ? 1 : 0, IsWindowEnabled(child) ? 1 : 0, checked, Utf8(cls).c_str(),
                Utf8(Escaped(TextOf(child))).c_str());
  }
  return 0;
}

int Texts(HWND top) {
  for (HWND child : ChildrenOf(top, false)) {
    const std::wstring text = TextOf(child);
    if (!text.empty()) std::printf("%s\n", Utf8(Escaped(text)).c_str());
  }
  return 0;
}

int List(HWND top) {
  for (HWND child : ChildrenOf(top, true)) {
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    if (_wcsicmp(cls, L"ListBox") != 0 || !IsWindowVisible(child)) continue;
    const auto count = static_cast<int>(SendMessageW(child, LB_GETCOUNT, 0, 0));
    const auto selected = static_cast<int>(SendMessageW(child, LB_GETCURSEL, 0, 0));
    const auto first = static_cast<int>(SendMessageW(child, LB_GETTOPINDEX, 0, 0));
    for (int i = 0; i < count; ++i) {
      // LB_GETTEXT reaches another process's list of strings too.
      const auto length = static_cast<int>(SendMessageW(child, LB_GETTEXTLEN, i, 0));
      std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
      const auto got = static_cast<int>(SendMessageW(child, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
      text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
      const LRESULT data = SendMessageW(child, LB_GETITEMDATA, i, 0);
      std::printf("%d data=%ld selected=%d top=%d text=%s\n", i, static_cast<long>(data), i == selected ? 1 : 0, first,
                  Utf8(Escaped(text)).c_str());
    }
    return 0;
  }
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: AppProbe --window|--controls|--texts|--list TITLE\n");
    return 2;
  }
  HWND top = FindWindowW(nullptr, argv[2]);
  if (!top) return 1;
  const std::wstring command = argv[1];
  if (command == L"--window") return Window(top);
  if (command == L"--controls") return Controls(top);
  if (command == L"--texts") return Texts(top);
  if (command == L"--list") return List(top);
  return 2;
}
