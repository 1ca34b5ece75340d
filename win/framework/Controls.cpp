#include "framework/Controls.h"

#include <string>

#include "framework/Window.h"

namespace perix::win {

HWND CreateChildControl(std::wstring_view className, std::wstring_view text, DWORD style, const RECT& rect,
                        HWND parent, UINT id, DWORD exStyle) {
  const std::wstring cls(className);
  const std::wstring caption(text);
  return CreateWindowExW(exStyle, cls.c_str(), caption.c_str(), style | WS_CHILD, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr);
}

}  // namespace perix::win
