// The headless platform: every service without a window, sound card or real
// clock, driven and observed by the tests through platform/headless.h.
#include "platform/headless.h"

#include <array>
#include <deque>
#include <filesystem>
#include <utility>

#include "platform/clock.h"
#include "platform/common/prng.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/pictures.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/textured.h"
#include "platform/window.h"

namespace platform {
namespace {

constexpr int key_count = 3;
constexpr std::uint64_t micros_per_second = 1'000'000;

struct State {
  std::uint64_t micros = 1'000'000;
  bool auto_advance = true;
  int pacing_rate = 75;
  std::uint64_t frames = 0;
  std::uint64_t timeline_start = 0;  // microseconds of frame 0 of the pacing timeline
  std::uint64_t timeline_frame = 0;
  std::array<bool, key_count> key_down{};
  std::array<bool, key_count> key_snapshot{};
  std::array<bool, key_count> key_memory{};
  std::array<std::deque<bool>, key_count> key_script{};
  int snapshots = 0;
  MouseState mouse;
  std::deque<int> random_script;
  Prng prng;
  std::array<bool, 7> failing{};
  std::vector<int> played;
  std::vector<headless::SoundLoad> loaded;
  std::vector<std::string> boxes;
  int presented = 0;
  bool open = false;
  bool full_screen = false;
  std::string title;
  int sleeps = 0;
  bool close_pending = false;
  bool close_seen = false;
};

State& st() {
  static State instance;
  return instance;
}

bool failing(headless::Service s) { return st().failing[static_cast<std::size_t>(s)]; }

std::size_t key_index(Key key) { return static_cast<std::size_t>(key); }

}  // namespace

// Time.
std::uint32_t ticks_ms() { return static_cast<std::uint32_t>(st().micros / 1000); }
std::uint64_t counter() { return st().micros; }
std::uint64_t counter_frequency() { return micros_per_second; }
// With auto_advance a sleep takes its time on the fake clock, as it would on
// the real one.
void sleep_ms(int ms) {
  State& s = st();
  ++s.sleeps;
  if (s.auto_advance && ms > 0) s.micros += static_cast<std::uint64_t>(ms) * 1000;
}
void pacing_set_rate(int rate) {
  State& s = st();
  s.pacing_rate = rate;
  s.timeline_start = s.micros;
  s.timeline_frame = 0;
}
// Frames start on a fixed timeline of 1/(rate + 1) s, like the real pacing:
// the clock moves on to the next frame's moment; a frame that ran later than
// that starts a new timeline.
void pace_frame() {
  State& s = st();
  ++s.frames;
  if (!s.auto_advance) return;
  const std::uint64_t per_second = static_cast<std::uint64_t>(s.pacing_rate + 1);
  const std::uint64_t next =
      s.timeline_start + (s.timeline_frame + 1) * micros_per_second / per_second;
  if (s.micros <= next) {
    s.micros = next;
    ++s.timeline_frame;
  } else {
    s.timeline_start = s.micros;
    s.timeline_frame = 0;
  }
}
std::uint64_t paced_frames() { return st().frames; }

// Random numbers.
void random_seed(std::uint32_t seed) { st().prng.seed(seed); }
int random(int n) {
  State& s = st();
  if (!s.random_script.empty()) {
    int v = s.random_script.front();
    s.random_script.pop_front();
    if (v < 0) v = 0;
    if (v > n) v = n < 0 ? 0 : n;
    return v;
  }
  return s.prng.uniform(n);
}

// Windows.
bool windows_init() { return !failing(headless::Service::Windows); }
void windows_shutdown() {}
void error_box(std::string_view text) { st().boxes.emplace_back(text); }
WindowEvent take_window_event() {
  if (st().close_pending) {
    st().close_pending = false;
    return WindowEvent::CloseRequest;
  }
  return WindowEvent::None;
}
std::string program_directory() {
  std::string dir = std::filesystem::current_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}
bool enter_program_directory() { return true; }

// Display.
bool display_init() { return !failing(headless::Service::Display); }
bool textured_init() { return !failing(headless::Service::Textured); }
bool display_open(bool full_screen, const std::string& title, int /*icon_picture*/) {
  if (failing(headless::Service::OpenDisplay)) return false;
  State& s = st();
  s.open = true;
  s.full_screen = full_screen;
  s.title = title;
  return true;
}
void display_present() {
  State& s = st();
  ++s.presented;
  if (s.full_screen && s.close_pending) {
    s.close_pending = false;
    s.close_seen = true;
  }
}
bool display_close_requested() { return st().close_seen; }
void display_close_window() { st().open = false; }
void display_shutdown() { st().open = false; }

// Input.
bool keyboard_init() { return !failing(headless::Service::Keyboard); }
bool mouse_init() { return !failing(headless::Service::Mouse); }
void input_shutdown() {}
void keyboard_snapshot() {
  State& s = st();
  ++s.snapshots;
  for (std::size_t k = 0; k < key_count; ++k) {
    if (!s.key_script[k].empty()) {
      s.key_down[k] = s.key_script[k].front();
      s.key_script[k].pop_front();
    }
    s.key_snapshot[k] = s.key_down[k];
  }
}
bool key_released(Key key) {
  State& s = st();
  const std::size_t k = key_index(key);
  const bool released = !s.key_snapshot[k] && s.key_memory[k];
  s.key_memory[k] = s.key_snapshot[k];
  return released;
}
MouseState mouse_read() { return st().mouse; }

// Sound.
bool sound_init() { return !failing(headless::Service::Sound); }
void sound_shutdown() {}
bool sound_load(int id, std::span<const std::uint8_t> wave_file) {
  st().loaded.push_back({id, wave_file.size()});
  return true;
}
void sound_play(int id) { st().played.push_back(id); }

namespace headless {

void reset(std::uint32_t start_ms) {
  st() = State{};
  st().micros = static_cast<std::uint64_t>(start_ms) * 1000;
  free_all_pictures();
  clear_screen(0);
}
void set_ticks(std::uint32_t ms) { st().micros = static_cast<std::uint64_t>(ms) * 1000; }
void advance_ms(std::uint32_t ms) { st().micros += static_cast<std::uint64_t>(ms) * 1000; }
void set_auto_advance(bool on) { st().auto_advance = on; }
void set_mouse(int x, int y, bool left, bool right) {
  MouseState& m = st().mouse;
  m.x = x < 0 ? 0 : (x > screen_width - 1 ? screen_width - 1 : x);
  m.y = y < 0 ? 0 : (y > screen_height - 1 ? screen_height - 1 : y);
  m.left = left;
  m.right = right;
}
void set_key(Key key, bool down) { st().key_down[key_index(key)] = down; }
void script_key_presses(Key key, std::vector<bool> downs) {
  auto& script = st().key_script[key_index(key)];
  script.assign(downs.begin(), downs.end());
}
int keyboard_snapshots() { return st().snapshots; }
void script_random(std::vector<int> values) {
  st().random_script.assign(values.begin(), values.end());
}
void fail(Service service, bool on) { st().failing[static_cast<std::size_t>(service)] = on; }
const std::vector<int>& played_sounds() { return st().played; }
void clear_played_sounds() { st().played.clear(); }
const std::vector<SoundLoad>& loaded_sounds() { return st().loaded; }
const std::vector<std::string>& error_boxes() { return st().boxes; }
int presented_frames() { return st().presented; }
bool display_is_open() { return st().open; }
bool display_full_screen() { return st().full_screen; }
std::string display_title() { return st().title; }
int sleeps() { return st().sleeps; }
void request_close() { st().close_pending = true; }

}  // namespace headless
}  // namespace platform
