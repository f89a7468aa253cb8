// The zip writer: handle checks, record layout and flags per target, names and methods, memory
// target limits, encryption, and failures of the file layer (short reads, failed close).
#include "zip/zip_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/testsupport/wine_path.h"
#include "zip/tests/archive_inspector.h"
#include "zip/tests/deflate_corpus.h"
#include "zip/tests/full_disk.h"
#include "zip/zip_handle_internal.h"
#include "zip/zip_writer_internal.h"

namespace zip {
namespace {

using testing::ExtractEntry;
using testing::InspectArchive;
using testing::InspectedArchive;
using testing::ReadFileBytes;

// File calls with faults a test switches on; everything else goes to the platform.
struct FaultPlan {
  int readsBeforeFailure = -1;  // -1: never fail
  bool closeFails = false;
  OsHandle unseekable = kNoFile;  // this handle reports no position
};
FaultPlan gPlan;

int64_t FaultyRead(OsHandle file, void* buffer, size_t size) {
  if (gPlan.readsBeforeFailure == 0) return -1;
  if (gPlan.readsBeforeFailure > 0) --gPlan.readsBeforeFailure;
  return SystemFileCalls().read(file, buffer, size);
}
bool FaultyTell(OsHandle file, uint64_t* position) {
  if (file == gPlan.unseekable) return false;
  return SystemFileCalls().tell(file, position);
}
bool FaultyClose(OsHandle file) {
  bool ok = SystemFileCalls().close(file);
  return ok && !gPlan.closeFails;
}

class ScopedFaults {
 public:
  explicit ScopedFaults(const FaultPlan& plan) {
    gPlan = plan;
    calls_ = SystemFileCalls();
    calls_.read = FaultyRead;
    calls_.tell = FaultyTell;
    calls_.close = FaultyClose;
    SetFileCallsForTesting(&calls_);
  }
  ~ScopedFaults() {
    SetFileCallsForTesting(nullptr);
    gPlan = FaultPlan{};
  }

