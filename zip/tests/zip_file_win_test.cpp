// The writer over the Win32 file layer (run under Wine): file times and attributes, a pipe and a
// handle at an offset as targets, share modes, and the writer's own page-file mapping.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zip/tests/archive_inspector.h"
#include "zip/zip_records.h"
#include "zip/zip_writer.h"

namespace zip {
namespace {

using testing::ExtractEntry;
using testing::InspectArchive;
using testing::InspectedArchive;
using testing::ReadFileBytes;

template <typename T>
T Val(T value) {
  return value;
}

int64_t UnixOf(const FILETIME& time) {
  int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  return (ticks - 116444736000000000) / 10000000;
}

FILETIME FileTimeOf(int64_t unixSeconds) {
  uint64_t ticks = static_cast<uint64_t>(unixSeconds) * 10000000 + 116444736000000000;
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

class ZipFileWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "zip_file_win_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(dir_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::string& file : files_) {
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(dir_.c_str());
  }
  std::string Path(const std::string& name) {
    files_.push_back(dir_ + "\\" + name);
    return files_.back();
  }
  static void WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
  }

  std::string dir_;
  std::vector<std::string> files_;
};

TEST_F(ZipFileWinTest, FileEntryCarriesTheFilesTimesAndAttributes) {
  std::string source = Path("source.txt");
  HANDLE file = CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  WriteAll(file, std::string(5000, 'v') + "erdelo");
  FILETIME created = FileTimeOf(1600000000);
  FILETIME accessed = FileTimeOf(1650000000);
  FILETIME written = FileTimeOf(1700000001);
  ASSERT_TRUE(SetFileTime(file, &created, &accessed, &written));
  CloseHandle(file);
  ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  // Read back what the file system kept (Wine keeps no creation time).
  WIN32_FILE_ATTRIBUTE_DATA kept;
  ASSERT_TRUE(GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &kept));

  std::string zipPath = Path("times.zip");
  ZipHandle* writer = ZipWriterOpen(zipPath.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddFile(writer, "source.txt", source.c_str()), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);

  std::vector<uint8_t> bytes = ReadFileBytes(zipPath);
  InspectedArchive archive = InspectArchive(bytes);
  ASSERT_EQ(archive.error, "");
  ASSERT_EQ(archive.entries.size(), 1u);
  const auto& e = archive.entries[0];
  std::vector<uint8_t> out;
  EXPECT_EQ(ExtractEntry(bytes, e, nullptr, out), "");
  EXPECT_EQ(std::string(out.begin(), out.end()), std::string(5000, 'v') + "erdelo");
  uint32_t modify = 0;
  uint32_t access = 0;
  uint32_t create = 0;
  ASSERT_TRUE(testing::ReadLocalTimes(e, modify, access, create));
  EXPECT_EQ(modify, 1700000001u);
  EXPECT_GE(access, 1650000000u);  // opening the file for the copy may already have moved it
  EXPECT_EQ(create, static_cast<uint32_t>(UnixOf(kept.ftCreationTime)));
  FILETIME local;
  WORD dosDate = 0;
  WORD dosTime = 0;
  ASSERT_TRUE(FileTimeToLocalFileTime(&written, &local));
  ASSERT_TRUE(FileTimeToDosDateTime(&local, &dosDate, &dosTime));
  EXPECT_EQ(Val(e.central.dosDate), dosDate);
  EXPECT_EQ(Val(e.central.dosTime), dosTime);
  // Read-only and archive bits, a regular file readable by its owner, not writable.
  EXPECT_EQ(Val(e.central.externalAttributes), 0x81000021u);
}

TEST_F(ZipFileWinTest, PipeTargetGetsDataDescriptors) {
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 20));
  ZipHandle* writer = ZipWriterOpenEx(writeEnd, 0, kZipTargetHandle, nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddMemory(writer, "a.txt", "aaaaaaaaaaaaaaaaaaaa", 20), ZipResult::Ok);
  ASSERT_EQ(ZipWriterAddMemory(writer, "b.zip", "bbb", 3), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  CloseHandle(writeEnd);
  std::vector<uint8_t> bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  CloseHandle(readEnd);

  InspectedArchive archive = InspectArchive(bytes);
  ASSERT_EQ(archive.error, "");
  ASSERT_EQ(archive.entries.size(), 2u);
  for (const auto& e : archive.entries) {
    EXPECT_EQ(Val(e.central.flags), 8);
    EXPECT_TRUE(e.hasDescriptor);
    std::vector<uint8_t> out;
    EXPECT_EQ(ExtractEntry(bytes, e, nullptr, out), "");
  }
}

TEST_F(ZipFileWinTest, HandleTargetStartsWhereTheHandleStands) {
  std::string zipPath = Path("offset.zip");
  HANDLE file = CreateFileA(zipPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  WriteAll(file, std::string(100, 'P'));
  ZipHandle* writer = ZipWriterOpenEx(file, 0, kZipTargetHandle, "pw");
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddMemory(writer, "inner.txt", "enciphered after a prefix", 25), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  CloseHandle(file);  // the caller's handle stays the caller's

  std::vector<uint8_t> bytes = ReadFileBytes(zipPath);
  InspectedArchive archive = InspectArchive(bytes);
  ASSERT_EQ(archive.error, "");
  ASSERT_EQ(archive.entries.size(), 1u);
  EXPECT_EQ(Val(archive.entries[0].central.localHeaderOffset), 100u);
  std::vector<uint8_t> out;
  EXPECT_EQ(ExtractEntry(bytes, archive.entries[0], "pw", out), "");
  EXPECT_EQ(std::string(out.begin(), out.end()), "enciphered after a prefix");
}

TEST_F(ZipFileWinTest, ShareModesOfSourceAndTarget) {
  std::string source = Path("locked.txt");
  HANDLE locked = CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  std::string zipPath = Path("share.zip");
  ZipHandle* writer = ZipWriterOpen(zipPath.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  // A source held open for writing by someone else is skipped, not read half-written.
  EXPECT_EQ(ZipWriterAddFile(writer, "locked.txt", source.c_str()), ZipResult::CannotOpen);
  EXPECT_EQ(ZipWriterAddFile(writer, "missing.txt", (dir_ + "\\missing.txt").c_str()), ZipResult::CannotOpen);
  // The archive being written (under its temporary name) is not shared.
  HANDLE reader = CreateFileA((zipPath + "_tmp").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(reader, INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
  EXPECT_EQ(ZipWriterClose(writer), ZipResult::Ok);
  CloseHandle(locked);
}

TEST_F(ZipFileWinTest, MemoryOfTheWritersOwn) {
  ZipHandle* writer = ZipWriterOpenEx(nullptr, 1 << 16, kZipTargetMemory, "pw");
  ASSERT_NE(writer, nullptr);
  EXPECT_EQ(ZipWriterAddMemory(writer, "a.txt", "abcabcabc", 9), ZipResult::Ok);
  EXPECT_EQ(ZipWriterClose(writer), ZipResult::Ok);
}

}  // namespace
}  // namespace zip
