// The plant program's message boxes: its own texts (program_strings.h) in the framework message
// box, with the product name as title.
#pragma once

#include <cstdint>

namespace plantapp {

/// Shows program text `id` (no arguments). Returns the pressed button.
int32_t ShowProgramMessage(uint16_t id);

/// Shows "Corrupt or missing plant file" for `name` (null: the text for no plant file at all) and
/// `code`. Returns the pressed button.
int32_t ShowPlantFileMessage(const char* name, int32_t code);

}  // namespace plantapp
