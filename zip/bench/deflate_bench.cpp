// Benchmark: our deflate compressor against zlib's compress2 at levels 1, 6 and 9 on the test corpus,
// in one run, and at level 8, whose match-search parameters are the ones ours runs with. Prints compressed sizes and speeds per item and the totals, with our size and speed
// relative to zlib level 6. Build it in a non-sanitized release tree for figures that mean something.
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

#include "zip/deflate.h"
#include "zip/tests/deflate_corpus.h"

namespace {

class BenchIo : public zip::DeflateIo {
 public:
  explicit BenchIo(const std::vector<uint8_t>& input) : input_(input) {}
  int64_t ReadInput(uint8_t* buffer, size_t size) override {
    size_t count = std::min(size, input_.size() - position_);
    if (count > 0) memcpy(buffer, input_.data() + position_, count);
    position_ += count;
    return static_cast<int64_t>(count);
  }
  bool WriteOutput(const uint8_t*, size_t) override { return true; }

 private:
  const std::vector<uint8_t>& input_;
  size_t position_ = 0;
};

struct Measure {
  uint64_t bytes = 0;
  double seconds = 0;
};

/// Runs compress until at least 0.3 s have passed (at least once) and returns size and time per run.
template <typename F>
Measure Time(F compress) {
  Measure m;
  int runs = 0;
  auto start = std::chrono::steady_clock::now();
  double elapsed = 0;
  do {
    m.bytes = compress();
    ++runs;
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  } while (elapsed < 0.3);
  m.seconds = elapsed / runs;
  return m;
}

double Speed(uint64_t inputBytes, const Measure& m) { return m.seconds > 0 ? inputBytes / 1e6 / m.seconds : 0; }

}  // namespace

int main() {
  auto deflater = zip::Deflater::Create();
  if (deflater == nullptr) return 1;
  const int levels[] = {1, 6, 8, 9};
  Measure totalOurs;
  Measure totalZlib[4];
  uint64_t totalInput = 0;
  printf("%-20s %10s | %10s %8s | %10s %8s | %10s %8s | %10s %8s | %10s %8s\n", "item", "input", "ours", "MB/s",
         "zlib-1", "MB/s", "zlib-6", "MB/s", "zlib-8", "MB/s", "zlib-9", "MB/s");
  for (const auto& item : zip::testing::MakeDeflateCorpus()) {
    const std::vector<uint8_t>& input = item.bytes;
    Measure ours = Time([&] {
      BenchIo io(input);
      uint64_t count = 0;
      if (!deflater->Compress(io, count)) fprintf(stderr, "compress failed: %s\n", deflater->Failure());
      return count;
    });
    Measure zlib[4];
    std::vector<uint8_t> out(compressBound(input.size()));
    for (int l = 0; l < 4; ++l) {
      zlib[l] = Time([&] {
        uLongf size = out.size();
        compress2(out.data(), &size, input.data(), input.size(), levels[l]);
        return static_cast<uint64_t>(size);
      });
    }
    printf("%-20s %10zu | %10llu %8.1f", item.name.c_str(), input.size(), static_cast<unsigned long long>(ours.bytes),
           Speed(input.size(), ours));
    for (int l = 0; l < 4; ++l) {
      printf(" | %10llu %8.1f", static_cast<unsigned long long>(zlib[l].bytes), Speed(input.size(), zlib[l]));
    }
    printf("\n");
    totalInput += input.size();
    totalOurs.bytes += ours.bytes;
    totalOurs.seconds += ours.seconds;
    for (int l = 0; l < 4; ++l) {
      totalZlib[l].bytes += zlib[l].bytes;
      totalZlib[l].seconds += zlib[l].seconds;
    }
  }
  printf("%-20s %10llu | %10llu %8.1f", "total", static_cast<unsigned long long>(totalInput),
         static_cast<unsigned long long>(totalOurs.bytes), Speed(totalInput, totalOurs));
  for (int l = 0; l < 4; ++l) {
    printf(" | %10llu %8.1f", static_cast<unsigned long long>(totalZlib[l].bytes), Speed(totalInput, totalZlib[l]));
  }
  printf("\n");
  const char* names[] = {"zlib-1", "zlib-6", "zlib-8", "zlib-9"};
  for (int l = 0; l < 4; ++l) {
    printf("ours / %s: size %.4f, speed %.3f\n", names[l], static_cast<double>(totalOurs.bytes) / totalZlib[l].bytes,
           Speed(totalInput, totalOurs) / Speed(totalInput, totalZlib[l]));
  }
  return 0;
}
