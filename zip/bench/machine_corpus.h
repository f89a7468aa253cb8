// Benchmark support: corpora gathered from what this machine has installed, so that the figures
// describe real text and real machine code without committing either. Each run builds them afresh;
// the same machine gives the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zip::bench {

/// Up to limit bytes of text: the files under /usr/share/doc in path order, gzip-compressed ones
/// inflated, files holding a NUL byte (binaries) left out.
std::vector<uint8_t> TextCorpus(size_t limit);

/// Up to limit bytes of machine code and data: the shared libraries in /usr/lib/x86_64-linux-gnu in
/// path order, each cut to its first perFileLimit bytes so that one large library cannot fill it.
std::vector<uint8_t> BinaryCorpus(size_t limit, size_t perFileLimit);

}  // namespace zip::bench
