// The programs' text is the system's UTF-8, of which plain ASCII goes to the Windows programs
// under Wine unchanged.

#include "common/platform_text.h"

namespace kelvarro::platform {

bool ToProgramCodePage(std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool FromProgramCodePage(std::string&) { return true; }

}  // namespace kelvarro::platform
