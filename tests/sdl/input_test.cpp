// Input on SDL: presses latched from the event queue and release edges.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/input.h"

namespace {

class SdlInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override { SDL_Quit(); }

  static void push_button(Uint32 type, Uint8 button) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
  }
  static void push_key(Uint32 type, SDL_Scancode code) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = code;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
  }
};

// A click that begins and ends between two reads counts as held for one read.
TEST_F(SdlInputTest, QuickClickIsSeenByOneRead) {
  EXPECT_FALSE(platform::mouse_read().left);
  push_button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  push_button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  push_button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  push_button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
  const platform::MouseState first = platform::mouse_read();
  EXPECT_TRUE(first.left);
  EXPECT_TRUE(first.right);
  const platform::MouseState second = platform::mouse_read();
  EXPECT_FALSE(second.left);
  EXPECT_FALSE(second.right);
}

// A key counts as released once: the test after the one that found it down.
// A tap between two snapshots is still seen down once, then released.
TEST_F(SdlInputTest, KeyTapGivesOneReleaseEdge) {
  platform::keyboard_snapshot();
  EXPECT_FALSE(platform::key_released(platform::Key::P));
  push_key(SDL_KEYDOWN, SDL_SCANCODE_P);
  push_key(SDL_KEYUP, SDL_SCANCODE_P);
  platform::keyboard_snapshot();
  EXPECT_FALSE(platform::key_released(platform::Key::P));  // seen down
  platform::keyboard_snapshot();
  EXPECT_TRUE(platform::key_released(platform::Key::P));
  platform::keyboard_snapshot();
  EXPECT_FALSE(platform::key_released(platform::Key::P));  // reported once
}

// Each key's memory changes only when that key is tested.
TEST_F(SdlInputTest, UntestedKeyKeepsItsMemory) {
  push_key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE);
  push_key(SDL_KEYUP, SDL_SCANCODE_ESCAPE);
  platform::keyboard_snapshot();
  EXPECT_FALSE(platform::key_released(platform::Key::Escape));  // down
  platform::keyboard_snapshot();                                // Escape not tested
  platform::keyboard_snapshot();
  EXPECT_TRUE(platform::key_released(platform::Key::Escape));
}

}  // namespace
