// Today's best table: six-digit texts ranked as text, ties keeping the older
// score above.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "game/todays_best.h"
#include "game/world.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

using Table = std::array<std::string, 3>;
using TodaysBestTest = testing::WorldTest;

TEST(PadLeftTest, PadsCutsAndUsesTheFirstFillCharacter) {
  EXPECT_EQ(pad_left("42", 6, "0"), "000042");
  EXPECT_EQ(pad_left("42", 5, "*-"), "***42");
  EXPECT_EQ(pad_left("123456", 6, "0"), "123456");
  EXPECT_EQ(pad_left("1234567", 6, "0"), "123456");
  EXPECT_EQ(pad_left("abc", 0, "0"), "");
  EXPECT_EQ(pad_left("abc", -2, "0"), "");
  EXPECT_EQ(pad_left("", 3, "0"), "000");
  EXPECT_EQ(pad_left("7", 3, ""), "7");
}

TEST_F(TodaysBestTest, TodaysBestInsert) {
  struct Case {
    const char* what;
    Table before;
    int score;
    Table after;
  };
  const Table start = {"000500", "000400", "000300"};
  const Case cases[] = {
      {"zero never enters", {"000000", "000000", "000000"}, 0, {"000000", "000000", "000000"}},
      {"first score", {"000000", "000000", "000000"}, 25, {"000025", "000000", "000000"}},
      {"new best moves the others down", start, 900, {"000900", "000500", "000400"}},
      {"second place", start, 450, {"000500", "000450", "000400"}},
      {"tie with the second goes below it", start, 400, {"000500", "000400", "000400"}},
      {"tie with the third changes nothing", start, 300, start},
      {"too low", start, 299, start},
      {"seven digits keep the first six", start, 1234567, {"123456", "000500", "000400"}},
      {"cut text ranks as text",
       {"200000", "000000", "000000"},
       1999999,
       {"200000", "199999", "000000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    todays_best = c.before;
    todays_best_insert(c.score, 0);
    EXPECT_EQ(todays_best, c.after);
  }
}

TEST_F(TodaysBestTest, InsertReturnsTheLargerOfScoreAndHighScore) {
  EXPECT_EQ(todays_best_insert(100, 4855), 4855);
  EXPECT_EQ(todays_best_insert(4855, 4855), 4855);
  EXPECT_EQ(todays_best_insert(6000, 4855), 6000);
}

}  // namespace
}  // namespace sky
