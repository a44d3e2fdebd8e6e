#include "common/prompts.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "support/scripted_console.h"

namespace kelvarro {
namespace {

using testing::ScriptedConsole;

// A rejected key prints every text again, directly behind its echo (on the same line when the
// prompt has no line feed); the end of the input ends the question instead of repeating it.
TEST(KeyMenu, TakesTheFirstKeyOfItsSetAndRepeatsEveryTextForAnyOther) {
  constexpr char kEnded = '\0';
  struct Case {
    std::string keys;
    std::string menu;
    std::string prompt;
    KeySet set;
    char taken;
    std::string shown;
  };
  const Case cases[] = {
      {"7 \nx2", "\n[1]\tone\n", "pick: ", KeySet::Range('1', '2'), '2',
       "\n[1]\tone\npick: 7\n[1]\tone\npick:  \n[1]\tone\npick: \n\n[1]\tone\npick: x\n[1]\tone\npick: 2"},
      {"71", "", "region: ", KeySet::Range('1', '2'), '1', "region: 7region: 1"},
      {"a/:\xff"
       "0",
       "", "q: ", KeySet::Range('0', '9'), '0', "q: aq: /q: :q: \xffq: 0"},
      {"9", "", "q: ", KeySet::Range('0', '9'), '9', "q: 9"},
      {"y", "", "?", KeySet::YesNo(), 'y', "?y"},
      {"Y", "", "?", KeySet::YesNo(), 'Y', "?Y"},
      {"n", "", "?", KeySet::YesNo(), 'n', "?n"},
      {"ajx N", "", "?", KeySet::YesNo(), 'N', "?a?j?x? ?N"},
      {"x", "", "q: ", KeySet::Range('1', '2'), kEnded, "q: xq: "},
  };
  for (const Case& c : cases) {
    ScriptedConsole console(c.keys);
    char taken = kEnded;
    try {
      taken = KeyMenu(console, {c.menu, c.prompt}, c.set);
    } catch (const EndOfInput&) {
    }
    EXPECT_EQ(taken, c.taken) << c.keys;
    EXPECT_EQ(console.Output(), c.shown) << c.keys;
  }
}

TEST(ReadInt, FailedReadKeepsTheTargetAndFailsEveryLaterReadButKeysStillCome) {
  ScriptedConsole console("abc\n42\n");
  std::int32_t first = 0, second = 5;
  console.ReadInt(first);
  console.ReadInt(second);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 5);
  // The letters are still there, and are read as keys one at a time.
  EXPECT_EQ(console.ReadKey(true), 'a');
  EXPECT_EQ(console.ReadKey(true), 'b');
  EXPECT_EQ(console.ReadKey(true), 'c');
  // What is left, "\n42\n", would read as a number: only the kept failure stops it.
  std::int32_t third = 9;
  console.ReadInt(third);
  EXPECT_EQ(third, 9);
}

TEST(ReadInt, EndOfInputFailsQuietly) {
  ScriptedConsole console("");
  std::int32_t value = 3;
  console.ReadInt(value);
  EXPECT_EQ(value, 3);
  EXPECT_THROW(console.ReadKey(true), EndOfInput);
}

TEST(ReadToken, SkipsLeadingSpaceAndStopsAtABlank) {
  ScriptedConsole console(" \n\t d:\\my files\\kelvarro\\\n");
  EXPECT_EQ(console.ReadToken(), "d:\\my");
  ScriptedConsole empty("   \n");
  EXPECT_THROW(empty.ReadToken(), EndOfInput);
}

TEST(WaitKey, TakesOneKeyWithoutEcho) {
  ScriptedConsole console("qr");
  console.WaitKey();
  EXPECT_EQ(console.Output(), "");
  EXPECT_EQ(console.ReadKey(false), 'r');
  EXPECT_THROW(console.WaitKey(), EndOfInput);
  // Memory that runs out ends a run as quietly.
  EXPECT_EQ(RunToTheEnd([]() -> int { throw std::bad_alloc(); }), 1);
}

}  // namespace
}  // namespace kelvarro
