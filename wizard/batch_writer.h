#pragma once

// process.bat: the four command lines of the conversion, one per external tool, in the order
// the work must be done (decode the VOBs, decode the AC3 sound, encode the MP3, join video and
// sound). Every tool and data path carries the install directory in front, as read, with the
// characters that mean something to the command interpreter escaped and in the code page it
// reads the file in (interpreter_text.h).

#include <optional>

#include "common/config_file.h"
#include "common/file_system.h"
#include "common/platform_paths.h"
#include "common/write_failure.h"
#include "wizard/encoding_choices.h"

namespace kelvarro {

// Writes the file, replacing any earlier one, and closes it before returning, so that it can
// be run at once: four lines, each ending CR LF. Values are written as they are held, none
// checked: numbers in plain decimal, a negative one with its minus sign. A folder that the
// interpreter cannot take as it is goes in by the short form that `short_forms` gives. What failed,
// when not every byte reached the disk: such a file must not be run.
std::optional<WriteFailure> BatchWriter(FileSystem& files, const WizardConfig& config, const EncodingChoices& choices,
                                        const ShortForms& short_forms);

}  // namespace kelvarro
