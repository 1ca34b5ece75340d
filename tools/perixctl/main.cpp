// perixctl: shows, checks, exports and imports the utility's configuration
// files from the command line, with the same rules as the utility.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "Commands.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int Run(int argc, char** argv) {
  CLI::App app{"perixctl: show, check, export and import ZELT-7700 PERIX configuration files"};
  app.require_subcommand(1);
  app.failure_message([](const CLI::App*, const CLI::Error& error) {
    return std::string("perixctl: ") + error.what() + " (see perixctl --help)\n";
  });

  perixctl::Options options;
  auto* show = app.add_subcommand("show", "print the configuration of a settings or profile file");
  show->add_option("FILE", options.file, "settings (Mouse.ini) or profile (.prof) file")->required();
  show->add_flag("--json", options.json, "print JSON");

  auto* validate = app.add_subcommand("validate", "list the repairs validation would make to a file");
  validate->add_option("FILE", options.file, "settings or profile file")->required();
  validate->add_flag("--json", options.json, "print JSON");

  auto* exportCommand = app.add_subcommand("export", "save a settings file's configuration as a profile file");
  exportCommand->add_option("SETTINGS", options.file, "settings file to read")->required();
  exportCommand->add_option("DEST", options.destination, "profile file to write")->required();

  auto* importCommand = app.add_subcommand("import", "load a profile file into a settings file");
  importCommand->add_option("SRC", options.file, "profile file to read")->required();
  importCommand->add_option("SETTINGS", options.destination, "settings file to replace")->required();

  auto* reset = app.add_subcommand("reset", "give all five profiles their factory settings (creates the file if needed)");
  reset->add_option("SETTINGS", options.file, "settings file")->required();

  auto* macro = app.add_subcommand("macro", "work with macro files");
  macro->require_subcommand(1);
  auto* macroShow = macro->add_subcommand("show", "print a macro's steps as the macro page lists them");
  macroShow->add_option("MACRO", options.file, "macro file (.macro), or with --settings a library macro's name")
      ->required();
  macroShow->add_option("--settings", options.settings,
                        "settings file (Mouse.ini) whose macro library holds MACRO; its file is read from the "
                        "\"Macro\" folder beside it");
  macroShow->add_option("--strings", options.strings, "string file (Strings.xml) for the names of mouse actions");
  macroShow->add_flag("--json", options.json, "print JSON");
  auto* macroList = macro->add_subcommand("list", "list the macro library of a settings file: slots and names");
  macroList->add_option("SETTINGS", options.file, "settings file (Mouse.ini)")->required();
  macroList->add_flag("--json", options.json, "print JSON");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  }

  if (*show) return perixctl::Show(options);
  if (*validate) return perixctl::Validate(options);
  if (*exportCommand) return perixctl::Export(options);
  if (*importCommand) return perixctl::Import(options);
  if (*reset) return perixctl::Reset(options);
  if (*macroShow) return perixctl::ShowMacro(options);
  if (*macroList) return perixctl::ListMacros(options);
  return 2;
}

}  // namespace

#ifdef _WIN32
// Arguments arrive as UTF-16 and are handed on as UTF-8; output is UTF-8.
int wmain(int argc, wchar_t** argv) {
  ::SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> utf8;
  for (int i = 0; i < argc; ++i) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), size, nullptr, nullptr);
    utf8.push_back(std::move(arg));
  }
  std::vector<char*> pointers;
  for (std::string& arg : utf8) pointers.push_back(arg.data());
  return Run(argc, pointers.data());
}
#else
int main(int argc, char** argv) { return Run(argc, argv); }
#endif
