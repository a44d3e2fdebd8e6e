// Where the batch file is run at all (through Wine), the bytes are handed on as they are.

#include "wizard/batch_code_page.h"

namespace kelvarro {

bool ToBatchCodePage(std::string&) { return true; }

}  // namespace kelvarro
