#pragma once

#include <string>

namespace perixctl {

struct Options {
  std::string file;         // UTF-8
  std::string destination;  // UTF-8
  std::string strings;      // UTF-8; the string file, when given
  bool json = false;
};

// Each prints its result to stdout, or one line to stderr on failure, and
// returns the process exit code. Nothing is written when a command fails.
int Show(const Options& options);
int Validate(const Options& options);
int Export(const Options& options);
int Import(const Options& options);
int Reset(const Options& options);
int ShowMacro(const Options& options);

}  // namespace perixctl
