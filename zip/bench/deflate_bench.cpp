// Benchmark: our deflate compressor against zlib's raw deflate at levels 6, 8 and 9, on a text
// corpus and a binary corpus of tens of MB gathered from this machine (see machine_corpus.h), then
// an archive of both checked by the peers that must read it (Info-ZIP unzip, Python's zipfile,
// 7-Zip). Prints sizes, times (median of three rounds, the compressors taking turns within a round)
// and our size and speed relative to each zlib level. Build it in a non-sanitized release tree.
//   deflate_bench [MEGABYTES_PER_CORPUS]
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "zip/bench/machine_corpus.h"
#include "zip/deflate.h"
#include "zip/zip_writer.h"

namespace {

constexpr int kRounds = 3;
constexpr int kZlibLevels[] = {6, 8, 9};
constexpr int kCompressors = 1 + 3;  // ours, then the zlib levels

class CollectingIo final : public zip::DeflateIo {
 public:
  CollectingIo(const std::vector<uint8_t>& input, std::vector<uint8_t>& output)
      : input_(input), output_(output) {
    output_.clear();
  }
  int64_t ReadInput(uint8_t* buffer, size_t size) override {
    size_t count = std::min(size, input_.size() - position_);
    memcpy(buffer, input_.data() + position_, count);
    position_ += count;
    return static_cast<int64_t>(count);
  }
  bool WriteOutput(const uint8_t* bytes, size_t size) override {
    output_.insert(output_.end(), bytes, bytes + size);
    return true;
  }

 private:
  const std::vector<uint8_t>& input_;
  std::vector<uint8_t>& output_;
  size_t position_ = 0;
};

size_t ZlibRawDeflate(const std::vector<uint8_t>& input, int level, std::vector<uint8_t>& output) {
  z_stream s{};
  if (deflateInit2(&s, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return 0;
  output.resize(deflateBound(&s, static_cast<uLong>(input.size())));
  s.next_in = const_cast<Bytef*>(input.data());
  s.avail_in = static_cast<uInt>(input.size());
  s.next_out = output.data();
  s.avail_out = static_cast<uInt>(output.size());
  int ret = deflate(&s, Z_FINISH);
  size_t produced = s.total_out;
  deflateEnd(&s);
  return ret == Z_STREAM_END ? produced : 0;
}

bool InflatesTo(const std::vector<uint8_t>& compressed, const std::vector<uint8_t>& original) {
  std::vector<uint8_t> out(original.size() + 1);
  z_stream s{};
  if (inflateInit2(&s, -MAX_WBITS) != Z_OK) return false;
  s.next_in = const_cast<Bytef*>(compressed.data());
  s.avail_in = static_cast<uInt>(compressed.size());
  s.next_out = out.data();
  s.avail_out = static_cast<uInt>(out.size());
  int ret = inflate(&s, Z_FINISH);
  bool same = ret == Z_STREAM_END && s.total_out == original.size() && s.avail_in == 0 &&
              memcmp(out.data(), original.data(), original.size()) == 0;
  inflateEnd(&s);
  return same;
}

template <typename F>
double Seconds(F work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Figures {
  size_t bytes = 0;
  double seconds = 0;
};

bool MeasureCorpus(const char* name, const std::vector<uint8_t>& input, zip::Deflater& deflater) {
  std::vector<double> times[kCompressors];
  Figures figures[kCompressors];
  std::vector<uint8_t> output;
  for (int round = 0; round < kRounds; ++round) {
    bool ok = true;
    times[0].push_back(Seconds([&] {
      CollectingIo io(input, output);
      uint64_t count = 0;
      ok = deflater.Compress(io, count);
    }));
    if (!ok || !InflatesTo(output, input)) {
      printf("%s: our stream does not inflate to the input (%s)\n", name, deflater.Failure());
      return false;
    }
    figures[0].bytes = output.size();
    for (int l = 0; l < 3; ++l) {
      times[1 + l].push_back(
          Seconds([&] { figures[1 + l].bytes = ZlibRawDeflate(input, kZlibLevels[l], output); }));
    }
  }
  for (int c = 0; c < kCompressors; ++c) figures[c].seconds = Median(times[c]);
  printf("%s corpus, %zu bytes\n", name, input.size());
  const char* labels[kCompressors] = {"ours", "zlib-6", "zlib-8", "zlib-9"};
  for (int c = 0; c < kCompressors; ++c) {
    printf("  %-7s %11zu bytes (%.4f of the input)  %8.1f ms  %7.1f MB/s\n", labels[c], figures[c].bytes,
           static_cast<double>(figures[c].bytes) / input.size(), figures[c].seconds * 1000,
           input.size() / 1e6 / figures[c].seconds);
  }
  for (int l = 0; l < 3; ++l) {
    const Figures& z = figures[1 + l];
    printf("  ours / zlib-%d: size %.4f, speed %.2fx\n", kZlibLevels[l],
           static_cast<double>(figures[0].bytes) / z.bytes, z.seconds / figures[0].seconds);
  }
  return true;
}

bool Run(const std::string& command) { return std::system(command.c_str()) == 0; }

// The compressor's output at this scale, as an archive of our writer, read by each peer.
void CheckPeers(const std::vector<uint8_t>& text, const std::vector<uint8_t>& binary) {
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / "deflate_bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::string archive = (folder / "corpora.zip").string();
  zip::ZipHandle* writer = zip::ZipWriterOpen(archive.c_str(), nullptr);
  bool written = writer != nullptr &&
                 zip::ZipWriterAddMemory(writer, "text.txt", text.data(),
                                         static_cast<uint32_t>(text.size())) == zip::ZipResult::Ok &&
                 zip::ZipWriterAddMemory(writer, "binary.so", binary.data(),
                                         static_cast<uint32_t>(binary.size())) == zip::ZipResult::Ok;
  if (writer != nullptr && zip::ZipWriterClose(writer) != zip::ZipResult::Ok) written = false;
  if (!written) {
    printf("peers: the archive could not be written\n");
    return;
  }
  const char* python =
      "import sys, zipfile\n"
      "with zipfile.ZipFile(sys.argv[1]) as z: sys.exit(z.testzip() is not None)\n";
  struct Peer {
    const char* name;
    std::string command;
  } peers[] = {
      {"unzip -t", "unzip -tqq '" + archive + "' >/dev/null"},
      {"python zipfile", "python3 -c '" + std::string(python) + "' '" + archive + "'"},
      {"7zz t", "7zz t -bso0 -bsp0 '" + archive + "'"},
  };
  printf("peers reading an archive of both corpora:");
  for (const Peer& peer : peers) printf("  %s %s", peer.name, Run(peer.command) ? "ok" : "FAILED");
  printf("\n");
  fs::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
  size_t megabytes = argc > 1 ? static_cast<size_t>(std::atoi(argv[1])) : 48;
  size_t limit = megabytes << 20;
  std::vector<uint8_t> text = zip::bench::TextCorpus(limit);
  std::vector<uint8_t> binary = zip::bench::BinaryCorpus(limit, 2u << 20);
  auto deflater = zip::Deflater::Create();
  if (deflater == nullptr || text.empty() || binary.empty()) {
    fprintf(stderr, "no corpus or no compressor\n");
    return 1;
  }
  printf("median of %d rounds; speed is zlib's time over ours\n", kRounds);
  bool ok = MeasureCorpus("text", text, *deflater);
  ok = MeasureCorpus("binary", binary, *deflater) && ok;
  CheckPeers(text, binary);
  return ok ? 0 : 1;
}
