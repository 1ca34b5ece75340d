#pragma once
// Helpers for comparing the settings store with the platform's own
// private-profile functions on copies of the same file.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Wide.h"

namespace perix::wine {

// A fresh folder for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             (L"perix-wine-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::u16string File(const std::wstring& name) const { return FromWide((m_path / name).wstring()); }

 private:
  std::filesystem::path m_path;
};

inline void WriteBytes(const std::u16string& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(ToWide(path)), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::optional<std::string> ReadBytes(const std::u16string& path) {
  std::ifstream in(std::filesystem::path(ToWide(path)), std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

inline std::wstring W(std::u16string_view text) { return ToWide(text); }

inline std::u16string PlatformString(const std::u16string& path, std::u16string_view section,
                                     std::u16string_view key, std::u16string_view defaultValue,
                                     DWORD bufferSize = 4096) {
  std::vector<wchar_t> buffer(bufferSize + 1, L'\0');
  const DWORD length = ::GetPrivateProfileStringW(W(section).c_str(), W(key).c_str(), W(defaultValue).c_str(),
                                                  buffer.data(), bufferSize, W(path).c_str());
  return FromWide(std::wstring_view(buffer.data(), length));
}

inline std::int32_t PlatformInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                                std::int32_t defaultValue) {
  return static_cast<std::int32_t>(
      ::GetPrivateProfileIntW(W(section).c_str(), W(key).c_str(), defaultValue, W(path).c_str()));
}

inline std::optional<std::vector<unsigned char>> PlatformStruct(const std::u16string& path,
                                                                std::u16string_view section,
                                                                std::u16string_view key, std::size_t size) {
  std::vector<unsigned char> buffer(size + 1);
  if (!::GetPrivateProfileStructW(W(section).c_str(), W(key).c_str(), buffer.data(), static_cast<UINT>(size),
                                  W(path).c_str())) {
    return std::nullopt;
  }
  buffer.resize(size);
  return buffer;
}

inline bool PlatformWriteString(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                                std::u16string_view value) {
  return ::WritePrivateProfileStringW(W(section).c_str(), W(key).c_str(), W(value).c_str(), W(path).c_str()) != 0;
}

inline bool PlatformWriteStruct(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                                const void* bytes, std::size_t size) {
  return ::WritePrivateProfileStructW(W(section).c_str(), W(key).c_str(), const_cast<void*>(bytes),
                                      static_cast<UINT>(size), W(path).c_str()) != 0;
}

}  // namespace perix::wine
