#include <windows.h>

#include "Wide.h"
#include "platform/CodePage.h"

namespace perix {

bool DecodeCodePage(unsigned codePage, std::string_view bytes, std::u16string& out) {
  out.clear();
  if (bytes.empty()) return ::IsValidCodePage(codePage == kAnsiCodePage ? ::GetACP() : codePage) != 0;
  const UINT cp = codePage == kAnsiCodePage ? CP_ACP : codePage;
  const int size = static_cast<int>(bytes.size());
  const int needed = ::MultiByteToWideChar(cp, 0, bytes.data(), size, nullptr, 0);
  if (needed <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  ::MultiByteToWideChar(cp, 0, bytes.data(), size, wide.data(), needed);
  out = FromWide(wide);
  return true;
}

bool EncodeCodePage(unsigned codePage, std::u16string_view text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  const UINT cp = codePage == kAnsiCodePage ? CP_ACP : codePage;
  const std::wstring wide = ToWide(text);
  const int size = static_cast<int>(wide.size());
  // UTF-7 and UTF-8 refuse the lost-character flag; they represent everything.
  const bool canReportLoss = cp != CP_UTF8 && cp != CP_UTF7;
  const DWORD flags = canReportLoss ? WC_NO_BEST_FIT_CHARS : 0;
  BOOL usedDefault = FALSE;
  const int needed = ::WideCharToMultiByte(cp, flags, wide.data(), size, nullptr, 0, nullptr,
                                           canReportLoss ? &usedDefault : nullptr);
  if (needed <= 0) return false;
  out.resize(static_cast<std::size_t>(needed));
  ::WideCharToMultiByte(cp, flags, wide.data(), size, out.data(), needed, nullptr,
                        canReportLoss ? &usedDefault : nullptr);
  return !usedDefault;
}

}  // namespace perix
