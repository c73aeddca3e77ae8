#include <gtest/gtest.h>

#include <vector>

#include "game/record_list.h"
#include "game/world.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

struct Item {
  int value = 0;
};

std::vector<int> values(RecordList<Item>& list) {
  std::vector<int> out;
  for (const Item& item : list) out.push_back(item.value);
  return out;
}

TEST(RecordListTest, AppendsZeroFilledRecordsInOrder) {
  RecordList<Item> list;
  list.append().value = 1;
  EXPECT_EQ(list.append().value, 0);
  list[1].value = 2;
  EXPECT_EQ(values(list), (std::vector<int>{1, 2}));
  list.clear();
  EXPECT_TRUE(list.empty());
}

// A record inserted during a walk goes right after the visited one and is not
// visited by that walk; the walk goes on with the record that followed.
TEST(RecordListTest, InsertDuringAWalkIsNotVisitedByThatWalk) {
  RecordList<Item> list;
  for (int v : {1, 2, 3}) list.append().value = v;
  std::vector<int> visited;
  list.walk([&](Item& item, auto& walk) {
    visited.push_back(item.value);
    if (item.value == 2) walk.insert_after().value = 20;
  });
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(values(list), (std::vector<int>{1, 2, 20, 3}));
  visited.clear();
  list.walk([&](Item& item, auto&) { visited.push_back(item.value); });
  EXPECT_EQ(visited, (std::vector<int>{1, 2, 20, 3}));
}

TEST(RecordListTest, AppendDuringAWalkOfAnotherListIsVisitedLater) {
  RecordList<Item> walked;
  RecordList<Item> other;
  walked.append().value = 1;
  walked.walk([&](Item&, auto&) { other.append().value = 7; });
  std::vector<int> seen;
  other.walk([&](Item& item, auto&) { seen.push_back(item.value); });
  EXPECT_EQ(seen, (std::vector<int>{7}));
}

using WorldModelTest = testing::WorldTest;

TEST_F(WorldModelTest, StartValues) {
  EXPECT_EQ(game.mode, GameMode::TodaysBestPage);
  EXPECT_EQ(game.stage, 1);
  EXPECT_EQ(game.page_scroll_y, 480);
  EXPECT_EQ(game.shell_speed, 3);
  EXPECT_EQ(game.screen_title, "SKYWARD - Perimeter Sky Watch");
  EXPECT_EQ(left_cannon.ammo, 0);
  EXPECT_EQ(right_cannon.rotation, 0);
  EXPECT_EQ(right_cannon.pivot_x, 613.0F);
  EXPECT_EQ(ground_sites[3].x, 468);
  EXPECT_EQ(cities[1].y, 359);
  EXPECT_EQ(wave_sizes[10], 55);
  EXPECT_EQ(stage_speeds[11], 2.5F);
  EXPECT_EQ(todays_best[2], "000000");
}

// The release clock, blink phase and title picture move on every 9th frame.
TEST_F(WorldModelTest, NineFrameBeat) {
  std::vector<int> clock;
  std::vector<int> blink;
  std::vector<int> title;
  for (int frame = 1; frame <= 36; ++frame) {
    advance_beat();
    if (frame % 9 == 0) {
      clock.push_back(game.release_clock);
      blink.push_back(game.blink_phase);
      title.push_back(game.title_frame);
    } else {
      EXPECT_EQ(game.frame_counter, frame % 9);
    }
  }
  EXPECT_EQ(clock, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(blink, (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(title, (std::vector<int>{1, 2, 0, 1}));
}

}  // namespace
}  // namespace sky
