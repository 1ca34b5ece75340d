// The macro editor's operations on the records and the keyboard recorder,
// with a clock the tests set.

#include <gtest/gtest.h>

#include <vector>

#include "macros/MacroEditor.h"
#include "macros/MacroRecorder.h"

namespace perix {
namespace {

using Records = std::vector<MacroRecord>;

constexpr MacroRecord kPause10 = {0x06, 1, 0};

Records RecordsOf(const MacroEditor& editor) {
  return Records(editor.Buffer().Records, editor.Buffer().Records + editor.RecordCount());
}

// An editor holding `count` key presses of A..., the last one selected.
MacroEditor EditorWith(int count) {
  MacroEditor editor;
  for (int i = 0; i < count; ++i) editor.Append(KeyRecord(static_cast<std::uint8_t>(0x04 + i % 26), true));
  editor.Select(count - 1);
  return editor;
}

TEST(MacroEditor, ClicksTakeThePausesTheModeAsksFor) {
  // No pauses, nothing selected: press and release only.
  MacroEditor none;
  ASSERT_TRUE(none.InsertClick(1, 0));
  EXPECT_EQ(RecordsOf(none), (Records{{0x81, 1, 0}, {0x01, 1, 0}}));
  EXPECT_EQ(none.Selected(), 1);

  // After a key line: a pause before the press and between press and release.
  MacroEditor afterKey = EditorWith(2);
  afterKey.Select(0);
  ASSERT_TRUE(afterKey.InsertClick(2, 10));
  EXPECT_EQ(RecordsOf(afterKey), (Records{KeyRecord(0x04, true), kPause10, {0x81, 2, 0}, kPause10, {0x01, 2, 0},
                                          KeyRecord(0x05, true)}));
  EXPECT_EQ(afterKey.Selected(), 4) << "the last line inserted";

  // After a pause line: no pause before, one more after the release.
  MacroEditor afterPause;
  afterPause.Append(DelayRecord(500));
  afterPause.Select(0);
  ASSERT_TRUE(afterPause.InsertClick(3, 30));
  const MacroRecord pause30 = DelayRecord(30);
  EXPECT_EQ(RecordsOf(afterPause), (Records{DelayRecord(500), {0x81, 4, 0}, pause30, {0x01, 4, 0}, pause30}));
}

TEST(MacroEditor, MovementsGoAloneIntoAnEmptyListAndBetweenPausesAfterALine) {
  MacroEditor editor;
  ASSERT_TRUE(editor.InsertMovement(MoveDirection::Up, 10));
  EXPECT_EQ(RecordsOf(editor), (Records{{0x02, 0, 0xF6}}));
  ASSERT_TRUE(editor.InsertMovement(MoveDirection::Right, 10));
  EXPECT_EQ(RecordsOf(editor), (Records{{0x02, 0, 0xF6}, kPause10, {0x02, 0x0A, 0}, kPause10}));
  EXPECT_EQ(editor.Selected(), 3);
}

TEST(MacroEditor, InsertionsStopAt56RecordsAndPastesAt60) {
  MacroEditor editor = EditorWith(55);
  EXPECT_TRUE(editor.InsertClick(1, 10));
  EXPECT_EQ(editor.RecordCount(), 59);

  MacroEditor full = EditorWith(56);
  EXPECT_FALSE(full.InsertClick(1, 10));
  EXPECT_FALSE(full.InsertMovement(MoveDirection::Left, 0));
  EXPECT_EQ(full.RecordCount(), 56);

  full.Copy();
  for (int i = 56; i < 60; ++i) EXPECT_TRUE(full.Paste());
  EXPECT_FALSE(full.Paste());
  EXPECT_EQ(full.RecordCount(), 60);
}

TEST(MacroEditor, MovedAndPastedMovementsStayMovements) {
  MacroEditor editor = EditorWith(3);
  editor.Select(1);
  ASSERT_TRUE(editor.InsertMovement(MoveDirection::Down, 0));  // line 2
  ASSERT_TRUE(editor.MoveUp());
  ASSERT_TRUE(editor.MoveUp());
  EXPECT_EQ(editor.Selected(), 0);
  EXPECT_FALSE(editor.MoveUp());
  EXPECT_EQ(editor.Lines()[0].marker, ActionMarker::Movement);

  editor.Copy();
  editor.Select(2);
  ASSERT_TRUE(editor.Paste());
  EXPECT_EQ(editor.Selected(), 3);
  EXPECT_EQ(editor.Record(3), MouseMoveRecord(0, 10));
  EXPECT_EQ(editor.Lines()[3].marker, ActionMarker::Movement);

  editor.Select(-1);
  ASSERT_TRUE(editor.Paste());
  EXPECT_EQ(editor.Record(0), MouseMoveRecord(0, 10)) << "nothing selected: at the top";

  editor.Select(editor.RecordCount() - 1);
  EXPECT_FALSE(editor.MoveDown());
  editor.Select(0);
  ASSERT_TRUE(editor.MoveDown());
  EXPECT_EQ(editor.Lines()[1].marker, ActionMarker::Movement);
}

TEST(MacroEditor, DeletingAndCuttingKeepASelectionWhileLinesRemain) {
  MacroEditor editor = EditorWith(3);
  ASSERT_TRUE(editor.DeleteSelected());  // the last line
  EXPECT_EQ(editor.Selected(), 1);
  EXPECT_EQ(editor.Buffer().Records[2], MacroRecord{}) << "the freed slot is zeroed";
  editor.Select(0);
  ASSERT_TRUE(editor.Cut());
  EXPECT_EQ(editor.Selected(), 0);
  ASSERT_TRUE(editor.DeleteSelected());
  EXPECT_EQ(editor.Selected(), -1);
  EXPECT_FALSE(editor.DeleteSelected());
  EXPECT_FALSE(editor.Cut());
  ASSERT_TRUE(editor.Paste());
  EXPECT_EQ(RecordsOf(editor), (Records{KeyRecord(0x04, true)}));
}

TEST(MacroEditor, PausesAndDistancesAreEditedInPlace) {
  MacroEditor editor;
  editor.Append(DelayRecord(100));
  editor.Append(MouseMoveRecord(-10, 0));
  editor.Append(MouseMoveRecord(0, 0));  // a movement without direction
  ASSERT_TRUE(editor.SetPause(0, 1505));
  EXPECT_EQ(editor.Record(0), (MacroRecord{0x06, 150, 0}));
  EXPECT_EQ(editor.Lines()[0].text, u"1500 MS");
  ASSERT_TRUE(editor.SetDistance(1, 119));
  EXPECT_EQ(editor.Record(1), (MacroRecord{0x02, static_cast<std::uint8_t>(-119), 0}));
  EXPECT_EQ(ReadMoveStep(editor.Record(1)).direction, MoveDirection::Left);
  EXPECT_FALSE(editor.SetDistance(2, 5));
  EXPECT_FALSE(editor.SetPause(1, 100)) << "not a pause line";
}

class FakeClock final : public MacroClock {
 public:
  std::uint32_t now = 100000;
  std::uint32_t Milliseconds() override { return now; }
};

class RecorderTest : public testing::Test {
 protected:
  // One event `after` milliseconds after the previous one.
  bool Key(unsigned virtualKey, unsigned flags, std::uint32_t after = 0, DelayMode mode = DelayMode::Recorded,
           int fixed = 10) {
    clock.now += after;
    return recorder.OnHookKey(virtualKey, flags, mode, fixed);
  }

