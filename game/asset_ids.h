// Numbers of the loaded pictures and sounds.
#pragma once

namespace sky {

enum class SpriteId : int {
  LetterFont = 0,
  DigitFont = 1,
  MessageFont = 2,
  CursorBright = 3,
  CursorDim = 4,
  TargetMarker = 5,
  CannonTexture = 6,
  ShellTexture0 = 7,
  ShellTexture1 = 8,
  GroundStrip = 9,
  ExplosionSheet = 10,
  CityImage = 11,
  TitleLogo0 = 12,
  TitleLogo1 = 13,
  TitleLogo2 = 14,
  SiteFireSheet = 15,
  AmmoRound = 16,
  Meteor0 = 17,
  Meteor1 = 18,
  Meteor2 = 19,
  Meteor3 = 20,
  Meteor4 = 21,
  Meteor5 = 22,
  ScreenGrab = 99,
};

enum class SoundId : int {
  Explosion = 0,
  Fire = 1,
  WaveCleared = 2,
  SiteHit = 3,
};

constexpr int id(SpriteId s) { return static_cast<int>(s); }
constexpr int id(SoundId s) { return static_cast<int>(s); }
// Sprite k places after s (the cross-hair, shell, logo and meteor pictures
// are consecutive numbers picked by an offset).
constexpr int id(SpriteId s, int k) { return static_cast<int>(s) + k; }

}  // namespace sky
