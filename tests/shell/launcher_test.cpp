// The launcher dialog without a desktop: what the gadgets do with pointer
// events, the tooltip's timing, the drawn face, and the skipped dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "game/world.h"
#include "platform/headless.h"
#include "shell/launcher.h"
#include "shell/launcher_face.h"
#include "shell/launcher_font.h"
#include "shell/launcher_state.h"

namespace sky {
namespace {

using platform::DialogEvent;
using Kind = platform::DialogEventKind;

DialogEvent at(Kind kind, int x, int y) {
  return {kind, x, y};
}

// The middle of a gadget.
DialogEvent on(Kind kind, int gadget) {
  const auto& r = gadget_rects[static_cast<std::size_t>(gadget)];
  return {kind, r.x + r.width / 2, r.y + r.height / 2};
}

constexpr std::array<bool, 3> all_on{true, true, true};

TEST(LauncherStateTest, BoxesToggleOnAClickAndTheDialogGoesOn) {
  LauncherState s(all_on);
  for (int round = 0; round < 2; ++round) {
    EXPECT_TRUE(s.handle(on(Kind::Press, 1), 0));
    EXPECT_EQ(s.shown_pressed(), 1);
    EXPECT_TRUE(s.handle(on(Kind::Release, 1), 0));
    EXPECT_EQ(s.shown_pressed(), -1);
    EXPECT_EQ(s.checked(), (std::array<bool, 3>{true, round != 0, true}));
  }
  EXPECT_FALSE(s.finished());
}

// A press is taken back by letting go away from the gadget; while the pointer
// is off the gadget it is not drawn pressed.
TEST(LauncherStateTest, PressTakenBackByLettingGoElsewhere) {
  LauncherState s(all_on);
  s.handle(on(Kind::Press, 0), 0);
  EXPECT_TRUE(s.handle(at(Kind::Motion, 10, 10), 0));
  EXPECT_EQ(s.shown_pressed(), -1);
  EXPECT_TRUE(s.handle(on(Kind::Motion, 0), 0));
  EXPECT_EQ(s.shown_pressed(), 0);
  s.handle(on(Kind::Release, 1), 0);  // let go on another box
  EXPECT_EQ(s.checked(), all_on);

  s.handle(on(Kind::Press, start_button), 0);
  s.handle(at(Kind::Release, -40, 300), 0);  // outside the window
  EXPECT_FALSE(s.finished());
  EXPECT_FALSE(s.handle(on(Kind::Release, start_button), 0));  // no press before it
  EXPECT_FALSE(s.finished());
}

TEST(LauncherStateTest, StartButtonAndCloseRequestEndTheDialog) {
  LauncherState clicked({false, true, false});
  clicked.handle(on(Kind::Press, start_button), 0);
  EXPECT_FALSE(clicked.finished());  // not before the button is let go
  clicked.handle(on(Kind::Release, start_button), 0);
  EXPECT_TRUE(clicked.finished());
  EXPECT_EQ(clicked.checked(), (std::array<bool, 3>{false, true, false}));

  LauncherState closed(all_on);
  closed.handle(on(Kind::Press, 2), 0);
  closed.handle(on(Kind::Release, 2), 0);
  closed.handle({Kind::Close}, 0);
  EXPECT_TRUE(closed.finished());
  EXPECT_EQ(closed.checked(), (std::array<bool, 3>{true, true, false}));
}

TEST(LauncherStateTest, PressesAwayFromTheGadgetsDoNothing) {
  LauncherState s(all_on);
  EXPECT_FALSE(s.handle(at(Kind::Press, 150, 60), 0));
  EXPECT_FALSE(s.handle(at(Kind::Release, 62, 88), 0));  // on box 0, but pressed elsewhere
  EXPECT_EQ(s.checked(), all_on);
  EXPECT_FALSE(s.finished());
}

TEST(LauncherStateTest, TooltipAfterThePointerRestsOnTheStartButton) {
  LauncherState s(all_on);
  EXPECT_EQ(s.wait_ms(1000), -1);  // nothing to wait for
  EXPECT_FALSE(s.handle(at(Kind::Motion, 240, 80), 1000));
  EXPECT_EQ(s.wait_ms(1000), 500);
  EXPECT_EQ(s.wait_ms(1300), 200);
  // Moving on the button starts the rest again.
  s.handle(at(Kind::Motion, 250, 90), 1300);
  EXPECT_FALSE(s.handle({Kind::Timeout}, 1799));
  EXPECT_FALSE(s.tooltip().has_value());
  EXPECT_TRUE(s.handle({Kind::Timeout}, 1800));
  ASSERT_TRUE(s.tooltip().has_value());
  EXPECT_EQ(s.tooltip()->x, 250);
  EXPECT_EQ(s.tooltip()->y, 90);
  EXPECT_EQ(s.wait_ms(1800), -1);
  // Once shown it stays while the pointer stays on the button.
  EXPECT_FALSE(s.handle(at(Kind::Motion, 260, 100), 1900));
  EXPECT_TRUE(s.tooltip().has_value());
  // Leaving the button hides it.
  EXPECT_TRUE(s.handle(at(Kind::Motion, 150, 60), 2000));
  EXPECT_FALSE(s.tooltip().has_value());
  EXPECT_EQ(s.wait_ms(2000), -1);
}

TEST(LauncherStateTest, TooltipGoesOnLeavingOrPressingAndWaitsWhileHeld) {
  struct Case {
    const char* what;
    DialogEvent event;
  };
  const Case cases[] = {
      {"pointer leaves the window", {Kind::Leave}},
      {"press on the button", on(Kind::Press, start_button)},
      {"press on a box", on(Kind::Press, 0)},
  };
  for (const Case& c : cases) {
    LauncherState s(all_on);
    s.handle(on(Kind::Motion, start_button), 0);
    s.handle({Kind::Timeout}, 500);
    ASSERT_TRUE(s.tooltip().has_value()) << c.what;
    EXPECT_TRUE(s.handle(c.event, 600)) << c.what;
    EXPECT_FALSE(s.tooltip().has_value()) << c.what;
    EXPECT_EQ(s.wait_ms(600), -1) << c.what;
  }
  // No tooltip comes up while the button is held down.
  LauncherState s(all_on);
  s.handle(on(Kind::Press, start_button), 0);
  s.handle(at(Kind::Motion, 240, 80), 10);
  EXPECT_EQ(s.wait_ms(10), -1);
}

// Any event that comes after the tooltip fell due shows it too.
TEST(LauncherStateTest, TooltipDueBeforeAnotherEventShowsWithIt) {
  LauncherState s(all_on);
  s.handle(on(Kind::Motion, start_button), 0);
  EXPECT_TRUE(s.handle({Kind::Other}, 700));
  EXPECT_TRUE(s.tooltip().has_value());
}

platform::Pixel pixel(const Canvas& c, int x, int y) {
  return c.at(x, y);
}

int ink_in(const Canvas& c, const platform::DialogRect& r, platform::Pixel colour) {
  int n = 0;
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) n += pixel(c, x, y) == colour ? 1 : 0;
  }
  return n;
}

