// Test and benchmark support: the corpus the deflate compressor is checked and measured on, made
// from fixed seeds so every run and every platform sees the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zip::testing {

struct CorpusItem {
  std::string name;
  std::vector<uint8_t> bytes;
};

/// Empty, one byte, all byte values, long runs, random, text, a plant-file stand-in (structured
/// doubles and records), far copies across the window slides, every match length, and 10 MiB of
/// those kinds mixed.
std::vector<CorpusItem> MakeDeflateCorpus();

/// English-like text of about size bytes from a vocabulary of a few hundred words.
std::vector<uint8_t> MakeText(size_t size, uint32_t seed);
/// A stand-in for a species plant file: a header record, curve tables of doubles and node records.
std::vector<uint8_t> MakePlantLikeFile(size_t size, uint32_t seed);

}  // namespace zip::testing
