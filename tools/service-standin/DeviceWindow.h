#pragma once
// The stand-in's own small window: what the pretend mouse holds right now
// (profile, stage and its DPI, light on or off, lighting mode, colour as a
// swatch, polling rate) and the last message it exchanged with the utility,
// so that a demonstration shows the conversation. It never takes the focus.

#include <windows.h>

#include <string>

#include "Device.h"

namespace standin {

class DeviceWindow {
 public:
  // `programFolder` (with its trailing backslash) holds "Strings.xml", whose
  // mode names the window shows when it is there.
  bool Create(const Device& device, const std::wstring& programFolder);
  // Shows the device's state again, with a line about the last message.
  void Update(const std::wstring& lastMessage);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc, const RECT& client) const;
  std::wstring ModeName(int mode) const;

  HWND m_window = nullptr;
  const Device* m_device = nullptr;  // not owned
  std::wstring m_programFolder;
  std::wstring m_lastMessage;
};

}  // namespace standin
