// The data-file store on the real file system: round trip into missing folders, short and long
// files, a stale or locked temporary file, a path too long for its temporary name, and readers
// that never see half a record.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "framework/base/scoped_handles_win.h"
#include "framework/files/data_file.h"
#include "framework/files/file_ops_win.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

ScopedHandle Create(const std::string& path, const std::string& bytes) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
  return file;
}

class DataFileWinTest : public ::testing::Test {
 protected:
  DataFileWinTest() : store(SystemFileOps(), data.c_str(), root.c_str()) {
    CreateDirectoryA(root.c_str(), nullptr);
  }
  static std::string TempRoot() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "zrd" + std::to_string(GetCurrentProcessId());
  }
  std::string Read(const char* name, uint32_t size, int32_t location) {
    char buffer[512];
    return std::string(buffer, store.ReadDataFile(name, -1, buffer, size, location));
  }
  std::string root = TempRoot();
  std::string data = root + "\\a\\b\\data";
  DataFileStore store;
};

TEST_F(DataFileWinTest, RoundTripShortLongAndMissing) {
  std::string record(297, 'r');
  ASSERT_EQ(store.WriteDataFile("(ZRF)Win", 0, record.data(), 297, kDataFolderLocation), 297u);
  EXPECT_TRUE(Exists(data + "\\(ZRF)Win0.zrd"));
  EXPECT_FALSE(Exists(data + "\\(ZRF)Win0.zrd_tmp"));
  char back[297];
  EXPECT_EQ(store.ReadDataFile("(ZRF)Win", 0, back, 297, kDataFolderLocation), 297u);
  EXPECT_EQ(std::string(back, 297), record);
  ASSERT_EQ(store.WriteDataFile("Ten", -1, "0123456789", 10, 1), 10u);
  unsigned char sixteen[16];
  std::memset(sixteen, 0xAA, sizeof sixteen);
  EXPECT_EQ(store.ReadDataFile("Ten", -1, sixteen, 16, 1), 10u);
  EXPECT_EQ(sixteen[10], 0xAA);
  EXPECT_EQ(Read("Ten", 4, 1), "0123");
  EXPECT_EQ(store.ReadDataFile("Ten", -1, nullptr, 0, 1), 10u);
  EXPECT_EQ(Read("Missing", 16, 1), "");
}

TEST_F(DataFileWinTest, StaleAndLockedTemporaryFiles) {
  std::string target = root + "\\Rec.zrd";
  ASSERT_EQ(store.WriteDataFile("Rec", -1, "old!", 4, 1), 4u);
  // Left by a process that died after writing the temporary file, before the move.
  Create(target + "_tmp", "half");
  EXPECT_EQ(Read("Rec", 4, 1), "old!");
  ASSERT_EQ(store.WriteDataFile("Rec", -1, "new!", 4, 1), 4u);
  EXPECT_EQ(Read("Rec", 4, 1), "new!");
  EXPECT_FALSE(Exists(target + "_tmp"));
  // Another writer holds its temporary file open: this write fails and leaves both files alone.
  ScopedHandle other = Create(target + "_tmp", "theirs");
  EXPECT_EQ(store.WriteDataFile("Rec", -1, "last", 4, 1), 0u);
  other.Close();
  EXPECT_EQ(Read("Rec", 4, 1), "new!");
  EXPECT_TRUE(Exists(target + "_tmp"));
}

TEST_F(DataFileWinTest, TargetWhoseTempNameWouldNotFitIsNotTouched) {
  // A folder of 247 characters (the longest CreateDirectory takes) and a name of 4: the target
  // has 256 characters and its temporary name 260, one more than a path holds.
  std::string folder = root + "\\" + std::string(247 - root.size() - 1, 'f');
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  DataFileStore longStore(SystemFileOps(), folder.c_str(), nullptr);
  Create(folder + "\\NNNN.zrd", "old!");
  EXPECT_EQ(longStore.WriteDataFile("NNNN", -1, "new!", 4, 0), 0u);
  char back[4];
  EXPECT_EQ(longStore.ReadDataFile("NNNN", -1, back, 4, 0), 4u);
  EXPECT_EQ(std::string(back, 4), "old!");
  EXPECT_EQ(longStore.WriteDataFile("N", -1, "new!", 4, 0), 4u);
}

TEST_F(DataFileWinTest, ReadersDuringWritesSeeOneWholeRecord) {
  const std::string a(297, 'A');
  const std::string b(297, 'B');
  ASSERT_EQ(store.WriteDataFile("Race", -1, a.data(), 297, 1), 297u);
  std::atomic<bool> done{false};
  std::atomic<int> mixed{0};
  std::thread reader([&] {
    char buffer[297];
    while (!done) {
      uint32_t got =
          DataFileStore(SystemFileOps(), nullptr, root.c_str()).ReadDataFile("Race", -1, buffer, 297, 1);
      std::string seen(buffer, got);
      if (got != 0 && seen != a && seen != b) ++mixed;
      Sleep(1);  // a reader that never lets go would keep the writer's move waiting
    }
  });
  int replaced = 0;
  for (int i = 0; i < 40; ++i)
    replaced += store.WriteDataFile("Race", -1, (i % 2 ? a : b).data(), 297, 1) == 297;
  done = true;
  reader.join();
  EXPECT_EQ(mixed, 0);
  EXPECT_GT(replaced, 0);
  std::printf("%d of 40 writes replaced the record while it was being read\n", replaced);
}

}  // namespace
