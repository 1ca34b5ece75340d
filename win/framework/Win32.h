#pragma once
// The one place the front-end includes the Windows headers from, so every
// file sees them configured the same way (GDI+ needs the COM interfaces that
// WIN32_LEAN_AND_MEAN leaves out).

#include <windows.h>
#include <windowsx.h>
#include <objidl.h>
#include <gdiplus.h>
