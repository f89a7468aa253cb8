// The reader's behaviour through its public operations: entry information, finding, resumable
// extraction to memory, extraction to files, handles, and round trips with the writer.
#include "zip/zip_reader.h"

#include <gtest/gtest.h>
#include <zlib.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <utime.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "zip/tests/sandbox.h"
#include "zip/tests/test_archive.h"
#include "zip/tests/zip_result_printer.h"
#include "zip/zip_handle_internal.h"
#include "zip/zip_writer.h"

namespace zip {
namespace {

using test::BuildArchive;
using test::TestEntry;

// DOS times are local; the expected values below are worked out for UTC, which the machines that
// run these tests (and Wine on them) use. Natively the test pins it.
#ifndef _WIN32
const bool kUtc = [] {
  setenv("TZ", "UTC0", 1);
  tzset();
  return true;
}();
#endif

int64_t UnixOf(ZipFileTime t) {
  int64_t ticks = static_cast<int64_t>(static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime);
  return (ticks - 116444736000000000) / 10000000;
}

class OpenReader {
 public:
  explicit OpenReader(const std::string& bytes, const char* password = nullptr)
      : bytes_(bytes), handle_(ZipReaderOpenEx(bytes_.data(), static_cast<uint32_t>(bytes_.size()), 3, password)) {}
  ~OpenReader() {
    if (handle_ != nullptr) (void)ZipReaderClose(handle_);
  }
  ZipHandle* get() const { return handle_; }

