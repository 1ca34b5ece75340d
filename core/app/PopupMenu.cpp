#include "app/PopupMenu.h"

namespace perix {

Point KeepMenuOnScreen(Point screen, std::optional<Size> keepOnScreen, Size screenSize) {
  if (!keepOnScreen) return screen;
  if (screen.x + keepOnScreen->width > screenSize.width) screen.x -= keepOnScreen->width;
  if (screen.y + keepOnScreen->height > screenSize.height) screen.y -= keepOnScreen->height;
  return screen;
}

}  // namespace perix
