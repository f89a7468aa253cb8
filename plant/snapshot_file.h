// Reading and writing the snapshot file through the engine's file operations. The bytes are
// checked by ParseSnapshot (snapshot_format.h) before anything uses them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plant/file_ops.h"

namespace plant {

enum class SnapshotFileResult {
  Ok = 0,
  Missing,      ///< no snapshot file, or it cannot be opened
  TooLarge,     ///< larger than kMaxSnapshotFileSize; not read
  ReadFailed,   ///< a read call failed
  WriteFailed,  ///< the new file could not be written completely; any old snapshot is unchanged
};

/// Fixed text of a result, for logs.
[[nodiscard]] const char* SnapshotFileResultText(SnapshotFileResult result);

/// The snapshot path of a plant file: everything from the last "." of its file name replaced by
/// ".pim" (".pim" appended when the file name has no dot).
[[nodiscard]] std::string SnapshotPathFor(const std::string& plantPath);

/// Reads the whole file at path into *bytes (at most kMaxSnapshotFileSize bytes).
[[nodiscard]] SnapshotFileResult ReadSnapshotFile(FileOps& ops, const std::string& path, std::vector<uint8_t>* bytes);

/// Writes bytes as the file at path: a temporary file beside it, flushed, then swapped in, so a
/// later start finds either the whole new snapshot or the previous one, never a part.
[[nodiscard]] SnapshotFileResult WriteSnapshotFile(FileOps& ops, const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace plant
