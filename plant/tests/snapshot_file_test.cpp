// Snapshot files through the file operations: whole-or-nothing writes and capped reads.
#include "plant/snapshot_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <map>

#include "plant/snapshot_format.h"

namespace plant {
namespace {

// Files in memory; a write call can be made to fail, and a file can be endless.
class MemoryFileOps : public FileOps {
 public:
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  FileHandle OpenForRead(const std::string& path) override {
    if (files.count(path) == 0 && path != endlessPath && path != hugePath) return kNoFile;
    return Open(path, false);
  }
  FileHandle Create(const std::string& path) override {
    files[path].clear();
    return Open(path, true);
  }
  bool Read(FileHandle file, void* buffer, size_t size, size_t* done) override {
    Handle& h = handles[file];
    if (h.path == endlessPath) {
      std::memset(buffer, 0, size);
      *done = size;
      return true;
    }
    const std::vector<uint8_t>& data = files[h.path];
    *done = std::min(size, data.size() - h.position);
    std::memcpy(buffer, data.data() + h.position, *done);
    h.position += *done;
    return true;
  }
  bool Write(FileHandle file, const void* buffer, size_t size, size_t* done) override {
    if (writesLeft-- == 0) return false;
    std::vector<uint8_t>& data = files[handles[file].path];
    const size_t chunk = std::min<size_t>(size, 1000);  // short writes, as the system may do
    data.insert(data.end(), static_cast<const uint8_t*>(buffer), static_cast<const uint8_t*>(buffer) + chunk);
    *done = chunk;
    return true;
  }
  bool SizeOf(FileHandle file, uint64_t* size) override {
    const Handle& h = handles[file];
    if (h.path == endlessPath) return false;
    *size = h.path == hugePath ? uint64_t{1} << 40 : files[h.path].size();
    return true;
  }
  bool Flush(FileHandle) override { return true; }
  bool Close(FileHandle file) override { return handles.erase(file) == 1; }
  bool MakeWritable(const std::string&) override { return true; }
  bool Replace(const std::string& from, const std::string& to) override {
    if (failReplace || files.count(from) == 0) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Remove(const std::string& path) override { return files.erase(path) == 1; }
  void Sleep(uint32_t) override {}

  std::map<std::string, std::vector<uint8_t>> files;
  std::string endlessPath = "endless.pim";  // its size is unknown and its reads never end
  std::string hugePath = "huge.pim";        // says it holds a terabyte
  int writesLeft = 1 << 30;
  bool failReplace = false;

 private:
  struct Handle {
    std::string path;
    size_t position;
  };
  FileHandle Open(const std::string& path, bool) {
    handles[next] = Handle{path, 0};
    return next++;
  }
  std::map<FileHandle, Handle> handles;
  FileHandle next = 1;
};

TEST(SnapshotFile, PathReplacesTheFileNamesExtension) {
  EXPECT_EQ(SnapshotPathFor("C:\\Data\\Fern.plt"), "C:\\Data\\Fern.pim");
  EXPECT_EQ(SnapshotPathFor("C:\\My.Data\\Fern"), "C:\\My.Data\\Fern.pim");
  EXPECT_EQ(SnapshotPathFor("/a.b/fern.v2.plt"), "/a.b/fern.v2.pim");
}

TEST(SnapshotFile, WrittenBytesReadBackIdentically) {
  MemoryFileOps ops;
  std::vector<uint8_t> bytes = BuildSnapshotHead(40, 30);
  bytes.resize(bytes.size() + 40 * 30 * 4, 0x77);
  ASSERT_EQ(WriteSnapshotFile(ops, "p.pim", bytes), SnapshotFileResult::Ok);
  std::vector<uint8_t> back;
  ASSERT_EQ(ReadSnapshotFile(ops, "p.pim", &back), SnapshotFileResult::Ok);
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(ops.files.size(), 1u);  // no temporary file left behind
  EXPECT_EQ(ReadSnapshotFile(ops, "none.pim", &back), SnapshotFileResult::Missing);
}

TEST(SnapshotFile, FailedWritesKeepThePreviousSnapshotWhole) {
  MemoryFileOps ops;
  const std::vector<uint8_t> old(5000, 1);
  ASSERT_EQ(WriteSnapshotFile(ops, "p.pim", old), SnapshotFileResult::Ok);
  const std::vector<uint8_t> fresh(5000, 2);
  ops.writesLeft = 3;  // the third chunk of five fails
  EXPECT_EQ(WriteSnapshotFile(ops, "p.pim", fresh), SnapshotFileResult::WriteFailed);
  EXPECT_EQ(ops.files["p.pim"], old);
  ops.writesLeft = 1 << 30;
  ops.failReplace = true;
  EXPECT_EQ(WriteSnapshotFile(ops, "p.pim", fresh), SnapshotFileResult::WriteFailed);
  EXPECT_EQ(ops.files["p.pim"], old);
  EXPECT_EQ(ops.files.size(), 1u);
}

TEST(SnapshotFile, ReadingStopsPastTheSizeCap) {
  MemoryFileOps ops;
  std::vector<uint8_t> bytes;
  EXPECT_EQ(ReadSnapshotFile(ops, ops.endlessPath, &bytes), SnapshotFileResult::TooLarge);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(ReadSnapshotFile(ops, ops.hugePath, &bytes), SnapshotFileResult::TooLarge);
}

}  // namespace
}  // namespace plant
