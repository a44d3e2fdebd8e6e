#pragma once

// The one prompting style of both programs: a question printed to the screen, answered by a
// single key (menus and yes/no questions) or by a value typed on the input stream.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "command_interpreter.h"
#include "console.h"

namespace kelvarro {

// The keys a question accepts: a closed range of characters, or the yes/no set.
class KeySet {
 public:
  static constexpr KeySet Range(char first, char last) { return KeySet(first, last, false); }
  static constexpr KeySet YesNo() { return KeySet('\0', '\0', true); }

  constexpr bool Contains(char key) const {
    if (yes_no_) return key == 'y' || key == 'Y' || key == 'n' || key == 'N';
    return key >= first_ && key <= last_;
  }

 private:
  constexpr KeySet(char first, char last, bool yes_no) : first_(first), last_(last), yes_no_(yes_no) {}
  char first_;
  char last_;
  bool yes_no_;
};

constexpr bool IsYes(char key) { return key == 'y' || key == 'Y'; }

// Prints every text in order, then waits for one key with echo; a key outside `keys` prints
// all the texts again, directly behind the echoed key, and waits again. Returns the accepted
// key. Throws EndOfInput when the input ends.
char KeyMenu(Console& console, std::initializer_list<std::string_view> texts, KeySet keys);

// Reads one decimal integer into `target`; on failure `target` keeps its value (see Console).
void ReadInt(Console& console, std::int32_t& target);

// Reads one word delimited by white space. Throws EndOfInput when the input ends.
std::string ReadToken(Console& console);

// Has the command interpreter clear the screen.
void ClearScreen(CommandInterpreter& interpreter);

// Waits for one key, without echo, and forgets it. Throws EndOfInput when the input ends.
void WaitKey(Console& console);

}  // namespace kelvarro
