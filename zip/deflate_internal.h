// Internal to the deflate compressor: callers must not include this header (use zip/deflate.h).
//
// Design. The matcher (deflate_matcher.cpp) runs LZ77 over a 64 KB window with 15-bit hash chains and
// lazy evaluation, and hands each literal or (distance, length) pair to the tally. Once a match is
// found, the search follows the sparsest of the chains that every longer match must be on. The trees
// (deflate_trees.cpp) collect up to 32767 symbols per block, then build Huffman trees from their
// frequencies and emit the block as stored, fixed-code or dynamic-code, whichever is smallest. The
// bit writer (deflate_bit_writer.h) packs codes least significant bit first (RFC 1951 3.1.1).
//
// Invariants the code relies on:
// - strstart + lookahead <= kWindowBytes, and the window slides only once strstart reaches
//   kWindowSize + kMaxDist, so every match comparison (at most kMaxMatch bytes from strstart) stays
//   inside the window array.
// - A hash head or chain link of 0 means "no earlier string"; links are positions in the window.
// - Symbols of the current block lie in litBuf/distBuf/flagBuf; lastLit < kLitBufferSize.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zip/deflate.h"

namespace zip {

constexpr uint32_t kWindowSize = 32768;               // the deflate window (32 KB of history)
constexpr uint32_t kWindowMask = kWindowSize - 1;
constexpr uint32_t kWindowBytes = 2 * kWindowSize;     // the sliding buffer holds two windows
constexpr uint32_t kHashBits = 15;
constexpr uint32_t kHashSize = 1u << kHashBits;
constexpr uint32_t kHashMask = kHashSize - 1;
constexpr uint32_t kMinMatch = 3;
constexpr uint32_t kMaxMatch = 258;
constexpr uint32_t kMinLookahead = kMaxMatch + kMinMatch + 1;   // 262
constexpr uint32_t kMaxDist = kWindowSize - kMinLookahead;      // 32506
constexpr uint32_t kTooFar = 4096;                     // a 3-byte match further back costs more
constexpr uint32_t kSlideAt = kWindowSize + kMaxDist;  // 65274

// Level 8, the only level this compressor runs. Following the sparsest chain makes each step of
// a search reach as far back as several steps of the plain chain did: with 512 steps the output of
// 50 MB of text and of shared libraries stays within 0.03% of that of 1024 plain steps, in 0.6 to
// 0.7 of the time.
constexpr uint32_t kGoodLength = 32;
constexpr uint32_t kMaxLazy = 128;
constexpr uint32_t kNiceLength = 258;
constexpr uint32_t kMaxChain = 512;

constexpr uint32_t kLitBufferSize = 0x8000;
constexpr uint32_t kDistBufferSize = 0x8000;

constexpr int kLengthCodes = 29;
constexpr int kLiterals = 256;
constexpr int kEndBlock = 256;
constexpr int kLCodes = kLiterals + 1 + kLengthCodes;  // 286
constexpr int kDCodes = 30;
constexpr int kBLCodes = 19;
constexpr int kHeapSize = 2 * kLCodes + 1;             // 573: leaves plus internal nodes
constexpr int kMaxBits = 15;
constexpr int kMaxBLBits = 7;
constexpr int kRep3To6 = 16;
constexpr int kRepZero3To10 = 17;
constexpr int kRepZero11To138 = 18;

extern const uint8_t kExtraLengthBits[kLengthCodes];
extern const uint8_t kExtraDistBits[kDCodes];
extern const uint8_t kExtraBLBits[kBLCodes];
extern const uint8_t kBLOrder[kBLCodes];

/// A tree node: a leaf for symbols below the tree's element count, an internal node above.
struct TreeNode {
  uint32_t freq;  // frequency in the block; for the static trees unused
  uint16_t code;  // bit-reversed code, ready for the bit writer
  uint16_t dad;   // father while building
  uint16_t len;   // code length in bits
};

struct TreeDesc {
  TreeNode* tree;               // the dynamic tree
  const TreeNode* staticTree;   // the matching fixed tree, or null for the bit-length tree
  const uint8_t* extraBits;     // extra bits per code from extraBase on, or null
  int extraBase;
  int elements;                 // leaves
  int maxLength;                // code length limit
  int maxCode;                  // largest code with a non-zero frequency, set by BuildTree
};

/// Window padding. Once the input has ended the window no longer slides, so a match search near
/// its top may compare up to kMaxMatch bytes past the data (the result is capped at the look-ahead),
/// and the 8-byte comparison reads up to 7 more; the hash reads one byte past its three.
constexpr uint32_t kWindowPadding = kMaxMatch + 8;

struct DeflateState {
  DeflateIo* io = nullptr;
  const char* failure = nullptr;
  bool writeFailed = false;