 private:
  FileCalls calls_{};
};

class ZipWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("zip_writer_test_" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(dir_ / "readonly.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string Path(const std::string& name) const { return ToWinePath((dir_ / name).generic_string()); }
  std::string WriteSource(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(dir_ / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Path(name);
  }

  std::filesystem::path dir_;
};

/// Copies a field of a packed record, which gtest must not bind a reference to.
template <typename T>
T Val(T value) {
  return value;
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

/// Extracts every entry and checks it equals expected[i].
void ExpectContents(const std::vector<uint8_t>& archiveBytes, const InspectedArchive& archive,
                    const std::vector<std::vector<uint8_t>>& expected, const char* password = nullptr) {
  ASSERT_EQ(archive.entries.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(archive.entries[i].name);
    std::vector<uint8_t> out;
    EXPECT_EQ(ExtractEntry(archiveBytes, archive.entries[i], password, out), "");
    EXPECT_TRUE(out == expected[i]);
  }
}

TEST_F(ZipWriterTest, HandleChecksAndLastResults) {
  EXPECT_EQ(ZipWriterAddMemory(nullptr, "a", "x", 1), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterLastResult(), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterAddFile(nullptr, "a", "x"), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterClose(nullptr), ZipResult::BadArgument);
  EXPECT_FALSE(ZipIsReader(nullptr));

  // A reader's handle is refused untouched: its object is never looked at.
  ZipHandle reader{ZipKind::Reader, nullptr};
  EXPECT_TRUE(ZipIsReader(&reader));
  EXPECT_EQ(ZipWriterAddMemory(&reader, "a", "x", 1), ZipResult::WrongKind);
  EXPECT_EQ(ZipWriterLastResult(), ZipResult::WrongKind);
  EXPECT_EQ(ZipWriterClose(&reader), ZipResult::WrongKind);

  // Failed opens leave their reason; a successful one leaves Ok.
  struct {
    const void* target;
    uint32_t size;
    int32_t mode;
    ZipResult expected;
  } const rows[] = {
      {"x.zip", 0, 0, ZipResult::BadArgument},
      {"x.zip", 0, 4, ZipResult::BadArgument},
      {nullptr, 0, kZipTargetFile, ZipResult::BadArgument},
      {nullptr, 0, kZipTargetHandle, ZipResult::BadArgument},
      {nullptr, 0, kZipTargetMemory, ZipResult::BadMemorySize},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ZipWriterOpenEx(row.target, row.size, row.mode, nullptr), nullptr);
    EXPECT_EQ(ZipWriterLastResult(), row.expected) << row.mode;
  }
  EXPECT_EQ(ZipWriterOpen(Path("missing/folder/x.zip").c_str(), nullptr), nullptr);
  EXPECT_EQ(ZipWriterLastResult(), ZipResult::CannotOpen);

  ZipHandle* writer = ZipWriterOpenEx(nullptr, 4096, kZipTargetMemory, nullptr);  // a block of its own
  ASSERT_NE(writer, nullptr);
  EXPECT_EQ(ZipWriterLastResult(), ZipResult::Ok);
  EXPECT_FALSE(ZipIsReader(writer));
  EXPECT_EQ(ZipWriterAddMemory(writer, "a.txt", "abc", 3), ZipResult::Ok);
  EXPECT_EQ(ZipWriterClose(writer), ZipResult::Ok);
}

TEST_F(ZipWriterTest, EmptyArchiveIsTheEndRecordAlone) {
  std::vector<uint8_t> block(23, 0xEE);
  ZipHandle* writer = ZipWriterOpenEx(block.data(), 23, kZipTargetMemory, nullptr);
  ASSERT_NE(writer, nullptr);
  EXPECT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  std::vector<uint8_t> expected = {0x50, 0x4B, 0x05, 0x06};
  expected.resize(22, 0);
  expected.push_back(0xEE);
  EXPECT_EQ(block, expected);
}

TEST_F(ZipWriterTest, MemoryTargetKeepsOneByteSpare) {
  // Measure the archive in a large block, then write it again into blocks of that size and one more.
  std::vector<uint8_t> big(4096, 0);
  ZipHandle* writer = ZipWriterOpenEx(big.data(), 4096, kZipTargetMemory, nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddMemory(writer, "data.zip", "0123456789", 10), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  InspectedArchive archive = InspectArchive(big);
  ASSERT_EQ(archive.error, "");
  uint32_t size = static_cast<uint32_t>(archive.endOffset + 22);

  std::vector<uint8_t> exact(size, 0);
  writer = ZipWriterOpenEx(exact.data(), size, kZipTargetMemory, nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddMemory(writer, "data.zip", "0123456789", 10), ZipResult::Ok);
  EXPECT_EQ(ZipWriterClose(writer), ZipResult::WriteFailed);  // the end record does not fit

  std::vector<uint8_t> roomy(size + 1, 0);
  writer = ZipWriterOpenEx(roomy.data(), size + 1, kZipTargetMemory, nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddMemory(writer, "data.zip", "0123456789", 10), ZipResult::Ok);
  EXPECT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  EXPECT_EQ(InspectArchive(roomy).error, "");

  // An entry that does not fit fails with BadMemorySize, and the writer stays failed.
  std::vector<uint8_t> small(40, 0);
  writer = ZipWriterOpenEx(small.data(), 40, kZipTargetMemory, nullptr);
  ASSERT_NE(writer, nullptr);
  EXPECT_EQ(ZipWriterAddMemory(writer, "data.zip", "0123456789", 10), ZipResult::BadMemorySize);
  EXPECT_EQ(ZipWriterAddMemory(writer, "b", "x", 1), ZipResult::WriterFailed);
  EXPECT_EQ(ZipWriterLastResult(), ZipResult::WriterFailed);
  EXPECT_NE(ZipWriterClose(writer), ZipResult::Ok);
}

TEST_F(ZipWriterTest, NamesAndMethods) {
  struct {
    const char* given;
    const char* stored;
    uint16_t method;
  } const rows[] = {
      {"a\\b.txt", "a/b.txt", kMethodDeflated},   {"x.ZIP", "x.ZIP", kMethodStored},
      {"y.gz", "y.gz", kMethodStored},            {"Y.Gz", "Y.Gz", kMethodStored},
      {"z.Z", "z.Z", kMethodStored},              {"z.z", "z.z", kMethodStored},
      {"t.tgz", "t.tgz", kMethodStored},          {"old.arj", "old.arj", kMethodStored},
      {"report.zip.bak", "report.zip.bak", kMethodDeflated},
      {"noext", "noext", kMethodDeflated},        {".zip", ".zip", kMethodStored},
      {"dir.zip/file", "dir.zip/file", kMethodDeflated},
  };
  std::vector<uint8_t> block(1 << 16, 0);
  ZipHandle* writer = ZipWriterOpenEx(block.data(), static_cast<uint32_t>(block.size()), kZipTargetMemory, nullptr);
  ASSERT_NE(writer, nullptr);
  for (const auto& row : rows) ASSERT_EQ(ZipWriterAddMemory(writer, row.given, "hello hello", 11), ZipResult::Ok);

  // Names: empty, null, 259 bytes accepted, 260 refused; bad sources write nothing.
  std::string longest(259, 'n');
  std::string tooLong(260, 'n');
  EXPECT_EQ(ZipWriterAddMemory(writer, "", "x", 1), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterAddMemory(writer, nullptr, "x", 1), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterAddMemory(writer, tooLong.c_str(), "x", 1), ZipResult::BadArgument);
  // Names the reader would refuse are not written at all.
  for (const char* unreadable :
       {"tab\there.txt", "notes/a:b", "CON", "dir/aux.txt", "..", "a/../..", "what?"}) {
    EXPECT_EQ(ZipWriterAddMemory(writer, unreadable, "x", 1), ZipResult::BadArgument) << unreadable;
  }
  EXPECT_EQ(ZipWriterAddMemory(writer, "a", nullptr, 1), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterAddMemory(writer, "a", "x", 0), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterAddFile(writer, "a", nullptr), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterAddFile(writer, "a", Path("does-not-exist").c_str()), ZipResult::CannotOpen);
  EXPECT_EQ(ZipWriterAddFile(writer, "a", Path("").c_str()), ZipResult::CannotOpen);  // a folder
  ASSERT_EQ(ZipWriterAddMemory(writer, longest.c_str(), "x", 1), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);

  InspectedArchive archive = InspectArchive(block);
  ASSERT_EQ(archive.error, "");
  ASSERT_EQ(archive.entries.size(), std::size(rows) + 1);
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(archive.entries[i].name, rows[i].stored);
    EXPECT_EQ(archive.entries[i].localName, rows[i].stored);
    EXPECT_EQ(Val(archive.entries[i].central.method), rows[i].method) << rows[i].given;
    std::vector<uint8_t> out;
    EXPECT_EQ(ExtractEntry(block, archive.entries[i], nullptr, out), "");
    EXPECT_EQ(out, Bytes("hello hello"));
  }
  EXPECT_EQ(archive.entries.back().name, longest);
  // The failed adds left no bytes: the last entry follows the one before directly.
  const auto& last = archive.entries[archive.entries.size() - 2];
  EXPECT_EQ(Val(archive.entries.back().central.localHeaderOffset),
            last.dataOffset + Val(last.central.compressedSize));
}

TEST_F(ZipWriterTest, FileTargetRewritesLocalHeaders) {
  std::vector<uint8_t> text = testing::MakeText(100000, 1);
  std::string textPath = WriteSource("text.txt", text);
  std::string zipPath = Path("out.zip");
  ZipHandle* writer = ZipWriterOpen(zipPath.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddFile(writer, "docs\\text.txt", textPath.c_str()), ZipResult::Ok);
  ASSERT_EQ(ZipWriterAddMemory(writer, "marker.gz", "\0\1\2", 3), ZipResult::Ok);
  ASSERT_EQ(ZipWriterAddMemory(writer, "one", "!", 1), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);

  std::vector<uint8_t> bytes = ReadFileBytes(zipPath);
  InspectedArchive archive = InspectArchive(bytes);
  ASSERT_EQ(archive.error, "");
  EXPECT_EQ(archive.endOffset + 22, bytes.size());
  ExpectContents(bytes, archive, {text, {0, 1, 2}, Bytes("!")});
  const uint16_t flags[] = {2, 0, 2};
  for (size_t i = 0; i < archive.entries.size(); ++i) {
    const auto& e = archive.entries[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(Val(e.central.flags), flags[i]);
    EXPECT_EQ(Val(e.local.flags), flags[i]);
    EXPECT_FALSE(e.hasDescriptor);
    EXPECT_EQ(Val(e.local.crc32), Val(e.central.crc32));
    EXPECT_EQ(Val(e.local.compressedSize), Val(e.central.compressedSize));
    EXPECT_EQ(Val(e.local.uncompressedSize), Val(e.central.uncompressedSize));
    EXPECT_EQ(Val(e.local.dosTime), Val(e.central.dosTime));
    EXPECT_EQ(Val(e.central.versionMadeBy), 0x0B17);
    EXPECT_EQ(Val(e.central.versionNeeded), 20);
    EXPECT_EQ(Val(e.local.versionNeeded), 20);
    EXPECT_EQ(e.localExtra.size(), 17u);
    ASSERT_EQ(e.centralExtra.size(), 9u);
    EXPECT_EQ(e.centralExtra[0], 0x55);
    EXPECT_EQ(e.centralExtra[2], 5);
    EXPECT_EQ(e.centralExtra[4], 7);
    EXPECT_EQ(memcmp(e.centralExtra.data() + 5, e.localExtra.data() + 5, 4), 0);
  }
  EXPECT_EQ(archive.entries[0].name, "docs/text.txt");
  EXPECT_EQ(Val(archive.entries[1].central.externalAttributes), 0x80000000u);
  EXPECT_EQ(Val(archive.entries[0].central.externalAttributes) & 0xFFFF0000u, 0x81800000u);
  EXPECT_LT(Val(archive.entries[0].central.compressedSize), text.size() / 3);
}

TEST_F(ZipWriterTest, UnseekableOutputGetsDataDescriptors) {
  std::string zipPath = Path("stream.zip");
  bool exists = false;
  OsHandle out = ActiveFileCalls().createNew(zipPath.c_str(), &exists);
  ASSERT_NE(out, kNoFile);
  FaultPlan plan;
  plan.unseekable = out;
  std::vector<uint8_t> text = testing::MakeText(50000, 2);
  {
    ScopedFaults faults(plan);
    ZipHandle* writer = ZipWriterOpenEx(reinterpret_cast<const void*>(out), 0, kZipTargetHandle, nullptr);
    ASSERT_NE(writer, nullptr);
    ASSERT_EQ(ZipWriterAddMemory(writer, "text.txt", text.data(), static_cast<uint32_t>(text.size())), ZipResult::Ok);
    ASSERT_EQ(ZipWriterAddMemory(writer, "stored.zip", "abcdef", 6), ZipResult::Ok);
    ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);

    // A stored entry whose size is unknown cannot be announced in a header that is never rewritten.
    std::unique_ptr<CZipWriter> raw;
    ASSERT_EQ(CZipWriter::Open(reinterpret_cast<const void*>(out), 0, kZipTargetHandle, nullptr, raw), ZipResult::Ok);
    std::string sourcePath = WriteSource("piped.zip", Bytes("through a pipe"));
    OsHandle source = ActiveFileCalls().openForRead(sourcePath.c_str());
    ASSERT_NE(source, kNoFile);
    gPlan.unseekable = source;
    EXPECT_EQ(raw->AddEntry("piped.zip", reinterpret_cast<const void*>(source), 0, SourceKind::FileHandle),
              ZipResult::HeaderMismatch);
    EXPECT_TRUE(ActiveFileCalls().close(source));
    raw.reset();
  }
  ASSERT_TRUE(SystemFileCalls().close(out));

  std::vector<uint8_t> bytes = ReadFileBytes(zipPath);
  InspectedArchive archive = InspectArchive(bytes);
  ASSERT_EQ(archive.error, "");
  ExpectContents(bytes, archive, {text, Bytes("abcdef")});
  for (const auto& e : archive.entries) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(Val(e.local.flags), 8);
    EXPECT_EQ(Val(e.central.flags), 8);
    ASSERT_TRUE(e.hasDescriptor);
    EXPECT_EQ(Val(e.local.crc32), 0u);
    EXPECT_EQ(Val(e.descriptor.crc32), Val(e.central.crc32));
    EXPECT_EQ(Val(e.descriptor.compressedSize), Val(e.central.compressedSize));
    EXPECT_EQ(Val(e.descriptor.uncompressedSize), Val(e.central.uncompressedSize));
  }
  EXPECT_EQ(Val(archive.entries[0].local.compressedSize), 0u);
  EXPECT_EQ(Val(archive.entries[0].local.uncompressedSize), text.size());
  EXPECT_EQ(Val(archive.entries[1].local.compressedSize), 6u);
}

TEST_F(ZipWriterTest, PasswordEnciphersEveryEntryButFolders) {
  std::vector<uint8_t> block(1 << 20, 0);
  std::unique_ptr<CZipWriter> writer;
  ASSERT_EQ(CZipWriter::Open(block.data(), static_cast<uint32_t>(block.size()), kZipTargetMemory, "Secret", writer),
            ZipResult::Ok);
  std::vector<uint8_t> text = testing::MakeText(70000, 3);
  ASSERT_EQ(writer->AddEntry("text.txt", text.data(), text.size(), SourceKind::Memory), ZipResult::Ok);
  ASSERT_EQ(writer->AddEntry("raw.zip", "stored bytes", 12, SourceKind::Memory), ZipResult::Ok);
  ASSERT_EQ(writer->AddEntry("d", nullptr, 0, SourceKind::Folder), ZipResult::Ok);
  ASSERT_EQ(writer->Close(), ZipResult::Ok);

  InspectedArchive archive = InspectArchive(block);
  ASSERT_EQ(archive.error, "");
  ASSERT_EQ(archive.entries.size(), 3u);
  std::vector<uint8_t> out;
  EXPECT_EQ(ExtractEntry(block, archive.entries[0], "Secret", out), "");
  EXPECT_EQ(out, text);
  EXPECT_EQ(ExtractEntry(block, archive.entries[1], "Secret", out), "");
  EXPECT_EQ(out, Bytes("stored bytes"));
  for (int i = 0; i < 2; ++i) {
    const auto& e = archive.entries[i];
    EXPECT_EQ(Val(e.local.flags), 9);
    EXPECT_EQ(Val(e.central.flags), 9);
    ASSERT_TRUE(e.hasDescriptor);
  }
  EXPECT_EQ(Val(archive.entries[1].central.compressedSize), 12u + 12u);
  EXPECT_EQ(Val(archive.entries[1].local.compressedSize), 12u + 12u);
  // A wrong password fails the check byte or, one time in 256, the CRC.
  EXPECT_NE(ExtractEntry(block, archive.entries[0], "secret", out), "");

  const auto& folder = archive.entries[2];
  EXPECT_EQ(folder.name, "d/");
  EXPECT_EQ(Val(folder.central.method), kMethodStored);
  EXPECT_EQ(Val(folder.central.flags), 0);
  EXPECT_EQ(Val(folder.central.externalAttributes), 0x41C00010u);
  EXPECT_EQ(Val(folder.central.compressedSize), 0u);
  EXPECT_EQ(Val(folder.central.uncompressedSize), 0u);
  EXPECT_FALSE(folder.hasDescriptor);
}

TEST_F(ZipWriterTest, SourceFailingPartWayIsLeftOutOfTheArchive) {
  std::vector<uint8_t> text = testing::MakeText(200000, 4);
  std::string textPath = WriteSource("text.txt", text);
  std::string storedPath = WriteSource("text.gz", text);
  std::string zipPath = Path("partial.zip");
  {
    ZipHandle* writer = ZipWriterOpen(zipPath.c_str(), nullptr);
    ASSERT_NE(writer, nullptr);
    FaultPlan plan;
    plan.readsBeforeFailure = 1;
    {
      ScopedFaults faults(plan);
      EXPECT_EQ(ZipWriterAddFile(writer, "text.txt", textPath.c_str()), ZipResult::WriteFailed);
    }
    {
      ScopedFaults faults(plan);
      EXPECT_EQ(ZipWriterAddFile(writer, "text.gz", storedPath.c_str()), ZipResult::WriteFailed);
    }
    EXPECT_EQ(ZipWriterAddMemory(writer, "after.txt", "still fine", 10), ZipResult::Ok);
    ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  }
  std::vector<uint8_t> bytes = ReadFileBytes(zipPath);
  InspectedArchive archive = InspectArchive(bytes);
  ASSERT_EQ(archive.error, "");
  ExpectContents(bytes, archive, {Bytes("still fine")});
}

TEST_F(ZipWriterTest, AnOlderArchiveIsReplacedOnlyByACompleteOne) {
  std::string zipPath = WriteSource("backup.zip", Bytes("older archive"));
  ZipHandle* writer = ZipWriterOpen(zipPath.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddMemory(writer, "a.txt", "abc", 3), ZipResult::Ok);
  EXPECT_EQ(ReadFileBytes(zipPath), Bytes("older archive"));  // untouched while writing
  {
    // A close that reports an error: the data may never have reached the disk.
    FaultPlan plan;
    plan.closeFails = true;
    ScopedFaults faults(plan);
    EXPECT_EQ(ZipWriterClose(writer), ZipResult::WriteFailed);
    EXPECT_EQ(ZipWriterLastResult(), ZipResult::WriteFailed);
  }
  EXPECT_EQ(ReadFileBytes(zipPath), Bytes("older archive"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "backup.zip_tmp"));

  writer = ZipWriterOpen(zipPath.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddMemory(writer, "a.txt", "abc", 3), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  std::vector<uint8_t> bytes = ReadFileBytes(zipPath);
  InspectedArchive archive = InspectArchive(bytes);
  ASSERT_EQ(archive.error, "");
  ExpectContents(bytes, archive, {Bytes("abc")});
  EXPECT_FALSE(std::filesystem::exists(dir_ / "backup.zip_tmp"));
}

TEST_F(ZipWriterTest, AWriteRefusedForLackOfSpaceFailsTheWholeArchive) {
  std::string zipPath = WriteSource("backup.zip", Bytes("older archive"));
  std::string plantPath = WriteSource("Fern.plt", testing::MakePlantLikeFile(60000, 7));
  ZipHandle* writer = ZipWriterOpen(zipPath.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  {
    // The records fit; the plant's data does not, while the small entries after it still would.
    testing::FullDisk disk(16 * 1024);
    EXPECT_EQ(ZipWriterAddMemory(writer, "(ZRF)App.zrd", "settings", 8), ZipResult::Ok);
    EXPECT_EQ(ZipWriterAddFile(writer, "Fern.plt", plantPath.c_str()), ZipResult::WriteFailed);
    EXPECT_EQ(ZipWriterAddMemory(writer, "Fern-Options.zrd", "options", 7), ZipResult::WriterFailed);
    EXPECT_EQ(ZipWriterClose(writer), ZipResult::WriteFailed);
  }
  EXPECT_EQ(ReadFileBytes(zipPath), Bytes("older archive"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "backup.zip_tmp"));
}

TEST_F(ZipWriterTest, AFileBearingTheTemporaryNameIsLeftAlone) {
  std::string zipPath = Path("backup.zip");
  WriteSource("backup.zip_tmp", Bytes("the user's own"));
  std::filesystem::permissions(dir_ / "backup.zip_tmp", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  WriteSource("backup.zip_1_tmp", Bytes("another"));
  ZipHandle* writer = ZipWriterOpen(zipPath.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddMemory(writer, "a.txt", "abc", 3), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  EXPECT_EQ(ReadFileBytes(Path("backup.zip_tmp")), Bytes("the user's own"));
  EXPECT_EQ(ReadFileBytes(Path("backup.zip_1_tmp")), Bytes("another"));
  std::vector<uint8_t> bytes = ReadFileBytes(zipPath);
  InspectedArchive archive = InspectArchive(bytes);
  ASSERT_EQ(archive.error, "");
  ExpectContents(bytes, archive, {Bytes("abc")});
  EXPECT_FALSE(std::filesystem::exists(dir_ / "backup.zip_2_tmp"));
  std::filesystem::permissions(dir_ / "backup.zip_tmp", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

TEST_F(ZipWriterTest, EntriesOfTwoGiBAreRefusedUnread) {
  // A sparse file of 2 GiB: its size alone refuses it, so not a byte of it is compressed.
  std::filesystem::path big = dir_ / "big.bin";
  std::ofstream(big, std::ios::binary).put('x');
  std::filesystem::resize_file(big, 0x80000000u);
  std::vector<uint8_t> block(4096, 0);
  ZipHandle* writer =
      ZipWriterOpenEx(block.data(), static_cast<uint32_t>(block.size()), kZipTargetMemory, nullptr);
  ASSERT_NE(writer, nullptr);
  EXPECT_EQ(ZipWriterAddFile(writer, "big.bin", Path("big.bin").c_str()), ZipResult::BadArgument);
  EXPECT_EQ(ZipWriterAddMemory(writer, "small", "x", 1), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  InspectedArchive archive = InspectArchive(block);
  ASSERT_EQ(archive.error, "");
  ASSERT_EQ(archive.entries.size(), 1u);
  EXPECT_EQ(Val(archive.entries[0].central.localHeaderOffset), 0u);
}

TEST_F(ZipWriterTest, EntryCountStopsAtTheEndRecordsLimit) {
  std::vector<uint8_t> block(8 << 20, 0);
  ZipHandle* writer = ZipWriterOpenEx(block.data(), static_cast<uint32_t>(block.size()), kZipTargetMemory, nullptr);
  ASSERT_NE(writer, nullptr);
  for (int i = 0; i < 0xFFFF; ++i) {
    std::string name = std::to_string(i) + ".z";
    ASSERT_EQ(ZipWriterAddMemory(writer, name.c_str(), "x", 1), ZipResult::Ok) << i;
  }
  EXPECT_EQ(ZipWriterAddMemory(writer, "one-too-many.z", "x", 1), ZipResult::BadArgument);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  InspectedArchive archive = InspectArchive(block);
  ASSERT_EQ(archive.error, "");
  EXPECT_EQ(Val(archive.end.totalEntries), 0xFFFF);
  EXPECT_EQ(archive.entries.back().name, "65534.z");
}

TEST_F(ZipWriterTest, OffsetsPastFourGiBAreRefused) {
  // An archive that starts 256 bytes below 4 GiB (a sparse file) has no room for a 300-byte entry:
  // its 32-bit offsets would wrap.
  std::string zipPath = Path("far.zip");
  bool exists = false;
  OsHandle out = ActiveFileCalls().createNew(zipPath.c_str(), &exists);
  ASSERT_NE(out, kNoFile);
  ASSERT_TRUE(ActiveFileCalls().seek(out, 0xFFFFFF00u));
  std::vector<uint8_t> data(300, 'x');
  ZipHandle* writer = ZipWriterOpenEx(reinterpret_cast<const void*>(out), 0, kZipTargetHandle, nullptr);
  ASSERT_NE(writer, nullptr);
  EXPECT_EQ(ZipWriterAddMemory(writer, "a.z", "x", 1), ZipResult::Ok);
  EXPECT_EQ(ZipWriterAddMemory(writer, "big.z", data.data(), 300), ZipResult::WriteFailed);
  EXPECT_EQ(ZipWriterAddMemory(writer, "b.z", "x", 1), ZipResult::WriterFailed);
  EXPECT_EQ(ZipWriterClose(writer), ZipResult::Ok);  // the first entry's directory still fits
  EXPECT_TRUE(ActiveFileCalls().close(out));
}

}  // namespace
}  // namespace zip
