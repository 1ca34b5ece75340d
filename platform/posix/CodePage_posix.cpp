// Code page conversion with iconv. Windows-1252 (and so the "ANSI" code page
// of the portable build) is converted by the core's own table, because iconv
// rejects the five bytes that Windows maps to C1 controls.

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/CodePage.h"
#include "text/Utf16.h"
#include "text/Windows1252.h"

namespace perix {
namespace {

std::string IconvName(unsigned codePage) {
  switch (codePage) {
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    case 12000:
    case 65005: return "UTF-32LE";
    case 12001: return "UTF-32BE";
    case 65001: return "UTF-8";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 936: return "GBK";
    case 54936: return "GB18030";
    case 950: return "BIG5";
    case 932: return "CP932";
    case 949: return "CP949";
    case 51932:
    case 20932: return "EUC-JP";
    case 51949: return "EUC-KR";
    case 50220:
    case 50221:
    case 50222: return "ISO-2022-JP";
    case 52936: return "HZ-GB-2312";
    case 10000: return "MACINTOSH";
    case 10007: return "MAC-CYRILLIC";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28593: return "ISO-8859-3";
    case 28594: return "ISO-8859-4";
    case 28595: return "ISO-8859-5";
    case 28596: return "ISO-8859-6";
    case 28597: return "ISO-8859-7";
    case 28598:
    case 38598: return "ISO-8859-8";
    case 28599: return "ISO-8859-9";
    case 28603: return "ISO-8859-13";
    case 28605: return "ISO-8859-15";
    default: break;
  }
  return "CP" + std::to_string(codePage);
}

bool IsWindows1252(unsigned codePage) { return codePage == kAnsiCodePage || codePage == kWindows1252; }

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) ::iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

}  // namespace

bool DecodeCodePage(unsigned codePage, std::string_view bytes, std::u16string& out) {
  out.clear();
  if (IsWindows1252(codePage)) {
    out = DecodeWindows1252(bytes);
    return true;
  }
  if (codePage == 65001) {
    out = Utf8ToUtf16(bytes);
    return true;
  }
  Converter converter("UTF-16LE", IconvName(codePage).c_str());
  if (!converter.ok()) return false;

  std::string wide;
  wide.resize(bytes.size() * 4 + 16);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* outPtr = wide.data();
    std::size_t outLeft = wide.size();
    const std::size_t result = ::iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
    const std::size_t produced = wide.size() - outLeft;
    for (std::size_t i = 0; i + 1 < produced; i += 2) {
      out.push_back(static_cast<char16_t>(static_cast<unsigned char>(wide[i]) |
                                          (static_cast<unsigned char>(wide[i + 1]) << 8)));
    }
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // A byte sequence with no character, or one cut off at the end: one
    // replacement character, then go on after the first byte.
    out.push_back(u'\xFFFD');
    ++in;
    --inLeft;
    ::iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
  }
  return true;
}

bool EncodeCodePage(unsigned codePage, std::u16string_view text, std::string& out) {
  out.clear();
  if (IsWindows1252(codePage)) return EncodeWindows1252(text, out);
  if (codePage == 65001) {
    out = Utf16ToUtf8(text);
    return true;
  }
  Converter converter(IconvName(codePage).c_str(), "UTF-16LE");
  if (!converter.ok()) return false;
  bool lossless = true;
  std::string buffer(32, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    // One character (a surrogate pair counts as one) at a time, so that a
    // character without a representation can be replaced by itself.
    std::size_t units = 1;
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) units = 2;
    std::string input;
    for (std::size_t u = 0; u < units; ++u) {
      input.push_back(static_cast<char>(text[i + u] & 0xFF));
      input.push_back(static_cast<char>(text[i + u] >> 8));
    }
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    if (::iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
      out.push_back('?');
      lossless = false;
      ::iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
    } else {
      out.append(buffer.data(), buffer.size() - outLeft);
    }
    i += units - 1;
  }
  return lossless;
}

}  // namespace perix
