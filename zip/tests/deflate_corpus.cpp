// Deflate test corpus.
#include "zip/tests/deflate_corpus.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <random>

namespace zip::testing {
namespace {

std::vector<uint8_t> Random(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> out(size);
  for (auto& b : out) b = static_cast<uint8_t>(rng() >> 24);
  return out;
}

std::vector<uint8_t> Runs(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> out;
  while (out.size() < size) {
    size_t run = 1 + rng() % 5000;
    out.insert(out.end(), run, static_cast<uint8_t>(rng() % 4));
  }
  out.resize(size);
  return out;
}

/// Copies from the distances that sit at the edges of the code tables and of the window, placed so
/// that they cross the window slides at 65274 and 98042.
std::vector<uint8_t> FarCopies(uint32_t seed) {
  std::vector<uint8_t> out = Random(200000, seed);
  const size_t distances[] = {1, 258, 4096, 4097, 32506, 32768};
  const size_t starts[] = {65000, 65274, 97900, 98042, 150000};
  size_t k = 0;
  for (size_t start : starts) {
    for (size_t distance : distances) {
      size_t at = start + 300 * k++ % 1000;
      for (size_t i = 0; i < 300 && at + i < out.size(); ++i) out[at + i] = out[at + i - distance];
    }
  }
  return out;
}

/// Repeats of every length from 3 to 258 after a random gap.
std::vector<uint8_t> EveryLength(uint32_t seed) {
  std::vector<uint8_t> noise = Random(300, seed);
  std::vector<uint8_t> out = noise;
  std::mt19937 rng(seed);
  for (size_t length = 3; length <= 258; ++length) {
    out.insert(out.end(), noise.begin(), noise.begin() + static_cast<ptrdiff_t>(length));
    for (int i = 0; i < 7; ++i) out.push_back(static_cast<uint8_t>(rng()));
  }
  return out;
}

}  // namespace

std::vector<uint8_t> MakeText(size_t size, uint32_t seed) {
  static const char* const kWords[] = {
      "the", "plant", "grows", "toward", "light", "and", "its", "leaves", "turn", "green", "water", "soil",
      "root", "stem", "flower", "seed", "warmth", "of", "in", "a", "to", "is", "when", "sun", "shade", "dry",
      "wet", "pot", "desktop", "window", "care", "fertiliser", "health", "ages", "slowly", "quickly", "bud",
      "branch", "node", "curve", "species", "temperature", "level", "user", "sets", "shows", "dies", "lives"};
  std::mt19937 rng(seed);
  std::string text;
  text.reserve(size + 64);
  size_t sentence = 0;
  while (text.size() < size) {
    std::string word = kWords[rng() % (sizeof(kWords) / sizeof(kWords[0]))];
    if (rng() % 7 == 0) word += std::to_string(rng() % 1000);
    if (sentence == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
    text += word;
    if (++sentence > 6 + rng() % 10) {
      text += rng() % 5 == 0 ? ".\n" : ". ";
      sentence = 0;
    } else {
      text += ' ';
    }
  }
  text.resize(size);
  return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> MakePlantLikeFile(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> out(512, 0);  // header record, mostly zeros and small fields
  for (size_t i = 0; i < out.size(); i += 16) out[i] = static_cast<uint8_t>(i / 16);
  // Curve tables: (x, y) pairs of doubles along smooth curves.
  while (out.size() < size / 2) {
    int points = 4 + static_cast<int>(rng() % 12);
    double phase = (rng() % 1000) / 100.0;
    for (int p = 0; p < points; ++p) {
      double xy[2] = {p / static_cast<double>(points - 1), 0.5 + 0.5 * std::sin(phase + p * 0.7)};
      uint8_t raw[sizeof(xy)];
      memcpy(raw, xy, sizeof(xy));
      out.insert(out.end(), raw, raw + sizeof(raw));
    }
  }
  // Node records: parent, type, counters, age, two values, a frame and a position.
  for (uint32_t node = 0; out.size() < size; ++node) {
    struct {
      int32_t parent;
      int32_t type;
      int32_t children[2];
      double age;
      double values[2];
      double frame[9];
      double position[3];
    } record{};
    record.parent = node == 0 ? -1 : static_cast<int32_t>(rng() % node);
    record.type = static_cast<int32_t>(rng() % 6);
    record.age = node * 0.25;
    record.values[0] = 1.0;
    record.values[1] = (rng() % 100) / 100.0;
    for (int i = 0; i < 9; ++i) record.frame[i] = i % 4 == 0 ? 1.0 : 0.0;
    for (double& p : record.position) p = (rng() % 10000) / 1000.0;
    uint8_t raw[sizeof(record)];
    memcpy(raw, &record, sizeof(record));
    out.insert(out.end(), raw, raw + sizeof(raw));
  }
  out.resize(size);
  return out;
}

std::vector<CorpusItem> MakeDeflateCorpus() {
  std::vector<CorpusItem> corpus;
  corpus.push_back({"empty", {}});
  corpus.push_back({"one byte", {0x41}});
  std::vector<uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[i] = static_cast<uint8_t>(i);
  corpus.push_back({"all byte values", all});
  corpus.push_back({"long runs", Runs(1 << 20, 1)});
  corpus.push_back({"random", Random(1 << 20, 2)});
  corpus.push_back({"text", MakeText(1 << 20, 3)});
  corpus.push_back({"plant file", MakePlantLikeFile(40000, 4)});
  corpus.push_back({"far copies", FarCopies(5)});
  corpus.push_back({"every match length", EveryLength(6)});

  // Mixed: the kinds above in pieces of 16 KB to 256 KB, as a configuration archive would see them.
  size_t mixedSize = 10u << 20;
  std::vector<uint8_t> mixed;
  std::mt19937 rng(7);
  while (mixed.size() < mixedSize) {
    size_t piece = 16384 + rng() % (256 * 1024);
    std::vector<uint8_t> part;
    switch (rng() % 4) {
      case 0: part = Random(piece, static_cast<uint32_t>(rng())); break;
      case 1: part = Runs(piece, static_cast<uint32_t>(rng())); break;
      case 2: part = MakeText(piece, static_cast<uint32_t>(rng())); break;
      default: part = MakePlantLikeFile(piece, static_cast<uint32_t>(rng())); break;
    }
    mixed.insert(mixed.end(), part.begin(), part.end());
  }
  mixed.resize(mixedSize);
  corpus.push_back({"mixed", std::move(mixed)});
  return corpus;
}

}  // namespace zip::testing