 private:
  std::string bytes_;
  ZipHandle* handle_;
};

// Every byte of entry index, read to memory in pieces of pieceSize.
ZipResult ReadWhole(ZipHandle* reader, int32_t index, size_t pieceSize, std::string* out) {
  ZipEntryInfo info{};
  ZipResult got = ZipReaderGetEntry(reader, index, &info);
  if (got != ZipResult::Ok) return got;
  std::string data;
  std::vector<char> piece(pieceSize);
  for (;;) {
    ZipResult r = ZipReaderExtractToMemory(reader, index, piece.data(), static_cast<uint32_t>(pieceSize));
    if (r == ZipResult::MoreData) {
      data.append(piece.data(), pieceSize);
      continue;
    }
    if (r == ZipResult::Ok) data.append(piece.data(), static_cast<size_t>(info.uncompressedSize) - data.size());
    *out = data;
    return r;
  }
}

std::string FileContents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int64_t ModifiedUnix(const std::string& path) {
#ifdef _WIN32
  struct _stat64 st {};
  if (_stat64(path.c_str(), &st) != 0) return -1;
#else
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return -1;
#endif
  return static_cast<int64_t>(st.st_mtime);
}

bool IsWritable(const std::string& path) {
  auto perms = std::filesystem::status(path).permissions();
  return (perms & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
}

TEST(ZipReaderEntries, InformationFollowsTheHeaders) {
  TestEntry dos;
  dos.name = "C:\\notes\\care.txt";
  dos.data = "water weekly";
  dos.versionMadeBy = 0x0014;  // host 0 (FAT)
  dos.externalAttributes = 0x27;
  TestEntry unixDir;
  unixDir.name = "leaves/";
  unixDir.versionMadeBy = 0x031E;  // host 3 (Unix)
  unixDir.externalAttributes = 040755u << 16;
  TestEntry unixReadOnly;
  unixReadOnly.name = "stem.txt";
  unixReadOnly.data = "stem";
  unixReadOnly.versionMadeBy = 0x031E;
  unixReadOnly.externalAttributes = 0100444u << 16;
  unixReadOnly.localExtra = test::UtExtra(1700000000, 1700000100, 1600000000);
  TestEntry noMode;
  noMode.name = "root.txt";
  noMode.versionMadeBy = 0x0314;
  noMode.externalAttributes = 0;
  noMode.dosDateTime = 0;  // no calendar date
  OpenReader reader(BuildArchive({dos, unixDir, unixReadOnly, noMode}).bytes);
  ASSERT_NE(reader.get(), nullptr);

  ZipEntryInfo info{};
  ASSERT_EQ(ZipReaderGetEntry(reader.get(), -1, &info), ZipResult::Ok);
  EXPECT_EQ(info.index, 4);
  EXPECT_EQ(info.name[0], '\0');

  ASSERT_EQ(ZipReaderGetEntry(reader.get(), 0, &info), ZipResult::Ok);
  EXPECT_STREQ(info.name, "notes\\care.txt");
  EXPECT_EQ(info.attributes, 0x27u);
  EXPECT_EQ(UnixOf(info.modifyTime), 1765373582);  // 2025-12-10 13:33:02
  EXPECT_EQ(UnixOf(info.accessTime), 1765373582);
  EXPECT_EQ(UnixOf(info.createTime), 1765373582);
  EXPECT_EQ(info.uncompressedSize, 12);

  ASSERT_EQ(ZipReaderGetEntry(reader.get(), 1, &info), ZipResult::Ok);
  EXPECT_EQ(info.attributes, 0x30u);
  ASSERT_EQ(ZipReaderGetEntry(reader.get(), 2, &info), ZipResult::Ok);
  EXPECT_EQ(info.attributes, 0x21u);
  EXPECT_EQ(UnixOf(info.modifyTime), 1700000000);
  EXPECT_EQ(UnixOf(info.accessTime), 1700000100);
  EXPECT_EQ(UnixOf(info.createTime), 1600000000);
  ASSERT_EQ(ZipReaderGetEntry(reader.get(), 3, &info), ZipResult::Ok);
  EXPECT_EQ(info.attributes, 0x20u);
  EXPECT_EQ(UnixOf(info.modifyTime), 315532800);  // 1980-01-01 stands in for no date

  EXPECT_EQ(ZipReaderGetEntry(reader.get(), 4, &info), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderGetEntry(reader.get(), -2, &info), ZipResult::BadArgument);
}

TEST(ZipReaderEntries, FindComparesStoredNamesExactlyOrFoldingAsciiLetters) {
  OpenReader reader(
      BuildArchive({test::Entry("data.txt", "d"), test::Entry("dir/\xC9t\xE9.txt", "e"), test::Entry("../up.txt", "u")})
          .bytes);
  ASSERT_NE(reader.get(), nullptr);
  int32_t index = 7;
  ZipEntryInfo info{};
  EXPECT_EQ(ZipReaderFindEntry(reader.get(), "Data.TXT", 0, &index, &info), ZipResult::NotFound);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(info.index, -1);
  EXPECT_EQ(ZipReaderLastResult(), ZipResult::NotFound);
  EXPECT_EQ(ZipReaderFindEntry(reader.get(), "Data.TXT", 1, &index, &info), ZipResult::Ok);
  EXPECT_EQ(index, 0);
  EXPECT_STREQ(info.name, "data.txt");
  EXPECT_EQ(ZipReaderFindEntry(reader.get(), "DIR/\xE9T\xE9.TXT", 1, &index, nullptr), ZipResult::NotFound);
  EXPECT_EQ(ZipReaderFindEntry(reader.get(), "DIR/\xC9T\xE9.TXT", 1, &index, nullptr), ZipResult::Ok);
  EXPECT_EQ(index, 1);
  // Find compares the name as stored, the information gives it sanitised.
  EXPECT_EQ(ZipReaderFindEntry(reader.get(), "../up.txt", 0, &index, &info), ZipResult::Ok);
  EXPECT_STREQ(info.name, "up.txt");
  EXPECT_EQ(ZipReaderFindEntry(reader.get(), std::string(256, 'a').c_str(), 0, &index, nullptr),
            ZipResult::NotFound);
  EXPECT_EQ(ZipReaderFindEntry(reader.get(), "", 0, &index, nullptr), ZipResult::BadArgument);
}

TEST(ZipReaderOpening, EmptyArchivesCommentsAndPrefixes) {
  OpenReader empty(std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  ASSERT_NE(empty.get(), nullptr);
  ZipEntryInfo info{};
  ASSERT_EQ(ZipReaderGetEntry(empty.get(), -1, &info), ZipResult::Ok);
  EXPECT_EQ(info.index, 0);
  EXPECT_EQ(ZipReaderFindEntry(empty.get(), "a", 0, nullptr, nullptr), ZipResult::NotFound);

  // Every legal comment length, the longest putting the end record 65557 bytes before the end; a
  // byte more after it is not an archive's end.
  std::vector<TestEntry> entries = {test::Entry("a.txt", "alpha")};
  for (size_t length : {65513, 65514, 65535}) {
    OpenReader commented(BuildArchive(entries, std::string(length, 'c')).bytes);
    EXPECT_NE(commented.get(), nullptr) << length;
  }
  OpenReader trailing(BuildArchive(entries, std::string(65535, 'c')).bytes + "t");
  EXPECT_EQ(trailing.get(), nullptr);
  EXPECT_EQ(ZipReaderLastResult(), ZipResult::CannotOpen);

  OpenReader appended(BuildArchive(entries, "", std::string(5000, 'x')).bytes);
  ASSERT_NE(appended.get(), nullptr);
  std::string data;
  EXPECT_EQ(ReadWhole(appended.get(), 0, 4096, &data), ZipResult::Ok);
  EXPECT_EQ(data, "alpha");
}

#ifdef _WIN32
const void* HandleOf(FILE* file) { return reinterpret_cast<const void*>(_get_osfhandle(_fileno(file))); }
#else
const void* HandleOf(FILE* file) { return reinterpret_cast<const void*>(static_cast<intptr_t>(fileno(file))); }
#endif

TEST(ZipReaderOpening, FromTheCallersHandleAtItsPosition) {
  test::Sandbox sandbox;
  std::vector<TestEntry> entries = {test::Entry("a.txt", "alpha"), test::Entry("b.txt", std::string(3000, 'b'))};
  std::string prefix(777, 'p');
  // Offsets from the archive's start (appended later) and from the file's start (a writer handed a
  // positioned file) both read correctly from a handle positioned at the archive.
  for (bool absolute : {false, true}) {
    std::string path = sandbox.Path(absolute ? "absolute.bin" : "relative.bin");
    std::ofstream(path, std::ios::binary) << BuildArchive(entries, "", prefix, absolute).bytes;
    FILE* file = fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(fseek(file, static_cast<long>(prefix.size()), SEEK_SET), 0);
    ZipHandle* reader = ZipReaderOpenEx(HandleOf(file), 0, 1, nullptr);
    ASSERT_NE(reader, nullptr) << absolute;
    std::string data;
    EXPECT_EQ(ReadWhole(reader, 1, 1000, &data), ZipResult::Ok);
    EXPECT_TRUE(data == std::string(3000, 'b'));
    EXPECT_EQ(ZipReaderClose(reader), ZipResult::Ok);
    fclose(file);
  }
#ifndef _WIN32
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  EXPECT_EQ(ZipReaderOpenEx(reinterpret_cast<const void*>(static_cast<intptr_t>(pipeEnds[0])), 0, 1, nullptr), nullptr);
  EXPECT_EQ(ZipReaderLastResult(), ZipResult::SeekFailed);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
#endif
  EXPECT_EQ(ZipReaderOpen(sandbox.Path("missing.zip").c_str(), nullptr), nullptr);
  EXPECT_EQ(ZipReaderLastResult(), ZipResult::CannotOpen);
  EXPECT_EQ(ZipReaderOpenEx("x", 1, 4, nullptr), nullptr);
  EXPECT_EQ(ZipReaderLastResult(), ZipResult::BadArgument);
}

TEST(ZipReaderHandles, NullAndWrongKindAreRefused) {
  ZipEntryInfo info{};
  char buffer[4];
  EXPECT_EQ(ZipReaderGetEntry(nullptr, 0, &info), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderLastResult(), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderExtractToMemory(nullptr, 0, buffer, 4), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderClose(nullptr), ZipResult::BadArgument);
  ZipHandle writer{ZipKind::Writer, nullptr};
  EXPECT_EQ(ZipReaderFindEntry(&writer, "a", 0, nullptr, nullptr), ZipResult::WrongKind);
  EXPECT_EQ(ZipReaderLastResult(), ZipResult::WrongKind);
  EXPECT_EQ(ZipReaderExtractToFile(&writer, 0, "a"), ZipResult::WrongKind);
  EXPECT_EQ(ZipReaderClose(&writer), ZipResult::WrongKind);
  EXPECT_FALSE(ZipIsReader(&writer));

  OpenReader reader(BuildArchive({test::Entry("a.txt", "alpha")}).bytes);
  ASSERT_NE(reader.get(), nullptr);
  EXPECT_TRUE(ZipIsReader(reader.get()));
  EXPECT_EQ(ZipReaderGetEntry(reader.get(), 0, nullptr), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), 1, buffer, 4), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), -1, buffer, 4), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderSetBaseDir(reader.get(), ""), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderSetBaseDir(reader.get(), std::string(259, 'd').c_str()), ZipResult::BadArgument);
}

