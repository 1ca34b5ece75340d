#pragma once
// Static message tables: each window class lists the window messages and
// control commands it handles and the member function that handles each.
//
//   class CThing : public CWindowBase {
//     PERIX_DECLARE_MESSAGE_TABLE();
//     LRESULT OnPaint(WPARAM, LPARAM);
//     LRESULT OnOkClicked(WPARAM, LPARAM);
//   };
//   PERIX_BEGIN_MESSAGE_TABLE(CThing, CWindowBase)
//     OnMessage<&CThing::OnPaint>(WM_PAINT),
//     OnCommand<&CThing::OnOkClicked>(IDOK),
//   PERIX_END_MESSAGE_TABLE(CThing, CWindowBase)
//
// A message goes to the first matching entry of the most derived class, then
// of its bases in turn; without a match it gets the default processing.
// Handlers take the message's wParam and lParam and return its result; a
// handler that wants the default processing too calls Default().
// PERIX_DECLARE_MESSAGE_TABLE leaves the class in its private section:
// repeat an access specifier after it when more public members follow.

#include <cstddef>
#include <iterator>

#include "framework/Win32.h"

namespace perix::win {

class CWindowBase;

using MessageThunk = LRESULT (*)(CWindowBase&, WPARAM, LPARAM);

inline constexpr UINT kAnyNotification = 0xFFFFFFFFu;

struct MessageEntry {
  enum class Kind : unsigned char {
    Message,    // the message `message`
    Command,    // WM_COMMAND from controls firstId..lastId with notification `code`
    Reflected,  // `message` (WM_DRAWITEM, WM_CTLCOLOR...) that the parent passes back to the control it is about
  };
  Kind kind = Kind::Message;
  UINT message = 0;
  UINT firstId = 0;
  UINT lastId = 0;
  UINT code = kAnyNotification;
  MessageThunk thunk = nullptr;
};

struct MessageTable {
  const MessageTable* base = nullptr;
  const MessageEntry* entries = nullptr;
  std::size_t count = 0;
};

namespace detail {

template <class F>
struct HandlerOf;

template <class T>
struct HandlerOf<LRESULT (T::*)(WPARAM, LPARAM)> {
  using Class = T;
};

template <auto Handler>
LRESULT Thunk(CWindowBase& window, WPARAM wParam, LPARAM lParam) {
  using T = typename HandlerOf<decltype(Handler)>::Class;
  return (static_cast<T&>(window).*Handler)(wParam, lParam);
}

}  // namespace detail

template <auto Handler>
constexpr MessageEntry OnMessage(UINT message) {
  return {MessageEntry::Kind::Message, message, 0, 0, kAnyNotification, &detail::Thunk<Handler>};
}

template <auto Handler>
constexpr MessageEntry OnCommand(UINT id, UINT code = kAnyNotification) {
  return {MessageEntry::Kind::Command, WM_COMMAND, id, id, code, &detail::Thunk<Handler>};
}

template <auto Handler>
constexpr MessageEntry OnCommandRange(UINT firstId, UINT lastId, UINT code = kAnyNotification) {
  return {MessageEntry::Kind::Command, WM_COMMAND, firstId, lastId, code, &detail::Thunk<Handler>};
}

template <auto Handler>
constexpr MessageEntry OnReflected(UINT message) {
  return {MessageEntry::Kind::Reflected, message, 0, 0, kAnyNotification, &detail::Thunk<Handler>};
}

}  // namespace perix::win

#define PERIX_DECLARE_MESSAGE_TABLE()                                 \
 public:                                                              \
  static const ::perix::win::MessageTable kMessageTable;              \
                                                                      \
 protected:                                                           \
  const ::perix::win::MessageTable& GetMessageTable() const override; \
                                                                      \
 private:                                                             \
  static const ::perix::win::MessageEntry kMessageEntries[]

#define PERIX_BEGIN_MESSAGE_TABLE(Class, Base)                                                   \
  const ::perix::win::MessageTable& Class::GetMessageTable() const { return kMessageTable; } \
  const ::perix::win::MessageEntry Class::kMessageEntries[] = {
#define PERIX_END_MESSAGE_TABLE(Class, Base)                          \
  }                                                                   \
  ;                                                                   \
  const ::perix::win::MessageTable Class::kMessageTable{&Base::kMessageTable, Class::kMessageEntries, \
                                                       std::size(Class::kMessageEntries)};
