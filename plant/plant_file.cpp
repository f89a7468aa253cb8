// Loading and saving the plant file; plant_file.h describes the file and the order of saving.
#include "plant/plant_file.h"

#include <cstring>
#include <ctime>
#include <new>

#include "plant/plant_clock.h"
#include "plant/plant_validator.h"
#include "plant/saturate.h"

namespace plant {
namespace {

constexpr int kOpenAttempts = 20;
constexpr uint32_t kOpenRetryMilliseconds = 500;

enum class ReadStatus { Full, Short, Failed };

// Where the loader's bytes come from: an open file or a block in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual ReadStatus ReadExactly(void* buffer, size_t size) = 0;
  /// Total bytes of the source, or UINT64_MAX when unknown.
  virtual uint64_t TotalSize() = 0;
};

class FileSource final : public ByteSource {
 public:
  FileSource(FileOps& ops, FileHandle file) : ops_(ops), file_(file) {}
  ~FileSource() override { (void)ops_.Close(file_); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  ReadStatus ReadExactly(void* buffer, size_t size) override {
    auto* at = static_cast<uint8_t*>(buffer);
    while (size > 0) {
      size_t done = 0;
      if (!ops_.Read(file_, at, size, &done)) {
        return ReadStatus::Failed;
      }
      if (done == 0) {
        return ReadStatus::Short;
      }
      at += done;
      size -= done;
    }
    return ReadStatus::Full;
  }
  uint64_t TotalSize() override {
    uint64_t size = 0;
    return ops_.SizeOf(file_, &size) ? size : UINT64_MAX;
  }

 private:
  FileOps& ops_;
  FileHandle file_;
};

class MemorySource final : public ByteSource {
 public:
  MemorySource(const uint8_t* bytes, size_t size) : bytes_(bytes), left_(size), total_(size) {}
  uint64_t TotalSize() override { return total_; }
  ReadStatus ReadExactly(void* buffer, size_t size) override {
    if (size > left_) {
      return ReadStatus::Short;
    }
    if (size != 0) {
      std::memcpy(buffer, bytes_, size);
    }
    bytes_ += size;
    left_ -= size;
    return ReadStatus::Full;
  }