  // Matcher.
  uint8_t window[kWindowBytes + kWindowPadding];
  uint16_t prev[kWindowSize];
  uint16_t head[kHashSize];
  uint32_t lookahead;
  uint32_t strstart;
  int64_t blockStart;  // falls below 0 once the window has slid past the block's start
  int32_t matchStart;
  uint32_t matchLength;
  int32_t prevMatch;
  uint32_t prevLength;
  uint32_t niceMatch;
  bool matchAvailable;
  bool endOfInput;

  // Block symbols.
  uint8_t litBuf[kLitBufferSize];
  uint16_t distBuf[kDistBufferSize];
  uint8_t flagBuf[kLitBufferSize / 8];
  uint32_t lastLit;
  uint32_t lastDist;
  uint32_t lastFlags;
  uint8_t flags;
  uint8_t flagBit;

  // Trees.
  TreeNode dynLtree[kHeapSize];
  TreeNode dynDtree[2 * kDCodes + 1];
  TreeNode blTree[2 * kBLCodes + 1];
  TreeNode staticLtree[kLCodes + 2];
  TreeNode staticDtree[kDCodes];
  TreeDesc lDesc;
  TreeDesc dDesc;
  TreeDesc blDesc;
  uint16_t blCount[kMaxBits + 1];
  int heap[kHeapSize];
  int heapLen;
  int heapMax;
  uint8_t depth[kHeapSize];
  int64_t optLen;     // bits of the block with the dynamic trees
  int64_t staticLen;  // bits of the block with the fixed trees
  uint8_t lengthCode[256];
  uint8_t distCode[512];
  int baseLength[kLengthCodes];
  int baseDist[kDCodes];

  // Bit writer.
  uint64_t bitBuf;
  uint32_t bitCount;
  uint8_t outBuf[Deflater::kOutputBufferSize];
  size_t outCount;
  uint64_t bitsSent;
  uint64_t compressedLen;  // in bits, as the block choices predicted them
  uint64_t bytesOut;
};

/// Records the first internal failure; compression goes on so the caller sees the whole input read.
inline void Fail(DeflateState& s, const char* message) {
  if (s.failure == nullptr) s.failure = message;
}

// deflate_trees.cpp
/// Builds the code tables and fixed trees and starts the first block.
void InitTrees(DeflateState& s);
/// Records a literal (dist 0, lc the byte) or a match (dist >= 1, lc = length - 3).
/// Returns true when the current block should end here.
bool Tally(DeflateState& s, uint32_t dist, uint32_t lc);
/// Emits the block from blockStart to strstart; last sets the final-block bit and aligns the output.
void FlushBlock(DeflateState& s, bool last);
/// Builds the Huffman tree of desc from its frequencies (exposed for tests of the length limit).
void BuildTree(DeflateState& s, TreeDesc& desc);

// deflate_matcher.cpp
/// Compresses the whole input of s.io into s; the trees must have been initialised.
void RunMatcher(DeflateState& s);

}  // namespace zip
