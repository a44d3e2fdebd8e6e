// Wine's interpreter reads batch files in an OEM code page that differs from the system's
// UTF-8, so only plain ASCII reaches it unchanged.

#include "common/platform_text.h"
#include "wizard/batch_code_page.h"

namespace kelvarro {

bool ToBatchCodePage(std::string& text) { return platform::IsAscii(text); }

}  // namespace kelvarro
