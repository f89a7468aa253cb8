// Snapshot file input and output; see snapshot_file.h.
#include "plant/snapshot_file.h"

#include <algorithm>

#include "plant/plant_file.h"
#include "plant/snapshot_format.h"

namespace plant {

const char* SnapshotFileResultText(SnapshotFileResult result) {
  switch (result) {
    case SnapshotFileResult::Ok: return "snapshot file done";
    case SnapshotFileResult::Missing: return "no snapshot file";
    case SnapshotFileResult::TooLarge: return "snapshot file is too large";
    case SnapshotFileResult::ReadFailed: return "snapshot file cannot be read";
    case SnapshotFileResult::WriteFailed: return "snapshot file cannot be written";
  }
  return "unknown snapshot file result";
}

std::string SnapshotPathFor(const std::string& plantPath) {
  const size_t dot = plantPath.find_last_of('.');
  const size_t separator = plantPath.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
    return plantPath + ".pim";
  }
  return plantPath.substr(0, dot) + ".pim";
}

SnapshotFileResult ReadSnapshotFile(FileOps& ops, const std::string& path, std::vector<uint8_t>* bytes) {
  const FileHandle file = ops.OpenForRead(path);
  if (file == kNoFile) {
    return SnapshotFileResult::Missing;
  }
  uint64_t size = 0;
  if (ops.SizeOf(file, &size) && size > kMaxSnapshotFileSize) {
    (void)ops.Close(file);
    return SnapshotFileResult::TooLarge;
  }
  // Read in blocks up to one byte past the cap whatever the size said: the file may grow. The
  // buffer is sized from the file and grows by hand to at most the cap and a block: left to double,
  // it would ask a 32-bit process for 256 MiB in one piece beside the 128 it holds.
  constexpr size_t kBlock = 1 << 20;
  constexpr size_t kMostBytes = size_t{kMaxSnapshotFileSize} + kBlock;
  bytes->clear();
  bytes->reserve(static_cast<size_t>(size) + kBlock);
  SnapshotFileResult result = SnapshotFileResult::Ok;
  for (;;) {
    if (bytes->size() > kMaxSnapshotFileSize) {
      result = SnapshotFileResult::TooLarge;
      break;
    }
    const size_t used = bytes->size();
    if (used + kBlock > bytes->capacity()) {
      const size_t grown = std::max(used + kBlock, 2 * bytes->capacity());
      bytes->reserve(grown >= kMaxSnapshotFileSize ? kMostBytes : grown);
    }
    bytes->resize(used + kBlock);
    size_t done = 0;
    if (!ops.Read(file, bytes->data() + used, kBlock, &done)) {
      result = SnapshotFileResult::ReadFailed;
      break;
    }
    bytes->resize(used + done);
    if (done == 0) {
      break;
    }
  }
  (void)ops.Close(file);
  if (result != SnapshotFileResult::Ok) {
    std::vector<uint8_t>().swap(*bytes);
  }
  return result;
}

namespace {

bool WriteAll(FileOps& ops, FileHandle file, const std::vector<uint8_t>& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    size_t done = 0;
    if (!ops.Write(file, bytes.data() + written, bytes.size() - written, &done) || done == 0) {
      return false;
    }
    written += done;
  }
  return true;
}

}  // namespace

SnapshotFileResult WriteSnapshotFile(FileOps& ops, const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string temporary = TemporaryPathFor(path);
  const FileHandle file = ops.Create(temporary);
  if (file == kNoFile) {
    return SnapshotFileResult::WriteFailed;
  }
  const bool written = WriteAll(ops, file, bytes) && ops.Flush(file);
  const bool closed = ops.Close(file);
  if (!written || !closed || !ops.MakeWritable(path) || !ops.Replace(temporary, path)) {
    (void)ops.Remove(temporary);
    return SnapshotFileResult::WriteFailed;
  }
  return SnapshotFileResult::Ok;
}

}  // namespace plant
