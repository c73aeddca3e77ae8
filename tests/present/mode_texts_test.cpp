// The texts of GET READY, MISSION COMPLETE and GAME OVER.
#include <gtest/gtest.h>

#include <vector>

#include "game/world.h"
#include "platform/pictures.h"
#include "present/mode_texts.h"
#include "tests/present/sheets.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

using testing::Line;

class ModeTextsTest : public testing::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    testing::install_font_sheets();
    platform::clear_screen(0);
  }
};

// Between the HUD and the hills only the texts show.
constexpr int band_top = 50;
constexpr int band_bottom = 385;

TEST_F(ModeTextsTest, GetReadyShowsTheStage) {
  struct Case {
    int stage;
    Line stage_line;
  };
  const Case cases[] = {{1, {250, 200, "STAGE 1"}}, {12, {240, 200, "STAGE 12"}}};
  for (const Case& c : cases) {
    platform::clear_screen(0);
    game.stage = c.stage;
    draw_get_ready_texts();
    testing::expect_only_lines({{230, 150, "GET READY"}, c.stage_line}, band_top, band_bottom);
  }
}

// The bonus lines are worked out from the live values; "x" shows as "X" and
// the ammunition line has two blanks after it.
TEST_F(ModeTextsTest, MissionCompleteShowsTheBonusLines) {
  struct Case {
    int cities, left_ammo, right_ammo;
    const char* city_line;
    const char* ammo_line;
  };
  const Case cases[] = {
      {3, 20, 20, "CITY X 75 = 225", "AMMO X  5 = 200"},
      {1, 7, 0, "CITY X 75 = 75", "AMMO X  5 = 35"},
      {0, 0, 0, "CITY X 75 = 0", "AMMO X  5 = 0"},
  };
  for (const Case& c : cases) {
    platform::clear_screen(0);
    game.cities_upright = c.cities;
    left_cannon.ammo = c.left_ammo;
    right_cannon.ammo = c.right_ammo;
    draw_mission_complete_texts();
    testing::expect_only_lines({{160, 110, "MISSION COMPLETE"},
                                {270, 160, "BONUS"},
                                {164, 200, c.city_line},
                                {164, 230, c.ammo_line}},
                               band_top, band_bottom);
  }
}

TEST_F(ModeTextsTest, GameOver) {
  draw_game_over_texts();
  testing::expect_only_lines({{230, 200, "GAME OVER"}}, band_top, band_bottom);
}

}  // namespace
}  // namespace sky
