#pragma once
// Turns one notification of the utility into a log line, reading the
// "Mouse.ini" values it concerns the way the device service does: through
// the platform's private-profile functions, at the moment the message
// arrives (the utility writes the file completely before posting).

#include <windows.h>

#include <string>

namespace standin {

// "<message> <Name> w=<wParam> l=<lParam>" followed by "key=value" fields,
// UTF-8, without a line end. Never fails: parameters that point outside the
// file's layout give "error=out-of-range", unreadable blobs "=unreadable".
std::string DecodeNotification(const std::wstring& iniPath, UINT message, WPARAM wParam, LPARAM lParam);

// The name the log gives a message, or "Unknown".
const char* NotificationName(UINT message, WPARAM wParam, LPARAM lParam);

// The same for the requests the service sends to the utility.
const char* RequestName(UINT message);

}  // namespace standin
