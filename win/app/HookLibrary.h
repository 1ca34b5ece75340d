#pragma once
// KBHook.dll, the keyboard hook behind macro recording, loaded from the
// program folder with its five exports looked up by name. Without the
// library, or without one of the exports, the calls are skipped: the program
// runs, only recording hears no keys. The library stays loaded for the life
// of the process.

#include <string>

#include "KBHook.h"

namespace perix::win {

class CHookLibrary {
 public:
  // Loads "<folder>KBHook.dll"; `folder` ends with a backslash.
  void Load(const std::wstring& folder);

  void Install(HWND window);
  void Enable(int enable);
  void Remove();

  bool Loaded() const { return m_library != nullptr; }

 private:
  HMODULE m_library = nullptr;  // never freed: the process's end unloads it
  kbhook::InstallHookFn m_install = nullptr;
  kbhook::RemoveHookFn m_remove = nullptr;
  kbhook::EnableHookFn m_enable = nullptr;
  kbhook::InstallMouseHookFn m_installMouse = nullptr;  // looked up, never called
  kbhook::RemoveMouseHookFn m_removeMouse = nullptr;    // looked up, never called
};

}  // namespace perix::win