platform::DialogRect box_face(int i) {
  const auto& r = gadget_rects[static_cast<std::size_t>(i)];
  return {r.x + 2, r.y + 2, r.width - 4, r.height - 4};
}

TEST(LauncherFaceTest, CheckedAndUncheckedBoxesLookApart) {
  LauncherState s({true, false, true});
  s.handle(on(Kind::Press, 1), 0);  // box 1 held down
  Canvas c(launcher_width, launcher_height);
  draw_launcher(c, LauncherArt{}, s);
  const int face = 11 * 11;
  EXPECT_GT(ink_in(c, box_face(0), 0x000000), 20);
  EXPECT_EQ(ink_in(c, box_face(0), 0x000000) + ink_in(c, box_face(0), 0xFFFFFF), face);
  EXPECT_EQ(ink_in(c, box_face(1), 0xC0C0C0), face);  // pressed: grey, no tick
  EXPECT_EQ(ink_in(c, box_face(2), 0x000000), ink_in(c, box_face(0), 0x000000));
  s.handle(on(Kind::Release, 1), 0);
  draw_launcher(c, LauncherArt{}, s);
  EXPECT_EQ(ink_in(c, box_face(1), 0x000000), ink_in(c, box_face(0), 0x000000));
}

// The 61 x 90 picture centred in the 52 x 76 button and cut at its edges;
// held down, it moves a pixel and the raised edge turns sunken.
TEST(LauncherFaceTest, ButtonShowsItsPictureCentredAndLooksPressedWhileHeld) {
  LauncherArt art;
  art.button = platform::Image{61, 90, {}};
  for (int y = 0; y < 90; ++y) {
    for (int x = 0; x < 61; ++x)
      art.button->pixels.push_back(static_cast<platform::Pixel>(x << 8 | y));
  }
  const auto& r = gadget_rects[start_button];
  LauncherState s(all_on);
  Canvas c(launcher_width, launcher_height);
  draw_launcher(c, art, s);
  EXPECT_EQ(pixel(c, r.x + 10, r.y + 10), static_cast<platform::Pixel>((10 + 4) << 8 | (10 + 7)));
  EXPECT_EQ(pixel(c, r.x + 49, r.y + 73), static_cast<platform::Pixel>((49 + 4) << 8 | (73 + 7)));
  EXPECT_EQ(pixel(c, r.x, r.y), 0xFFFFFFU);
  EXPECT_EQ(pixel(c, r.x + r.width - 1, r.y + r.height - 1), 0x000000U);

  s.handle(on(Kind::Press, start_button), 0);
  draw_launcher(c, art, s);
  EXPECT_EQ(pixel(c, r.x + 10, r.y + 10), static_cast<platform::Pixel>((10 + 3) << 8 | (10 + 6)));
  EXPECT_EQ(pixel(c, r.x, r.y), 0x000000U);
  EXPECT_EQ(pixel(c, r.x + r.width - 1, r.y + r.height - 1), 0xFFFFFFU);
}

