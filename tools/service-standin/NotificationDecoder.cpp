#include "NotificationDecoder.h"

#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace standin {
namespace {

constexpr int kMissing = INT_MIN;  // GetPrivateProfileIntW default: key absent
constexpr int kProfileCount = 5;
constexpr int kButtonCount = 8;
constexpr int kDpiStageCount = 4;
constexpr int kMacroSlotCount = 20;

// ButtonAssignment as stored in "ButtonAssigned%d": 644 bytes.
constexpr size_t kButtonBlobSize = 644;
constexpr size_t kDataOffset = 4;
constexpr size_t kDataSize = 120;
constexpr size_t kMacroNameOffset = 124;
constexpr size_t kMacroNameLength = 260;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::string Quoted(const std::wstring& text) {
  std::string out = "\"";
  for (char c : Utf8(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
    }
    out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  }
  return out + "\"";
}

class Line {
 public:
  Line(UINT message, WPARAM wParam, LPARAM lParam) {
    Add("%u %s w=%lld l=%lld", message, NotificationName(message, wParam, lParam), static_cast<long long>(wParam),
        static_cast<long long>(lParam));
  }

  __attribute__((format(printf, 2, 3))) void Add(const char* format, ...) {
    char field[512];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(field, sizeof field, format, args);
    va_end(args);
    if (length > 0) {
      if (!m_text.empty()) {
        m_text += ' ';
      }
      m_text.append(field, static_cast<size_t>(length) < sizeof field ? static_cast<size_t>(length) : sizeof field - 1);
    }
  }

  void AddRaw(const std::string& field) { m_text += ' ' + field; }

  std::string Take() { return std::move(m_text); }

 private:
  std::string m_text;
};

class MouseIni {
 public:
  explicit MouseIni(const std::wstring& path) : m_path(path) {}

  int Int(const wchar_t* section, const wchar_t* key) const {
    return static_cast<int>(::GetPrivateProfileIntW(section, key, kMissing, m_path.c_str()));
  }

  std::wstring String(const wchar_t* section, const wchar_t* key) const {
    wchar_t value[4096] = {};
    ::GetPrivateProfileStringW(section, key, L"", value, 4096, m_path.c_str());
    return value;
  }

  bool Struct(const wchar_t* section, const wchar_t* key, void* buffer, UINT size) const {
    return ::GetPrivateProfileStructW(section, key, buffer, size, m_path.c_str()) != FALSE;
  }

  const std::wstring& Path() const { return m_path; }

 private:
  std::wstring m_path;
};

void AddInt(Line& line, const MouseIni& ini, const wchar_t* section, const char* name) {
  const std::wstring key(name, name + std::strlen(name));
  const int value = ini.Int(section, key.c_str());
  if (value == kMissing) {
    line.Add("%s=missing", name);
  } else {
    line.Add("%s=%d", name, value);
  }
}

// "DPI_INFO2=0,5,5,5": a blob of little-endian int32 values.
void AddIntBlob(Line& line, const MouseIni& ini, const std::wstring& key, size_t count) {
  std::int32_t values[4] = {};
  const std::string name = Utf8(key);
  if (!ini.Struct(L"Setting", key.c_str(), values, static_cast<UINT>(count * sizeof(std::int32_t)))) {
    line.Add("%s=unreadable", name.c_str());
    return;
  }
  std::string text = name + "=";
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) {
      text += ',';
    }
    text += std::to_string(values[i]);
  }
  line.AddRaw(text);
}

std::wstring ProfileSection(int profile) {
  return profile == 0 ? std::wstring(L"GROUP") : L"GROUP" + std::to_wstring(profile);
}

void AddLighting(Line& line, const MouseIni& ini) {
  AddInt(line, ini, L"Setting", "LedStateOn");
  const int color = ini.Int(L"Setting", L"LedColor");
  if (color == kMissing) {
    line.Add("LedColor=missing");
  } else {
    line.Add("LedColor=0x%06X", static_cast<unsigned>(color));
  }
  AddInt(line, ini, L"Setting", "LedMode");
  AddIntBlob(line, ini, L"LED_MODE_INFO1", 3);
}

void AddDpiStage(Line& line, const MouseIni& ini, long long stage) {
  if (stage < 0 || stage >= kDpiStageCount) {
    line.Add("error=out-of-range");
    return;
  }
  AddIntBlob(line, ini, L"DPI_INFO" + std::to_wstring(stage + 1), 4);
}