TEST(ZipReaderMemory, ResumesAcrossCallsAndStartsOverWhenAsked) {
  std::string data = test::RandomBytes(10000, 7);
  for (bool deflate : {true, false}) {
    TestEntry e = test::Entry("r.bin", data);
    e.deflate = deflate;
    OpenReader reader(BuildArchive({e, test::Entry("other", "o")}).bytes);
    ASSERT_NE(reader.get(), nullptr);
    std::vector<char> buffer(4096);
    std::string got;
    EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), 0, buffer.data(), 4096), ZipResult::MoreData);
    got.append(buffer.data(), 4096);
    EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), 0, buffer.data(), 4096), ZipResult::MoreData);
    got.append(buffer.data(), 4096);
    EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), 0, buffer.data(), 4096), ZipResult::Ok);
    got.append(buffer.data(), 1808);
    EXPECT_TRUE(got == data);
    // After Ok, one more call gives Ok with nothing, and the next starts over.
    memset(buffer.data(), 0, buffer.size());
    EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), 0, buffer.data(), 4096), ZipResult::Ok);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), 0, buffer.data(), 4096), ZipResult::MoreData);
    EXPECT_TRUE(std::string(buffer.data(), 4096) == data.substr(0, 4096));
    // Information asked in between starts the entry over too.
    ZipEntryInfo info{};
    ASSERT_EQ(ZipReaderGetEntry(reader.get(), 1, &info), ZipResult::Ok);
    EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), 0, buffer.data(), 4096), ZipResult::MoreData);
    EXPECT_TRUE(std::string(buffer.data(), 4096) == data.substr(0, 4096));

    std::vector<char> exact(10000);
    ASSERT_EQ(ZipReaderGetEntry(reader.get(), 0, &info), ZipResult::Ok);
    EXPECT_EQ(ZipReaderExtractToMemory(reader.get(), 0, exact.data(), 10000), ZipResult::Ok);
    EXPECT_TRUE(std::string(exact.data(), exact.size()) == data);
    for (size_t piece : {1, 7, 16384}) {
      EXPECT_EQ(ReadWhole(reader.get(), 0, piece, &got), ZipResult::Ok);
      EXPECT_TRUE(got == data) << piece;
    }
  }
}

