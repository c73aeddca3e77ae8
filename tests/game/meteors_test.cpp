// The meteor pass with its hit rules, the explosion pass and the site fires,
// on stand-in pictures of the real sizes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/asset_ids.h"
#include "game/meteors.h"
#include "game/world.h"
#include "platform/headless.h"
#include "platform/pictures.h"
#include "tests/game/stand_in_sprites.h"
#include "tests/support/world_fixture.h"

namespace sky {
namespace {

namespace headless = platform::headless;

class MeteorTest : public testing::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    testing::install_stand_in_sprites();
    game.mode = GameMode::Playing;
    game.use_audio = 1;
    left_cannon.ammo = 20;
    right_cannon.ammo = 20;
  }
  // A released, live rock standing still at (x, y) unless given a step.
  static Meteor& rock(float x, float y, int kind, float dy = 0.0F) {
    Meteor& m = meteors.append();
    m.x = x;
    m.y = y;
    m.dy = dy;
    m.kind = kind;
    m.launched = 1;
    m.alive = 1;
    m.release_tick = -1;
    return m;
  }
  static Shell& shell(float x, float y) {
    Shell& s = shells.append();
    s = Shell{x, y, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F, 1};
    return s;
  }
  static Explosion& explosion(int x, int y, int frame) {
    Explosion& e = explosions.append();
    e = Explosion{x, y, frame, 0, 1};
    return e;
  }
  static std::vector<std::pair<int, int>> explosion_places() {
    std::vector<std::pair<int, int>> places;
    for (const Explosion& e : explosions) places.emplace_back(e.x, e.y);
    return places;
  }
  static int explosion_sounds() {
    int n = 0;
    for (int s : headless::played_sounds()) n += s == id(SoundId::Explosion);
    return n;
  }
};

using Places = std::vector<std::pair<int, int>>;

// A rock over the centre of a shell scores 10, removes the shell and makes an
// explosion centred on it. Before any explosion has been drawn the hit shape
// is the whole strip, whose first picture covers the shell's centre, so the
// rock is caught by that new explosion too: 5 more and a chain explosion at
// the rock's own position.
TEST_F(MeteorTest, ShellContactScoresTenThenFiveWithItsChain) {
  Meteor& m = rock(304.0F, 204.0F, 4);  // 25x25 around the shell's centre (316, 216)
  Shell& s = shell(300.0F, 200.0F);
  EXPECT_EQ(meteor_pass(), 0);
  EXPECT_EQ(m.alive, 0);
  EXPECT_EQ(s.alive, 0);
  EXPECT_EQ(game.score, 15);
  EXPECT_EQ(explosion_places(), (Places{{252, 152}, {304, 204}}));
  EXPECT_EQ(explosion_sounds(), 2);
}

// When the last explosion drawn showed its empty last picture, the shared
// clip rectangle is 0 pixels wide: no explosion hits anything, not even one
// made in this very pass.
TEST_F(MeteorTest, AfterTheEmptyLastPictureNoExplosionHits) {
  Explosion& old = explosion(0, 0, 17);
  explosion_pass();
  ASSERT_EQ(platform::clip_of(id(SpriteId::ExplosionSheet)).width, 0);
  ASSERT_EQ(old.alive, 1);
  Meteor& m = rock(304.0F, 204.0F, 4);
  shell(300.0F, 200.0F);
  rock(10.0F, 10.0F, 0);  // inside the old explosion's square
  meteor_pass();
  EXPECT_EQ(m.alive, 0);
  EXPECT_EQ(game.score, 10);
  EXPECT_EQ(explosions.size(), 2U);
  EXPECT_EQ(meteors[1].alive, 1);
}

// A rock touching two explosions scores 5 twice; each chain explosion goes
// directly after the explosion that caught the rock and is not tested against
// it. Later rocks of the same pass are tested against the chains.
TEST_F(MeteorTest, ChainsAreInsertedAfterTheirExplosionAndCatchLaterRocks) {
  explosion(100, 100, 8);  // fireball centred at (164, 164), radius 62
  explosion(240, 100, 8);  // centred at (304, 164)
  explosion_pass();        // both drawn: the hit shape is the full fireball
  Meteor& first = rock(203.0F, 137.0F, 0);
  Meteor& second = rock(250.0F, 250.0F, 4);  // reached only by the chains' fireballs
  headless::clear_played_sounds();
  meteor_pass();
  EXPECT_EQ(first.alive, 0);
  EXPECT_EQ(second.alive, 0);
  EXPECT_EQ(game.score, 20);
  EXPECT_EQ(explosion_places(),
            (Places{{100, 100}, {203, 137}, {250, 250}, {240, 100}, {203, 137}, {250, 250}}));
  EXPECT_EQ(explosion_sounds(), 4);
}

