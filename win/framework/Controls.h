#pragma once
// Small helpers for creating controls and showing message boxes.

#include <string_view>

#include "framework/Win32.h"

namespace perix::win {

inline RECT MakeRect(int left, int top, int right, int bottom) { return RECT{left, top, right, bottom}; }

// A plain child control that needs no object of its own (a static text, a
// frame). Null when it could not be created.
HWND CreateChildControl(std::wstring_view className, std::wstring_view text, DWORD style, const RECT& rect,
                        HWND parent, UINT id, DWORD exStyle = 0);

}  // namespace perix::win