void AddButton(Line& line, const MouseIni& ini, long long profile, long long button) {
  if (profile < 0 || profile >= kProfileCount || button < 0 || button >= kButtonCount) {
    line.Add("error=out-of-range");
    return;
  }
  const std::wstring section = ProfileSection(static_cast<int>(profile));
  const std::wstring key = L"ButtonAssigned" + std::to_wstring(button + 1);
  line.Add("Section=%s Key=%s", Utf8(section).c_str(), Utf8(key).c_str());
  unsigned char blob[kButtonBlobSize] = {};
  if (!ini.Struct(section.c_str(), key.c_str(), blob, sizeof blob)) {
    line.Add("Blob=unreadable");
    return;
  }
  line.Add("ButtonNumber=%u FunctionCode=%u Param1=%u Param2=0x%02X", blob[0], blob[1], blob[2], blob[3]);
  // The data bytes up to the last one in use: the rest of the 120 are zero.
  size_t used = kDataSize;
  while (used > 0 && blob[kDataOffset + used - 1] == 0) {
    --used;
  }
  std::string data = "Data=";
  for (size_t i = 0; i < used; ++i) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", blob[kDataOffset + i]);
    data += hex;
  }
  line.AddRaw(data);
  std::wstring name;
  for (size_t i = 0; i < kMacroNameLength; ++i) {
    const auto unit = static_cast<wchar_t>(blob[kMacroNameOffset + 2 * i] | (blob[kMacroNameOffset + 2 * i + 1] << 8));
    if (unit == 0) {
      break;
    }
    name += unit;
  }
  line.AddRaw("MacroName=" + Quoted(name));
}

void AddMacro(Line& line, const MouseIni& ini, long long slot) {
  if (slot < 0 || slot >= kMacroSlotCount) {
    line.Add("error=out-of-range");
    return;
  }
  const std::wstring name = ini.String(L"MACRO_LIST", std::to_wstring(slot).c_str());
  line.AddRaw("Slot=" + std::to_string(slot) + " Name=" + Quoted(name));
  if (name.empty()) {
    return;
  }
  // The macro's own file sits in "Macro" beside "Mouse.ini".
  const std::wstring& path = ini.Path();
  const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
  const bool present = ::GetFileAttributesW((folder + L"Macro\\" + name + L".macro").c_str()) != INVALID_FILE_ATTRIBUTES;
  line.Add("File=%s", present ? "present" : "missing");
}

}  // namespace

const char* NotificationName(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case 1227: return "Lighting";
    case 1277: return "PollingRate";
    case 1279: return "Apply";
    case 1295: return "WheelScrollLines";
    case 1296: return "DoubleClickSpeed";
    case 1297: return wParam == 255 && lParam == 255 ? "Acceleration" : "DpiStage";
    case 1298: return "Profile";
    case 1299: return "Button";
    case 1300: return "Macro";
    case 1302: return "DpiLevel";
    default: return "Unknown";
  }
}

const char* RequestName(UINT message) {
  switch (message) {
    case 1034: return "Request";
    case 1224: return "DpiStagesChanged";
    case 1280: return "Unplugged";
    case 1285: return "DeviceChanged";
    case 1294: return "ShowPage";
    default: return "Unknown";
  }
}

std::string DecodeNotification(const std::wstring& iniPath, UINT message, WPARAM wParam, LPARAM lParam) {
  const MouseIni ini(iniPath);
  Line line(message, wParam, lParam);
  const auto w = static_cast<long long>(wParam);
  switch (message) {
    case 1227:
      AddLighting(line, ini);
      break;
    case 1277:
      AddInt(line, ini, L"Setting", "PollingRate");
      break;
    case 1279:
      for (const char* key : {"Profile", "PollingRate", "DPI", "LedStateOn", "LedMode"}) {
        AddInt(line, ini, L"Setting", key);
      }
      break;
    case 1295:
      AddInt(line, ini, L"Setting", "WheelScrollLines");
      break;
    case 1296:
      AddInt(line, ini, L"Setting", "DoubleClickSpeed");
      break;
    case 1297:
      if (wParam == 255 && lParam == 255) {
        AddInt(line, ini, L"Setting", "AccelerationEnabled");
        AddInt(line, ini, L"Setting", "Acceleration");
      } else {
        const int stage = ini.Int(L"Setting", L"DPI");
        AddInt(line, ini, L"Setting", "DPI");
        const int profile = ini.Int(L"Setting", L"Profile");
        if (profile >= 0 && profile < kProfileCount) {
          const int profileStage = ini.Int(ProfileSection(profile).c_str(), L"DPI");
          if (profileStage == kMissing) {
            line.Add("ProfileDPI=missing");
          } else {
            line.Add("ProfileDPI=%d", profileStage);
          }
        }
        AddDpiStage(line, ini, stage);
      }
      break;
    case 1298:
      AddInt(line, ini, L"Setting", "Profile");
      break;
    case 1299:
      AddButton(line, ini, w, static_cast<long long>(lParam));
      break;
    case 1300:
      AddMacro(line, ini, w);
      break;
    case 1302:
      AddDpiStage(line, ini, w);
      break;
    default:
      break;
  }
  return line.Take();
}

}  // namespace standin
