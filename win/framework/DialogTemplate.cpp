#include "framework/DialogTemplate.h"

#include <cstring>

namespace perix::win {
namespace {

void AppendString(std::vector<WORD>& words, std::wstring_view text) {
  for (wchar_t c : text) words.push_back(static_cast<WORD>(c));
  words.push_back(0);
}

}  // namespace

DialogTemplate::DialogTemplate(DWORD style, DWORD exStyle, short width, short height, std::wstring_view title) {
  DLGTEMPLATE header{};
  // DS_SETFONT stays off: there are no template controls to lay out in
  // dialog units, and the skinned controls choose their own fonts.
  header.style = style & ~static_cast<DWORD>(DS_SETFONT);
  header.dwExtendedStyle = exStyle;
  header.cdit = 0;
  header.cx = width;
  header.cy = height;
  m_words.resize(sizeof header / sizeof(WORD));
  std::memcpy(m_words.data(), &header, sizeof header);
  m_words.push_back(0);  // no menu
  AppendString(m_words, kDialogClassName);
  AppendString(m_words, title);
}

DialogTemplate DialogTemplate::Popup() { return DialogTemplate(WS_POPUP, 0, 10, 10, L""); }

}  // namespace perix::win
