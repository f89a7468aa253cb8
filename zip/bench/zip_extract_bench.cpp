// Benchmark: extraction of the same archive by our reader and by Info-ZIP unzip, in one run, for
// one large file, many small files and many empty entries, each archive made by Info-ZIP zip.
// Prints the median of three rounds for each and our time relative to unzip's. Needs zip and unzip
// on the PATH; build it in a non-sanitized release tree for figures that mean something.
//   zip_extract_bench [WORK_FOLDER]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "zip/zip_reader.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 3;
constexpr int kSmallFiles = 3000;
constexpr int kEmptyEntries = 20000;

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

// Each run extracts into a folder of its own that is removed only once every round is done: on ext4,
// files created right after thousands were deleted cost several times more, which would tax
// whichever extractor came second.
double OursSeconds(const fs::path& archive, const fs::path& out) {
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
  fs::create_directories(out);
  auto start = std::chrono::steady_clock::now();
  if (!Run("unzip -qq -o '" + archive.string() + "' -d '" + out.string() + "'")) return -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Compare(const char* label, const fs::path& archive, const fs::path& work) {
  std::vector<double> ours, unzip;
  fs::path outs = work / "out";
  for (int round = 0; round < kRounds; ++round) {
    std::string n = std::to_string(round);
    double a = OursSeconds(archive, outs / ("ours" + n));
    double b = UnzipSeconds(archive, outs / ("unzip" + n));
    if (a < 0 || b < 0) {
      printf("%-30s extraction failed\n", label);
      fs::remove_all(outs);
      return;
    }
    ours.push_back(a);
    unzip.push_back(b);
  }
  fs::remove_all(outs);
  double o = Median(ours), u = Median(unzip);
  printf("%-30s ours %8.1f ms   unzip %8.1f ms   ours/unzip %.2f\n", label, o * 1000, u * 1000, o / u);
}

bool ZipFolder(const fs::path& folder, const fs::path& archive) {
  return Run("cd '" + folder.string() + "' && zip -qr '" + archive.string() + "' .");
}

}  // namespace

int main(int argc, char** argv) {
  fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "zip_extract_bench";
  fs::remove_all(work);
  for (int i = 0; i < kSmallFiles; ++i) {
    WriteFile(work / "small" / ("folder" + std::to_string(i % 30)) / ("note" + std::to_string(i) + ".txt"),
              GrowthLog(1000 + (i * 7919) % 4000, static_cast<unsigned>(i)));
  }
  for (int i = 0; i < kEmptyEntries; ++i) {
    WriteFile(work / "empty" / ("folder" + std::to_string(i % 20)) / ("empty" + std::to_string(i)), "");
  }
  WriteFile(work / "large" / "growth.log", GrowthLog(64u << 20, 42));
  if (!ZipFolder(work / "small", work / "small.zip") || !ZipFolder(work / "empty", work / "empty.zip") ||
      !ZipFolder(work / "large", work / "large.zip")) {
    fprintf(stderr, "zip failed\n");
    return 1;
  }
  printf("median of %d rounds, extraction to files of archives made by Info-ZIP zip\n", kRounds);
  Compare("one 64 MiB file", work / "large.zip", work);
  Compare("3000 small files (1-5 KB)", work / "small.zip", work);
  Compare("20000 empty entries", work / "empty.zip", work);
  fs::remove_all(work);
  return 0;
}
