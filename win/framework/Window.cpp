#include "framework/Window.h"

#include <cstdio>
#include <exception>
#include <unordered_map>
#include <utility>

namespace perix::win {
namespace {

// The object whose window is being created on this thread; its first message
// binds the new window to it.
thread_local CWindowBase* t_creating = nullptr;
thread_local int t_creatingBinding = 0;

// Which object each window of this thread belongs to. Every message to every
// window looks its object up here, so this stays in the process: a window
// property costs a round trip to the window server under Wine on each
// lookup. Windows get their messages on the thread that made them, which is
// the thread that bound them.
thread_local std::unordered_map<HWND, CWindowBase*> t_objects;
thread_local unsigned t_generation = 0;

}  // namespace

const MessageTable CWindowBase::kMessageTable{nullptr, nullptr, 0};
const MessageTable& CWindowBase::GetMessageTable() const { return kMessageTable; }

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

CWindowBase::~CWindowBase() {
  if (m_hwnd) {
    // Unbind first: the window's last messages must not reach an object that
    // is half destroyed.
    HWND hwnd = m_hwnd;
    Unbind();
    ::DestroyWindow(hwnd);
  }
  if (t_creating == this) t_creating = nullptr;
}

CWindowBase* CWindowBase::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  const auto found = t_objects.find(hwnd);
  return found == t_objects.end() ? nullptr : found->second;
}

unsigned CWindowBase::BindingGeneration() { return t_generation; }

void CWindowBase::PrepareBinding(Binding binding) {
  t_creating = this;
  t_creatingBinding = static_cast<int>(binding);
}

bool CWindowBase::CreateWindowObject(std::wstring_view className, UINT classStyle, DWORD exStyle,
                                     std::wstring_view title, DWORD style, const RECT& rect, HWND parent,
                                     UINT_PTR idOrMenu) {
  if (m_hwnd) return false;
  const std::wstring name(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(ModuleInstance(), name.c_str(), &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &CWindowBase::WindowProcedure;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExW(&wc)) return false;
  }
  PrepareBinding(Binding::OwnClass);
  const std::wstring text(title);
  HWND hwnd = CreateWindowExW(exStyle, name.c_str(), text.c_str(), style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(idOrMenu), ModuleInstance(), nullptr);
  t_creating = nullptr;
  return hwnd != nullptr;
}

bool CWindowBase::CreateControl(std::wstring_view systemClass, std::wstring_view text, DWORD style, DWORD exStyle,
                                const RECT& rect, HWND parent, UINT id) {
  if (m_hwnd) return false;
  const std::wstring cls(systemClass);
  const std::wstring caption(text);
  HWND hwnd = CreateWindowExW(exStyle, cls.c_str(), caption.c_str(), style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr);
  if (!hwnd) return false;
  m_binding = Binding::Subclassed;
  Bind(hwnd);
  m_previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowBase::WindowProcedure)));
  return true;
}

void CWindowBase::Bind(HWND hwnd) {
  m_hwnd = hwnd;
  t_objects[hwnd] = this;
  ++t_generation;
}

void CWindowBase::Unbind() {
  if (!m_hwnd) return;
  if (m_binding == Binding::Subclassed && m_previousProc) {
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
  }
  t_objects.erase(m_hwnd);
  ++t_generation;
  m_hwnd = nullptr;
  m_previousProc = nullptr;
  m_binding = Binding::None;
}

void CWindowBase::DestroyWindow() {
  if (m_hwnd) ::DestroyWindow(m_hwnd);
}

// No exception may unwind into the system's frames, which are not C++: one
// that reaches a window procedure ends that message with the default
// handling and a line on the debugger output, and the program goes on.
LRESULT CWindowBase::RouteGuarded(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool dialogClass) noexcept {
  const char* what = "unknown exception";
  try {
    return Route(hwnd, message, wParam, lParam, dialogClass);
  } catch (const std::exception& error) {
    what = error.what();
  } catch (...) {
  }
  wchar_t line[160];
  std::swprintf(line, 160, L"message 0x%04X stopped by an exception: %hs\n", message, what);
  OutputDebugStringW(line);
  return dialogClass ? DefDlgProcW(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CWindowBase::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteGuarded(hwnd, message, wParam, lParam, false);
}

LRESULT CALLBACK CWindowBase::DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return RouteGuarded(hwnd, message, wParam, lParam, true);
}

