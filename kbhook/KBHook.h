#pragma once
// KBHook.dll: the keyboard hook behind macro recording. The utility loads the
// library from its own folder and resolves the exports by name, so this header
// only describes them; nothing links against the library.
//
// While enabled, every key event typed anywhere on the desktop is posted, in
// the order it happened, to the window given to installhook as
//   kKeyEventMessage, wParam = virtual-key code,
//                     lParam = kKeyReleased bit | kKeyExtended bit.
// Held keys repeat as presses. Keys are always passed on to other programs.

#include <windows.h>

namespace kbhook {

inline constexpr UINT kKeyEventMessage = 0x8D2;
inline constexpr LPARAM kKeyExtended = 0x01;
inline constexpr LPARAM kKeyReleased = 0x80;

// Export names, exactly as GetProcAddress needs them.
inline constexpr char kInstallHook[] = "installhook";
inline constexpr char kRemoveHook[] = "removehook";
inline constexpr char kEnableHook[] = "enablehook";
inline constexpr char kInstallMouseHook[] = "installmousehook";
inline constexpr char kRemoveMouseHook[] = "removemousehook";

// Hooks the keyboard on the calling thread, which must run a message loop (it
// is the thread the hook runs on), and reports to `window`. Delivery starts
// disabled. Calling it again moves the hook to the new window and thread.
// FALSE when `window` is not a window or the system refuses the hook.
using InstallHookFn = BOOL(WINAPI*)(HWND window);
// Removes the hook; TRUE also when none was installed.
using RemoveHookFn = BOOL(WINAPI*)();
// Non-zero: deliver key events; 0: stop. The previous state is returned.
using EnableHookFn = BOOL(WINAPI*)(int enable);
// The library records only the keyboard: these install nothing and report so.
using InstallMouseHookFn = BOOL(WINAPI*)(HWND window);  // always FALSE
using RemoveMouseHookFn = BOOL(WINAPI*)();              // always TRUE

// GetProcAddress for one export; null when the library or the export is
// missing, in which case the caller skips the call.
template <typename Fn>
Fn Resolve(HMODULE library, const char* name) {
  if (library == nullptr) {
    return nullptr;
  }
  // Through void(*)(): the one function-pointer cast GCC does not warn about.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

}  // namespace kbhook
