// The extended time stamp at the edges of its extra field: a value is taken only when all its bytes
// lie inside both the field's declared size and the extra field. Each field is built at the very end
// of an exact-size heap block, so a read past it is a sanitizer error as well as a wrong time.
#include "zip/zip_entry_facts.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace zip {
namespace {

constexpr int64_t kUntouched = 12345;

struct Stamped {
  int64_t modify, access, create;
};

Stamped Apply(const std::vector<uint8_t>& extra) {
  std::unique_ptr<uint8_t[]> exact(new uint8_t[extra.size()]);
  std::copy(extra.begin(), extra.end(), exact.get());
  ZipEntryInfo info{};
  info.modifyTime = info.accessTime = info.createTime = ToZipFileTime(kUntouched);
  ApplyExtendedTimestamp(exact.get(), extra.size(), &info);
  return {FromZipFileTime(info.modifyTime), FromZipFileTime(info.accessTime),
          FromZipFileTime(info.createTime)};
}

TEST(ExtendedTimestamp, ValuesCutShortAreLeftOut) {
  // "UT", 13 bytes declared, flags 7, times 1 and 2, and three of the creation time's four bytes.
  std::vector<uint8_t> cut = {0x55, 0x54, 13, 0, 7, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0};
  Stamped t = Apply(cut);
  EXPECT_EQ(t.modify, FileTimeFromUnix(1));
  EXPECT_EQ(t.access, FileTimeFromUnix(2));
  EXPECT_EQ(t.create, kUntouched);

  // Declared as flags and two times: the four bytes after it belong to the next field.
  std::vector<uint8_t> declared = {0x55, 0x54, 9, 0, 7, 1, 0, 0, 0, 2, 0, 0, 0, 0x99, 0x99, 0, 0};
  EXPECT_EQ(Apply(declared).create, kUntouched);

  // The whole field, at the very end: every time is taken.
  std::vector<uint8_t> whole = cut;
  whole.push_back(0);
  EXPECT_EQ(Apply(whole).create, FileTimeFromUnix(3));

  // A field header alone at the end, its data missing, and flags alone.
  EXPECT_EQ(Apply({0x99, 0x99, 0, 0, 0x55, 0x54, 5, 0}).modify, kUntouched);
  EXPECT_EQ(Apply({0x55, 0x54, 5, 0, 7}).modify, kUntouched);
}

}  // namespace
}  // namespace zip
