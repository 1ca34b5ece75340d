#include <gtest/gtest.h>

#include "buttons/NumberEntry.h"

namespace perix {
namespace {

TEST(NumberEntry, KeepsTheTypedNumberWithinOneAndTheLimit) {
  NumberEntry pause(1500);
  EXPECT_EQ(pause.Text(), u"1500");
  EXPECT_EQ(pause.OnTextChanged(u"1505"), std::nullopt);
  EXPECT_EQ(pause.Value(), 1505);
  EXPECT_EQ(pause.OnTextChanged(u""), u"1");
  EXPECT_EQ(pause.Value(), 1);
  EXPECT_EQ(pause.OnTextChanged(u"999999"), u"131070");
  EXPECT_EQ(pause.Value(), 131070);

  // A movement's distance stops at 119, so a step never turns round.
  NumberEntry distance(10, 119, u"New distance");
  EXPECT_EQ(distance.OnTextChanged(u"120"), u"119");
  EXPECT_EQ(distance.Value(), 119);
  EXPECT_EQ(distance.OnTextChanged(u"0"), u"1");
  // A value the caller stored out of range opens clamped.
  EXPECT_EQ(NumberEntry(250, 119).Text(), u"119");
  EXPECT_EQ(NumberEntry(0).Text(), u"1");
}

}  // namespace
}  // namespace perix
