// Wine's interpreter reads batch files in an OEM code page that differs from the system's
// UTF-8, so only plain ASCII reaches it unchanged.

#include "wizard/batch_code_page.h"

namespace kelvarro {

bool ToBatchCodePage(std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace kelvarro
