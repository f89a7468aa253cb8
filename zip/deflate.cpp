// Deflate compressor entry points: allocation of the working state and one stream per Compress.
#include "zip/deflate.h"

#include <new>

#include "zip/deflate_internal.h"

namespace zip {

std::unique_ptr<Deflater> Deflater::Create() {
  // Value-initialised, so the window and tables start as zeros: the match search may look at
  // window bytes that no input has written yet (their results are capped at the look-ahead).
  DeflateState* state = new (std::nothrow) DeflateState();
  if (state == nullptr) return nullptr;
  Deflater* deflater = new (std::nothrow) Deflater(state);
  if (deflater == nullptr) delete state;
  return std::unique_ptr<Deflater>(deflater);
}

Deflater::~Deflater() { delete state_; }

bool Deflater::Compress(DeflateIo& io, uint64_t& compressedBytes) {
  DeflateState& s = *state_;
  s.io = &io;
  s.failure = nullptr;
  s.writeFailed = false;
  InitTrees(s);
  RunMatcher(s);
  compressedBytes = s.bytesOut;
  if (s.failure == nullptr && s.bytesOut * 8 != s.compressedLen) Fail(s, "bad compressed size");
  s.io = nullptr;
  return s.failure == nullptr;
}

const char* Deflater::Failure() const { return state_->failure; }

}  // namespace zip
