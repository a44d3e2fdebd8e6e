#include "common/prompts.h"

namespace kelvarro {

char KeyMenu(Console& console, std::initializer_list<std::string_view> texts, KeySet keys) {
  for (;;) {
    for (std::string_view text : texts) console.Write(text);
    const char key = console.ReadKey(true);
    if (keys.Contains(key)) return key;
  }
}

int Fail(Console& console, std::string_view message) {
  console.Write(message);
  console.WaitKey();
  return 1;
}

}  // namespace kelvarro
