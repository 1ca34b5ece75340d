#pragma once
// Switches for the program's own checks, not meant for users (the program
// has no command line of its own): the end-to-end leak test and the
// benchmark start the program with them.
//
//   --report FILE           write the results below to FILE (UTF-8 lines)
//   --stress ROUNDS         after start-up, switch pages, repaint and open and
//                           close a popup menu ROUNDS times, report whether
//                           the GDI and USER object counts stayed flat, close
//   --bench-pages COUNT     time COUNT page switches with their repaint, close
//   --ready-event NAME      set the named event once the window first painted
//   --memory-tour FILE      for a memory figure taken from outside: after
//                           start-up, after visiting every page, and after a
//                           thousand page switches, write "memory-phase
//                           start|pages|switches" to the report and wait
//                           until FILE exists (the reader made it), delete
//                           it and go on; close after the last
//
// Every report also carries the start-up figures: milliseconds from process
// creation to the end of the first paint (the window and all its controls),
// the time charged to each phase of start-up (StartupClock.h), and how often
// the string table was parsed.

#include <cstdio>
#include <string>

#include "framework/StartupClock.h"

namespace perix::win {

struct DiagnosticOptions {
  std::wstring reportFile;
  std::wstring readyEvent;
  std::wstring memoryTourFile;
  int stressRounds = 0;
  int benchPageSwitches = 0;

  // Whether the window runs one of the checks once it is up.
  bool RunsChecks() const { return stressRounds > 0 || benchPageSwitches > 0 || !memoryTourFile.empty(); }
};

DiagnosticOptions ParseDiagnosticOptions(int argc, wchar_t** argv);

// Appends lines to the report file, if there is one.
class CDiagnosticReport {
 public:
  explicit CDiagnosticReport(const std::wstring& path);
  ~CDiagnosticReport();
  CDiagnosticReport(const CDiagnosticReport&) = delete;
  CDiagnosticReport& operator=(const CDiagnosticReport&) = delete;

  void Line(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  std::FILE* m_file = nullptr;  // owned
};

}  // namespace perix::win
