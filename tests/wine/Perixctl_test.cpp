// perixctl reads what the platform's own functions wrote: a settings file
// made key by key with kernel32, shown by the Windows build of the tool.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "PlatformLayout.h"
#include "config/Defaults.h"

namespace perix {
namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Runs a command line and returns its standard output and exit code.
std::pair<std::string, DWORD> RunCommand(std::wstring commandLine) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ::CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &process);
  ::CloseHandle(writeEnd);
  std::string output;
  char buffer[4096];
  DWORD read = 0;
  while (started && ::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) output.append(buffer, read);
  ::CloseHandle(readEnd);
  DWORD code = 255;
  if (started) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
  }
  return {output, code};
}

TEST(Perixctl, ShowsASettingsFileWrittenByThePlatform) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "perixctl-compat";
  std::filesystem::create_directories(folder);
  const std::wstring file = (folder / L"Mouse.ini").wstring();
  ::DeleteFileW(file.c_str());

  auto config = std::make_unique<DeviceConfig>();
  ResetToUnset(*config);
  for (int p = 0; p < kProfileCount; ++p) ResetProfileToDefaults(*config, p);
  config->Profile = 2;
  config->MouseButtons = 8;
  config->TrayEnabled = 1;
  config->PollingRate = 1;
  config->LeftCount = config->RightCount = 0;
  config->DpiStages[3] = {0, 12, 12, 12};
  config->LedColor = 0x00FF8000;  // blue 0xFF, green 0x80
  ButtonAssignment& key = config->Profiles[2].ButtonAssigned[4];
  key.FunctionCode = 5;
  key.Param2 = 1;
  key.Data[1] = 0x04;  // A
  ButtonAssignment& macro = config->Profiles[2].ButtonAssigned[5];
  macro.FunctionCode = 6;
  macro.Param1 = 3;
  macro.Param2 = 0x80 | 2;
  CopyToFixed(macro.MacroName, u"Combo \u00E9");
  wine::PlatformSaveConfig(*config, file.c_str());

  const auto [output, code] = RunCommand(L"\"" + ProgramFolder() + L"perixctl.exe\" show --json \"" + file + L"\"");
  ASSERT_EQ(code, 0u) << output;
  const auto shown = nlohmann::json::parse(output);
  EXPECT_EQ(shown["activeProfile"], 2);
  EXPECT_EQ(shown["pollingRate"]["hz"], 1000);
  EXPECT_EQ(shown["dpi"]["stages"][3]["dpi"], 4000);
  EXPECT_EQ(shown["lighting"]["color"], "#0080FF");
  const auto& buttons = shown["profiles"][2]["buttons"];
  EXPECT_EQ(buttons[0]["function"], "left click");
  EXPECT_EQ(buttons[4]["key"], "A");
  EXPECT_EQ(buttons[5]["macro"], "Combo \xC3\xA9");
  EXPECT_EQ(buttons[5]["playMode"], 2);
  EXPECT_EQ(buttons[5]["loopCount"], 3);

  // What is not a settings file is refused with a message and a failure code.
  const auto [refused, failed] = RunCommand(L"\"" + ProgramFolder() + L"perixctl.exe\" show \"" + ProgramFolder() +
                                     L"perixctl.exe\"");
  EXPECT_NE(failed, 0u);
  EXPECT_NE(refused.find("not a profile or settings file"), std::string::npos) << refused;
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace perix