TEST(LauncherFaceTest, BackdropFillsTheFaceWhenItHasTheDialogsSize) {
  LauncherArt art;
  art.backdrop =
      platform::Image{launcher_width, launcher_height,
                      std::vector<platform::Pixel>(launcher_width * launcher_height, 0x123456)};
  Canvas c(launcher_width, launcher_height);
  draw_launcher(c, art, LauncherState(all_on));
  EXPECT_EQ(pixel(c, 0, 0), 0x123456U);
  EXPECT_EQ(pixel(c, 150, 60), 0x123456U);
  art.backdrop->width = 100;  // a wrong picture is not used
  draw_launcher(c, art, LauncherState(all_on));
  EXPECT_EQ(pixel(c, 150, 60), 0xC0C0C0U);
}

// Wherever the pointer rests on the button, the whole tooltip stays inside
// the dialog and shows the text.
TEST(LauncherFaceTest, TooltipStaysInsideTheDialog) {
  const auto& r = gadget_rects[start_button];
  const std::pair<int, int> points[] = {
      {r.x, r.y}, {r.x + r.width - 1, r.y + r.height - 1}, {r.x + 26, r.y + 38}};
  for (const auto& [px, py] : points) {
    const platform::DialogRect box = tooltip_box({px, py});
    EXPECT_GE(box.x, 0);
    EXPECT_GE(box.y, 0);
    EXPECT_LE(box.x + box.width, launcher_width);
    EXPECT_LE(box.y + box.height, launcher_height);
    EXPECT_EQ(box.width, text_width(start_tooltip) + 8);
  }
  LauncherState s(all_on);
  s.handle(at(Kind::Motion, r.x + 26, r.y + 38), 0);
  s.handle({Kind::Timeout}, 500);
  Canvas c(launcher_width, launcher_height);
  draw_launcher(c, LauncherArt{}, s);
  const platform::DialogRect box = tooltip_box(*s.tooltip());
  const platform::DialogRect inside{box.x + 1, box.y + 1, box.width - 2, box.height - 2};
  EXPECT_GT(ink_in(c, inside, 0xFFFFE1), 0);
  EXPECT_GT(ink_in(c, inside, 0x000000), 100);  // the text
  EXPECT_EQ(ink_in(c, box, 0x000000) - ink_in(c, inside, 0x000000),
            2 * (box.width + box.height) - 4);
}

// Each character of the tooltip has its own glyph: no two different letters
// look alike, every one but the space leaves ink, and an unknown character is
// drawn as a space.
TEST(LauncherFontTest, GlyphsOfTheTooltipTextAreDistinct) {
  EXPECT_EQ(text_width(""), 0);
  EXPECT_EQ(text_width("Ab"), 11);
  std::vector<std::pair<char, std::vector<platform::Pixel>>> seen;
  for (const char ch : std::string_view("Click Here to Start Game !~")) {
    Canvas c(glyph_advance, glyph_height);
    draw_text(c, 0, 0, std::string_view(&ch, 1), 0xFFFFFF);
    const bool blank = std::all_of(c.pixels.begin(), c.pixels.end(), [](auto p) { return p == 0; });
    EXPECT_EQ(blank, ch == ' ' || ch == '~') << ch;
    for (const auto& [other, pixels] : seen) {
      if (other != ch && !blank) {
        EXPECT_NE(pixels, c.pixels) << ch << " and " << other;
      }
    }
    seen.emplace_back(ch, c.pixels);
  }
}

// Without a desktop the dialog cannot be made: the values from the file
// stand, whatever they are.
TEST(LauncherTest, SkippedDialogLeavesTheValuesAsRead) {
  platform::headless::reset();
  game.full_screen = 2;
  game.use_audio = 0;
  game.use_music = -7;
  run_launcher();
  EXPECT_EQ(game.full_screen, 2);
  EXPECT_EQ(game.use_audio, 0);
  EXPECT_EQ(game.use_music, -7);
}

}  // namespace
}  // namespace sky
