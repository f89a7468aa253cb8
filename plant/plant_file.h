// Loading and saving the plant file (".plt"): the record's bytes followed by the node array's
// bytes, exactly as they lie in memory.
//
// Loading reads the file into two heap blocks, checks every byte with the plant validator, and
// only then replaces the plant's blocks, so a refused file leaves the current plant untouched.
// Saving writes a complete new file beside the old one ("<path>_tmp"), checks every byte count,
// forces it to the disk and then replaces the old file in one step; on any failure the old file
// stays as it was and the temporary file is deleted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "plant/file_ops.h"
#include "plant/plant_state.h"

namespace plant {

/// Results of loading. 1 to 7 keep their historical meaning; Invalid is the validator's refusal.
enum class LoadResult : int32_t {
  Ok = 0,
  CannotOpen = 1,         ///< the file does not exist or cannot be opened
  ProbeReadFailed = 2,    ///< reading the fixed fields failed
  NoMemoryForRecord = 3,  ///< the record block cannot be allocated
  RecordReadFailed = 4,   ///< reading the record failed
  NoMemoryForNodes = 5,   ///< the node array cannot be allocated
  NodeReadFailed = 6,     ///< reading the node array failed
  BadSignature = 7,       ///< the file is not a plant file
  Invalid = 10,           ///< the file is damaged: truncated, or its content fails validation
};

/// Results of saving.
enum class SaveResult : int32_t {
  Ok = 0,
  CannotCreate = 1,  ///< the temporary file cannot be created
  WriteFailed = 2,   ///< a write, the flush or the replacement failed; the old file is intact
};

/// Fixed message text of a load result (for the caller's message box, after the file name).
[[nodiscard]] const char* LoadResultText(LoadResult result);
/// Fixed message text of a save result.
[[nodiscard]] const char* SaveResultText(SaveResult result);

/// Name of the temporary file a save writes before it replaces path.
[[nodiscard]] std::string TemporaryPathFor(const std::string& path);

/// Loads plant.path into plant. screenWidth and screenHeight must be set; now is the present time
/// (seconds since 1970) for the clock rule. Tries to open a locked file 20 times, 500 ms apart. On
/// any failure plant is unchanged and *why (when given) says what was wrong.
[[nodiscard]] LoadResult LoadPlantFile(Plant& plant, FileOps& ops, int64_t now, std::string* why);

/// The same from bytes in memory (no retries). bytes are borrowed for the call only.
[[nodiscard]] LoadResult LoadPlantBytes(Plant& plant, const uint8_t* bytes, size_t size, int64_t now,
                                        std::string* why);

/// Saves plant to plant.path, first refreshing the rectangle fractions from the pixel rectangle
/// (kept as stored when the screen size is not positive). On failure the old file is whole and
/// *systemError (when given) is the platform's code of the failed call (FileOps::ErrorCode).
[[nodiscard]] SaveResult SavePlantFile(Plant& plant, FileOps& ops, uint32_t* systemError = nullptr);

/// LoadPlantFile and SavePlantFile on the current plant with the system's files and clock.
[[nodiscard]] LoadResult LoadPlantFile();
[[nodiscard]] SaveResult SavePlantFile();

}  // namespace plant