  MacroEditor editor;
  FakeClock clock;
  MacroRecorder recorder{editor, clock};
};

constexpr unsigned kA = 0x41;
constexpr unsigned kRelease = 0x80;

TEST_F(RecorderTest, PausesMeasureTheTimeBetweenEventsIn10MsSteps) {
  recorder.Start(false);
  EXPECT_TRUE(Key(kA, 0, 5000));
  EXPECT_TRUE(Key(kA, kRelease, 250));
  EXPECT_EQ(RecordsOf(editor), (Records{{0x84, 0x04, 0}, {0x06, 25, 0}, {0x04, 0x04, 0}}));
  EXPECT_EQ(editor.Selected(), 2);

  EXPECT_TRUE(Key('B', 0, 123));
  EXPECT_EQ(editor.Record(3), (MacroRecord{0x06, 12, 0}));
  EXPECT_TRUE(Key('B', kRelease, 5));
  EXPECT_EQ(editor.Record(5), KeyRecord(0x05, false)) << "under 10 ms: no pause";
  EXPECT_TRUE(Key('C', 0, 70000));
  EXPECT_EQ(editor.Record(6), (MacroRecord{0x06, 0x99, 0x19})) << "6553 units at most";
}

TEST_F(RecorderTest, HeldKeysOddEventsAndStoppedRecordingsAddNothing) {
  EXPECT_FALSE(Key(kA, 0)) << "not recording";
  recorder.Start(false);
  EXPECT_TRUE(Key(kA, 0));
  EXPECT_FALSE(Key(kA, 0, 30));
  EXPECT_FALSE(Key(kA, 0, 30));
  EXPECT_FALSE(Key(kA, 0x42, 30)) << "flags of no key event";
  EXPECT_FALSE(Key(0x1234, 0, 30)) << "no virtual key";
  EXPECT_EQ(editor.RecordCount(), 1);

  // The last event survives into the next recording: the key still held
  // does not start it with another press.
  recorder.Stop();
  recorder.Start(false);
  EXPECT_FALSE(Key(kA, 0, 30));
  EXPECT_TRUE(Key(kA, kRelease, 30));
  EXPECT_EQ(editor.Record(1), KeyRecord(0x04, false)) << "first event of a recording: no pause";
}

TEST_F(RecorderTest, UnknownKeysAreStoredAsUsage0AndKeepTheirName) {
  recorder.Start(false);
  ASSERT_TRUE(Key(0xAD, 1));  // the mute key has a name but no keyboard usage
  EXPECT_EQ(editor.Record(0), KeyRecord(0, true));
  EXPECT_EQ(editor.Lines()[0].text, u"Mute");
  ASSERT_TRUE(Key(0x5C, 1, 20));
  EXPECT_EQ(editor.Lines()[2].text, u"Right Windows");
}

TEST_F(RecorderTest, EventsStopAt58Records) {
  for (int i = 0; i < 56; ++i) editor.Append(KeyRecord(0x04, true));
  recorder.Start(false);
  EXPECT_TRUE(Key('B', 0, 100));
  EXPECT_EQ(editor.RecordCount(), 57);
  EXPECT_TRUE(Key('B', kRelease, 100)) << "pause and key";
  EXPECT_EQ(editor.RecordCount(), 59);
  EXPECT_FALSE(Key('C', 0, 100));
  EXPECT_EQ(editor.RecordCount(), 59);
}

TEST_F(RecorderTest, FixedAndNoPauseModes) {
  recorder.Start(false);
  EXPECT_TRUE(Key(kA, 0, 1000, DelayMode::Fixed, 50));
  EXPECT_TRUE(Key(kA, kRelease, 1000, DelayMode::Fixed, 50));
  EXPECT_TRUE(Key('B', 0, 3, DelayMode::Fixed, 50));
  EXPECT_TRUE(Key('B', kRelease, 3000, DelayMode::None));
  EXPECT_EQ(RecordsOf(editor), (Records{KeyRecord(0x04, true), {0x06, 5, 0}, KeyRecord(0x04, false), {0x06, 5, 0},
                                        KeyRecord(0x05, true), KeyRecord(0x05, false)}));
}

TEST_F(RecorderTest, AnInsertingRecordingPutsEventsAfterTheSelectedLine) {
  for (std::uint8_t usage = 0x1E; usage < 0x23; ++usage) editor.Append(KeyRecord(usage, true));  // 1..5
  editor.Select(2);
  recorder.Start(true);
  ASSERT_TRUE(Key(kA, 0, 10));
  ASSERT_TRUE(Key(kA, kRelease, 200));
  EXPECT_EQ(RecordsOf(editor), (Records{KeyRecord(0x1E, true), KeyRecord(0x1F, true), KeyRecord(0x20, true),
                                        KeyRecord(0x04, true), {0x06, 20, 0}, KeyRecord(0x04, false),
                                        KeyRecord(0x21, true), KeyRecord(0x22, true)}));
  EXPECT_EQ(editor.Selected(), 5);
}

TEST_F(RecorderTest, PausesSpanAWrapOfTheClock) {
  clock.now = 0xFFFFFF00u;
  recorder.Start(false);
  ASSERT_TRUE(Key(kA, 0));
  ASSERT_TRUE(Key(kA, kRelease, 0x200));
  EXPECT_EQ(DelayMilliseconds(editor.Record(1)), 510);
}

}  // namespace
}  // namespace perix
