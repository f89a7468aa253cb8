// Corpora from the machine's own files.
#include "zip/bench/machine_corpus.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace zip::bench {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> RegularFilesBelow(const fs::path& root, bool recursive) {
  std::vector<fs::path> files;
  std::error_code ec;
  auto add = [&](const fs::directory_entry& entry) {
    std::error_code ignored;
    if (entry.is_regular_file(ignored) && !entry.is_symlink(ignored)) files.push_back(entry.path());
  };
  if (recursive) {
    for (fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
      add(*it);
    }
  } else {
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) add(*it);
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<uint8_t> ReadPlain(const fs::path& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes(limit);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

std::vector<uint8_t> ReadGzip(const fs::path& path, size_t limit) {
  std::vector<uint8_t> bytes;
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  uint8_t piece[65536];
  int got = 0;
  while (bytes.size() < limit && (got = gzread(file, piece, sizeof piece)) > 0) {
    bytes.insert(bytes.end(), piece, piece + got);
  }
  gzclose(file);
  if (got < 0) bytes.clear();
  if (bytes.size() > limit) bytes.resize(limit);
  return bytes;
}

bool HoldsNul(const std::vector<uint8_t>& bytes) { return memchr(bytes.data(), 0, bytes.size()) != nullptr; }

}  // namespace

std::vector<uint8_t> TextCorpus(size_t limit) {
  std::vector<uint8_t> corpus;
  for (const fs::path& path : RegularFilesBelow("/usr/share/doc", true)) {
    if (corpus.size() >= limit) break;
    size_t room = limit - corpus.size();
    std::vector<uint8_t> bytes = path.extension() == ".gz" ? ReadGzip(path, room) : ReadPlain(path, room);
    if (bytes.empty() || HoldsNul(bytes)) continue;
    corpus.insert(corpus.end(), bytes.begin(), bytes.end());
  }
  return corpus;
}

std::vector<uint8_t> BinaryCorpus(size_t limit, size_t perFileLimit) {
  std::vector<uint8_t> corpus;
  for (const fs::path& path : RegularFilesBelow("/usr/lib/x86_64-linux-gnu", false)) {
    if (corpus.size() >= limit) break;
    if (path.filename().string().find(".so") == std::string::npos) continue;
    std::vector<uint8_t> bytes = ReadPlain(path, std::min(perFileLimit, limit - corpus.size()));
    corpus.insert(corpus.end(), bytes.begin(), bytes.end());
  }
  return corpus;
}

}  // namespace zip::bench
