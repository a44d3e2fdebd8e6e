#include "common/prompts.h"

namespace kelvarro {

char KeyMenu(Console& console, std::initializer_list<std::string_view> texts, KeySet keys) {
  for (;;) {
    for (std::string_view text : texts) console.Write(text);
    const char key = console.ReadKey(true);
    if (keys.Contains(key)) return key;
  }
}

void ReadInt(Console& console, std::int32_t& target) { console.ReadInt(target); }

std::string ReadToken(Console& console) { return console.ReadToken(); }

void ClearScreen(CommandInterpreter& interpreter) { interpreter.ClearScreen(); }

void WaitKey(Console& console) { console.ReadKey(false); }

}  // namespace kelvarro
