// Loading the pictures and sounds compiled into the program, once, at start-up.
#include "present/assets.h"

#include <optional>
#include <string>
#include <utility>

#include "assets/embedded.h"
#include "game/asset_ids.h"
#include "game/world.h"
#include "platform/image.h"
#include "platform/pictures.h"
#include "platform/sound.h"
#include "platform/textured.h"
#include "present/font.h"

namespace sky {
namespace {

constexpr int icon_picture = 98;

std::string two_digits(int n) {
  return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

// Decodes the file name (a PNG, or a BMP by its ending) into picture id. A
// file that is missing or cannot be decoded leaves no picture there.
bool picture_from_asset(int id, const std::string& name) {
  const auto bytes = assets::find(name);
  if (bytes.empty()) return false;
  const bool bmp = name.ends_with(".bmp");
  std::optional<platform::Image> image =
      bmp ? platform::decode_bmp(bytes) : platform::decode_png(bytes);
  if (!image) return false;
  platform::picture_from_pixels(id, image->width, image->height, std::move(image->pixels));
  return platform::picture_exists(id);
}

void load_sprite(SpriteId sprite) {
  const int n = id(sprite);
  picture_from_asset(n, "sprites/" + two_digits(n) + ".png");
}

// The textured sprites are the BMP pictures, registered under the same number
// for the rotated drawing.
void load_texture(SpriteId sprite) {
  const int n = id(sprite);
  if (picture_from_asset(n, "sprites/" + two_digits(n) + ".bmp")) {
    platform::textured_from_picture(n);
  }
}

// A font sheet and its glyph size: the sheet's width shared out among its
// glyphs, and its height. A missing sheet leaves glyphs of size 0.
void load_font(SpriteFont& font) {
  load_sprite(font.sprite);
  const int n = id(font.sprite);
  font.glyph_w = platform::picture_width(n) / font.glyph_count;
  font.glyph_h = platform::picture_height(n);
}

void load_sound(SoundId sound) {
  const int n = id(sound);
  const auto bytes = assets::find("sounds/" + two_digits(n) + ".wav");
  if (!bytes.empty()) platform::sound_load(n, bytes);
}

}  // namespace

void load_assets() {
  load_font(digit_font);
  load_font(letter_font);
  load_font(message_font);
  for (const SpriteId s : {SpriteId::CursorBright, SpriteId::CursorDim, SpriteId::TargetMarker}) {
    load_sprite(s);
  }
  for (const SpriteId s :
       {SpriteId::CannonTexture, SpriteId::ShellTexture0, SpriteId::ShellTexture1}) {
    load_texture(s);
  }
  for (int n = id(SpriteId::GroundStrip); n <= id(SpriteId::Meteor5); ++n) {
    load_sprite(static_cast<SpriteId>(n));
  }
  if (game.use_audio == 0) return;
  for (const SoundId s :
       {SoundId::Fire, SoundId::Explosion, SoundId::WaveCleared, SoundId::SiteHit}) {
    load_sound(s);
  }
}

int load_program_icon() {
  return picture_from_asset(icon_picture, "icon.png") ? icon_picture : -1;
}

}  // namespace sky