TEST(ZipReaderMemory, RawDeflateStreamsOfEveryLevelAndFlushPattern) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "leaf " + std::to_string(i * 37 % 101) + (i % 13 == 0 ? "\n" : " ");
  for (int level = 0; level <= 9; ++level) {
    TestEntry e = test::Entry("level.txt", text);
    e.rawPayload = true;
    e.method = 8;
    e.payload = test::Deflate(text, level);
    OpenReader reader(BuildArchive({e}).bytes);
    ASSERT_NE(reader.get(), nullptr);
    std::string got;
    EXPECT_EQ(ReadWhole(reader.get(), 0, 4096, &got), ZipResult::Ok) << level;
    EXPECT_TRUE(got == text) << level;
  }
  // A stream made of sync- and full-flushed pieces.
  z_stream s{};
  deflateInit2(&s, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(text.size() * 2 + 1024, '\0');
  s.next_out = reinterpret_cast<Bytef*>(out.data());
  s.avail_out = static_cast<uInt>(out.size());
  size_t third = text.size() / 3;
  for (int part = 0; part < 3; ++part) {
    s.next_in = reinterpret_cast<Bytef*>(text.data() + part * third);
    s.avail_in = static_cast<uInt>(part == 2 ? text.size() - 2 * third : third);
    deflate(&s, part == 0 ? Z_SYNC_FLUSH : part == 1 ? Z_FULL_FLUSH : Z_FINISH);
  }
  out.resize(s.total_out);
  deflateEnd(&s);
  TestEntry flushed = test::Entry("flushed.txt", text);
  flushed.rawPayload = true;
  flushed.method = 8;
  flushed.payload = out;
  OpenReader reader(BuildArchive({flushed}).bytes);
  std::string got;
  EXPECT_EQ(ReadWhole(reader.get(), 0, 7, &got), ZipResult::Ok);
  EXPECT_TRUE(got == text);
}

