// The hostile corpus: every archive gives its expected results, nothing crashes, and no file appears
// outside the base folder. Runs natively under ASan/UBSan and under Wine, where drive letters and
// backslashes are real.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "zip/tests/hostile_archives.h"
#include "zip/tests/sandbox.h"
#include "zip/tests/test_archive.h"
#include "zip/tests/zip_result_printer.h"
#include "zip/zip_reader.h"

namespace zip {
namespace {

using test::HostileCase;

// Extracts entry index to memory in 7-byte pieces, to the end; bounded so a lying size cannot keep
// the test busy.
ZipResult ExtractAllToMemory(ZipHandle* reader, int32_t index) {
  uint8_t piece[7];
  ZipResult result = ZipResult::MoreData;
  for (int calls = 0; result == ZipResult::MoreData && calls < 200000; ++calls) {
    result = ZipReaderExtractToMemory(reader, index, piece, sizeof piece);
  }
  return result;
}

// Walks every entry the way the start-up does: information, then the file under its own name.
void ExtractEverything(ZipHandle* reader) {
  ZipEntryInfo summary{};
  ASSERT_EQ(ZipReaderGetEntry(reader, -1, &summary), ZipResult::Ok);
  for (int32_t i = 0; i <= summary.index; ++i) {
    ZipEntryInfo info{};
    if (ZipReaderGetEntry(reader, i, &info) == ZipResult::Ok) {
      (void)ExtractAllToMemory(reader, i);
      (void)ZipReaderExtractToFile(reader, i, info.name);
    }
  }
}

class HostileCorpus : public ::testing::Test {
 protected:
  test::Sandbox sandbox_;
};

TEST(HostileCorpusCases, EveryCaseGivesItsResultsAndStaysInsideTheBase) {
  // Names in the corpus aim at this absolute path; each case extracts into a sandbox of its own, so
  // no case's files stand in another's way.
  test::Sandbox aimedAt;
  std::string outside = aimedAt.Path("outside.txt");
  for (const HostileCase& c : test::HostileArchives(outside)) {
    SCOPED_TRACE(c.label);
    test::Sandbox sandbox_;
    ZipHandle* reader = ZipReaderOpenEx(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()), 3, nullptr);
    EXPECT_EQ(ZipReaderLastResult(), c.open);
    if (reader == nullptr) continue;
    ASSERT_EQ(ZipReaderSetBaseDir(reader, sandbox_.Base().c_str()), ZipResult::Ok);
    ZipEntryInfo info{};
    EXPECT_EQ(ZipReaderGetEntry(reader, 0, &info), c.get);
    if (c.get == ZipResult::Ok && !c.sanitisedName.empty()) {
      EXPECT_EQ(info.name, c.sanitisedName);
    }
    EXPECT_EQ(ExtractAllToMemory(reader, 0), c.memory);
    const char* target = c.get == ZipResult::Ok ? info.name : "fallback.txt";
    EXPECT_EQ(ZipReaderExtractToFile(reader, 0, target), c.file);
    if (c.file != ZipResult::Ok && c.get == ZipResult::Ok) {
      EXPECT_FALSE(sandbox_.ExistsInBase(info.name));
    }
    if (c.get == ZipResult::Ok) {
      EXPECT_EQ(ZipReaderExtractToFile(reader, 0, "../escape.txt"), ZipResult::BadArgument);
      EXPECT_EQ(ZipReaderExtractToFile(reader, 0, "sub/../../escape.txt"), ZipResult::BadArgument);
    }
    ExtractEverything(reader);
    EXPECT_EQ(ZipReaderClose(reader), ZipResult::Ok);
    EXPECT_EQ(sandbox_.EntriesOutsideBase(), std::vector<std::string>());
    EXPECT_EQ(sandbox_.TemporaryFilesInBase(), std::vector<std::string>());
    EXPECT_EQ(aimedAt.EntriesOutsideBase(), std::vector<std::string>());
  }
}

TEST_F(HostileCorpus, EntriesSharingBytesAreRefusedAndTheirNeighboursRead) {
  std::string bomb = test::OverlappingRecords(200);
  ZipHandle* reader = ZipReaderOpenEx(bomb.data(), static_cast<uint32_t>(bomb.size()), 3, nullptr);
  ASSERT_NE(reader, nullptr);
  ASSERT_EQ(ZipReaderSetBaseDir(reader, sandbox_.Base().c_str()), ZipResult::Ok);
  for (int32_t i = 0; i < 200; ++i) {
    ZipEntryInfo info{};
    EXPECT_EQ(ZipReaderGetEntry(reader, i, &info), ZipResult::Corrupt) << i;
    EXPECT_EQ(ZipReaderExtractToFile(reader, i, "bomb.txt"), ZipResult::Corrupt) << i;
  }
  EXPECT_FALSE(sandbox_.ExistsInBase("bomb.txt"));
  EXPECT_EQ(ZipReaderClose(reader), ZipResult::Ok);

  // The first entry's data runs over the second's header: neither may be read, the third may.
  test::TestEntry first = test::Entry("a.txt", std::string(100, 'a'));
  first.deflate = false;
  test::TestEntry second = first, third = first;
  second.name = "b.txt";
  third.name = "c.txt";
  third.data = "sea";
  test::TestArchive chain = test::BuildArchive({first, second, third});
  uint32_t reach = static_cast<uint32_t>(chain.localOffsets[1] + 40 - (chain.localOffsets[0] + 30 + 5));
  for (size_t field : {18, 22}) test::Put32(chain.bytes, chain.localOffsets[0] + field, reach);
  for (size_t field : {20, 24}) test::Put32(chain.bytes, chain.centralOffsets[0] + field, reach);
  reader = ZipReaderOpenEx(chain.bytes.data(), static_cast<uint32_t>(chain.bytes.size()), 3, nullptr);
  ASSERT_NE(reader, nullptr);
  ZipEntryInfo info{};
  EXPECT_EQ(ZipReaderGetEntry(reader, 0, &info), ZipResult::Corrupt);
  EXPECT_EQ(ZipReaderGetEntry(reader, 1, &info), ZipResult::Corrupt);
  char sea[3];
  EXPECT_EQ(ZipReaderExtractToMemory(reader, 2, sea, sizeof sea), ZipResult::Ok);
  EXPECT_EQ(std::string(sea, 3), "sea");
  EXPECT_EQ(ZipReaderClose(reader), ZipResult::Ok);
}

TEST_F(HostileCorpus, EveryTruncationFailsToOpen) {
  std::string whole = test::ThreeEntryArchive();
  for (size_t length = 0; length < whole.size(); ++length) {
    ZipHandle* reader = ZipReaderOpenEx(whole.data(), static_cast<uint32_t>(length), 3, nullptr);
    EXPECT_EQ(reader, nullptr) << "cut to " << length;
    EXPECT_EQ(ZipReaderLastResult(), ZipResult::CannotOpen) << "cut to " << length;
    if (reader != nullptr) (void)ZipReaderClose(reader);
  }
}

TEST_F(HostileCorpus, DamageAtAnyByteNeverEscapesTheBase) {
  std::string whole = test::ThreeEntryArchive();
  for (size_t at = 0; at < whole.size(); ++at) {
    std::string damaged = whole;
    damaged[at] = static_cast<char>(damaged[at] ^ 0xA5);
    ZipHandle* reader = ZipReaderOpenEx(damaged.data(), static_cast<uint32_t>(damaged.size()), 3, nullptr);
    if (reader == nullptr) continue;
    ASSERT_EQ(ZipReaderSetBaseDir(reader, sandbox_.Base().c_str()), ZipResult::Ok);
    ExtractEverything(reader);
    (void)ZipReaderClose(reader);
  }
  EXPECT_EQ(sandbox_.EntriesOutsideBase(), std::vector<std::string>());
  EXPECT_EQ(sandbox_.TemporaryFilesInBase(), std::vector<std::string>());
}

}  // namespace
}  // namespace zip
