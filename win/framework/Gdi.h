#pragma once
// Ownership of GDI objects. Every font, brush, pen, bitmap and region the
// program creates lives in one of these handles; every object selected into
// a device context is put back by a ScopedSelectObject; device contexts are
// released by the class that got them.

#include <memory>
#include <type_traits>

#include "framework/Win32.h"

namespace perix::win {

template <class Handle>
struct GdiObjectDeleter {
  void operator()(Handle handle) const {
    if (handle) DeleteObject(handle);
  }
};

template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter<Handle>>;

using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using BitmapHandle = GdiObject<HBITMAP>;
using RegionHandle = GdiObject<HRGN>;

// Selects an object into a device context and puts the previous one back.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelectObject() {
    if (m_dc && m_previous) SelectObject(m_dc, m_previous);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

// BeginPaint ... EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_paint)) {}
  ~PaintDc() { EndPaint(m_hwnd, &m_paint); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC Get() const { return m_dc; }
  const RECT& Dirty() const { return m_paint.rcPaint; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_paint{};
  HDC m_dc;
};

// GetDC ... ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
  ~WindowDc() {
    if (m_dc) ReleaseDC(m_hwnd, m_dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HWND m_hwnd;
  HDC m_dc;
};

// CreateCompatibleDC ... DeleteDC.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (m_dc) DeleteDC(m_dc);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

// An off-screen bitmap of a given size to draw into, copied to the target in
// one block transfer by Present().
class OffscreenBuffer {
 public:
  OffscreenBuffer(HDC target, int width, int height)
      : m_target(target),
        m_width(width),
        m_height(height),
        m_memory(target),
        m_bitmap(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
        m_select(m_memory.Get(), m_bitmap.get()) {}
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

  bool Valid() const { return m_memory.Get() && m_bitmap; }
  HDC Get() const { return m_memory.Get(); }
  void Present(int x = 0, int y = 0) const {
    if (Valid()) BitBlt(m_target, x, y, m_width, m_height, m_memory.Get(), 0, 0, SRCCOPY);
  }

 private:
  HDC m_target;
  int m_width;
  int m_height;
  MemoryDc m_memory;
  BitmapHandle m_bitmap;
  ScopedSelectObject m_select;  // declared last: deselects before the bitmap and the DC go
};

}  // namespace perix::win
