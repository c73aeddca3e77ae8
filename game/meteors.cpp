#include "game/meteors.h"

#include <array>
#include <cstddef>

#include "game/asset_ids.h"
#include "game/effects.h"
#include "game/numeric.h"
#include "game/world.h"
#include "platform/pictures.h"

namespace sky {
namespace {

constexpr float ground_line = 450.0F;
constexpr float cannon_hit_height = 320.0F;
constexpr float city_hit_height = 360.0F;

constexpr int explosion_size = 128;
constexpr int explosion_last_frame = 17;  // one beyond the strip: shows nothing
constexpr int explosion_ticks = 4;        // a picture shows for ticks + 1 frames

constexpr int fire_width = 160;
constexpr int fire_height = 150;
constexpr int fire_last_frame = 16;  // one beyond the strip: shows nothing
constexpr int fire_ticks = 6;
constexpr int city_falls_at = 8;

GroundSite& site(int index) {
  return ground_sites[static_cast<std::size_t>(index)];
}

// Where a rock is drawn and hit-tested.
struct Rock {
  int picture;
  int x;
  int y;
};

bool touches(const Rock& rock, SpriteId picture, int x, int y) {
  return platform::pixel_hit(rock.picture, rock.x, rock.y, id(picture), x, y);
}

// A cannon is hit with its unrotated barrel picture at its pivot, whatever
// way the barrel points.
void test_cannon(Meteor& m, const Rock& rock, Cannon& cannon) {
  GroundSite& s = site(cannon.site);
  if (m.y > cannon_hit_height && s.state == SiteState::Intact &&
      touches(rock, SpriteId::CannonTexture, round_even(cannon.pivot_x),
              round_even(cannon.pivot_y))) {
    m.alive = 0;
    play_effect(SoundId::SiteHit);
    s.state = SiteState::Burning;
    cannon.ammo = 0;
  }
}

// The city's upright flag is neither tested nor changed here: a city whose
// site already burns lets meteors through while its picture still stands, and
// it falls only when its fire reaches the ninth picture.
void test_cities(Meteor& m, const Rock& rock) {
  for (std::size_t i = 0; i < cities.size(); ++i) {
    GroundSite& s = site(static_cast<int>(i) + 1);
    if (m.y > city_hit_height && s.state == SiteState::Intact &&
        touches(rock, SpriteId::CityImage, cities[i].x, cities[i].y)) {
      m.alive = 0;
      play_effect(SoundId::SiteHit);
      s.state = SiteState::Burning;
    }
  }
}

// Every shell is tested, even after the meteor has died in this frame: a rock
// touching two shells scores twice. The new explosion is appended, so the
// explosion step below already tests this rock against it.
void test_shells(Meteor& m, const Rock& rock) {
  for (Shell& shell : shells) {
    if (shell.alive != 1) continue;
    if (!touches(rock, SpriteId::ShellTexture0, round_even(shell.x), round_even(shell.y))) continue;
    m.alive = 0;
    burst_shell(shell);
    game.score += game.shell_hit_points;
  }
}

// Every explosion tests with the sheet's clip rectangle as the explosion pass
// left it, not with its own picture. All explosions share one picture and its
// one clip rectangle, and only the explosion pass sets it, so the picture it
// drew last (that of the last live explosion of the previous frame) is the
// hit shape of every explosion, each at its own position. Before any
// explosion has been drawn the clip is the whole strip of 17 pictures; after
// the empty picture 17 it is 0 pixels wide and no explosion hits anything
// until a picture is drawn again. The game has always played this way, so it
// is kept.
//
// A chain explosion goes directly after the one that caught the rock and is
// not visited by this walk, so it does not test this rock; it does test every
// later rock of the meteor pass.
void test_explosions(Meteor& m, const Rock& rock) {
  explosions.walk([&](Explosion& e, RecordList<Explosion>::Walk& walk) {
    if (e.alive != 1) return;
    if (!touches(rock, SpriteId::ExplosionSheet, e.x, e.y)) return;
    m.alive = 0;
    Explosion& chain = walk.insert_after();  // e is not valid after this
    chain.x = rock.x;
    chain.y = rock.y;
    chain.frame = 0;
    chain.alive = 1;
    play_effect(SoundId::Explosion);
    game.score += game.blast_hit_points;
  });
}

// Every step runs to its end for the meteor even when an earlier one killed
// it, all with the new position: a rock that passed the ground line in this
// frame can still set a site on fire, and a rock that burned a site can still
// be shot and start explosions.
void fly(Meteor& m, const Rock& rock) {
  if (m.y > ground_line) m.alive = 0;
  test_cannon(m, rock, left_cannon);
  test_cannon(m, rock, right_cannon);
  test_cities(m, rock);
  test_shells(m, rock);
  test_explosions(m, rock);
}

}  // namespace

int meteor_pass() {
  int dead_count = 0;
  // A meteor that dies in this pass is counted only by the next one, so a
  // stage ends one frame after its last meteor is gone.
  for (Meteor& m : meteors) {
    if (m.release_tick == game.release_clock && m.launched == 0) m.launched = 1;
    if (m.alive == 0) {
      ++dead_count;
      continue;
    }
    if (m.launched == 1) {
      m.x += m.dx;
      m.y += m.dy;
    }
    const Rock rock{id(SpriteId::Meteor0, m.kind), round_even(m.x), round_even(m.y)};
    if (m.launched == 1) fly(m, rock);
    // A rock waiting for its release is drawn above the top edge, out of
    // sight; a rock removed in this frame is still drawn once.
    platform::draw_picture(rock.picture, rock.x, rock.y);
  }
  return dead_count;
}

void explosion_pass() {
  const int sheet = id(SpriteId::ExplosionSheet);
  for (Explosion& e : explosions) {
    if (e.alive != 1) continue;
    // Picture 17 lies beyond the strip: the cut leaves a width of 0. The
    // clip stays as set after the pass; the next meteor pass tests with it.
    platform::set_clip(sheet, e.frame * explosion_size, 0, explosion_size, explosion_size);
    platform::draw_picture(sheet, e.x, e.y);
    e.tick += 1;
    if (e.tick > explosion_ticks) {
      e.tick = 0;
      e.frame += 1;
      if (e.frame > explosion_last_frame) e.alive = 0;
    }
  }
}

void site_fire_pass() {
  const int sheet = id(SpriteId::SiteFireSheet);
  for (std::size_t i = 0; i < ground_sites.size(); ++i) {
    GroundSite& s = ground_sites[i];
    if (s.state != SiteState::Burning) continue;
    platform::set_clip(sheet, s.frame * fire_width, 0, fire_width, fire_height);
    platform::draw_picture(sheet, s.x, s.y);
    s.tick += 1;
    if (s.tick <= fire_ticks) continue;
    s.tick = 0;
    s.frame += 1;
    // Sites 1 to 3 stand under cities 0 to 2; the cannons' sites have none.
    if (s.frame == city_falls_at && i >= 1 && i <= cities.size()) cities[i - 1].upright = 0;
    if (s.frame > fire_last_frame) {
      s.frame = 0;
      s.state = SiteState::Gone;
    }
  }
}

}  // namespace sky