// Every explosion tests with the picture the explosion pass drew last, at its
// own position: a small last picture shrinks the reach of a big fireball.
TEST_F(MeteorTest, EveryExplosionTestsWithThePictureDrawnLast) {
  struct Case {
    const char* what;
    bool fireball_last;
    bool caught;
  };
  const Case cases[] = {
      {"the full fireball drawn last", true, true},
      {"a spark drawn last", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    explosions.clear();
    meteors.clear();
    // Picture 8, the full fireball, at (100, 100); picture 0, a spark, far off.
    if (!c.fireball_last) explosion(100, 100, 8);
    explosion(400, 0, 0);
    if (c.fireball_last) explosion(100, 100, 8);
    explosion_pass();
    Meteor& m = rock(190.0F, 152.0F, 4);  // 26 px right of the fireball's centre (164, 164)
    meteor_pass();
    EXPECT_EQ(m.alive, c.caught ? 0 : 1);
  }
}

// Before the explosion pass has drawn anything the clip rectangle is the
// whole strip of 17 pictures, so an explosion reaches far to its right.
TEST_F(MeteorTest, BeforeAnyDrawTheWholeStripIsTheHitShape) {
  explosion(0, 100, 0);
  Meteor& far_right = rock(3 * 128 + 52.0F, 152.0F, 4);  // inside picture 3 of the strip
  meteor_pass();
  EXPECT_EQ(far_right.alive, 0);
  EXPECT_EQ(game.score, 5);

  explosions.clear();
  meteors.clear();
  explosion(0, 100, 0);
  explosion_pass();  // now the clip is one picture
  Meteor& again = rock(3 * 128 + 52.0F, 152.0F, 4);
  meteor_pass();
  EXPECT_EQ(again.alive, 1);
}

// The ground line and the five sites, each rock alone in a fresh world.
TEST_F(MeteorTest, GroundLineAndSiteHits) {
  struct Case {
    const char* what;
    float x, y, dy;
    int kind;
    int burning_before;  // site already burning, or -1
    bool alive;
    const char* sites;  // states after: I intact, B burning
    std::vector<int> sounds;
    int left_ammo, right_ammo;
  };
  const int hit = id(SoundId::SiteHit);
  const Case cases[] = {
      {"left barrel", 0, 380, 0, 4, -1, false, "BIIII", {hit}, 0, 20},
      {"right barrel", 615, 390, 0, 4, -1, false, "IIIIB", {hit}, 20, 0},
      {"beside the left barrel", 20, 380, 0, 4, -1, true, "IIIII", {}, 20, 20},
      {"city 0 dome", 74, 361, 0, 0, -1, false, "IBIII", {hit}, 20, 20},
      {"city 0 dome but not below 360", 74, 360, 0, 0, -1, true, "IIIII", {}, 20, 20},
      {"city 1 whose site burns lets it pass", 290, 380, 0, 0, 2, true, "IIBII", {}, 20, 20},
      {"city 2", 510, 380, 0, 1, -1, false, "IIIBI", {hit}, 20, 20},
      {"on the ground line", 180, 449.5F, 0.5F, 0, -1, true, "IIIII", {}, 20, 20},
      {"past the ground line", 180, 450.0F, 0.5F, 0, -1, false, "IIIII", {}, 20, 20},
      {"past the ground line on city 0", 74, 450.0F, 0.5F, 0, -1, false, "IBIII", {hit}, 20, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    if (c.burning_before >= 0) ground_sites[c.burning_before].state = SiteState::Burning;
    Meteor& m = rock(c.x, c.y, c.kind, c.dy);
    meteor_pass();
    EXPECT_EQ(m.alive, c.alive ? 1 : 0);
    std::string sites;
    for (const GroundSite& s : ground_sites) sites += "IBG"[static_cast<int>(s.state)];
    EXPECT_EQ(sites, c.sites);
    EXPECT_EQ(headless::played_sounds(), c.sounds);
    EXPECT_EQ(left_cannon.ammo, c.left_ammo);
    EXPECT_EQ(right_cannon.ammo, c.right_ammo);
    EXPECT_EQ(game.score, 0);
    EXPECT_TRUE(explosions.empty());
    for (const City& city : cities) EXPECT_EQ(city.upright, 1);
  }
}

TEST_F(MeteorTest, SecondRockOnTheSameCityInOneFramePassesThrough) {
  Meteor& a = rock(290.0F, 380.0F, 0);
  Meteor& b = rock(300.0F, 385.0F, 0);
  meteor_pass();
  EXPECT_EQ(a.alive, 0);
  EXPECT_EQ(b.alive, 1);
  EXPECT_EQ(ground_sites[2].state, SiteState::Burning);
  EXPECT_EQ(headless::played_sounds(), std::vector<int>{id(SoundId::SiteHit)});
}

// A rock that burns a site still goes through the shell and explosion steps
// with the same position in that frame.
TEST_F(MeteorTest, ARockThatHitASiteCanStillBeShot) {
  Meteor& m = rock(74.0F, 400.0F, 4);
  shell(70.0F, 396.0F);
  meteor_pass();
  EXPECT_EQ(m.alive, 0);
  EXPECT_EQ(ground_sites[1].state, SiteState::Burning);
  EXPECT_GE(game.score, 10);
}

// A meteor is released when the release clock reaches its tick and moves in
// that same pass; a dead meteor is counted only by the next pass.
TEST_F(MeteorTest, ReleaseAndDeadCount) {
  Meteor& waiting = meteors.append();
  waiting = Meteor{100.0F, -60.0F, 100.0F, 460.0F, 0.0F, 2.0F, 2.0F, 0, 3, 0, 1};
  Meteor& dead = meteors.append();
  dead = Meteor{};
  rock(180.0F, 450.0F, 0, 1.0F);  // dies on the ground line in this pass

  game.release_clock = 2;
  EXPECT_EQ(meteor_pass(), 1);
  EXPECT_EQ(waiting.launched, 0);
  EXPECT_EQ(waiting.y, -60.0F);

  game.release_clock = 3;
  EXPECT_EQ(meteor_pass(), 2);
  EXPECT_EQ(waiting.launched, 1);
  EXPECT_EQ(waiting.y, -58.0F);
}

// An explosion made in frame E is drawn in frames E to E + 89: pictures 0 to
// 16 for 5 frames each, then 5 frames of the empty picture 17.
TEST_F(MeteorTest, ExplosionLivesNinetyFrames) {
  game.mode = GameMode::TodaysBestPage;
  game.deadline = platform::deadline_in(1000000);
  explosion(200, 100, 0);
  const int sheet = id(SpriteId::ExplosionSheet);
  for (int j = 0; j < 90; ++j) {
    testing::run_frames(1);
    const platform::ClipRect clip = platform::clip_of(sheet);
    ASSERT_EQ(clip.left, (j / 5) * 128) << "frame E+" << j;
    ASSERT_EQ(clip.width, j / 5 < 17 ? 128 : 0) << "frame E+" << j;
    ASSERT_EQ(explosions[0].alive, j < 89 ? 1 : 0) << "frame E+" << j;
  }
  platform::set_clip(sheet, 0, 0, 1, 1);
  testing::run_frames(1);
  EXPECT_EQ(platform::clip_of(sheet).width, 1) << "drawn after its last frame";
}

// A site hit in frame H burns in frames H to H + 118; its city's flag falls at
// the end of frame H + 55, so the city pass counts it up to frame H + 55.
TEST_F(MeteorTest, SiteFireTimingAndTheFallOfItsCity) {
  ground_sites[2].state = SiteState::Burning;  // as if hit by this frame's meteor pass
  const int sheet = id(SpriteId::SiteFireSheet);
  for (int j = 0; j <= 118; ++j) {
    testing::run_frames(1);
    ASSERT_EQ(platform::clip_of(sheet).left, (j / 7) * 160) << "frame H+" << j;
    ASSERT_EQ(cities[1].upright, j < 55 ? 1 : 0) << "frame H+" << j;
    ASSERT_EQ(game.cities_upright, j <= 55 ? 3 : 2) << "frame H+" << j;
    ASSERT_EQ(ground_sites[2].state, j < 118 ? SiteState::Burning : SiteState::Gone)
        << "frame H+" << j;
  }
  EXPECT_EQ(ground_sites[2].frame, 0);
  EXPECT_EQ(ground_sites[2].tick, 0);
  EXPECT_EQ(game.mode, GameMode::Playing);
}

// The cannons' fires burn the same way but fell no city.
TEST_F(MeteorTest, CannonFireFellsNoCity) {
  ground_sites[0].state = SiteState::Burning;
  ground_sites[4].state = SiteState::Burning;
  for (int j = 0; j <= 118; ++j) site_fire_pass();
  EXPECT_EQ(ground_sites[0].state, SiteState::Gone);
  EXPECT_EQ(ground_sites[4].state, SiteState::Gone);
  for (const City& city : cities) EXPECT_EQ(city.upright, 1);
}

}  // namespace
}  // namespace sky