TEST(ZipReaderMemory, EncipheredEntriesNeedTheirPassword) {
  std::string data = test::RandomBytes(5000, 3);
  std::vector<TestEntry> entries;
  for (int i = 0; i < 4; ++i) {
    TestEntry e = test::Entry("secret" + std::to_string(i), data);
    e.deflate = (i & 1) != 0;
    e.dataDescriptor = (i & 2) != 0;  // check byte from the time, else from the CRC-32
    e.password = "Secret";
    entries.push_back(e);
  }
  std::string bytes = BuildArchive(entries).bytes;
  OpenReader right(bytes, "Secret");
  OpenReader wrong(bytes, "secret");
  for (int32_t i = 0; i < 4; ++i) {
    std::string got;
    EXPECT_EQ(ReadWhole(right.get(), i, 999, &got), ZipResult::Ok) << i;
    EXPECT_TRUE(got == data) << i;
    EXPECT_EQ(ReadWhole(wrong.get(), i, 999, &got), ZipResult::BadPassword) << i;
  }
}

TEST(ZipReaderFiles, ExtractionMakesFoldersAttributesAndTimes) {
  test::Sandbox sandbox;
  TestEntry nested = test::Entry("sub/dir/file.txt", "nested");
  nested.localExtra = test::UtExtra(1600000000, 1600000000, 1600000000);
  TestEntry folder = test::Entry("empty/", "");
  folder.externalAttributes = 0x10;
  TestEntry readOnly = test::Entry("locked.txt", "locked");
  readOnly.externalAttributes = 0x21;
  TestEntry plain = test::Entry("plain.txt", "dos time");
  OpenReader reader(BuildArchive({nested, folder, readOnly, plain}).bytes);
  ASSERT_NE(reader.get(), nullptr);
  ASSERT_EQ(ZipReaderSetBaseDir(reader.get(), sandbox.Base().c_str()), ZipResult::Ok);
  ZipEntryInfo info{};
  for (int32_t i = 0; i < 4; ++i) {
    ASSERT_EQ(ZipReaderGetEntry(reader.get(), i, &info), ZipResult::Ok);
    EXPECT_EQ(ZipReaderExtractToFile(reader.get(), i, info.name), ZipResult::Ok) << info.name;
  }
  EXPECT_EQ(FileContents(sandbox.Base() + "sub/dir/file.txt"), "nested");
  EXPECT_EQ(ModifiedUnix(sandbox.Base() + "sub/dir/file.txt"), 1600000000);
  EXPECT_EQ(ModifiedUnix(sandbox.Base() + "plain.txt"), 1765373582);
  EXPECT_TRUE(std::filesystem::is_directory(sandbox.Base() + "empty"));
  EXPECT_TRUE(std::filesystem::is_empty(sandbox.Base() + "empty"));
  EXPECT_FALSE(IsWritable(sandbox.Base() + "locked.txt"));
  // A read-only file of that name is not replaced.
  EXPECT_EQ(ZipReaderExtractToFile(reader.get(), 2, "locked.txt"), ZipResult::CannotOpen);
  // An absolute target ignores the base folder.
  std::string absolute = sandbox.Path("elsewhere/x.txt");
  EXPECT_EQ(ZipReaderExtractToFile(reader.get(), 3, absolute.c_str()), ZipResult::Ok);
  EXPECT_EQ(FileContents(absolute), "dos time");
  EXPECT_EQ(ZipReaderExtractToFile(reader.get(), 3, "../x.txt"), ZipResult::BadArgument);
  EXPECT_EQ(ZipReaderExtractToFile(reader.get(), 3, "sub/"), ZipResult::BadArgument);
  EXPECT_EQ(sandbox.TemporaryFilesInBase(), std::vector<std::string>());
}

