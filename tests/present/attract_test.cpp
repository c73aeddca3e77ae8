// The attract pages in whole frames: the slide, the page texts and the cycle.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/world.h"
#include "platform/clock.h"
#include "platform/pictures.h"
#include "tests/present/sheets.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

using testing::read_message;
using testing::region_black;
using testing::sprite_at;

constexpr int logo0 = id(SpriteId::TitleLogo0);
constexpr int ground = id(SpriteId::GroundStrip);

class AttractTest : public testing::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    testing::install_screen_sprites();
    game.deadline = platform::deadline_in(5000);  // as start-up leaves it
  }
};

// The block starts with its top at 478, rises 2 pixels a frame and rests at 90
// after 195 frames; the logo shows the picture of title_frame all the way.
TEST_F(AttractTest, FirstPageSlidesUpAndRestsAt90) {
  testing::run_frames(1);
  EXPECT_EQ(game.page_scroll_y, 478);
  EXPECT_EQ(sprite_at(125, 478), logo0);
  EXPECT_EQ(sprite_at(514, 479), logo0);
  EXPECT_EQ(sprite_at(125, 477), ground);
  EXPECT_EQ(sprite_at(124, 478), ground);
  EXPECT_EQ(sprite_at(515, 479), ground);
  for (int frame = 2; frame <= 194; ++frame) {
    testing::run_frames(1);
    ASSERT_EQ(game.page_scroll_y, 480 - 2 * frame);
    ASSERT_EQ(sprite_at(125, game.page_scroll_y), logo0 + game.title_frame) << "frame " << frame;
  }
  EXPECT_EQ(game.page_scroll_y, 92);
  testing::run_frames(1);
  EXPECT_EQ(game.page_scroll_y, 90);
  testing::run_frames(100);
  EXPECT_EQ(game.page_scroll_y, 90);
  EXPECT_EQ(game.mode, GameMode::TodaysBestPage);
  EXPECT_EQ(sprite_at(125, 90), logo0 + game.title_frame);
  EXPECT_EQ(sprite_at(514, 174), logo0 + game.title_frame);
  EXPECT_TRUE(region_black(125, 175, 390, 25));
}

// The block moves on page 4 only: a page 4 that timed out mid-slide leaves it
// where it stopped, and the next page 4 slides on from there.
TEST_F(AttractTest, OnlyTheFirstPageMovesTheBlock) {
  game.page_scroll_y = 300;
  for (GameMode mode : {GameMode::CreditsPage, GameMode::MusicCreditsPage, GameMode::ThanksPage}) {
    game.mode = mode;
    testing::run_frames(3);
    EXPECT_EQ(game.page_scroll_y, 300);
    EXPECT_EQ(sprite_at(125, 300), logo0 + game.title_frame);
  }
  game.mode = GameMode::TodaysBestPage;
  testing::run_frames(3);
  EXPECT_EQ(game.page_scroll_y, 294);
}

struct Page {
  GameMode mode;
  std::vector<testing::Line> lines;
};

// Every line at its place, upper-cased, with every character drawn from a
// glyph (a "Z" would read back as an empty cell); the music credits start at
// x 160 with their colons in the tenth cell.
TEST_F(AttractTest, PagesShowTheirLinesAtTheirPlaces) {
  todays_best = {"123456", "004855", "000000"};
  const std::vector<Page> pages = {
      {GameMode::TodaysBestPage,
       {{190, 200, "=TODAYS BEST="},
        {220, 240, "1ST 123456"},
        {220, 270, "2ND 004855"},
        {220, 300, "3RD 000000"}}},
      {GameMode::CreditsPage,
       {{190, 200, "PROGRAMMED BY"},
        {160, 240, "THE SKYWARD TEAM"},
        {180, 300, "COPYRIGHT 2026"},
        {190, 330, "SKYWARD GAMES"}}},
      {GameMode::MusicCreditsPage,
       {{270, 200, "MUSIC"},
        {160, 240, "STARLIGHT: SKYWARD TEAM"},
        {160, 270, "SKYFALL  : SKYWARD TEAM"}}},
      {GameMode::ThanksPage,
       {{200, 200, "BETA TESTERS"},
        {160, 240, "THE SKYWARD TEAM"},
        {180, 300, "SPECIAL THANKS"},
        {160, 340, "PYTHON PIL NUMPY"}}},
  };
  for (const Page& page : pages) {
    game.mode = page.mode;
    game.page_scroll_y = 90;
    testing::run_frames(1);
    ASSERT_EQ(game.mode, page.mode);
    EXPECT_EQ(sprite_at(125, 90), logo0 + game.title_frame);
    // Between the logo (ending at y 174) and the hills (from y 385) only the
    // lines show.
    testing::expect_only_lines(page.lines, 175, 385);
  }
}

// Pages leave in the first frame after their time: page 4 about 15 s the first
// time (its deadline starts 5 s ahead) and 14 s later on, pages 5 to 7 about
// 6 s each. The leaving frame still shows the old page.
TEST_F(AttractTest, PagesFollowEachOtherOnTheirTimes) {
  struct Change {
    std::uint32_t at_ms;
    GameMode to;
  };
  std::vector<Change> changes;
  const std::uint32_t start = platform::ticks_ms();
  GameMode shown = game.mode;
  bool checked_leaving_frame = false;
  while (changes.size() < 5 && platform::ticks_ms() - start < 60000) {
    const std::uint32_t now = platform::ticks_ms();
    testing::run_frames(1);
    if (game.mode != shown) {
      changes.push_back({now, game.mode});
      if (shown == GameMode::TodaysBestPage && !checked_leaving_frame) {
        EXPECT_EQ(read_message(190, 200, 13), "=TODAYS BEST=");
        testing::run_frames(1);
        EXPECT_EQ(read_message(190, 200, 13), "PROGRAMMED BY");
        checked_leaving_frame = true;
      }
      shown = game.mode;
    }
  }
  ASSERT_EQ(changes.size(), 5U);
  const GameMode order[] = {GameMode::CreditsPage, GameMode::MusicCreditsPage, GameMode::ThanksPage,
                            GameMode::TodaysBestPage, GameMode::CreditsPage};
  const std::uint32_t lengths[] = {15000, 6000, 6000, 6000, 14000};
  std::uint32_t entered = start;
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(changes[i].to, order[i]) << "change " << i;
    // A frame lasts 1/76 s: the page ends in the first frame past its time.
    const std::uint32_t shown_ms = changes[i].at_ms - entered;
    EXPECT_GT(shown_ms, lengths[i]) << "change " << i;
    EXPECT_LE(shown_ms, lengths[i] + 14) << "change " << i;
    entered = changes[i].at_ms;
  }
  EXPECT_EQ(game.page_scroll_y, 90);
}

}  // namespace
}  // namespace sky
