#include "app/HookLibrary.h"

namespace perix::win {

void CHookLibrary::Load(const std::wstring& folder) {
  if (m_library) return;
  const std::wstring path = folder + L"KBHook.dll";
  // Only the program folder: a library of that name elsewhere on the search
  // path must not be picked up instead.
  m_library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  m_install = kbhook::Resolve<kbhook::InstallHookFn>(m_library, kbhook::kInstallHook);
  m_remove = kbhook::Resolve<kbhook::RemoveHookFn>(m_library, kbhook::kRemoveHook);
  m_installMouse = kbhook::Resolve<kbhook::InstallMouseHookFn>(m_library, kbhook::kInstallMouseHook);
  m_removeMouse = kbhook::Resolve<kbhook::RemoveMouseHookFn>(m_library, kbhook::kRemoveMouseHook);
  m_enable = kbhook::Resolve<kbhook::EnableHookFn>(m_library, kbhook::kEnableHook);
}

void CHookLibrary::Install(HWND window) {
  if (m_install) m_install(window);
}

void CHookLibrary::Enable(int enable) {
  if (m_enable) m_enable(enable);
}

void CHookLibrary::Remove() {
  if (m_remove) m_remove();
}

}  // namespace perix::win
