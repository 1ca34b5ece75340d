#pragma once

#include <string>

namespace perixctl {

struct Options {
  std::string file;         // UTF-8
  std::string destination;  // UTF-8
  std::string strings;      // UTF-8; the string file, when given
  std::string settings;     // UTF-8; the settings file whose macro library names a macro
  bool json = false;
};

// Each prints its result to stdout, or one line to stderr on failure, and
// returns the process exit code. Nothing is written when a command fails.
int Show(const Options& options);
int Validate(const Options& options);
int Export(const Options& options);
int Import(const Options& options);
int Reset(const Options& options);
// The macro of a file, or, with `settings`, the library macro named `file`.
int ShowMacro(const Options& options);
// The macro library of a settings file: slots, library entries, names and
// whether each macro's file is in the macro folder beside it.
int ListMacros(const Options& options);

}  // namespace perixctl
