#pragma once
// A fresh folder on disk for one test, removed afterwards; paths in the
// program's own form (UTF-16).

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "text/Utf16.h"

namespace perix::test {

class TestFolder {
 public:
  TestFolder() {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() / ("perix-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(m_path);
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Native() const { return m_path; }
  // The folder with a trailing separator, as the program writes folders.
  std::u16string Path() const { return Utf8ToUtf16(m_path.string()) + u"/"; }
  std::u16string File(std::string_view name) const { return Utf8ToUtf16((m_path / name).string()); }

  void Write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(m_path / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string Read(std::string_view name) const {
    std::ifstream in(m_path / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(std::string_view name) const { return std::filesystem::exists(m_path / name); }

 private:
  std::filesystem::path m_path;
};

}  // namespace perix::test
