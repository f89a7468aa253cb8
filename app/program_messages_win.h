// The plant program's message boxes: its own texts (program_strings.h) in the framework message
// box, with the product name as title.
#pragma once

#include <cstdint>

namespace plantapp {

/// Shows program text `id` (no arguments). Returns the pressed button.
int32_t ShowProgramMessage(uint16_t id);

/// Shows the plant file's "cannot be written; the previous copy is kept" and, on a line of its own,
/// the platform's text for `systemError`. Returns the pressed button.
int32_t ShowPlantSaveFailure(uint32_t systemError);

/// Shows "Corrupt or missing plant file" for `name` (null: the text for no plant file at all) and
/// `code`. Returns the pressed button.
int32_t ShowPlantFileMessage(const char* name, int32_t code);

}  // namespace plantapp
