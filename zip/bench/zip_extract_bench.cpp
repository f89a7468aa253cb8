// Benchmark: extraction of the same archive by our reader and by Info-ZIP unzip, in one run: one
// archive of many small files and one of a single large file, both made by Info-ZIP zip. Prints the
// best of three times for each and our time relative to unzip's. Needs zip and unzip on the PATH;
// build it in a non-sanitized release tree for figures that mean something.
//   zip_extract_bench [WORK_FOLDER]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "zip/zip_reader.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 3;

std::string GrowthLog(size_t bytes, unsigned seed) {
  std::string s;
  s.reserve(bytes + 64);
  unsigned x = seed;
  while (s.size() < bytes) {
    x = x * 1103515245u + 12345u;
    s += "step " + std::to_string(x >> 8 & 0xFFFFF) + ": water " + std::to_string(x >> 20 & 0x3FF) +
         " light " + std::to_string(x & 0xFF) + "\n";
  }
  s.resize(bytes);
  return s;
}

void WriteFile(const fs::path& path, const std::string& data) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << data;
}

bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

double OursSeconds(const fs::path& archive, const fs::path& out) {
  fs::remove_all(out);
  fs::create_directories(out);
  auto start = std::chrono::steady_clock::now();
  zip::ZipHandle* reader = zip::ZipReaderOpen(archive.string().c_str(), nullptr);
  if (reader == nullptr) return -1;
  std::string base = out.string() + "/";
  if (zip::ZipReaderSetBaseDir(reader, base.c_str()) != zip::ZipResult::Ok) return -1;
  zip::ZipEntryInfo summary{};
  if (zip::ZipReaderGetEntry(reader, -1, &summary) != zip::ZipResult::Ok) return -1;
  for (int32_t i = 0; i < summary.index; ++i) {
    zip::ZipEntryInfo info{};
    if (zip::ZipReaderGetEntry(reader, i, &info) != zip::ZipResult::Ok ||
        zip::ZipReaderExtractToFile(reader, i, info.name) != zip::ZipResult::Ok) {
      (void)zip::ZipReaderClose(reader);
      return -1;
    }
  }
  (void)zip::ZipReaderClose(reader);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double UnzipSeconds(const fs::path& archive, const fs::path& out) {
  fs::remove_all(out);
  fs::create_directories(out);
  auto start = std::chrono::steady_clock::now();
  if (!Run("unzip -qq -o '" + archive.string() + "' -d '" + out.string() + "'")) return -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Compare(const char* label, const fs::path& archive, const fs::path& work) {
  double ours = 1e9, unzip = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    double a = OursSeconds(archive, work / "out-ours");
    double b = UnzipSeconds(archive, work / "out-unzip");
    if (a < 0 || b < 0) {
      printf("%-28s extraction failed\n", label);
      return;
    }
    ours = std::min(ours, a);
    unzip = std::min(unzip, b);
  }
  printf("%-28s ours %8.1f ms   unzip %8.1f ms   ours/unzip %.2f\n", label, ours * 1000, unzip * 1000, ours / unzip);
}

}  // namespace

int main(int argc, char** argv) {
  fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "zip_extract_bench";
  fs::remove_all(work);
  fs::path small = work / "small";
  for (int i = 0; i < 3000; ++i) {
    WriteFile(small / ("folder" + std::to_string(i % 30)) / ("note" + std::to_string(i) + ".txt"),
              GrowthLog(1000 + (i * 7919) % 4000, static_cast<unsigned>(i)));
  }
  WriteFile(work / "large" / "growth.log", GrowthLog(64u << 20, 42));
  if (!Run("cd '" + small.string() + "' && zip -qr '" + (work / "small.zip").string() + "' .") ||
      !Run("cd '" + (work / "large").string() + "' && zip -q '" + (work / "large.zip").string() + "' growth.log")) {
    fprintf(stderr, "zip failed\n");
    return 1;
  }
  printf("best of %d rounds, extraction to files\n", kRounds);
  Compare("3000 small files (1-5 KB)", work / "small.zip", work);
  Compare("one 64 MiB file", work / "large.zip", work);
  fs::remove_all(work);
  return 0;
}
