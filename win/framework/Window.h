#pragma once
// The base of every window of the program: it binds a window handle to its
// C++ object and routes the window's messages through the object's message
// table (MessageTable.h).
//
// Three kinds of window are bound:
//  - windows of a class registered here (CreateWindowObject), whose default
//    processing is DefWindowProc;
//  - the platform's controls (BUTTON, STATIC, EDIT) created through
//    CreateControl and subclassed, whose default processing is the control's
//    own window procedure;
//  - dialogs (CDialogBase), whose default processing is the dialog manager's.
//
// Owner-drawn and coloured controls draw themselves: a window that receives
// WM_DRAWITEM, WM_MEASUREITEM or a WM_CTLCOLOR... message about one of its
// children hands it to that child's table first (OnReflected entries).
//
// Lifetime: the object owns its window. Destroying the object destroys the
// window; a window destroyed by the system (with its parent, say) leaves its
// object unbound. Never delete a window object from inside one of its own
// handlers; post a message and delete it from there. A class that owns child
// window objects destroys its own window first in its destructor, so the
// children go while their parent object is still whole.

#include <string>
#include <string_view>

#include "framework/MessageTable.h"
#include "framework/Win32.h"

namespace perix::win {

class CWindowBase {
 public:
  CWindowBase() = default;
  virtual ~CWindowBase();
  CWindowBase(const CWindowBase&) = delete;
  CWindowBase& operator=(const CWindowBase&) = delete;

  HWND Handle() const { return m_hwnd; }
  explicit operator bool() const { return m_hwnd != nullptr; }

  // The object bound to a window, or null. Windows are looked up on the
  // thread that made them (where their messages arrive).
  static CWindowBase* FromHandle(HWND hwnd);
  // Changes whenever a window of this thread is bound to or unbound from its
  // object, so lists of windows can be kept until it changes.
  static unsigned BindingGeneration();

  // Creates a window of a class registered by the framework under `className`
  // (registered on first use with the given class style and cursor).
  bool CreateWindowObject(std::wstring_view className, UINT classStyle, DWORD exStyle, std::wstring_view title,
                          DWORD style, const RECT& rect, HWND parent, UINT_PTR idOrMenu);
  // Creates one of the platform's controls and subclasses it.
  bool CreateControl(std::wstring_view systemClass, std::wstring_view text, DWORD style, DWORD exStyle,
                     const RECT& rect, HWND parent, UINT id);
  // Destroys the window now; the object stays and may create another one.
  void DestroyWindow();

  HWND Parent() const;
  int ControlId() const;
  std::wstring Text() const;
  void SetText(std::wstring_view text);
  void Show(bool visible);
  bool IsVisible() const;
  void Enable(bool enabled);
  bool IsEnabled() const;
  void Invalidate(bool erase = false);
  // The window's rectangle in its parent's client coordinates (screen
  // coordinates for a top-level window).
  RECT RectInParent() const;
  void Move(const RECT& rectInParent, bool repaint = true);

 protected:
  virtual const MessageTable& GetMessageTable() const;
  static const MessageTable kMessageTable;

  // Runs the default processing of the message being handled and returns its
  // result. Outside a handler it returns 0.
  LRESULT Default();
  // The message being handled (0 outside a handler), for handlers bound to
  // several messages.
  UINT MessageBeingHandled() const { return m_current.active ? m_current.message : 0; }

  // Called after the window's last message (WM_NCDESTROY), once it is unbound.
  virtual void OnFinalMessage() {}

  enum class Binding { None, OwnClass, Subclassed, Dialog };
  // Dialogs register before creating: the first message of the new window
  // binds it to the object.
  void PrepareBinding(Binding binding);
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The window procedure of the framework's dialog class.
  static LRESULT CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool dialogClass);
  static LRESULT RouteGuarded(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool dialogClass) noexcept;
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool FindHandler(MessageEntry::Kind kind, UINT message, WPARAM wParam, MessageThunk& thunk) const;
  bool HandleReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  void Bind(HWND hwnd);
  void Unbind();

  HWND m_hwnd = nullptr;  // owned
  Binding m_binding = Binding::None;
  WNDPROC m_previousProc = nullptr;  // the platform control's own procedure

  struct CurrentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool active = false;
  };
  CurrentMessage m_current;
};

// The module the program runs from.
HINSTANCE ModuleInstance();

// The point of a mouse message's lParam (signed, as coordinates can be left of
// or above a window).
inline POINT PointFromLParam(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace perix::win