 private:
  const uint8_t* bytes_;
  size_t left_;
  size_t total_;
};

LoadResult Refuse(std::string* why, LoadResult result, const std::string& message) {
  if (why != nullptr) {
    *why = message;
  }
  return result;
}

void DerivePlacement(Plant& plant) {
  const PlantRecord& record = plant.Record();
  const double width = plant.screenWidth;
  const double height = plant.screenHeight;
  plant.pixelsPerUnit = height * record.pixelScale;
  plant.rect.left = SaturateToI32(width * record.rectLeft);
  plant.rect.top = SaturateToI32(height * record.rectTop);
  plant.rect.right = SaturateToI32(width * record.rectRight);
  plant.rect.bottom = SaturateToI32(height * record.rectBottom);
}

// The plant catches up on the time it was off only when it was shut down cleanly and may grow
// while off; otherwise its clock starts again from the present.
void ApplyClockRule(PlantRecord& record, int64_t now) {
  const int32_t both = kCleanShutdown | kGrowWhileOff;
  if ((record.flags & both) != both) {
    record.clock = StoreClock(now);
  }
  record.flags &= ~static_cast<int32_t>(kCleanShutdown);
}

LoadResult LoadFromSource(Plant& plant, ByteSource& source, int64_t now, std::string* why) {
  uint8_t head[kFixedFieldsEnd];
  const ReadStatus probe = source.ReadExactly(head, sizeof head);
  if (probe == ReadStatus::Failed) {
    return Refuse(why, LoadResult::ProbeReadFailed, "reading the fixed fields failed");
  }
  if (probe == ReadStatus::Short) {
    return Refuse(why, LoadResult::Invalid, "the file is shorter than the fixed fields of a plant record");
  }
  if (std::memcmp(head + offsetof(PlantRecord, signature), kSignature, sizeof kSignature) != 0) {
    return Refuse(why, LoadResult::BadSignature, "the file does not carry the plant file signature");
  }
  std::string problem;
  if (!CheckRecordHead(head, &problem)) {
    return Refuse(why, LoadResult::Invalid, problem);
  }
  PlantRecord fields;
  std::memcpy(&fields, head, sizeof fields);
  const size_t recordSize = static_cast<uint32_t>(fields.recordSize);
  const size_t nodeSize = static_cast<uint32_t>(fields.nodeSize);
  const size_t nodeCount = static_cast<uint32_t>(fields.nodeCount);
  // Nothing is allocated for bytes the file does not have. The caps keep the sum far below 2^63.
  if (source.TotalSize() < recordSize + static_cast<uint64_t>(nodeCount) * nodeSize) {
    return Refuse(why, LoadResult::Invalid, "the file is shorter than its record and nodes");
  }

  std::unique_ptr<uint8_t[]> record(new (std::nothrow) uint8_t[recordSize]);
  if (!record) {
    return Refuse(why, LoadResult::NoMemoryForRecord, "no memory for the plant record");
  }
  std::memcpy(record.get(), head, sizeof head);
  const ReadStatus rest = source.ReadExactly(record.get() + sizeof head, recordSize - sizeof head);
  if (rest != ReadStatus::Full) {
    return rest == ReadStatus::Failed ? Refuse(why, LoadResult::RecordReadFailed, "reading the record failed")
                                      : Refuse(why, LoadResult::Invalid, "the file ends inside the record");
  }

  // nodeCount <= 2^20 and nodeSize <= 4096 keep (nodeCount + 1) x nodeSize below 2^33, which
  // size_t holds on 64-bit hosts; on 32-bit hosts the cap check below refuses what cannot fit.
  const uint64_t nodeBytes = (static_cast<uint64_t>(nodeCount) + 1) * nodeSize;
  if (nodeBytes > SIZE_MAX / 2) {
    return Refuse(why, LoadResult::NoMemoryForNodes, "the node array is too large for this process");
  }
  std::unique_ptr<uint8_t[]> nodes(new (std::nothrow) uint8_t[static_cast<size_t>(nodeBytes)]());
  std::unique_ptr<int32_t[]> renumber(new (std::nothrow) int32_t[nodeCount + 1]());
  if (!nodes || !renumber) {
    return Refuse(why, LoadResult::NoMemoryForNodes, "no memory for the node array");
  }
  const ReadStatus body = source.ReadExactly(nodes.get(), nodeCount * nodeSize);
  if (body != ReadStatus::Full) {
    return body == ReadStatus::Failed
               ? Refuse(why, LoadResult::NodeReadFailed, "reading the node array failed")
               : Refuse(why, LoadResult::Invalid, "the file ends inside the node array");
  }
  if (!ValidatePlant(record.get(), nodes.get(), &problem)) {
    return Refuse(why, LoadResult::Invalid, problem);
  }

  plant.record = std::move(record);
  plant.nodes = std::move(nodes);
  plant.renumber = std::move(renumber);
  plant.lastFrameStep = -1;
  PlantRecord& loaded = plant.Record();
  loaded.nodeCapacity = loaded.nodeCount;
  DerivePlacement(plant);
  ApplyClockRule(loaded, now);
  return LoadResult::Ok;
}

FileHandle OpenWithRetries(FileOps& ops, const std::string& path) {
  for (int attempt = 1;; ++attempt) {
    const FileHandle file = ops.OpenForRead(path);
    if (file != kNoFile || attempt == kOpenAttempts) {
      return file;
    }
    ops.Sleep(kOpenRetryMilliseconds);
  }
}

bool WriteAll(FileOps& ops, FileHandle file, const uint8_t* bytes, size_t size) {
  while (size > 0) {
    size_t done = 0;
    if (!ops.Write(file, bytes, size, &done) || done == 0 || done > size) {
      return false;
    }
    bytes += done;
    size -= done;
  }
  return true;
}

// A zero screen size would divide by zero and store infinite or NaN fractions, which the next
// load refuses; the stored fractions are kept instead.
void RefreshFractions(Plant& plant) {
  if (plant.screenWidth <= 0 || plant.screenHeight <= 0) {
    return;
  }
  PlantRecord& record = plant.Record();
  const double width = plant.screenWidth;
  const double height = plant.screenHeight;
  record.rectLeft = plant.rect.left / width;
  record.rectTop = plant.rect.top / height;
  record.rectRight = plant.rect.right / width;
  record.rectBottom = plant.rect.bottom / height;
}

// Each failure's cause is taken at once: the calls that tidy up after it may change it.
SaveResult WriteTemporary(Plant& plant, FileOps& ops, const std::string& temporary, uint32_t* systemError) {
  const FileHandle file = ops.Create(temporary);
  if (file == kNoFile) {
    *systemError = ops.ErrorCode();
    return SaveResult::CannotCreate;
  }
  const PlantRecord& record = plant.Record();
  const size_t recordSize = static_cast<uint32_t>(record.recordSize);
  const size_t nodeBytes =
      static_cast<size_t>(static_cast<uint32_t>(record.nodeCount)) * static_cast<uint32_t>(record.nodeSize);
  const bool written = WriteAll(ops, file, plant.record.get(), recordSize) &&
                       WriteAll(ops, file, plant.nodes.get(), nodeBytes) && ops.Flush(file);
  if (!written) {
    *systemError = ops.ErrorCode();
  }
  const bool closed = ops.Close(file);
  if (written && !closed) {
    *systemError = ops.ErrorCode();
  }
  return written && closed ? SaveResult::Ok : SaveResult::WriteFailed;
}

}  // namespace

const char* LoadResultText(LoadResult result) {
  switch (result) {
    case LoadResult::Ok:
      return "The plant was loaded.";
    case LoadResult::CannotOpen:
      return "The plant file does not exist or cannot be opened.";
    case LoadResult::ProbeReadFailed:
      return "The plant file cannot be read.";
    case LoadResult::NoMemoryForRecord:
      return "There is not enough memory for the plant.";
    case LoadResult::RecordReadFailed:
      return "The plant file cannot be read.";
    case LoadResult::NoMemoryForNodes:
      return "There is not enough memory for the plant.";
    case LoadResult::NodeReadFailed:
      return "The plant file cannot be read.";
    case LoadResult::BadSignature:
      return "The file is not a plant file.";
    case LoadResult::Invalid:
      return "The plant file is damaged.";
  }
  return "Unknown result.";
}

const char* SaveResultText(SaveResult result) {
  switch (result) {
    case SaveResult::Ok:
      return "The plant was saved.";
    case SaveResult::CannotCreate:
      return "The plant file cannot be created.";
    case SaveResult::WriteFailed:
      return "The plant file cannot be written; the previous copy is kept.";
  }
  return "Unknown result.";
}

std::string TemporaryPathFor(const std::string& path) { return path + "_tmp"; }

LoadResult LoadPlantFile(Plant& plant, FileOps& ops, int64_t now, std::string* why) {
  if (!ops.Exists(plant.path)) {
    return Refuse(why, LoadResult::CannotOpen, "the plant file does not exist");
  }
  const FileHandle file = OpenWithRetries(ops, plant.path);
  if (file == kNoFile) {
    return Refuse(why, LoadResult::CannotOpen, "the plant file cannot be opened");
  }
  FileSource source(ops, file);
  return LoadFromSource(plant, source, now, why);
}

LoadResult LoadPlantBytes(Plant& plant, const uint8_t* bytes, size_t size, int64_t now, std::string* why) {
  MemorySource source(bytes, size);
  return LoadFromSource(plant, source, now, why);
}

SaveResult SavePlantFile(Plant& plant, FileOps& ops, uint32_t* systemError) {
  uint32_t ignored = 0;
  uint32_t& cause = systemError != nullptr ? *systemError : ignored;
  cause = 0;
  if (!plant.IsLoaded()) {
    return SaveResult::CannotCreate;
  }
  RefreshFractions(plant);
  const std::string temporary = TemporaryPathFor(plant.path);
  SaveResult result = WriteTemporary(plant, ops, temporary, &cause);
  if (result == SaveResult::CannotCreate) {
    return result;
  }
  if (result == SaveResult::Ok) {
    // A read-only plant file would make the replacement fail; the file is the program's own copy.
    (void)ops.MakeWritable(plant.path);
    if (ops.Replace(temporary, plant.path)) {
      return SaveResult::Ok;
    }
    cause = ops.ErrorCode();
    result = SaveResult::WriteFailed;
  }
  (void)ops.Remove(temporary);
  return result;
}

LoadResult LoadPlantFile() {
  return LoadPlantFile(CurrentPlant(), SystemFileOps(), static_cast<int64_t>(std::time(nullptr)), nullptr);
}

SaveResult SavePlantFile() { return SavePlantFile(CurrentPlant(), SystemFileOps()); }

}  // namespace plant
