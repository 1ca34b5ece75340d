#pragma once
// The character a key types and the key that types a character, from the
// keyboard layout: the user's layout on
// Windows, the US layout in the portable build.

namespace perix {

// What the key types with no modifier and no lock key held, as one byte of
// the ANSI code page (Windows reports it so); 0 when it types nothing.
// Letters come out in lower case.
unsigned char UnshiftedCharacterOf(unsigned virtualKey);

// The key that types a character (with or without Shift), as VkKeyScan finds
// it; 0 when no key of the layout types it.
unsigned VirtualKeyOfCharacter(char16_t character);

}  // namespace perix
