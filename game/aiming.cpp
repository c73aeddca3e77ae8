#include "game/aiming.h"

#include <cmath>

#include "game/asset_ids.h"
#include "game/effects.h"
#include "game/numeric.h"
#include "platform/pictures.h"
#include "platform/textured.h"

namespace sky {
namespace {

// Radians become degrees by dividing by this single float.
constexpr float radians_per_degree = 0.01745329238F;
// Degrees become radians for motion by multiplying by 0.0175, not by pi/180,
// so a shot leans 0.27 % further from the vertical than its exact aim. The
// arrival window of 5 pixels absorbs the difference for every cursor position
// the clamp allows, and the textured drawing turns its degrees with the same
// factor, so the rocket's nose still points along its flight.
constexpr float motion_radians_per_degree = 0.0175F;
constexpr int cooldown_frames = 20;
constexpr float arrival_window = 5.0F;
constexpr int opaque = 255;

// -(a + 180), brought into 0 <= angle < 360 by adding 360 when negative: the
// picture rotation, clockwise from straight up, for direction a.
float rotation_for(float a) {
  float angle = -(a + 180.0F);
  if (angle < 0.0F) angle += 360.0F;
  return angle;
}

void aim(Cannon& cannon) {
  const float a = angle_of(static_cast<float>(game.cursor_x) - cannon.pivot_x,
                           static_cast<float>(game.cursor_y) - cannon.pivot_y);
  std::int32_t rotation = round_even(-(a + 180.0F));
  if (rotation < 0) rotation += 360;
  cannon.rotation = rotation;
}

bool can_fire(const Cannon& cannon) {
  return game.fire_cooldown == 0 && game.mode == GameMode::Playing && cannon.ammo > 0;
}

bool within_window(float position, float target) {
  return target - arrival_window < position && position < target + arrival_window;
}

}  // namespace

float angle_of(float dx, float dy) {
  if (dy == 0.0F) {
    if (dx > 0.0F) return 90.0F;
    if (dx < 0.0F) return -90.0F;
    return 0.0F;
  }
  float r = std::atan(dx / dy) / radians_per_degree;
  if (dy < 0.0F && dx > 0.0F) r += 180.0F;
  if (dy < 0.0F && dx < 0.0F) r += 180.0F;
  if (dy > 0.0F && dx < 0.0F) r += 360.0F;
  if (r > 180.0F) r -= 360.0F;
  if (r == 0.0F && dy < 0.0F) r = 180.0F;
  return r;
}

void update_aim() {
  if (game.cursor_x == game.prev_cursor_x && game.cursor_y == game.prev_cursor_y) return;
  game.prev_cursor_x = game.cursor_x;
  game.prev_cursor_y = game.cursor_y;
  // A lost cannon's barrel keeps following the cursor; it is just not drawn.
  aim(left_cannon);
  aim(right_cannon);
}

void fire_shells(bool left_down, bool right_down) {
  // The left shot sets the cooldown before the right button is tested, so the
  // two cannons never fire in the same frame.
  if (left_down && can_fire(left_cannon)) fire_shell(left_cannon);
  if (right_down && can_fire(right_cannon)) fire_shell(right_cannon);
}

void fire_shell(Cannon& cannon) {
  Shell& shell = shells.append();
  shell.x = cannon.pivot_x;
  shell.y = cannon.pivot_y;
  shell.target_x = static_cast<float>(game.cursor_x);
  shell.target_y = static_cast<float>(game.cursor_y);
  const float a = angle_of(static_cast<float>(game.cursor_x) - cannon.pivot_x,
                           static_cast<float>(game.cursor_y) - cannon.pivot_y);
  const auto speed = static_cast<float>(game.shell_speed);
  shell.dx = std::sin(a * motion_radians_per_degree) * speed;
  shell.dy = std::cos(a * motion_radians_per_degree) * speed;
  shell.angle = rotation_for(a);
  shell.alive = 1;
  game.fire_cooldown = cooldown_frames;
  cannon.ammo -= 1;
  play_effect(SoundId::Fire);
}

void shell_pass() {
  for (Shell& shell : shells) {
    if (shell.alive != 1) continue;
    shell.x += shell.dx;
    shell.y += shell.dy;
    platform::textured_draw(id(SpriteId::ShellTexture0, game.blink_phase), round_even(shell.x),
                            round_even(shell.y), round_even(shell.angle), opaque);
    // A shell that leaves the screen is lost, but the burst test below still
    // runs for it in this frame.
    if (shell.x < -10.0F || shell.x > 640.0F || shell.y < -10.0F) shell.alive = 0;
    if (within_window(shell.x, shell.target_x) && within_window(shell.y, shell.target_y)) {
      burst_shell(shell);
    } else {
      platform::draw_picture(id(SpriteId::TargetMarker), round_even(shell.target_x),
                             round_even(shell.target_y));
    }
  }
}

void draw_barrels() {
  for (const Cannon* cannon : {&left_cannon, &right_cannon}) {
    if (ground_sites[static_cast<std::size_t>(cannon->site)].state != SiteState::Intact) continue;
    platform::textured_draw(id(SpriteId::CannonTexture), round_even(cannon->pivot_x),
                            round_even(cannon->pivot_y), cannon->rotation, opaque);
  }
}

}  // namespace sky
