// The US keyboard layout, as Windows translates its keys with an empty
// keyboard state.

#include "platform/KeyboardLayout.h"

namespace perix {

unsigned char UnshiftedCharacterOf(unsigned virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<unsigned char>(virtualKey - 'A' + 'a');
  if (virtualKey >= '0' && virtualKey <= '9') return static_cast<unsigned char>(virtualKey);
  if (virtualKey >= 0x60 && virtualKey <= 0x69) return static_cast<unsigned char>('0' + virtualKey - 0x60);
  switch (virtualKey) {
    case 0x08: return '\b';
    case 0x09: return '\t';
    case 0x0D: return '\r';
    case 0x1B: return 0x1B;
    case 0x20: return ' ';
    case 0x6A: return '*';
    case 0x6B: return '+';
    case 0x6D: return '-';
    case 0x6E: return '.';
    case 0x6F: return '/';
    case 0xBA: return ';';
    case 0xBB: return '=';
    case 0xBC: return ',';
    case 0xBD: return '-';
    case 0xBE: return '.';
    case 0xBF: return '/';
    case 0xC0: return '`';
    case 0xDB: return '[';
    case 0xDC: return '\\';
    case 0xDD: return ']';
    case 0xDE: return '\'';
    case 0xE2: return '\\';
    default: return 0;
  }
}

unsigned VirtualKeyOfCharacter(char16_t character) {
  if (character >= u'a' && character <= u'z') return character - u'a' + 'A';
  if (character >= u'A' && character <= u'Z') return character;
  if (character >= u'0' && character <= u'9') return character;
  switch (character) {
    case u' ': return 0x20;
    case u')': return '0';
    case u'!': return '1';
    case u'@': return '2';
    case u'#': return '3';
    case u'$': return '4';
    case u'%': return '5';
    case u'^': return '6';
    case u'&': return '7';
    case u'*': return '8';
    case u'(': return '9';
    case u';': case u':': return 0xBA;
    case u'=': case u'+': return 0xBB;
    case u',': case u'<': return 0xBC;
    case u'-': case u'_': return 0xBD;
    case u'.': case u'>': return 0xBE;
    case u'/': case u'?': return 0xBF;
    case u'`': case u'~': return 0xC0;
    case u'[': case u'{': return 0xDB;
    case u'\\': case u'|': return 0xDC;
    case u']': case u'}': return 0xDD;
    case u'\'': case u'"': return 0xDE;
    default: return 0;
  }
}

}  // namespace perix
