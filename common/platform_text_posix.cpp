// The programs' text is the system's UTF-8, of which plain ASCII goes to the Windows programs
// under Wine unchanged.

#include "common/platform_text.h"

namespace kelvarro::platform {

bool ToProgramCodePage(std::string& text) { return IsAscii(text); }

bool FromProgramCodePage(std::string&) { return true; }

}  // namespace kelvarro::platform
