#pragma once
// Pixel coordinates of windows and images: a rectangle includes its left and
// top edges and excludes its right and bottom edges.

namespace perix {

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  // An empty rectangle: a control placed there exists and is handled, but
  // cannot be seen or clicked.
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr bool Contains(const Rect& r) const {
    return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
  }
  constexpr bool Intersects(const Rect& r) const {
    return !IsEmpty() && !r.IsEmpty() && r.left < right && left < r.right && r.top < bottom && top < r.bottom;
  }
  constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace perix