LRESULT CWindowBase::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool dialogClass) {
  CWindowBase* self = FromHandle(hwnd);
  if (!self && t_creating) {
    self = t_creating;
    t_creating = nullptr;
    self->m_binding = static_cast<Binding>(t_creatingBinding);
    self->Bind(hwnd);
  }
  if (!self) {
    // A window that outlived its object, or a dialog created without one.
    return dialogClass ? DefDlgProcW(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  {
    // Restored however the handler ends, an exception included.
    struct Restore {
      CWindowBase* window;
      CurrentMessage saved;
      ~Restore() { window->m_current = saved; }
    } restore{self, self->m_current};
    self->m_current = {message, wParam, lParam, true};
    result = self->Dispatch(message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    self->Unbind();
    self->OnFinalMessage();
  }
  return result;
}

bool CWindowBase::FindHandler(MessageEntry::Kind kind, UINT message, WPARAM wParam, MessageThunk& thunk) const {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  for (const MessageTable* table = &GetMessageTable(); table; table = table->base) {
    for (std::size_t i = 0; i < table->count; ++i) {
      const MessageEntry& e = table->entries[i];
      if (e.kind != kind || e.message != message) continue;
      if (kind == MessageEntry::Kind::Command &&
          (id < e.firstId || id > e.lastId || (e.code != kAnyNotification && e.code != code))) {
        continue;
      }
      thunk = e.thunk;
      return true;
    }
  }
  return false;
}

bool CWindowBase::HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  switch (message) {
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (dis && dis->CtlType != ODT_MENU) child = dis->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      // The structure names the control by ID only.
      const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      if (mis && mis->CtlType != ODT_MENU) child = GetDlgItem(m_hwnd, static_cast<int>(mis->CtlID));
      break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      child = reinterpret_cast<HWND>(lParam);
      break;
    default:
      return false;
  }
  if (!child || child == m_hwnd || GetParent(child) != m_hwnd) return false;
  CWindowBase* target = FromHandle(child);
  MessageThunk thunk = nullptr;
  if (!target || !target->FindHandler(MessageEntry::Kind::Reflected, message, wParam, thunk)) return false;
  result = thunk(*target, wParam, lParam);
  return true;
}

LRESULT CWindowBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleReflected(message, wParam, lParam, result)) return result;
  MessageThunk thunk = nullptr;
  const auto kind = message == WM_COMMAND ? MessageEntry::Kind::Command : MessageEntry::Kind::Message;
  if (FindHandler(kind, message, wParam, thunk)) return thunk(*this, wParam, lParam);
  // A table may also take WM_COMMAND as a plain message, for every control.
  if (kind == MessageEntry::Kind::Command && FindHandler(MessageEntry::Kind::Message, message, wParam, thunk)) {
    return thunk(*this, wParam, lParam);
  }
  return CallDefault(message, wParam, lParam);
}

LRESULT CWindowBase::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (m_binding) {
    case Binding::Subclassed:
      if (m_previousProc) return CallWindowProcW(m_previousProc, m_hwnd, message, wParam, lParam);
      break;
    case Binding::Dialog:
      return DefDlgProcW(m_hwnd, message, wParam, lParam);
    case Binding::OwnClass:
    case Binding::None:
      break;
  }
  return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CWindowBase::Default() {
  if (!m_current.active || !m_hwnd) return 0;
  return CallDefault(m_current.message, m_current.wParam, m_current.lParam);
}

HWND CWindowBase::Parent() const { return m_hwnd ? GetParent(m_hwnd) : nullptr; }

int CWindowBase::ControlId() const { return m_hwnd ? GetDlgCtrlID(m_hwnd) : 0; }

std::wstring CWindowBase::Text() const {
  if (!m_hwnd) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hwnd)) + 1, L'\0');
  const int n = GetWindowTextW(m_hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return text;
}

void CWindowBase::SetText(std::wstring_view text) {
  if (m_hwnd) SetWindowTextW(m_hwnd, std::wstring(text).c_str());
}

void CWindowBase::Show(bool visible) {
  if (m_hwnd) ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool CWindowBase::IsVisible() const { return m_hwnd && IsWindowVisible(m_hwnd); }

void CWindowBase::Enable(bool enabled) {
  if (m_hwnd) EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

bool CWindowBase::IsEnabled() const { return m_hwnd && IsWindowEnabled(m_hwnd); }

void CWindowBase::Invalidate(bool erase) {
  if (m_hwnd) InvalidateRect(m_hwnd, nullptr, erase ? TRUE : FALSE);
}

RECT CWindowBase::RectInParent() const {
  RECT r{};
  if (!m_hwnd) return r;
  GetWindowRect(m_hwnd, &r);
  if (HWND parent = (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(m_hwnd) : nullptr) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

void CWindowBase::Move(const RECT& r, bool repaint) {
  if (m_hwnd) MoveWindow(m_hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint ? TRUE : FALSE);
}

}  // namespace perix::win