TEST(ZipReaderFiles, AFailedExtractionLeavesTheEarlierFileAlone) {
  test::Sandbox sandbox;
  test::TestArchive a = BuildArchive({test::Entry("plant.plt", test::RandomBytes(40000, 9))});
  test::Put32(a.bytes, a.centralOffsets[0] + 16, 0x12345678);  // wrong CRC-32 in both headers
  test::Put32(a.bytes, a.localOffsets[0] + 14, 0x12345678);
  std::ofstream(sandbox.Base() + "plant.plt", std::ios::binary) << "the old plant";
  OpenReader reader(a.bytes);
  ASSERT_EQ(ZipReaderSetBaseDir(reader.get(), sandbox.Base().c_str()), ZipResult::Ok);
  EXPECT_EQ(ZipReaderExtractToFile(reader.get(), 0, "plant.plt"), ZipResult::FlateFailed);
  EXPECT_EQ(FileContents(sandbox.Base() + "plant.plt"), "the old plant");
  EXPECT_EQ(sandbox.TemporaryFilesInBase(), std::vector<std::string>());
}

TEST(ZipReaderFiles, ExtractionRemovesNothingItDidNotCreate) {
  test::Sandbox sandbox;
  // An archive's own file of a temporary-looking name, then the file it would be the temporary of.
  OpenReader reader(BuildArchive({test::Entry("report_tmp", "archived"), test::Entry("report", "new report"),
                                  test::Entry("notes", "new notes")})
                        .bytes);
  ASSERT_EQ(ZipReaderSetBaseDir(reader.get(), sandbox.Base().c_str()), ZipResult::Ok);
  EXPECT_EQ(ZipReaderExtractToFile(reader.get(), 0, "report_tmp"), ZipResult::Ok);
  EXPECT_EQ(ZipReaderExtractToFile(reader.get(), 1, "report"), ZipResult::Ok);
  EXPECT_EQ(FileContents(sandbox.Base() + "report_tmp"), "archived");
  EXPECT_EQ(FileContents(sandbox.Base() + "report"), "new report");

  // The user's read-only notes_tmp beside notes, which the extraction replaces.
  std::ofstream(sandbox.Base() + "notes", std::ios::binary) << "old notes";
  std::ofstream(sandbox.Base() + "notes_tmp", std::ios::binary) << "mine";
  std::filesystem::permissions(sandbox.Base() + "notes_tmp", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_EQ(ZipReaderExtractToFile(reader.get(), 2, "notes"), ZipResult::Ok);
  EXPECT_EQ(FileContents(sandbox.Base() + "notes"), "new notes");
  EXPECT_EQ(FileContents(sandbox.Base() + "notes_tmp"), "mine");
  EXPECT_EQ(sandbox.TemporaryFilesInBase().size(), 2u);  // those two, and no leftover of ours
}

TEST(ZipReaderRoundTrip, WhatTheWriterWritesReadsBack) {
  test::Sandbox sandbox;
  std::string text;
  while (text.size() < 300000) text += "The plant grows toward the light; ";
  std::vector<std::pair<std::string, std::string>> sources = {
      {"one.bin", "1"},
      {"a\\b.txt", "backslash"},
      {"edge16383.bin", test::RandomBytes(16383, 1)},
      {"edge16384.bin", test::RandomBytes(16384, 2)},
      {"edge16385.bin", test::RandomBytes(16385, 3)},
      {"edge65536.bin", test::RandomBytes(65536, 4)},
      {"random.bin", test::RandomBytes(1 << 20, 5)},
      {"zeros.bin", std::string(1 << 20, '\0')},
      {"text.txt", text},
      {"stored.gz", test::RandomBytes(5000, 6)},
  };
  for (const char* password : {static_cast<const char*>(nullptr), "Secret"}) {
    std::string path = sandbox.Path(password ? "secret.zip" : "plain.zip");
    ZipHandle* writer = ZipWriterOpen(path.c_str(), password);
    ASSERT_NE(writer, nullptr);
    int64_t before = static_cast<int64_t>(time(nullptr));
    for (const auto& [name, data] : sources) {
      ASSERT_EQ(ZipWriterAddMemory(writer, name.c_str(), data.data(), static_cast<uint32_t>(data.size())),
                ZipResult::Ok);
    }
    ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);

    ZipHandle* reader = ZipReaderOpen(path.c_str(), password);
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(ZipReaderSetBaseDir(reader, sandbox.Base().c_str()), ZipResult::Ok);
    for (int32_t i = 0; i < static_cast<int32_t>(sources.size()); ++i) {
      std::string got;
      ZipEntryInfo info{};
      ASSERT_EQ(ZipReaderGetEntry(reader, i, &info), ZipResult::Ok);
      std::string expectedName = sources[i].first == "a\\b.txt" ? "a/b.txt" : sources[i].first;
      EXPECT_EQ(info.name, expectedName);
      EXPECT_NEAR(static_cast<double>(UnixOf(info.modifyTime)), static_cast<double>(before), 5.0);
      EXPECT_EQ(UnixOf(info.accessTime), UnixOf(info.modifyTime));
      EXPECT_EQ(ReadWhole(reader, i, 10000, &got), ZipResult::Ok) << info.name;
      EXPECT_TRUE(got == sources[i].second) << info.name;
      EXPECT_EQ(ZipReaderExtractToFile(reader, i, info.name), ZipResult::Ok);
      EXPECT_TRUE(FileContents(sandbox.Base() + info.name) == sources[i].second) << info.name;
    }
    EXPECT_EQ(ZipReaderClose(reader), ZipResult::Ok);
  }
}

