#include "buttons/KeyCapture.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/FunctionCatalogue.h"

namespace perix {
namespace {

constexpr unsigned kExtended = KeyFlag::Extended;
constexpr unsigned kRepeat = KeyFlag::Repeat;

ButtonAssignment KeyButton(std::uint8_t usage) {
  ButtonAssignment button{};
  button.FunctionCode = FunctionCode::Key;
  button.Param1 = 1;
  button.Param2 = 1;
  button.Data[1] = usage;
  return button;
}

std::vector<std::uint8_t> StoredBytes(const SingleKeyCapture& capture, ButtonAssignment button = {}) {
  capture.Store(button);
  return {button.FunctionCode, button.Param1, button.Param2, button.Data[0], button.Data[1], button.Data[2]};
}

TEST(KeyDialog, KeepsTheLastKeyPressedModifiersIncluded) {
  SingleKeyCapture capture(ButtonAssignment{});
  EXPECT_EQ(capture.DisplayText(), u"");
  capture.OnKeyMessage(KeyMessage::KeyDown, 0x11, 0x1D);  // Ctrl
  EXPECT_EQ(capture.DisplayText(), u"LCtrl ");
  capture.OnKeyMessage(KeyMessage::KeyDown, 'A', 0x1E);
  capture.OnKeyMessage(KeyMessage::KeyUp, 'A', 0x1E);
  capture.OnKeyMessage(KeyMessage::KeyUp, 0x11, 0x1D);
  EXPECT_EQ(capture.DisplayText(), u"A ");
  ASSERT_EQ(capture.EventCount(), 1);
  // FunctionCode, Param1, Param2, then the entry: a press of usage 0x04.
  EXPECT_EQ(StoredBytes(capture), (std::vector<std::uint8_t>{5, 1, 1, 0x00, 0x04, 0}));
}

TEST(KeyDialog, TellsLeftAndRightModifiersAndTheKeypadEnterApart) {
  struct Case {
    KeyMessage message;
    unsigned key;
    unsigned flags;
    std::u16string shown;
    std::uint8_t usage;
  };
  for (const Case& c : {
           Case{KeyMessage::SysKeyDown, 0x12, 0x38 | kExtended, u"RAlt ", 0xE6},
           Case{KeyMessage::SysKeyDown, 0x12, 0x38, u"LAlt ", 0xE2},
           Case{KeyMessage::KeyDown, 0x11, 0x1D | kExtended, u"RCtrl ", 0xE4},
           Case{KeyMessage::KeyDown, 0x10, 0x36, u"RShift ", 0xE5},
           Case{KeyMessage::KeyDown, 0x10, 0x2A, u"LShift ", 0xE1},
           Case{KeyMessage::KeyDown, 0x0D, 0x1C | kExtended, u"Enter ", 0x58},
           Case{KeyMessage::KeyDown, 0x0D, 0x1C, u"Enter ", 0x28},
           Case{KeyMessage::KeyDown, 0x2C, 0x37 | kExtended, u"Snapshot ", 0x46},
       }) {
    SingleKeyCapture capture(ButtonAssignment{});
    capture.OnKeyMessage(c.message, c.key, c.flags);
    EXPECT_EQ(capture.DisplayText(), c.shown) << c.key;
    EXPECT_EQ(StoredBytes(capture)[4], c.usage) << c.key;
  }
}

TEST(KeyDialog, RepeatsSpaceAndTheDialogsOwnKeys) {
  SingleKeyCapture capture(ButtonAssignment{});
  // Space is taken and never reaches the focused button, even repeated.
  EXPECT_TRUE(capture.OnKeyMessage(KeyMessage::KeyDown, 0x20, 0x39));
  EXPECT_TRUE(capture.OnKeyMessage(KeyMessage::KeyDown, 0x20, 0x39 | kRepeat));
  EXPECT_EQ(capture.DisplayText(), u"Space ");
  // Enter and Esc are captured and go on (the dialog must not close on them).
  EXPECT_FALSE(capture.OnKeyMessage(KeyMessage::KeyDown, 0x1B, 0x01));
  EXPECT_EQ(capture.DisplayText(), u"Esc ");
  EXPECT_FALSE(capture.OnKeyMessage(KeyMessage::KeyDown, 0x0D, 0x1C));
  EXPECT_EQ(capture.DisplayText(), u"Enter ");
  // A held key is captured once: its repeats change nothing.
  capture.OnKeyMessage(KeyMessage::KeyDown, 'Q', 0x10);
  capture.OnKeyMessage(KeyMessage::KeyDown, 0x1B, 0x01 | kRepeat);
  capture.OnKeyMessage(KeyMessage::SysKeyDown, 0x12, 0x38 | kRepeat);
  EXPECT_EQ(capture.DisplayText(), u"Q ");
}

TEST(KeyDialog, KeysItCannotStoreAreNotCaptured) {
  SingleKeyCapture capture(KeyButton(0x14));  // Q
  for (unsigned windowsKey : {0x5Bu, 0x5Cu, 0x5Du}) {
    capture.OnKeyMessage(KeyMessage::KeyDown, windowsKey, kExtended);
    capture.OnKeyMessage(KeyMessage::KeyUp, windowsKey, kExtended);
  }
  // Keys without a HID usage: F13, a Shift that names neither side, a media key.
  for (unsigned unstorable : {0x7Cu, 0x10u, 0xB3u}) capture.OnKeyMessage(KeyMessage::KeyDown, unstorable, 0);
  EXPECT_EQ(capture.DisplayText(), u"Q ");
  EXPECT_EQ(StoredBytes(capture), (std::vector<std::uint8_t>{5, 1, 1, 0x00, 0x14, 0}));
}

TEST(KeyDialog, OpensOnTheStoredKeyAndOkWithoutAKeyKeepsIt) {
  ButtonAssignment button = KeyButton(0x14);
  button.Data[2] = 0x80;  // a second entry the dialog does not show
  SingleKeyCapture capture(button);
  EXPECT_EQ(capture.DisplayText(), u"Q ");
  // A release that reaches the dialog first (a key let go after it opened)
  // does not take the shown key away.
  capture.OnKeyMessage(KeyMessage::KeyUp, 0x12, 0x38);
  EXPECT_EQ(StoredBytes(capture, button), (std::vector<std::uint8_t>{5, 1, 1, 0x00, 0x14, 0}));

  // A stored usage that no key names is kept, not turned into 0.
  SingleKeyCapture unnamed(KeyButton(0x64));
  EXPECT_EQ(StoredBytes(unnamed)[4], 0x64);

  // Nothing stored and nothing pressed: no entry.
  SingleKeyCapture empty(ButtonAssignment{});
  EXPECT_EQ(StoredBytes(empty, KeyButton(0x14)), (std::vector<std::uint8_t>{5, 1, 0, 0, 0, 0}));
}

TEST(KeyCapture, ListsPressesAndTheReleasesThatFollowThem) {
  KeyCapture capture;
  EXPECT_EQ(capture.AddKeyEvent(true, 'A', 0), -1) << "a release without its press";
  EXPECT_EQ(capture.AddKeyEvent(false, 'A', 0), 0);
  EXPECT_EQ(capture.AddKeyEvent(true, 'B', 0), -1);
  EXPECT_EQ(capture.AddKeyEvent(true, 'A', 0), 0);
  EXPECT_EQ(capture.AddKeyEvent(true, 'A', 0), -1) << "released twice";
  EXPECT_EQ(capture.AddKeyEvent(false, 0x11, kExtended), 0);
  EXPECT_EQ(capture.AddKeyEvent(true, 0x11, kExtended), 0) << "the release of RCtrl follows RCtrl";
  EXPECT_EQ(capture.Events()[2].VirtualKey, 0xA3);
  EXPECT_EQ(capture.Events()[3].IsRelease, 1);

  KeyCapture full;
  for (int i = 0; i < KeyCapture::kMaxEvents; ++i) ASSERT_EQ(full.AddKeyEvent(i % 2 == 1, 'K', 0), 0);
  EXPECT_EQ(full.AddKeyEvent(false, 'K', 0), -1);
  EXPECT_EQ(full.EventCount(), 60);
}

}  // namespace
}  // namespace perix
