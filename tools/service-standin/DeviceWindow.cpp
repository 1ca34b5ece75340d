#include "DeviceWindow.h"

#include <cstdio>

#include "performance/Dpi.h"
#include "skin/SkinTexts.h"

namespace standin {
namespace {

constexpr wchar_t kClass[] = L"PerixDeviceStandInWindow";
constexpr wchar_t kTitle[] = L"ZELT-7700 PERIX device (stand-in)";
// Beside the utility's 900-pixel window, which sits at the screen's corner
// on the demonstration's virtual display.
constexpr int kLeft = 912;
constexpr int kTop = 0;
constexpr int kWidth = 320;
constexpr int kHeight = 262;
constexpr int kRow = 26;
constexpr COLORREF kBackground = RGB(18, 18, 26);
constexpr COLORREF kEdge = RGB(150, 50, 255);
constexpr COLORREF kMuted = RGB(138, 138, 166);
constexpr COLORREF kText = RGB(235, 235, 245);

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

HFONT MakeFont(int height, int weight) {
  return ::CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

void Text(HDC dc, int x, int y, const std::wstring& text, COLORREF colour) {
  ::SetTextColor(dc, colour);
  ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

bool DeviceWindow::Create(const Device& device, const std::wstring& programFolder) {
  m_device = &device;
  m_programFolder = programFolder;
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClass;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&windowClass);
  m_window = ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClass, kTitle, WS_POPUP, kLeft, kTop, kWidth,
                               kHeight, nullptr, nullptr, windowClass.hInstance, this);
  if (m_window == nullptr) return false;
  ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
  ::UpdateWindow(m_window);
  return true;
}

void DeviceWindow::Update(const std::wstring& lastMessage) {
  m_lastMessage = lastMessage;
  if (m_window != nullptr) ::InvalidateRect(m_window, nullptr, FALSE);
}

std::wstring DeviceWindow::ModeName(int mode) const {
  std::wstring name = L"Mode " + std::to_wstring(mode);
  if (mode < 1 || mode > 6) return name;
  // Read when shown: the string file may be missing or change.
  perix::SkinTexts texts(std::u16string(m_programFolder.begin(), m_programFolder.end()));
  const std::u16string word = texts.Text(u"BUTTONPAGE", u"LEDMODE" + std::u16string(1, u'0' + mode));
  return word.empty() ? name : name + L"  " + Wide(word);
}

LRESULT CALLBACK DeviceWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<DeviceWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      RECT client;
      ::GetClientRect(window, &client);
      // Drawn off screen and copied in one go, so updates do not flicker.
      HDC memory = ::CreateCompatibleDC(dc);
      HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
      HGDIOBJ old = ::SelectObject(memory, bitmap);
      if (self != nullptr) self->Paint(memory, client);
      ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
      ::SelectObject(memory, old);
      ::DeleteObject(bitmap);
      ::DeleteDC(memory);
      ::EndPaint(window, &paint);
      return 0;
    }
    default: return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

void DeviceWindow::Paint(HDC dc, const RECT& client) const {
  HBRUSH background = ::CreateSolidBrush(kBackground);
  ::FillRect(dc, &client, background);
  ::DeleteObject(background);
  HBRUSH edge = ::CreateSolidBrush(kEdge);
  ::FrameRect(dc, &client, edge);
  RECT bar{1, 1, client.right - 1, 4};
  ::FillRect(dc, &bar, edge);
  ::DeleteObject(edge);
  if (m_device == nullptr) return;

  const perix::DeviceConfig& s = m_device->Settings();
  ::SetBkMode(dc, TRANSPARENT);
  HFONT heading = MakeFont(15, FW_BOLD);
  HFONT body = MakeFont(13, FW_NORMAL);
  HGDIOBJ oldFont = ::SelectObject(dc, heading);
  Text(dc, 14, 12, L"ZELT-7700 PERIX", kText);
  ::SelectObject(dc, body);
  Text(dc, 14, 31, L"Stand-in device for tests and demonstrations", kMuted);

  int y = 58;
  const auto row = [&](const wchar_t* name, const std::wstring& value) {
    Text(dc, 14, y, name, kMuted);
    Text(dc, 108, y, value, kText);
    y += kRow;
  };
  row(L"Profile", std::to_wstring(s.Profile + 1));
  const auto stage = perix::StageIndex(s.DPI);
  const int dpi = stage ? perix::DpiFromLevel(s.DpiStages[*stage].Level) : 0;
  row(L"DPI stage",
      stage ? std::to_wstring(*stage + 1) + L" of 4:  " + std::to_wstring(dpi) + L" DPI" : std::wstring(L"none"));
  row(L"Light", s.LedStateOn == 1 ? L"on" : L"off");
  row(L"Mode", ModeName(s.LedMode));
  wchar_t colour[16];
  std::swprintf(colour, 16, L"#%02X%02X%02X", s.LedColor & 0xFF, (s.LedColor >> 8) & 0xFF, (s.LedColor >> 16) & 0xFF);
  // The swatch in the light's colour, dimmed while the light is off.
  RECT swatch{108, y + 1, 140, y + 16};
  const COLORREF shown = s.LedStateOn == 1 ? static_cast<COLORREF>(s.LedColor & 0xFFFFFF) : RGB(40, 40, 48);
  HBRUSH swatchBrush = ::CreateSolidBrush(shown);
  ::FillRect(dc, &swatch, swatchBrush);
  ::DeleteObject(swatchBrush);
  Text(dc, 14, y, L"Colour", kMuted);
  Text(dc, 150, y, colour, kText);
  y += kRow;
  const int rate = s.PollingRate >= 1 ? 1000 / s.PollingRate : 0;
  row(L"Polling rate", std::to_wstring(rate) + L" Hz");
  if (!m_lastMessage.empty()) {
    Text(dc, 14, client.bottom - 26, m_lastMessage, kMuted);
  }
  ::SelectObject(dc, oldFont);
  ::DeleteObject(heading);
  ::DeleteObject(body);
}

}  // namespace standin
