#pragma once

// The one prompting style of both programs: a question printed to the screen, answered by a
// single key (menus and yes/no questions) or by a value typed on the input stream.

#include <initializer_list>
#include <new>
#include <string>
#include <string_view>

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

// Shows a message that ends the run, waits for one key and gives the exit code 1: how both
// programs end a run that cannot do its work.
int Fail(Console& console, std::string_view message);

// Runs one program's dialogue to its exit code. Input that ends for good (see EndOfInput) or
// memory that runs out ends it with 1, silently; the files keep what was written into them.
template <typename Dialogue>
int RunToTheEnd(Dialogue&& dialogue) {
  try {
    return dialogue();
  } catch (const EndOfInput&) {
    return 1;
  } catch (const std::bad_alloc&) {
    return 1;
  }
}

}  // namespace kelvarro
