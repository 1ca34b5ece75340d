#pragma once
// Names of keyboard keys: the capture names shown in the key dialog and on
// the button labels, and the key-location names of macro lines.

#include <string>

namespace perix {

// The capture name of a virtual key ("LCtrl", "F5", "Num+"); a key without
// a name of its own is named by the character it types, upper-cased ("A",
// ";"), and a key that types nothing by the empty text.
std::u16string KeyCaptionOf(unsigned virtualKey);

// The same for button labels, which spell Num Lock out as "Numlock".
std::u16string KeyLabelOf(unsigned virtualKey);

// The key-location number of a virtual key (1..245); 0 when the key has
// none. A key listed under two numbers takes the higher.
unsigned KeyLocationOf(unsigned virtualKey);

// The caption of a key-location number: the mouse-button numbers 1, 2 and 4
// read their captions from the string file; unknown numbers give "".
std::u16string MacroKeyName(unsigned location);

// The macro-line name of a key stored as a HID usage: usage, virtual key,
// key location, caption. A usage without a virtual key gives "".
std::u16string MacroKeyNameOfUsage(unsigned usage);

}  // namespace perix
