#include "skin/CaptionPlacement.h"

namespace perix {

int CaptionEscapement(int orientation) {
  if (orientation == kCaptionRotated90) return 900;
  if (orientation == kCaptionRotated270) return 2700;
  return 0;
}

Point CaptionOrigin(Size text, Size client, int xOffset, int orientation) {
  // Each half is taken on its own, so odd sizes round the same way as the
  // skins were laid out for.
  const int halfW = client.width / 2;
  const int halfH = client.height / 2;
  const int halfCx = text.width / 2;
  const int halfCy = text.height / 2;
  // The drawing origin of rotated text is the top-left corner of the text
  // before it was turned, which ends up at the bottom-left (90 degrees) or the
  // top-right (270 degrees) of the turned text.
  if (orientation == kCaptionRotated90) return {halfW - halfCy, halfH + halfCx};
  if (orientation == kCaptionRotated270) return {halfW + halfCy, halfH - halfCx};
  return {xOffset != 0 ? xOffset : halfW - halfCx, halfH - halfCy};
}

}  // namespace perix
