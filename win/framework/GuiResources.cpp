#include "framework/GuiResources.h"

#include <cstdint>

#include "framework/Win32.h"

#include <winternl.h>

namespace perix::win {
namespace {

// An entry of the GDI handle table the process environment block points to
// (x86-64 layout); a live object has a non-zero kernel object field.
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t type;
  std::uint16_t unique;
  std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t kGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x86-64
constexpr int kGdiTableEntries = 0x10000;

const std::uint8_t* ProcessEnvironmentBlock() {
  using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto query = ntdll ? reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")))
                     : nullptr;
  PROCESS_BASIC_INFORMATION info{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return nullptr;
  return reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
}

int CountGdiTable() {
  const std::uint8_t* peb = ProcessEnvironmentBlock();
  if (!peb) return -1;
  const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiTableOffset);
  if (!table) return -1;
  int live = 0;
  for (int i = 0; i < kGdiTableEntries; ++i) {
    if (table[i].object != 0) ++live;
  }
  return live;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  EnumChildWindows(hwnd, &CountChild, counter);
  return TRUE;
}

}  // namespace

int GdiObjectCount() {
  const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  return n != 0 ? static_cast<int>(n) : CountGdiTable();
}

int UserObjectCount() {
  const DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (n != 0) return static_cast<int>(n);
  int windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace perix::win