TEST(ZipReaderRoundTrip, AFileKeepsItsTimesAndReadOnlyMark) {
  test::Sandbox sandbox;
  std::string source = sandbox.Path("leaf.txt");
  std::ofstream(source, std::ios::binary) << "a leaf, written long ago";
  struct utimbuf times {};
  times.actime = 1500000000;
  times.modtime = 1400000000;
  ASSERT_EQ(utime(source.c_str(), &times), 0);
  std::filesystem::permissions(source, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                           std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  std::string archive = sandbox.Path("leaf.zip");
  ZipHandle* writer = ZipWriterOpen(archive.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  ASSERT_EQ(ZipWriterAddFile(writer, "dir\\leaf.txt", source.c_str()), ZipResult::Ok);
  ASSERT_EQ(ZipWriterClose(writer), ZipResult::Ok);

  ZipHandle* reader = ZipReaderOpen(archive.c_str(), nullptr);
  ASSERT_NE(reader, nullptr);
  ASSERT_EQ(ZipReaderSetBaseDir(reader, sandbox.Base().c_str()), ZipResult::Ok);
  ZipEntryInfo info{};
  ASSERT_EQ(ZipReaderFindEntry(reader, "dir/leaf.txt", 0, nullptr, &info), ZipResult::Ok);
  EXPECT_EQ(UnixOf(info.modifyTime), 1400000000);
  EXPECT_EQ(info.attributes & 0x01u, 0x01u);
  EXPECT_EQ(ZipReaderExtractToFile(reader, info.index, info.name), ZipResult::Ok);
  EXPECT_EQ(FileContents(sandbox.Base() + "dir/leaf.txt"), "a leaf, written long ago");
  EXPECT_EQ(ModifiedUnix(sandbox.Base() + "dir/leaf.txt"), 1400000000);
  EXPECT_FALSE(IsWritable(sandbox.Base() + "dir/leaf.txt"));
  EXPECT_EQ(ZipReaderClose(reader), ZipResult::Ok);
}

}  // namespace
}  // namespace zip
