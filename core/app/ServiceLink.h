#pragma once
// The link to the device service, the separate process that owns the mouse.
// It is found by its top-level window; messages carry at most two integers and
// all data travels through "Mouse.ini", which is always written before a post.

#include <cstdint>

namespace perix {

inline constexpr char16_t kServiceWindowTitle[] = u"ZELT-7700MouseHid";

// Notifications posted to the service.
namespace ServiceMessage {
inline constexpr unsigned Lighting = 1227;              // 0, 0
inline constexpr unsigned PollingRate = 1277;           // 0, rate code
inline constexpr unsigned ConfigurationApplied = 1279;  // 0, 0
inline constexpr unsigned WheelScrollLines = 1295;      // 0, 0
inline constexpr unsigned DoubleClickSpeed = 1296;      // 0, 0
inline constexpr unsigned DpiOrPointer = 1297;          // 0, 0 for the DPI stage; 255, 255 for acceleration
inline constexpr unsigned Profile = 1298;               // 0, 0
inline constexpr unsigned ButtonAssignment = 1299;      // profile index, button index
inline constexpr unsigned Macro = 1300;                 // macro slot, 0
inline constexpr unsigned DpiLevel = 1302;              // stage index, 0
}  // namespace ServiceMessage

// Requests the service posts to the utility's window.
namespace ServiceRequest {
inline constexpr unsigned Request = 1034;            // lParam: 11, 12, 18, 20, 22
inline constexpr unsigned DpiStagesChanged = 1224;   // reload the DPI stages
inline constexpr unsigned DeviceReset = 1280;        // after a polling-rate change, or an unplug
inline constexpr unsigned DeviceChanged = 1285;      // wParam kind 8, 9, 10; lParam value
inline constexpr unsigned HidePages = 1294;          // show the page without controls
}  // namespace ServiceRequest

// What a Request (1034) asks for, in its lParam.
namespace RequestKind {
inline constexpr std::intptr_t ResetActiveProfile = 11;
inline constexpr std::intptr_t ApplyConfiguration = 12;
inline constexpr std::intptr_t Ignored18 = 18;  // answered, nothing to do
inline constexpr std::intptr_t Ignored20 = 20;  // answered, nothing to do
inline constexpr std::intptr_t OpenHelp = 22;
}  // namespace RequestKind

// What the device changed by itself, in the wParam of DeviceChanged (1285).
namespace DeviceChange {
inline constexpr std::uintptr_t Stage = 8;    // lParam: the active stage
inline constexpr std::uintptr_t Profile = 9;  // lParam: the active profile
inline constexpr std::uintptr_t LedMode = 10; // lParam: the lighting mode as one bit
}  // namespace DeviceChange

class ServiceLink {
 public:
  virtual ~ServiceLink() = default;
  // Looks the service window up afresh and posts the message when it exists;
  // never waits for an answer. True when the message was posted.
  virtual bool Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

// The system's service link: on Windows the service's window; elsewhere there
// is never a service to find.
ServiceLink& DefaultServiceLink();

}  // namespace perix
