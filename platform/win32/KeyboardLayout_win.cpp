#include <windows.h>

#include "platform/KeyboardLayout.h"

namespace perix {

unsigned char UnshiftedCharacterOf(unsigned virtualKey) {
  if (virtualKey == 0 || virtualKey > 0xFF) return 0;
  const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  BYTE state[256] = {};
  WORD translated = 0;
  // Only the low byte counts: ToAscii writes one character, or two for a
  // dead key followed by one it cannot combine with.
  ::ToAscii(virtualKey, scanCode, state, &translated, 0);
  return static_cast<unsigned char>(translated & 0xFF);
}

unsigned VirtualKeyOfCharacter(char16_t character) {
  const SHORT found = ::VkKeyScanW(static_cast<WCHAR>(character));
  // -1 in both bytes when no key types it; the high byte holds the shift state.
  if (found == -1) return 0;
  return static_cast<unsigned>(found) & 0xFF;
}

}  // namespace perix
