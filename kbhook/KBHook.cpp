// The low-level keyboard hook behind macro recording (see KBHook.h).
//
// A low-level hook is not injected anywhere: the system calls KeyboardProc on
// the thread that installed it, from that thread's message loop, before the
// key reaches any window. The utility installs it from its user-interface
// thread, so KeyboardProc must stay short, must not wait for the window it
// reports to, and must never swallow a key. It therefore posts (never sends)
// one message per event; posted messages keep their order in the window's
// queue, which gives the recording the order in which keys happened.

#include "KBHook.h"

#include <atomic>

namespace {

HINSTANCE g_module = nullptr;

// Serialises installhook and removehook; KeyboardProc only reads the atomics.
SRWLOCK g_lock = SRWLOCK_INIT;
HHOOK g_hook = nullptr;  // guarded by g_lock

std::atomic<HWND> g_target{nullptr};
std::atomic<DWORD> g_targetThread{0};  // owner of g_target when it was given
std::atomic<bool> g_enabled{false};

// A window handle is reused after its window is destroyed; checking the owning
// thread keeps a stale handle from sending keystrokes to some other program.
bool TargetIsAlive(HWND target) {
  return ::IsWindow(target) && ::GetWindowThreadProcessId(target, nullptr) == g_targetThread.load();
}

void Deliver(const KBDLLHOOKSTRUCT& key) {
  HWND target = g_target.load();
  if (target == nullptr) {
    return;
  }
  if (!TargetIsAlive(target)) {
    // The window went away without removehook: stop reporting until the next
    // installhook instead of posting into the void on every key.
    g_enabled.store(false);
    g_target.compare_exchange_strong(target, nullptr);
    return;
  }
  const LPARAM flags = static_cast<LPARAM>(key.flags & (LLKHF_EXTENDED | LLKHF_UP));
  ::PostMessageW(target, kbhook::kKeyEventMessage, static_cast<WPARAM>(key.vkCode), flags);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && data != 0 && g_enabled.load()) {
    Deliver(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(data));
  }
  // The hook handle argument is ignored by the system; passing null avoids
  // reading g_hook outside its lock.
  return ::CallNextHookEx(nullptr, code, message, data);
}

void UnhookLocked() {
  if (g_hook != nullptr) {
    ::UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
  }
}

class LockGuard {
 public:
  LockGuard() { ::AcquireSRWLockExclusive(&g_lock); }
  ~LockGuard() { ::ReleaseSRWLockExclusive(&g_lock); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;
};

}  // namespace

extern "C" {

BOOL WINAPI installhook(HWND window) {
  if (window == nullptr || !::IsWindow(window)) {
    return FALSE;
  }
  LockGuard lock;
  // A second call moves the hook: it has to run on the calling thread's loop.
  g_enabled.store(false);
  UnhookLocked();
  g_targetThread.store(::GetWindowThreadProcessId(window, nullptr));
  g_target.store(window);
  g_hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
  if (g_hook == nullptr) {
    g_target.store(nullptr);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI removehook() {
  LockGuard lock;
  g_enabled.store(false);
  UnhookLocked();
  g_target.store(nullptr);
  return TRUE;
}

BOOL WINAPI enablehook(int enable) {
  return g_enabled.exchange(enable != 0) ? TRUE : FALSE;
}

// Recording covers only the keyboard; mouse steps are typed into the editor.
BOOL WINAPI installmousehook(HWND) {
  return FALSE;
}

BOOL WINAPI removemousehook() {
  return TRUE;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = module;
    ::DisableThreadLibraryCalls(module);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded while the process goes on: the system must not call into code
    // that is about to disappear. (At process exit the system cleans up.)
    g_enabled.store(false);
    g_target.store(nullptr);
    if (g_hook != nullptr) {
      ::UnhookWindowsHookEx(g_hook);
      g_hook = nullptr;
    }
  }
  return TRUE;
}
