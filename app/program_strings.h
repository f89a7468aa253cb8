// The plant program's own string table: its product name and the texts of its message boxes.
// The framework's texts (ids from 0xF000) are the framework's; these ids lie below.
#pragma once

#include <cstdint>

#include "framework/base/string_table.h"
#include "framework/ui/message_box_layout.h"

namespace plantapp {

inline constexpr uint16_t kProductNameText = 0;      ///< "Verdelo": titles of windows and messages
inline constexpr uint16_t kRestartQuestionText = 10;
inline constexpr uint16_t kCannotRestartText = 20;
inline constexpr uint16_t kPlantFileErrorText = 30;  ///< %s the plant file, %d the code
inline constexpr uint16_t kHookErrorText = 40;
inline constexpr uint16_t kCompanionErrorText = 50;
/// Piece of kPlantFileErrorText that stands for the name when there is no plant file at all.
inline constexpr int32_t kNoPlantFilePiece = 1;

/// Style of every program message: hand icon, OK button, bold first line.
inline constexpr uint32_t kProgramMessageStyle = zrf::kMessageError | zrf::kMessageOk | zrf::kMessageBoldFirstLine;

/// The program's table for language 0, closed by a record with id 0xFFFF. Writable because
/// installing a table sorts it in place.
extern StringRecord gProgramStrings[];

}  // namespace plantapp
