#pragma once
// One rule, used everywhere (the start-up load, saves, profile import and
// export, perixctl), for whether a file holds text of the kind the program
// reads, with an honest reason when it does not. The platform's readers take
// any bytes and find nothing in a file they cannot read as INI text; writing
// into such a file would mix the program's keys into whatever the file held,
// so it is refused instead, and a settings file at start-up is set aside.

#include <initializer_list>
#include <string>
#include <string_view>

#include "store/IniDocument.h"

namespace perix {

enum class ContentsKind {
  Empty,          // nothing but blanks (and a byte-order mark): nothing to lose
  Understood,     // holds at least one of the sections asked for
  NotUnderstood,  // anything else; `reason` says what it looks like
};

struct ContentsCheck {
  ContentsKind kind = ContentsKind::NotUnderstood;
  std::u16string reason;  // for the user, when not understood ("it is empty" for Empty)
};

// A settings ("Mouse.ini") or profile (".prof") file: INI text with a section
// the program writes there: "Setting", "GROUP".."GROUP4" or "MACRO_LIST".
// Stray NULs or control characters in an otherwise readable file do not
// matter: the platform reads it, and so does the program.
ContentsCheck CheckSettingsContents(std::string_view bytes, const IniDocument& document);

// A macro file: INI text with the section "Setting".
ContentsCheck CheckMacroContents(std::string_view bytes, const IniDocument& document);

// Any INI file: text with at least one named section.
ContentsCheck CheckIniContents(std::string_view bytes, const IniDocument& document);

}  // namespace perix
