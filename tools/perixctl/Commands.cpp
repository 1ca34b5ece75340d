#include "Commands.h"

#include <cstdio>
#include <iostream>
#include <memory>

#include "Describe.h"
#include "app/ServiceLink.h"
#include "buttons/KeyNames.h"
#include "config/KeyUsageTable.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroListing.h"
#include "skin/StringTable.h"
#include "store/MacroFile.h"
#include "store/SettingsStore.h"
#include "config/Defaults.h"
#include "config/DeviceConfig.h"
#include "store/ConfigSession.h"
#include "store/DataFolder.h"
#include "store/ProfileFile.h"
#include "text/Utf16.h"

namespace perixctl {
namespace {

using namespace perix;

constexpr int kExitFailure = 1;

int Fail(const std::string& message) {
  std::cerr << "perixctl: " << message << "\n";
  return kExitFailure;
}

// A key stored as a HID usage, by the name the key dialog gives it.
std::string UsageName(std::uint8_t usage) {
  std::uint8_t virtualKey = 0;
  if (!VirtualKeyFromUsage(usage, virtualKey)) return {};
  return Utf16ToUtf8(KeyCaptionOf(virtualKey));
}

// Reads and validates a settings or profile file; reports why it cannot.
struct Loaded {
  std::unique_ptr<DeviceConfig> config = std::make_unique<DeviceConfig>();
  std::vector<Repair> repairs;
};

bool LoadValidated(const std::string& file, Loaded& loaded, std::string& error) {
  auto scratch = std::make_unique<DeviceConfig>();
  const ProfileFileStatus status = ReadProfileFile(Utf8ToUtf16(file), *scratch, -1);
  if (status != ProfileFileStatus::Ok) {
    error = file + ": " + ProfileFileStatusText(status);
    return false;
  }
  ResetToUnset(*loaded.config);
  ValidateConfig(*loaded.config, *scratch, &loaded.repairs);
  return true;
}

// A file we are about to write must be absent or already one of ours.
bool CheckWritableTarget(const std::string& file, std::string& error) {
  const std::u16string path = Utf8ToUtf16(file);
  if (!DefaultFileSystem().Exists(path)) return true;
  auto probe = std::make_unique<DeviceConfig>();
  const ProfileFileStatus status = ReadProfileFile(path, *probe, -1);
  if (status == ProfileFileStatus::Ok) return true;
  error = file + ": " + ProfileFileStatusText(status) + "; not overwriting it";
  return false;
}

}  // namespace

int Show(const Options& options) {
  Loaded loaded;
  std::string error;
  if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  const auto model = DescribeConfig(*loaded.config, UsageName);
  if (options.json) {
    std::cout << model.dump(2) << "\n";
  } else {
    std::cout << options.file << "\n\n" << RenderConfigText(model);
  }
  return 0;
}

int Validate(const Options& options) {
  Loaded loaded;
  std::string error;
  if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  const auto repairs = DescribeRepairs(loaded.repairs);
  if (options.json) {
    std::cout << repairs.dump(2) << "\n";
  } else {
    std::cout << options.file << ": " << RenderRepairsText(repairs);
  }
  return 0;
}

int Export(const Options& options) {
  Loaded loaded;
  std::string error;
  if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  if (!CheckWritableTarget(options.destination, error)) return Fail(error);
  const ProfileFileStatus status = ExportProfile(*loaded.config, Utf8ToUtf16(options.destination));
  if (status != ProfileFileStatus::Ok) return Fail(options.destination + ": " + ProfileFileStatusText(status));
  std::cout << "Exported " << options.file << " to " << options.destination << "\n";
  return 0;
}

int Import(const Options& options) {
  std::string error;
  if (!CheckWritableTarget(options.destination, error)) return Fail(error);
  DataPaths paths;
  paths.settingsFile = Utf8ToUtf16(options.destination);
  ConfigSession session(paths, DefaultServiceLink());
  const ProfileFileStatus status = ImportProfile(session, Utf8ToUtf16(options.file));
  if (status == ProfileFileStatus::WriteFailed) {
    return Fail(options.destination + ": " + ProfileFileStatusText(status));
  }
  if (status != ProfileFileStatus::Ok) return Fail(options.file + ": " + ProfileFileStatusText(status));
  std::cout << "Imported " << options.file << " into " << options.destination << "\n";
  return 0;
}

int Reset(const Options& options) {
  std::string error;
  const std::u16string path = Utf8ToUtf16(options.file);
  Loaded loaded;
  if (DefaultFileSystem().Exists(path)) {
    if (!LoadValidated(options.file, loaded, error)) return Fail(error);
  } else {
    auto empty = std::make_unique<DeviceConfig>();
    ResetToUnset(*empty);
    ValidateConfig(*loaded.config, *empty);
  }
  // As the utility's reset button does: profile 1 active, every profile factory-new.
  loaded.config->Profile = 0;
  for (int profile = 0; profile < kProfileCount; ++profile) ResetProfileToDefaults(*loaded.config, profile);
  const ProfileFileStatus status = ExportProfile(*loaded.config, path);
  if (status != ProfileFileStatus::Ok) return Fail(options.file + ": " + ProfileFileStatusText(status));
  std::cout << "Reset all profiles of " << options.file << "\n";
  return 0;
}

namespace {

// The macro folder beside a settings file: its folder + "Macro" + the
// separator the path uses.
std::u16string MacroFolderBeside(std::u16string_view settings) {
  const std::size_t slash = settings.find_last_of(u"\\/");
  const std::u16string folder(slash == std::u16string_view::npos ? std::u16string_view() : settings.substr(0, slash + 1));
  const char16_t separator = slash == std::u16string_view::npos ? u'\\' : settings[slash];
  return folder + u"Macro" + separator;
}

// The library of a settings file, or a message why it cannot be read.
bool LoadLibrary(const std::string& file, MacroLibrary& library, std::string& error) {
  const FileRead read = DefaultFileSystem().ReadAll(Utf8ToUtf16(file));
  if (!read.ok()) {
    error = file + ": " + FileStatusText(read.status);
    return false;
  }
  library.LoadMacroLibrary();
  return true;
}

}  // namespace

int ListMacros(const Options& options) {
  const std::u16string settings = Utf8ToUtf16(options.file);
  MacroLibrary library(settings);
  std::string error;
  if (!LoadLibrary(options.file, library, error)) return Fail(error);
  const std::u16string folder = MacroFolderBeside(settings);
  nlohmann::ordered_json macros = nlohmann::ordered_json::array();
  for (int index = 0; index < library.Count(); ++index) {
    const std::u16string& name = library.Names()[static_cast<std::size_t>(index)];
    const auto path = MacroFilePath(folder, name);
    nlohmann::ordered_json macro;
    macro["slot"] = library.FindMacroSlot(name);
    macro["index"] = index;
    macro["name"] = Utf16ToUtf8(name);
    macro["file"] = path ? Utf16ToUtf8(*path) : std::string();
    macro["present"] = path && DefaultFileSystem().Exists(*path);
    macros.push_back(std::move(macro));
  }
  if (options.json) {
    nlohmann::ordered_json out;
    out["settings"] = options.file;
    out["macros"] = std::move(macros);
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  std::cout << options.file << ": " << macros.size() << (macros.size() == 1 ? " macro" : " macros") << "\n";
  for (const auto& macro : macros) {
    char numbers[40];
    std::snprintf(numbers, sizeof numbers, "  slot %2d  entry %2d  ", macro["slot"].get<int>(),
                  macro["index"].get<int>() + 1);
    const char* note = "";
    if (macro["file"].get<std::string>().empty()) {
      note = "  (the name cannot be a file name)";
    } else if (!macro["present"].get<bool>()) {
      note = "  (no file in the macro folder)";
    }
    std::cout << numbers << macro["name"].get<std::string>() << note << "\n";
  }
  return 0;
}

int ShowMacro(const Options& options) {
  std::u16string path = Utf8ToUtf16(options.file);
  if (!options.settings.empty()) {
    // A macro of the library, by its name.
    MacroLibrary library(Utf8ToUtf16(options.settings));
    std::string error;
    if (!LoadLibrary(options.settings, library, error)) return Fail(error);
    if (!library.IndexOf(path)) return Fail(options.settings + ": no macro named \"" + options.file + "\" in its library");
    const auto file = MacroFilePath(MacroFolderBeside(Utf8ToUtf16(options.settings)), path);
    if (!file) {
      return Fail(options.file + ": " + MacroNameProblemText(CheckMacroName(path)) + ", so it has no macro file");
    }
    path = *file;
  }
  const std::string shown = Utf16ToUtf8(path);
  const FileRead read = DefaultFileSystem().ReadAll(path);
  if (!read.ok()) return Fail(shown + ": " + FileStatusText(read.status));
  if (!options.strings.empty()) {
    const std::u16string strings = Utf8ToUtf16(options.strings);
    if (!DefaultFileSystem().Exists(strings)) return Fail(options.strings + ": " + FileStatusText(FileStatus::NotFound));
    SetStringFile(strings);
  }
  const MacroFileContents macro = LoadMacroFile(path);
  if (!macro.BlobRead) return Fail(shown + ": not a macro file (it holds no readable MacroSetting_0)");
  const int loop = ReadLoopTime(path, 0);
  const auto lines = ListMacroRecords(macro.Buffer);
  const auto model = DescribeMacro(macro.Buffer, lines, loop);
  if (options.json) {
    std::cout << model.dump(2) << "\n";
  } else {
    std::cout << shown << "\n" << RenderMacroText(model);
  }
  return 0;
}

}  // namespace perixctl
