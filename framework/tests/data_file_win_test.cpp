// The data-file store on the real file system under Windows: names, short and long files, stale
// and locked temporary files, recreated folders, path limits and readers during writes.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "framework/data_file.h"
#include "framework/file_ops_win.h"
#include "framework/scoped_handles_win.h"

namespace {

std::string TempRoot() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "zrd" + std::to_string(GetCurrentProcessId());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void PutFile(const std::string& path, const std::string& bytes) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file.IsValid()) << path;
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr));
}

std::string FileBytes(const std::string& path) {
  ScopedHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.IsValid()) return "(missing)";
  char buffer[4096];
  DWORD got = 0;
  ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr);
  return std::string(buffer, got);
}

class DataFileWinTest : public ::testing::Test {
 protected:
  DataFileWinTest()
      : root(TempRoot()), data(root + "\\a\\b\\data"), store(SystemFileOps(), data.c_str(), root.c_str()) {
    CreateDirectoryA(root.c_str(), nullptr);
  }
  std::string root;
  std::string data;
  DataFileStore store;
};

TEST_F(DataFileWinTest, WriteIntoMissingFoldersThenReadBack) {
  unsigned char record[297];
  for (int i = 0; i < 297; ++i) record[i] = static_cast<unsigned char>(i);
  ASSERT_EQ(store.WriteDataFile("(ZRF)Win", 0, record, sizeof record, kDataFolderLocation), 297u);
  EXPECT_TRUE(Exists(data + "\\(ZRF)Win0.zrd"));
  EXPECT_FALSE(Exists(data + "\\(ZRF)Win0.zrd_tmp"));
  unsigned char back[297] = {};
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", 0, back, sizeof back, kDataFolderLocation), 297u);
  EXPECT_EQ(std::memcmp(back, record, sizeof record), 0);
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", 0, nullptr, 0, kDataFolderLocation), 297u);
}

TEST_F(DataFileWinTest, ShortLongEmptyAndMissingFiles) {
  ASSERT_EQ(store.WriteDataFile("Ten", -1, "0123456789", 10, 1), 10u);
  ASSERT_EQ(store.WriteDataFile("Empty", -1, "", 0, 1), 0u);
  unsigned char record[16];
  std::memset(record, 0xAA, sizeof record);
  EXPECT_EQ(store.ReadDataFile("Ten", -1, record, 16, 1), 10u);
  EXPECT_EQ(std::memcmp(record, "0123456789", 10), 0);
  for (int i = 10; i < 16; ++i) EXPECT_EQ(record[i], 0xAA);
  EXPECT_EQ(store.ReadDataFile("Ten", -1, record, 4, 1), 4u);
  EXPECT_EQ(store.ReadDataFile("Empty", -1, nullptr, 0, 1), 0u);
  std::memset(record, 0xAA, sizeof record);
  EXPECT_EQ(store.ReadDataFile("Missing", -1, record, 16, 1), 0u);
  EXPECT_EQ(record[0], 0xAA);
  EXPECT_EQ(store.ReadDataFile("Missing", -1, nullptr, 0, 1), 0u);
}

TEST_F(DataFileWinTest, CrashAfterTheTempFileNeverLosesTheOldRecord) {
  std::string target = root + "\\Rec.zrd";
  ASSERT_EQ(store.WriteDataFile("Rec", -1, "old!", 4, 1), 4u);
  // A process that died after writing the temporary file but before the move left this behind.
  PutFile(target + "_tmp", "half");
  char back[5] = {};
  EXPECT_EQ(store.ReadDataFile("Rec", -1, back, 4, 1), 4u);
  EXPECT_STREQ(back, "old!");
  ASSERT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 1), 4u);
  EXPECT_EQ(FileBytes(target), "new!");
  EXPECT_FALSE(Exists(target + "_tmp"));
}

TEST_F(DataFileWinTest, TempHeldOpenByAnotherWriterFailsTheWrite) {
  std::string target = root + "\\Rec.zrd";
  ASSERT_EQ(store.WriteDataFile("Rec", -1, "old!", 4, 1), 4u);
  ScopedHandle other(
      CreateFileA((target + "_tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(other.IsValid());
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 1), 0u);
  EXPECT_EQ(FileBytes(target), "old!");
  other.Close();
  EXPECT_TRUE(Exists(target + "_tmp"));  // the other writer's file, not ours to delete
}

TEST_F(DataFileWinTest, TargetWhoseTempNameWouldNotFitIsNotTouched) {
  // Folder of 247 characters (the longest CreateDirectory accepts), name of 4: the target has
  // 247 + 1 + 4 + 4 = 256 characters and its temporary name 260, one more than a path holds.
  std::string folder = root + "\\";
  folder += std::string(247 - folder.size(), 'f');
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << GetLastError();
  DataFileStore longStore(SystemFileOps(), folder.c_str(), nullptr);
  std::string target = folder + "\\NNNN.zrd";
  ASSERT_EQ(target.size(), 256u);
  PutFile(target, "old!");
  EXPECT_EQ(longStore.WriteDataFile("NNNN", -1, "new!", 4, 0), 0u);
  EXPECT_EQ(FileBytes(target), "old!");
  char back[5] = {};
  EXPECT_EQ(longStore.ReadDataFile("NNNN", -1, back, 4, 0), 4u);
  EXPECT_STREQ(back, "old!");
  // Three characters less and the temporary name fits.
  EXPECT_EQ(longStore.WriteDataFile("N", -1, "new!", 4, 0), 4u);
}

TEST_F(DataFileWinTest, ReadersDuringWritesSeeOneWholeRecord) {
  std::string a(297, 'A');
  std::string b(297, 'B');
  ASSERT_EQ(store.WriteDataFile("Race", -1, a.data(), 297, 1), 297u);
  std::atomic<bool> done{false};
  std::atomic<int> mixed{0};
  std::thread reader([&] {
    DataFileStore readerStore(SystemFileOps(), data.c_str(), root.c_str());
    char buffer[297];
    while (!done) {
      uint32_t got = readerStore.ReadDataFile("Race", -1, buffer, sizeof buffer, 1);
      bool whole = got == 297 && (std::string(buffer, 297) == a || std::string(buffer, 297) == b);
      if (got != 0 && !whole) ++mixed;
      Sleep(1);  // a reader that never lets go would keep the writer's move waiting
    }
  });
  int written = 0;
  for (int i = 0; i < 40; ++i) {
    const std::string& pattern = (i % 2) ? a : b;
    if (store.WriteDataFile("Race", -1, pattern.data(), 297, 1) == 297) ++written;
  }
  done = true;
  reader.join();
  EXPECT_EQ(mixed, 0);
  EXPECT_GT(written, 0);
  std::printf("%d of 40 writes replaced the record while it was being read\n", written);
}

}  // namespace
