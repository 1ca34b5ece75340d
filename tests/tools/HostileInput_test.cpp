// Hostile input: what the program (its start-up load of "Mouse.ini" and its
// saves) and perixctl do with every kind of bad settings file we know of. One
// row per input; the next person adding a case adds a row.
//
// Program column:  Loads       - the file's values are used, nothing is reported
//                  StartsFresh - no usable values, nothing to keep: a first start
//                  SetsAside   - the file is renamed aside byte for byte, the user
//                                is told where it went once, a first start follows
// perixctl column: commands run on the file, with their exit code and a line
//                  their output must hold; a refusal leaves the file unchanged.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "RecordingServiceLink.h"
#include "TestFolder.h"
#include "config/Defaults.h"
#include "store/ConfigLayout.h"
#include "store/ConfigSession.h"
#include "store/IniDocument.h"
#include "text/Utf16.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace perix {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

constexpr std::uint32_t kMarkerColour = 0x123456;  // tells the file's values from defaults

// A factory configuration with the marker colour, as the program writes it.
std::string SettingsText() {
  auto config = std::make_unique<DeviceConfig>();
  ResetToUnset(*config);
  for (int p = 0; p < kProfileCount; ++p) ResetProfileToDefaults(*config, p);
  config->LedColor = kMarkerColour;
  config->Profile = 0;
  config->TrayEnabled = 1;
  config->MouseButtons = 8;
  IniDocument document;
  WriteConfig(document, *config);
  return document.Serialize();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// A key's whole line replaced by another.
std::string WithLine(const std::string& key, const std::string& line) {
  std::string text = SettingsText();
  const std::size_t at = text.find("\r\n" + key + "=") + 2;
  return text.replace(at, text.find("\r\n", at) - at, line);
}

std::string Utf16Bytes(const std::string& ascii, bool mark) {
  std::string out = mark ? "\xFF\xFE"s : ""s;
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

enum class Program { Loads, StartsFresh, SetsAside };

struct Command {
  std::vector<std::string> args;  // "FILE" stands for the file, "DIR" for its folder
  int exitCode;
  std::string output;  // a part of what it prints (stdout and stderr)
};

// Creates the input as "Mouse.ini" in a folder.
using Setup = std::function<void(const fs::path& file)>;

Setup Bytes(std::string bytes) {
  return [bytes](const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
  };
}

struct Row {
  const char* input;
  Setup setup;
  Program program;
  std::vector<Command> perixctl;
  bool posixOnly = false;
};

#ifndef _WIN32
// The number of a process that has just ended.
pid_t EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}
#endif

std::vector<Row> Rows() {
  const std::string settings = SettingsText();
  // Stage 3: the factory configuration makes stage 2 the active one.
  const std::size_t stageAt = settings.find("DPI_INFO3=");
  const std::string dpi3 = settings.substr(stageAt, settings.find("\r\n", stageAt) - stageAt);
  std::vector<Row> rows = {
      {"a settings file as the program writes it", Bytes(settings), Program::Loads,
       {{{"show", "FILE"}, 0, "colour #563412"}, {{"validate", "FILE"}, 0, "No repairs needed."}}},
      {"UTF-16 text without a byte-order mark", Bytes(Utf16Bytes(settings, false)), Program::SetsAside,
       {{{"show", "FILE"}, 1, "UTF-16 text without a byte-order mark"},
        {{"import", "DIR/other.prof", "FILE"}, 1, "not a profile or settings file"}}},
      {"UTF-16 text with its byte-order mark", Bytes(Utf16Bytes(settings, true)), Program::Loads,
       {{{"show", "FILE"}, 0, "colour #563412"}}},
      {"binary junk", Bytes(std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0\x01\0\0\0", 24)),
       Program::SetsAside, {{{"show", "FILE"}, 1, "binary data"}}},
      {"a PNG image", Bytes(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR[Setting]", 24)), Program::SetsAside,
       {{{"show", "FILE"}, 1, "not a profile or settings file"}}},
      {"text without any settings section", Bytes("Shopping list\r\neggs=12\r\n[Other]\r\nk=v\r\n"),
       Program::SetsAside,
       {{{"show", "FILE"}, 1, "it has no [Setting], [GROUP] or [MACRO_LIST] section"},
        {{"export", "DIR/other.prof", "FILE"}, 1, "not overwriting it"},
        {{"reset", "FILE"}, 1, "not overwriting it"}}},
      {"an empty file", Bytes(""), Program::StartsFresh,
       {{{"show", "FILE"}, 1, "it is empty"}, {{"reset", "FILE"}, 0, "Reset all profiles"}}},
      {"a missing file", [](const fs::path&) {}, Program::StartsFresh, {{{"show", "FILE"}, 1, "no such file"}}},
      {"one NUL byte in a value", Bytes(Replaced(settings, "LedMode=3", "LedMode=3\0"s)), Program::Loads,
       {{{"show", "FILE"}, 0, "colour #563412"}}},
      {"a stage record with a bad checksum",
       Bytes(Replaced(settings, dpi3, dpi3.substr(0, dpi3.size() - 1) + (dpi3.back() == '0' ? "1" : "0"))),
       Program::Loads,
       {{{"validate", "FILE"}, 0, "[Setting] DPI_INFO3: the checksum does not match the data; now unset"},
        {{"show", "FILE"}, 0, " 3: unset "}}},
      {"a stage record of odd length", Bytes(Replaced(settings, dpi3, dpi3 + "0")), Program::Loads,
       {{{"validate", "FILE"}, 0, "DPI_INFO3: 35 hexadecimal digits where 34 are expected; now unset"}}},
      {"a stage record with a character that is not a hex digit",
       Bytes(Replaced(settings, dpi3, Replaced(dpi3, "=0", "=G"))), Program::Loads,
       {{{"validate", "FILE"}, 0, "DPI_INFO3: character 1 is not a hexadecimal digit; now unset"}}},
      {"a button record cut short", Bytes(Replaced(settings, "ButtonAssigned3=0303", "ButtonAssigned3=03")),
       Program::Loads,
       {{{"validate", "FILE"}, 0, "[GROUP] ButtonAssigned3: 1288 hexadecimal digits where 1290 are expected"}}},
      {"an integer that is not a number", Bytes(WithLine("PollingRate", "PollingRate=fast")), Program::Loads,
       {{{"validate", "FILE"}, 0, "[Setting] PollingRate: \"fast\" is not a number; now 2"},
        {{"validate", "FILE"}, 0, "PollingRate: 0 -> 2"}}},
      {"an active profile out of range", Bytes(WithLine("Profile", "Profile=7")), Program::Loads,
       {{{"validate", "FILE"}, 0, "Profile: 7 -> 0"}}},
      {"a folder", [](const fs::path& file) { fs::create_directories(file); }, Program::SetsAside,
       {{{"show", "FILE"}, 1, "not a regular file"}}},
  };
#ifndef _WIN32
  rows.push_back({"a named pipe (reading it would wait for a writer)",
                  [](const fs::path& file) { ::mkfifo(file.c_str(), 0644); }, Program::SetsAside,
                  {{{"show", "FILE"}, 1, "not a regular file"}}, true});
  rows.push_back({"a symbolic link to a settings file elsewhere",
                  [settings](const fs::path& file) {
                    Bytes(settings)(file.parent_path() / "real.ini");
                    fs::create_symlink("real.ini", file);
                  },
                  Program::Loads,
                  {{{"import", "DIR/../exported.prof", "FILE"}, 0, "Imported"}},
                  true});
  rows.push_back({"temporary files of saves killed half-way",
                  [settings](const fs::path& file) {
                    Bytes(settings)(file);
                    Bytes("partial")(file.parent_path() / (".Mouse.ini.perix-" + std::to_string(EndedProcess()) + "-Kx9q2Z"));
                  },
                  Program::Loads, {}, true});
#endif
  return rows;
}

class FileProblems final : public FileProblemReporter {
 public:
  std::vector<FileProblem> reported;
  void ReportFileProblem(const FileProblem& problem) override { reported.push_back(problem); }
};

// A path as the program writes it ("...\\Mouse.ini") for the file system here.
fs::path Native(std::u16string_view path) {
  std::string text = Utf16ToUtf8(path);
#ifndef _WIN32
  std::replace(text.begin(), text.end(), '\\', '/');
#endif
  return fs::path(text);
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// One row's program column; an assertion ends only this row.
void CheckProgram(const Row& row) {
  test::TestFolder folder;
  const DataPaths paths = DataPathsUnder(folder.Path() + u"appdata");
  fs::create_directories(Native(paths.macroFolder));
  const fs::path file = Native(paths.settingsFile);
  row.setup(file);
  const bool isFile = fs::is_regular_file(file);
  const std::string before = isFile ? Contents(file) : "";

  test::RecordingServiceLink service;
  ConfigSession session(paths, service);
  FileProblems problems;
  session.SetProblemReporter(&problems);
  const FileOutcome outcome = session.LoadConfiguration();
  const bool marker = session.Live().LedColor == static_cast<std::int32_t>(kMarkerColour);
  switch (row.program) {
    case Program::Loads:
      EXPECT_TRUE(outcome.ok()) << Utf16ToUtf8(outcome.Reason()) << " " << Utf16ToUtf8(outcome.detail);
      EXPECT_TRUE(marker);
      EXPECT_TRUE(problems.reported.empty());
      break;
    case Program::StartsFresh:
      EXPECT_FALSE(marker);
      EXPECT_TRUE(problems.reported.empty());
      EXPECT_TRUE(fs::is_regular_file(file)) << "a new settings file";
      break;
    case Program::SetsAside: {
      EXPECT_FALSE(outcome.ok());
      EXPECT_FALSE(marker);
      ASSERT_EQ(problems.reported.size(), 1u);
      const FileProblem& told = problems.reported[0];
      EXPECT_EQ(told.action, FileAction::SetAside);
      EXPECT_EQ(told.status, FileStatus::Ok);
      const fs::path aside = Native(told.other);
      EXPECT_EQ(aside.parent_path(), file.parent_path());
      EXPECT_TRUE(aside.filename().string().starts_with("Mouse.ini.damaged-"));
      if (isFile) {
        EXPECT_EQ(Contents(aside), before) << "kept byte for byte";
      }
      EXPECT_NE(FileProblemText(told).find(told.other), std::u16string::npos);
      EXPECT_TRUE(fs::is_regular_file(file)) << "a new settings file";
      break;
    }
  }
  // Whatever happened, the next change is saved into a settings file the
  // program and the service can read, and nothing else is left around it.
  session.Live().LedMode = 4;
  ASSERT_EQ(session.SaveConfiguration(), FileStatus::Ok);
  const SettingsFile saved = ReadSettingsFile(paths.settingsFile);
  EXPECT_TRUE(saved.outcome.ok());
  EXPECT_EQ(saved.document.Value(u"Setting", u"LedMode"), u"4");
  for (const std::string& name : Entries(file.parent_path())) {
    EXPECT_TRUE(name == "Macro" || name == "Mouse.ini" || name == "real.ini" || name.starts_with("Mouse.ini.damaged-"))
        << name;
  }
}

TEST(HostileInput, TheProgramAtStartUp) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.input);
    CheckProgram(row);
  }
}

// Runs perixctl's command in this process and returns its exit code and all
// it printed.
// "--json" may follow the command.
std::pair<int, std::string> RunPerixctl(std::vector<std::string> args) {
  perixctl::Options options;
  const std::string command = args[0];
  args.erase(args.begin());
  if (!args.empty() && args[0] == "--json") {
    options.json = true;
    args.erase(args.begin());
  }
  if (!args.empty()) options.file = args[0];
  if (args.size() > 1) options.destination = args[1];
  std::ostringstream printed;
  std::streambuf* out = std::cout.rdbuf(printed.rdbuf());
  std::streambuf* err = std::cerr.rdbuf(printed.rdbuf());
  int code = -1;
  if (command == "show") code = perixctl::Show(options);
  if (command == "validate") code = perixctl::Validate(options);
  if (command == "export") code = perixctl::Export(options);
  if (command == "import") code = perixctl::Import(options);
  if (command == "reset") code = perixctl::Reset(options);
  if (command == "macro-list") code = perixctl::ListMacros(options);
  std::cout.rdbuf(out);
  std::cerr.rdbuf(err);
  return {code, printed.str()};
}

// One command of a row's perixctl column; an assertion ends only this command.
void CheckPerixctl(const Row& row, const Command& command) {
  test::TestFolder folder;
  fs::create_directories(folder.Native() / "data");
  const fs::path file = folder.Native() / "data" / "Mouse.ini";
  row.setup(file);
  // A profile file to import where a command needs one.
  ASSERT_EQ(RunPerixctl({"reset", (folder.Native() / "exported.prof").string()}).first, 0);
  fs::copy_file(folder.Native() / "exported.prof", folder.Native() / "data" / "other.prof");
  const bool isFile = fs::is_regular_file(file);
  const std::string before = isFile ? Contents(file) : "";

  std::vector<std::string> args;
  for (const std::string& arg : command.args) {
    std::string expanded = Replaced(arg, "FILE", file.string());
    args.push_back(Replaced(expanded, "DIR", (folder.Native() / "data").string()));
  }
  const auto [code, printed] = RunPerixctl(args);
  EXPECT_EQ(code, command.exitCode) << printed;
  EXPECT_NE(printed.find(command.output), std::string::npos) << printed;
  if (code != 0) {
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << "one line";
    if (isFile) {
      EXPECT_EQ(Contents(file), before) << "a refusal leaves the file alone";
    }
  }
}

TEST(HostileInput, Perixctl) {
  for (const Row& row : Rows()) {
    for (const Command& command : row.perixctl) {
      SCOPED_TRACE(std::string(row.input) + ": perixctl " + command.args[0]);
      CheckPerixctl(row, command);
    }
  }
}

#ifndef _WIN32
// Rows that need more than one file: links, names and what saves leave behind.
TEST(HostileInput, PerixctlWritesThroughLinksAndKeepsNames) {
  test::TestFolder folder;
  const fs::path real = folder.Native() / "real.ini";
  const fs::path link = folder.Native() / "link.ini";
  ASSERT_EQ(RunPerixctl({"reset", real.string()}).first, 0);
  fs::create_symlink("real.ini", link);
  ASSERT_EQ(RunPerixctl({"reset", (folder.Native() / "base.prof").string()}).first, 0);
  ASSERT_EQ(RunPerixctl({"import", (folder.Native() / "base.prof").string(), link.string()}).first, 0);
  EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
  EXPECT_NE(Contents(real).find("ProfileName=base"), std::string::npos) << "and its target holds the import";

  const std::string odd = "o\xff.prof";
  ASSERT_EQ(RunPerixctl({"export", real.string(), (folder.Native() / odd).string()}).first, 0);
  EXPECT_TRUE(fs::is_regular_file(folder.Native() / odd)) << "the name's bytes pass through unchanged";
  ASSERT_EQ(RunPerixctl({"import", (folder.Native() / odd).string(), real.string()}).first, 0);
  // Such a name in JSON output is shown with U+FFFD, and nothing ends early.
  for (const char* command : {"show", "validate", "macro-list"}) {
    const auto [code, printed] = RunPerixctl({command, "--json", (folder.Native() / odd).string()});
    EXPECT_EQ(code, 0) << command << ": " << printed;
  }

  const std::string stale = ".real.ini.perix-" + std::to_string(EndedProcess()) + "-Kx9q2Z";
  const std::string foreign = ".real.ini.Kx9q2Z";
  Bytes("partial")(folder.Native() / stale);
  Bytes("someone else's")(folder.Native() / foreign);
  ASSERT_EQ(RunPerixctl({"import", (folder.Native() / "base.prof").string(), link.string()}).first, 0);
  EXPECT_FALSE(fs::exists(folder.Native() / stale)) << "a killed save's leftover is removed";
  EXPECT_TRUE(fs::exists(folder.Native() / foreign)) << "another program's file is not";
}
#endif

}  // namespace
}  // namespace perix
