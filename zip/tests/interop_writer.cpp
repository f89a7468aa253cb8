// Interop fixture (native): writes archives of every kind our writer makes, stored and deflated,
// with and without a password, on a file and on a pipe, and a manifest of what each entry must hold.
// interop_check.py then has unzip, 7zz and Python's zipfile test and read them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "zip/tests/deflate_corpus.h"
#include "zip/zip_writer.h"

namespace {

namespace fs = std::filesystem;
using zip::ZipResult;

struct Entry {
  std::string name;       // as given to the writer
  std::string storedName; // as the archive must hold it
  std::string source;     // file to add, or empty for a memory entry
  std::vector<uint8_t> bytes;
};

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> out(size);
  for (auto& b : out) b = static_cast<uint8_t>(rng());
  return out;
}

bool AddAll(zip::ZipHandle* writer, const std::vector<Entry>& entries) {
  for (const Entry& e : entries) {
    ZipResult result = e.source.empty() ? zip::ZipWriterAddMemory(writer, e.name.c_str(), e.bytes.data(),
                                                                  static_cast<uint32_t>(e.bytes.size()))
                                        : zip::ZipWriterAddFile(writer, e.name.c_str(), e.source.c_str());
    if (result != ZipResult::Ok) {
      fprintf(stderr, "adding %s: %s\n", e.name.c_str(), zip::ZipResultText(result));
      return false;
    }
  }
  return true;
}

bool WriteToFile(const fs::path& path, const char* password, const std::vector<Entry>& entries) {
  zip::ZipHandle* writer = zip::ZipWriterOpen(path.c_str(), password);
  if (writer == nullptr) return false;
  bool ok = AddAll(writer, entries);
  return zip::ZipWriterClose(writer) == ZipResult::Ok && ok;
}

/// Writes through a pipe, which cannot be repositioned, so every entry gets a data descriptor.
bool WriteThroughPipe(const fs::path& path, const char* password, const std::vector<Entry>& entries) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  std::thread drain([&] {
    std::ofstream out(path, std::ios::binary);
    char buffer[65536];
    ssize_t got;
    while ((got = read(fds[0], buffer, sizeof(buffer))) > 0) out.write(buffer, got);
    close(fds[0]);
  });
  zip::ZipHandle* writer = zip::ZipWriterOpenEx(reinterpret_cast<const void*>(static_cast<intptr_t>(fds[1])), 0,
                                                zip::kZipTargetHandle, password);
  bool ok = writer != nullptr && AddAll(writer, entries);
  if (writer != nullptr) ok = zip::ZipWriterClose(writer) == ZipResult::Ok && ok;
  close(fds[1]);
  drain.join();
  return ok;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  fs::path root = argv[1];
  fs::remove_all(root);
  fs::create_directories(root / "src");
  fs::create_directories(root / "expect");

  std::vector<Entry> entries = {
      {"Verdelo", "Verdelo", "", {0, '1', '.', '2', '.', '3'}},
      {"text.txt", "text.txt", "", zip::testing::MakeText(300000, 11)},
      {"random.bin", "random.bin", "", RandomBytes(100000, 12)},
      {"Plants\\default.plt", "Plants/default.plt", "", zip::testing::MakePlantLikeFile(40000, 13)},
      {"packed.GZ", "packed.GZ", "", RandomBytes(5000, 14)},
      {"empty.txt", "empty.txt", "", {}},
      {"readonly.txt", "readonly.txt", "", zip::testing::MakeText(3000, 15)},
      {"sub\\nested.txt", "sub/nested.txt", "", zip::testing::MakeText(20000, 16)},
      {"one.bin", "one.bin", "", {0x7F}},
      {"stored.zip", "stored.zip", "", zip::testing::MakeText(777, 17)},
  };
  // Most entries come from files, with a fixed modification time; three stay memory blocks.
  const time_t fileTime = 1700000000 + 7;  // an odd second: DOS time keeps only even ones
  for (size_t i = 0; i < entries.size(); ++i) {
    Entry& e = entries[i];
    WriteFile(root / "expect" / (std::to_string(i) + ".bin"), e.bytes);
    if (e.name == "Verdelo" || e.name == "sub\\nested.txt" || e.name == "one.bin") continue;
    fs::path source = root / "src" / std::to_string(i);
    WriteFile(source, e.bytes);
    struct timespec times[2] = {{fileTime - 1000, 0}, {fileTime, 0}};
    utimensat(AT_FDCWD, source.c_str(), times, 0);
    if (e.name == "readonly.txt") chmod(source.c_str(), 0444);
    e.source = source.string();
  }

  time_t before = time(nullptr);
  bool ok = WriteToFile(root / "plain.zip", nullptr, entries) && WriteToFile(root / "secret.zip", "Secret", entries) &&
            WriteThroughPipe(root / "stream.zip", nullptr, entries) &&
            WriteThroughPipe(root / "stream-secret.zip", "Secret", entries) &&
            WriteToFile(root / "empty.zip", nullptr, {});
  time_t after = time(nullptr);
  if (!ok) return 1;

  std::ofstream manifest(root / "manifest.json");
  manifest << "{\"memoryTimes\": [" << before << ", " << after << "], \"fileTime\": " << fileTime
           << ",\n \"archives\": [";
  const char* archives[][2] = {{"plain.zip", ""}, {"secret.zip", "Secret"}, {"stream.zip", ""},
                               {"stream-secret.zip", "Secret"}, {"empty.zip", ""}};
  for (size_t a = 0; a < 5; ++a) {
    manifest << (a ? ",\n  " : "\n  ") << "{\"file\": " << JsonString(archives[a][0])
             << ", \"password\": " << JsonString(archives[a][1]) << ", \"entries\": [";
    if (a < 4) {
      for (size_t i = 0; i < entries.size(); ++i) {
        manifest << (i ? ", " : "") << "{\"name\": " << JsonString(entries[i].storedName)
                 << ", \"expect\": " << JsonString("expect/" + std::to_string(i) + ".bin")
                 << ", \"fromFile\": " << (entries[i].source.empty() ? "false" : "true") << "}";
      }
    }
    manifest << "]}";
  }
  manifest << "\n]}\n";
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].source.empty()) chmod(entries[i].source.c_str(), 0644);
  }
  return manifest.good() ? 0 : 1;
}
