// The settings file: reading hand-edited files, the exact bytes written, and
// the old file surviving a write that fails.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "game/world.h"
#include "shell/settings.h"
#include "shell/settings_file.h"
#include "tests/support/temp_dir.h"

namespace sky {
namespace {

using namespace std::string_literals;

struct Values {
  int hi_score;
  int full_screen;
  int use_audio;
  int use_music;
  bool operator==(const Values&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Values& v) {
  return out << "{" << v.hi_score << ", " << v.full_screen << ", " << v.use_audio << ", "
             << v.use_music << "}";
}

constexpr Values defaults{4855, 1, 1, 1};

void put_file(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

std::string file_bytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Values read_values() {
  game.hi_score = game.full_screen = game.use_audio = game.use_music = -99;
  read_settings();
  return {game.hi_score, game.full_screen, game.use_audio, game.use_music};
}

struct ReadCase {
  const char* what;
  std::optional<std::string> file;  // nullopt: no file at all
  Values expected;
};

const std::string group = "[Game Data]\r\n";

TEST(SettingsReadTest, HandEditedFiles) {
  const ReadCase cases[] = {
      {"no file", std::nullopt, defaults},
      {"empty file", "", defaults},
      {"group only", "[Game Data]\r\n", defaults},
      {"keys without a group", "HiScore = 1\r\nFullScreen = 0\r\nUseAudio = 0\r\nUseMusic = 0\r\n",
       defaults},
      {"as written",
       group + "HiScore = 120\r\nFullScreen = 0\r\nUseAudio = 0\r\nUseMusic = 0\r\n",
       {120, 0, 0, 0}},
      {"any order, blank lines", group + "\r\nUseMusic = 0\r\n\r\nHiScore = 9\r\n", {9, 1, 1, 0}},
      {"case of group and keys", "[gAME dATA]\r\nhiscore = 7\r\nFULLSCREEN = 0\r\n", {7, 0, 1, 1}},
      {"no spaces", group + "hiscore=12\r\n", {12, 1, 1, 1}},
      {"spaces around", group + "    HiScore    =    12   \r\n", {12, 1, 1, 1}},
      {"tab before the key", group + "\tHiScore = 12\r\n", defaults},
      {"tab before the equals sign", group + "HiScore\t= 12\r\n", defaults},
      {"tab after the equals sign", group + "HiScore =\t12\r\n", {0, 1, 1, 1}},
      {"space inside the key", group + "Hi Score = 12\r\n", defaults},
      {"key without equals sign", group + "HiScore 12\r\nFullScreen\r\n", defaults},
      {"comment", group + ";HiScore = 1\r\n   ; FullScreen = 0\r\nHiScore = 2\r\n", {2, 1, 1, 1}},
      {"no digits", group + "HiScore = abc\r\nFullScreen =\r\nUseAudio = \r\n", {0, 0, 0, 1}},
      {"digits then text", group + "HiScore = 12abc\r\n", {12, 1, 1, 1}},
      {"signs",
       group + "HiScore = -5\r\nFullScreen = +2\r\nUseAudio = - 3\r\nUseMusic = +-1\r\n",
       {-5, 2, 0, 0}},
      {"largest and smallest",
       group + "HiScore = 2147483647\r\nFullScreen = -2147483648\r\n",
       {2147483647, -2147483647 - 1, 1, 1}},
      {"beyond 32 bits wraps",
       group + "HiScore = 4294967297\r\nFullScreen = 2147483648\r\nUseAudio = "
               "98765432109876543210\r\n",
       {1, -2147483647 - 1, -450461974, 1}},
      {"a key twice: the first wins", group + "HiScore = 1\r\nHiScore = 2\r\n", {1, 1, 1, 1}},
      {"another group line ends the group",
       group + "HiScore = 1\r\n[Other]\r\nFullScreen = 0\r\n",
       {1, 1, 1, 1}},
      {"keys of an earlier group do not count",
       "[Other]\r\nHiScore = 9\r\n" + group + "HiScore = 3\r\n",
       {3, 1, 1, 1}},
      {"the first group line wins",
       group + "HiScore = 1\r\n" + group + "FullScreen = 0\r\n",
       {1, 1, 1, 1}},
      {"an indented group line is an ordinary line",
       group + "  [Other]\r\nFullScreen = 0\r\n",
       {4855, 0, 1, 1}},
      {"indented group line is not the group", "  [Game Data]\r\nHiScore = 1\r\n", defaults},
      {"spaces inside the brackets", "[ Game Data ]\r\nHiScore = 1\r\n", defaults},
      {"text after the bracket", "[Game Data] main ]\r\nHiScore = 1\r\n", {1, 1, 1, 1}},
      {"no bracket, CR LF: the CR is in the name", "[Game Data\r\nHiScore = 1\r\n", defaults},
      {"no bracket, LF only", "[Game Data\nHiScore = 1\n", {1, 1, 1, 1}},
      {"LF only", "[Game Data]\nHiScore = 1\nUseMusic = 0\n", {1, 1, 1, 0}},
      {"LF CR endings", "[Game Data]\n\rHiScore = 1\n\rUseMusic = 0\n\r", {1, 1, 1, 0}},
      {"CR alone is no line end", "[Game Data]\rHiScore = 1\r", defaults},
      {"group on the last line", "HiScore = 1\r\n[Game Data]", defaults},
      {"no line end after the value", group + "HiScore = 77", {77, 1, 1, 1}},
      {"text ends at a zero byte", group + "HiScore = 1\r\n\0UseMusic = 0\r\n"s, {1, 1, 1, 1}},
  };
  for (const ReadCase& c : cases) {
    testing::TempDir dir;
    if (c.file) put_file("Skyward.dat", *c.file);
    EXPECT_EQ(read_values(), c.expected) << c.what;
  }
}

TEST(SettingsReadTest, DirectoryInPlaceOfTheFileGivesDefaults) {
  testing::TempDir dir;
  std::filesystem::create_directory("Skyward.dat");
  EXPECT_EQ(read_values(), defaults);
}

class SettingsWriteTest : public ::testing::Test {
 protected:
  void TearDown() override { set_settings_write_call(nullptr); }
  testing::TempDir dir;
};

TEST_F(SettingsWriteTest, DefaultsAreTheSeventyThreeBytes) {
  game.hi_score = 4855;
  game.full_screen = game.use_audio = game.use_music = 1;
  write_settings();
  const std::string expected =
      "[Game Data]\r\nHiScore = 4855\r\nFullScreen = 1\r\nUseAudio = 1\r\nUseMusic = 1\r\n";
  EXPECT_EQ(expected.size(), 73U);
  EXPECT_EQ(file_bytes("Skyward.dat"), expected);
}

// Everything else in the old file is lost; values pass through as they are.
TEST_F(SettingsWriteTest, ReplacesTheFileAndReadsBackWhatItWrote) {
  put_file("Skyward.dat", "; mine\r\n[Other]\r\nX = 1\r\n[Game Data]\r\nUseMusic = 0\r\n");
  game.hi_score = -5;
  game.full_screen = 0;
  game.use_audio = 7;
  game.use_music = -2147483647 - 1;
  write_settings();
  EXPECT_EQ(file_bytes("Skyward.dat"),
            "[Game Data]\r\nHiScore = -5\r\nFullScreen = 0\r\nUseAudio = 7\r\n"
            "UseMusic = -2147483648\r\n");
  EXPECT_EQ(read_values(), (Values{-5, 0, 7, -2147483647 - 1}));
  EXPECT_FALSE(std::filesystem::exists("Skyward.dat.tmp"));
}

// Lets the first `budget` bytes through, then fails like a full disk.
std::size_t budget = 0;
ssize_t write_until_full(int fd, const void* data, std::size_t size) {
  if (budget == 0) {
    errno = ENOSPC;
    return -1;
  }
  const std::size_t now = std::min({size, budget, std::size_t{7}});  // short writes too
  budget -= now;
  return ::write(fd, data, now);
}

TEST_F(SettingsWriteTest, FailedWriteKeepsTheOldFile) {
  const std::string old = "[Game Data]\r\nHiScore = 99999\r\n";
  set_settings_write_call(write_until_full);
  game.hi_score = 4855;  // 73 bytes to write
  game.full_screen = game.use_audio = game.use_music = 1;
  for (std::size_t allowed : {0, 1, 30, 72}) {
    put_file("Skyward.dat", old);
    budget = allowed;
    write_settings();
    EXPECT_EQ(file_bytes("Skyward.dat"), old) << allowed;
    EXPECT_FALSE(std::filesystem::exists("Skyward.dat.tmp")) << allowed;
  }
  // With room for every byte the short writes add up to the whole file.
  budget = 73;
  write_settings();
  EXPECT_EQ(file_bytes("Skyward.dat").size(), 73U);
}

TEST_F(SettingsWriteTest, NothingWrittenWhenTheFileCannotBeMade) {
  EXPECT_FALSE(settings_create("missing/Skyward.dat"));
  EXPECT_FALSE(settings_select_group("Game Data"));
  settings_write_integer("HiScore", 1);
  EXPECT_TRUE(settings_close());  // nothing was open
  EXPECT_FALSE(std::filesystem::exists("missing"));

  // The name is taken by a directory: the replacement fails at the last step.
  std::filesystem::create_directories("Skyward.dat/inside");
  write_settings();
  EXPECT_TRUE(std::filesystem::is_directory("Skyward.dat/inside"));
  EXPECT_FALSE(std::filesystem::exists("Skyward.dat.tmp"));
}

// One file at a time: opening or creating closes what was open; reads and
// writes outside their mode do nothing.
TEST_F(SettingsWriteTest, OperationsOutsideTheirModeDoNothing) {
  EXPECT_EQ(settings_read_integer("HiScore", 3), 3);
  EXPECT_FALSE(settings_select_group("Game Data"));
  EXPECT_TRUE(settings_close());

  put_file("a.dat", "[G]\r\nK = 5\r\n");
  ASSERT_TRUE(settings_open("a.dat"));
  EXPECT_EQ(settings_read_integer("K", 3), 3);  // no group selected yet
  EXPECT_TRUE(settings_select_group("g"));
  EXPECT_EQ(settings_read_integer("K", 3), 5);
  EXPECT_EQ(settings_read_integer("", 3), 3);
  settings_write_integer("K", 6);  // reading: not written
  EXPECT_FALSE(settings_select_group("H"));
  EXPECT_EQ(settings_read_integer("K", 3), 3);  // the failed search forgot the group
  EXPECT_FALSE(settings_open("missing.dat"));
  EXPECT_EQ(settings_read_integer("K", 3), 3);
  EXPECT_EQ(file_bytes("a.dat"), "[G]\r\nK = 5\r\n");

  ASSERT_TRUE(settings_open("a.dat"));
  ASSERT_TRUE(settings_create("b.dat"));  // closes a.dat
  EXPECT_EQ(settings_read_integer("K", 3), 3);
  settings_write_integer("", 1);
  settings_write_integer("K", 2);
  EXPECT_FALSE(std::filesystem::exists("b.dat"));  // not before it is closed
  EXPECT_TRUE(settings_close());
  EXPECT_EQ(file_bytes("b.dat"), "K = 2\r\n");
}

}  // namespace
}  // namespace sky
