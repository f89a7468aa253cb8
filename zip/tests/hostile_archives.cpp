// Hostile archive generator. Each case starts from a valid archive and breaks one thing.
#include "zip/tests/hostile_archives.h"

#include "zip/tests/test_archive.h"

namespace zip::test {
namespace {

constexpr size_t kCentralCrc = 16, kCentralCompressed = 20, kCentralUncompressed = 24, kCentralNameLength = 28;
constexpr size_t kCentralExtraLength = 30, kCentralCommentLength = 32, kCentralLocalOffset = 42;
constexpr size_t kLocalMethod = 8, kLocalCrc = 14, kLocalNameLength = 26;
constexpr size_t kEndDisk = 4, kEndDirectoryDisk = 6, kEndEntriesOnDisk = 8, kEndTotal = 10;
constexpr size_t kEndDirectorySize = 12, kEndDirectoryOffset = 16;

const std::string kText =
    "The plant needs water, fertiliser, light and warmth; without them it wilts and dies. ";

std::string Text(size_t repeats) {
  std::string s;
  for (size_t i = 0; i < repeats; ++i) s += kText;
  return s;
}

TestEntry Deflated(const std::string& name, const std::string& data) {
  TestEntry e;
  e.name = name;
  e.data = data;
  return e;
}

TestEntry Stored(const std::string& name, const std::string& data) {
  TestEntry e = Deflated(name, data);
  e.deflate = false;
  return e;
}

TestArchive One(const TestEntry& e) { return BuildArchive({e}); }

HostileCase Case(const std::string& label, const std::string& bytes, ZipResult open, ZipResult get,
                 ZipResult memory, ZipResult file) {
  HostileCase c;
  c.label = label;
  c.bytes = bytes;
  c.open = open;
  c.get = get;
  c.memory = memory;
  c.file = file;
  return c;
}

HostileCase CannotOpen(const std::string& label, const std::string& bytes) {
  return Case(label, bytes, ZipResult::CannotOpen, ZipResult::Ok, ZipResult::Ok, ZipResult::Ok);
}

// The data is readable only to memory's eye: the header check passes, the bytes do not.
HostileCase BadData(const std::string& label, const std::string& bytes) {
  return Case(label, bytes, ZipResult::Ok, ZipResult::Ok, ZipResult::FlateFailed, ZipResult::FlateFailed);
}

HostileCase BadHeader(const std::string& label, const std::string& bytes) {
  return Case(label, bytes, ZipResult::Ok, ZipResult::Corrupt, ZipResult::FlateFailed, ZipResult::Corrupt);
}

}  // namespace

std::string OverlappingRecords(int count) {
  TestArchive a = One(Deflated("bomb.txt", Text(200)));
  std::string record = a.bytes.substr(a.centralOffsets[0], a.endOffset - a.centralOffsets[0]);
  std::string bytes = a.bytes.substr(0, a.endOffset);
  for (int i = 1; i < count; ++i) bytes += record;
  std::string end = a.bytes.substr(a.endOffset);
  Put16(end, kEndEntriesOnDisk, static_cast<uint16_t>(count));
  Put16(end, kEndTotal, static_cast<uint16_t>(count));
  Put32(end, kEndDirectorySize, static_cast<uint32_t>(record.size() * count));
  return bytes + end;
}

namespace {

void AddSlipCases(std::vector<HostileCase>& cases, const std::string& outsidePath) {
  struct Slip {
    std::string name;
    std::string sanitised;  // empty: refused
  };
  const Slip slips[] = {
      {"../a", "a"},
      {"..\\a", "a"},
      {"a/../../b", "b"},
      {"a\\..\\..\\b", "b"},
      {"a/b/../../../c", "c"},
      {"/etc/a", "etc/a"},
      {"\\\\srv\\share\\a", "srv\\share\\a"},
      {"C:\\x\\a", "x\\a"},
      {"C:..\\a", "a"},
      {"C:../a", "a"},
      {"./a", "a"},
      {"a/./b", "a/b"},
      {"a. ", "a"},
      {"...\\a", "a"},
      {outsidePath, ""},  // filled below
      {"../" + std::string(300, 'n'), ""},
      {std::string(260, 'm'), ""},
      {"a/..", ""},
      {"..", ""},
      {"CON", ""},
      {"aux.txt", ""},
      {"x/NUL/y", ""},
      {"a.txt:ads", ""},
      {"bell\x07", ""},
      {std::string("a\0/../../b", 10), ""},
  };
  for (const Slip& s : slips) {
    std::string sanitised = s.sanitised;
    if (s.name == outsidePath) {
      // An absolute path: drive and leading separators go, the rest stays below the base.
      size_t at = 0;
      while (at < s.name.size() && (s.name[at] == '/' || s.name[at] == '\\' || (at + 1 < s.name.size() && s.name[at + 1] == ':'))) {
        at += s.name[at] == '/' || s.name[at] == '\\' ? 1 : 2;
      }
      sanitised = s.name.substr(at);
    }
    std::string label = "zip slip name \"" + std::string(s.name.c_str()) + (s.name.size() > 40 ? "...\"" : "\"");
    TestArchive a = One(Deflated(s.name, "escaped?"));
    if (sanitised.empty()) {
      cases.push_back(Case(label, a.bytes, ZipResult::Ok, ZipResult::Corrupt, ZipResult::Ok, ZipResult::Corrupt));
    } else {
      HostileCase c = Case(label, a.bytes, ZipResult::Ok, ZipResult::Ok, ZipResult::Ok, ZipResult::Ok);
      c.sanitisedName = sanitised;
      cases.push_back(c);
    }
  }
  // A name the reader can give but no base folder leaves room for.
  HostileCase tooLong = Case("259-character name", One(Deflated(std::string(259, 'm'), "m")).bytes, ZipResult::Ok,
                             ZipResult::Ok, ZipResult::Ok, ZipResult::BadArgument);
  tooLong.sanitisedName = std::string(259, 'm');
  cases.push_back(tooLong);
}

void AddEndRecordCases(std::vector<HostileCase>& cases) {
  TestArchive good = BuildArchive({Deflated("a.txt", Text(3)), Stored("b.txt", "bee")});
  auto patched16 = [&](size_t field, uint16_t value) {
    std::string b = good.bytes;
    Put16(b, good.endOffset + field, value);
    return b;
  };
  auto patched32 = [&](size_t field, uint32_t value) {
    std::string b = good.bytes;
    Put32(b, good.endOffset + field, value);
    return b;
  };
  cases.push_back(CannotOpen("empty source", ""));
  cases.push_back(CannotOpen("end record alone, cut to 21 bytes", good.bytes.substr(good.endOffset, 21)));
  cases.push_back(CannotOpen("disk number 1", patched16(kEndDisk, 1)));
  cases.push_back(CannotOpen("directory on disk 1", patched16(kEndDirectoryDisk, 1)));
  cases.push_back(CannotOpen("fewer entries on this disk than in total", patched16(kEndEntriesOnDisk, 1)));
  {
    std::string b = patched16(kEndTotal, 0xFFFF);
    Put16(b, good.endOffset + kEndEntriesOnDisk, 0xFFFF);
    cases.push_back(CannotOpen("entry count 65535 in a small directory", b));
  }
  cases.push_back(CannotOpen("directory offset past the end record", patched32(kEndDirectoryOffset, 0x7FFFFFF0)));
  {
    std::string b = patched32(kEndDirectoryOffset, 0xFFFFFFF0);
    Put32(b, good.endOffset + kEndDirectorySize, 0x20);
    cases.push_back(CannotOpen("directory offset + size wraps 32 bits", b));
  }
  cases.push_back(CannotOpen("directory size past the end record", patched32(kEndDirectorySize, 0x10000)));
  cases.push_back(CannotOpen("first central header not where the directory says",
                             patched32(kEndDirectoryOffset, static_cast<uint32_t>(good.centralOffsets[0] + 1))));
  {
    // A fake end record inside the comment is found first, and it points nowhere.
    std::string fake = "PK\x05\x06";
    fake += std::string(18, '\x7f');
    TestArchive a = BuildArchive({Deflated("a.txt", Text(2))}, "note " + fake);
    cases.push_back(CannotOpen("fake end record inside the comment", a.bytes));
  }
  {
    // ZIP64: the classic record is saturated and the locator sits before it.
    std::string b = good.bytes.substr(0, good.endOffset);
    std::string locator = "PK\x06\x07";
    locator += std::string(16, '\0');
    std::string end = good.bytes.substr(good.endOffset);
    Put32(end, kEndDirectoryOffset, 0xFFFFFFFF);
    cases.push_back(CannotOpen("ZIP64 end record the reader cannot use", b + locator + end));
  }
  {
    std::string b = good.bytes;
    b.resize(good.endOffset + 20);  // cut inside the comment-length field
    cases.push_back(CannotOpen("end record cut short", b));
  }
}

void AddDirectoryCases(std::vector<HostileCase>& cases) {
  TestArchive good = BuildArchive({Deflated("first.txt", Text(4)), Stored("second.txt", "two")});
  size_t c0 = good.centralOffsets[0];
  auto patched16 = [&](size_t field, uint16_t value) {
    std::string b = good.bytes;
    Put16(b, c0 + field, value);
    return b;
  };
  auto patched32 = [&](size_t field, uint32_t value) {
    std::string b = good.bytes;
    Put32(b, c0 + field, value);
    return b;
  };
  cases.push_back(CannotOpen("central name length runs past the directory", patched16(kCentralNameLength, 0xFFFF)));
  cases.push_back(CannotOpen("central extra length runs past the directory", patched16(kCentralExtraLength, 0x8000)));
  cases.push_back(CannotOpen("central comment length runs past the directory", patched16(kCentralCommentLength, 300)));
  {
    // The last header's variable part ends exactly at the directory's end; one byte more reaches
    // into the end record.
    TestArchive single = One(Stored("only.txt", "one"));
    Put16(single.bytes, single.centralOffsets[0] + kCentralCommentLength, 1);
    cases.push_back(CannotOpen("only central header one byte longer than the directory", single.bytes));
  }
  {
    std::string b = good.bytes;
    b[c0] = 'X';
    cases.push_back(CannotOpen("central signature damaged", b));
  }
  cases.push_back(BadHeader("local header offset past the end", patched32(kCentralLocalOffset, 0x7FFFFF00)));
  cases.push_back(BadHeader("local header offset 0xFFFFFFF0", patched32(kCentralLocalOffset, 0xFFFFFFF0)));
  cases.push_back(BadHeader("local header offset into the data", patched32(kCentralLocalOffset, 7)));
  {
    // The second header's name length reaches into the end record: stepping to it fails.
    std::string b = good.bytes;
    Put16(b, good.centralOffsets[1] + kCentralNameLength, 40);
    HostileCase c = Case("second central header runs past the directory", b, ZipResult::Ok, ZipResult::Ok,
                         ZipResult::Ok, ZipResult::Ok);
    cases.push_back(c);
  }
  {
    // Three entries claimed, two present; the names are long enough for the count to fit the size.
    TestArchive a = BuildArchive({Deflated(std::string(80, 'p') + ".txt", "x"), Stored(std::string(80, 'q'), "y")});
    Put16(a.bytes, a.endOffset + kEndTotal, 3);
    Put16(a.bytes, a.endOffset + kEndEntriesOnDisk, 3);
    cases.push_back(Case("entry count larger than the directory holds", a.bytes, ZipResult::Ok, ZipResult::Ok,
                         ZipResult::Ok, ZipResult::Ok));
  }
}

void AddLocalHeaderCases(std::vector<HostileCase>& cases) {
  TestArchive good = One(Deflated("doc.txt", Text(5)));
  size_t l0 = good.localOffsets[0];
  {
    std::string b = good.bytes;
    b[l0 + 2] = 9;
    cases.push_back(BadHeader("local signature damaged", b));
  }
  {
    std::string b = good.bytes;
    Put16(b, l0 + kLocalMethod, 0);
    cases.push_back(BadHeader("local method differs from the central one", b));
  }
  {
    std::string b = good.bytes;
    Put32(b, l0 + kLocalCrc, 0x12345678);
    cases.push_back(BadHeader("local CRC-32 differs without a data descriptor", b));
  }
  {
    std::string b = good.bytes;
    Put16(b, l0 + kLocalNameLength, 6);
    cases.push_back(BadHeader("local name length differs", b));
  }
  {
    // Same length, other name: the local header decides where the data lies, so it must be the
    // entry the directory describes.
    TestArchive a = One(Stored("good.txt", "harmless"));
    a.bytes.replace(a.localOffsets[0] + 30, 8, "evil.exe");
    cases.push_back(BadHeader("local name differs from the central name", a.bytes));
  }
  cases.push_back(BadHeader("200 central records naming one local entry", OverlappingRecords(200)));
  {
    TestArchive a = One(Stored("tail.txt", "tail"));
    Put32(a.bytes, a.centralOffsets[0] + kCentralCompressed, 5);
    Put32(a.bytes, a.centralOffsets[0] + kCentralUncompressed, 5);
    Put32(a.bytes, a.localOffsets[0] + 18, 5);
    Put32(a.bytes, a.localOffsets[0] + 22, 5);
    cases.push_back(BadHeader("data runs into the central directory", a.bytes));
  }
  for (uint16_t method : {12, 14, 9, 99}) {
    TestEntry e = Stored("packed.bin", "abc");
    e.rawPayload = true;
    e.payload = "abc";
    e.method = method;
    cases.push_back(BadHeader("unsupported method " + std::to_string(method), One(e).bytes));
  }
  {
    TestEntry e = Deflated("ut.txt", "x");
    e.localExtra = UtExtra(1, 2, 3);
    std::string bytes = One(e).bytes;
    Put16(bytes, good.localOffsets[0] + 30 + 6 + 2, 0x4000);  // "UT" data size far past the field
    HostileCase c = Case("UT field claims more data than the extra field holds", bytes, ZipResult::Ok, ZipResult::Ok,
                         ZipResult::Ok, ZipResult::Ok);
    c.sanitisedName = "ut.txt";
    cases.push_back(c);
  }
  {
    TestEntry e = Deflated("z64.txt", "x");
    e.localExtra = std::string("\x01\x00\x10\x00", 4) + std::string(16, '\xff');
    TestArchive a = One(e);
    Put32(a.bytes, a.localOffsets[0] + 18, 0xFFFFFFFF);
    Put32(a.bytes, a.localOffsets[0] + 22, 0xFFFFFFFF);
    cases.push_back(BadHeader("ZIP64 sizes in the local header", a.bytes));
  }
  {
    TestArchive a = One(Deflated("big.txt", "x"));
    Put32(a.bytes, a.centralOffsets[0] + kCentralCompressed, 0xFFFFFFFF);
    Put32(a.bytes, a.centralOffsets[0] + kCentralUncompressed, 0xFFFFFFFF);
    cases.push_back(Case("ZIP64 sizes in the central header", a.bytes, ZipResult::Ok, ZipResult::Corrupt,
                         ZipResult::FlateFailed, ZipResult::Corrupt));
  }
}

void AddDataCases(std::vector<HostileCase>& cases) {
  std::string text = Text(40);
  std::string deflated = Deflate(text);
  auto raw = [&](const std::string& payload, uint16_t method, const std::string& data) {
    TestEntry e = Deflated("data.txt", data);
    e.rawPayload = true;
    e.payload = payload;
    e.method = method;
    return One(e).bytes;
  };
  cases.push_back(BadData("deflate stream cut short", raw(deflated.substr(0, deflated.size() - 9), 8, text)));
  cases.push_back(BadData("deflate stream cut to nothing", raw("", 8, text)));
  cases.push_back(BadData("deflate stream ends before the declared size", raw(Deflate(text.substr(0, 100)), 8, text)));
  cases.push_back(BadData("deflate stream runs past the declared size", raw(deflated, 8, text.substr(0, 100))));
  cases.push_back(BadData("compressed bytes left over after the stream", raw(deflated + "junk", 8, text)));
  {
    std::string flipped = deflated;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x10);
    cases.push_back(BadData("flipped bit in the deflate data", raw(flipped, 8, text)));
  }
  cases.push_back(BadData("stored entry with fewer compressed than uncompressed bytes", [&] {
    TestArchive a = One(Stored("s.txt", text));
    Put32(a.bytes, a.centralOffsets[0] + kCentralCompressed, 10);
    Put32(a.bytes, a.localOffsets[0] + 18, 10);
    return a.bytes;
  }()));
  {
    TestArchive a = One(Deflated("crc.txt", text));
    Put32(a.bytes, a.centralOffsets[0] + kCentralCrc, 0xDEADBEEF);
    Put32(a.bytes, a.localOffsets[0] + kLocalCrc, 0xDEADBEEF);
    cases.push_back(BadData("wrong CRC-32, deflated", a.bytes));
  }
  {
    TestArchive a = One(Stored("crc.txt", text));
    Put32(a.bytes, a.centralOffsets[0] + kCentralCrc, 0xDEADBEEF);
    Put32(a.bytes, a.localOffsets[0] + kLocalCrc, 0xDEADBEEF);
    cases.push_back(BadData("wrong CRC-32, stored", a.bytes));
  }
  {
    TestEntry e = Deflated("dd.txt", text);
    e.dataDescriptor = true;
    TestArchive a = One(e);
    Put32(a.bytes, a.centralOffsets[0] + kCentralCrc, 0x0BADF00D);
    cases.push_back(BadData("wrong CRC-32 behind a data descriptor", a.bytes));
  }
  {
    TestArchive a = One(Deflated("huge.txt", text));
    Put32(a.bytes, a.centralOffsets[0] + kCentralUncompressed, 0x7FFFFFFF);
    Put32(a.bytes, a.localOffsets[0] + 22, 0x7FFFFFFF);
    cases.push_back(BadData("uncompressed size 0x7FFFFFFF for a small stream", a.bytes));
  }
  {
    TestArchive a = One(Deflated("huge.txt", text));
    Put32(a.bytes, a.centralOffsets[0] + kCentralCompressed, 0x7FFFFFFF);
    Put32(a.bytes, a.localOffsets[0] + 18, 0x7FFFFFFF);
    cases.push_back(BadHeader("compressed size 0x7FFFFFFF past the end of the source", a.bytes));
  }
  {
    TestEntry e = Deflated("secret.txt", text);
    e.password = "right";
    cases.push_back(Case("enciphered entry, no password given", One(e).bytes, ZipResult::Ok, ZipResult::Ok,
                         ZipResult::BadPassword, ZipResult::BadPassword));
  }
  {
    TestEntry e = Stored("secret.txt", "short");
    e.password = "right";
    TestArchive a = One(e);
    Put32(a.bytes, a.centralOffsets[0] + kCentralCompressed, 5);
    Put32(a.bytes, a.localOffsets[0] + 18, 5);
    cases.push_back(BadData("enciphered entry shorter than its cipher header", a.bytes));
  }
}

}  // namespace

std::string ThreeEntryArchive() {
  return BuildArchive({Stored("one.txt", "first entry"), Deflated("dir/two.txt", Text(20)), Stored("three", "")},
                      "archive comment")
      .bytes;
}

std::vector<HostileCase> HostileArchives(const std::string& outsidePath) {
  std::vector<HostileCase> cases;
  AddSlipCases(cases, outsidePath);
  AddEndRecordCases(cases);
  AddDirectoryCases(cases);
  AddLocalHeaderCases(cases);
  AddDataCases(cases);
  return cases;
}

}  // namespace zip::test
