// Deflate blocks: the symbol tally, Huffman tree construction with the length limit, and the
// emission of stored, fixed-code and dynamic-code blocks (RFC 1951 3.2.4 to 3.2.7).
//
// A block's symbols are kept until the block ends: literals and match lengths in litBuf, distances in
// distBuf, one flag bit per symbol (set for a match) in flagBuf. Ending a block builds the literal/
// length and distance trees from the frequencies, then the tree that codes their code lengths, and
// compares the exact bit counts of the three block types before writing the cheapest.
#include "zip/deflate_internal.h"

#include <cstring>

#include "zip/deflate_bit_writer.h"

namespace zip {

const uint8_t kExtraLengthBits[kLengthCodes] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint8_t kExtraDistBits[kDCodes] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const uint8_t kExtraBLBits[kBLCodes] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};
const uint8_t kBLOrder[kBLCodes] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

namespace {

constexpr int kStoredBlock = 0;
constexpr int kFixedBlock = 1;
constexpr int kDynamicBlock = 2;
constexpr int kHeapSmallest = 1;

uint32_t ReverseBits(uint32_t code, int length) {
  uint32_t result = 0;
  for (int i = 0; i < length; ++i) {
    result = (result << 1) | (code & 1);
    code >>= 1;
  }
  return result;
}

inline uint32_t DistanceCode(const DeflateState& s, uint32_t dist) {
  return dist < 256 ? s.distCode[dist] : s.distCode[256 + (dist >> 7)];
}

/// Assigns canonical codes to the leaves 0..maxCode from their lengths (RFC 1951 3.2.2), stored
/// bit-reversed because the bit writer sends the least significant bit first.
void GenerateCodes(DeflateState& s, TreeNode* tree, int maxCode, const uint16_t* blCount) {
  uint32_t nextCode[kMaxBits + 1];
  uint32_t code = 0;
  nextCode[0] = 0;
  for (int bits = 1; bits <= kMaxBits; ++bits) {
    code = (code + blCount[bits - 1]) << 1;
    nextCode[bits] = code;
  }
  // A complete prefix code uses up the whole code space at the longest length.
  if (code + blCount[kMaxBits] - 1 != (1u << kMaxBits) - 1) Fail(s, "inconsistent bit counts");
  for (int n = 0; n <= maxCode; ++n) {
    int len = tree[n].len;
    if (len == 0) continue;
    tree[n].code = static_cast<uint16_t>(ReverseBits(nextCode[len]++, len));
  }
}

void InitBlock(DeflateState& s) {
  for (int n = 0; n < kLCodes; ++n) s.dynLtree[n].freq = 0;
  for (int n = 0; n < kDCodes; ++n) s.dynDtree[n].freq = 0;
  for (int n = 0; n < kBLCodes; ++n) s.blTree[n].freq = 0;
  s.dynLtree[kEndBlock].freq = 1;
  s.optLen = 0;
  s.staticLen = 0;
  s.lastLit = 0;
  s.lastDist = 0;
  s.lastFlags = 0;
  s.flags = 0;
  s.flagBit = 1;
}

/// Heap order: lower frequency first; equal frequencies put the shallower subtree first, which
/// keeps the trees flat.
inline bool IsSmaller(const TreeNode* tree, const uint8_t* depth, int n, int m) {
  return tree[n].freq < tree[m].freq || (tree[n].freq == tree[m].freq && depth[n] <= depth[m]);
}

/// Restores the heap property by moving the node at position k down.
void SiftDown(DeflateState& s, const TreeNode* tree, int k) {
  int v = s.heap[k];
  int j = k << 1;
  while (j <= s.heapLen) {
    if (j < s.heapLen && IsSmaller(tree, s.depth, s.heap[j + 1], s.heap[j])) ++j;
    if (IsSmaller(tree, s.depth, v, s.heap[j])) break;
    s.heap[k] = s.heap[j];
    k = j;
    j <<= 1;
  }
  s.heap[k] = v;
}

/// Sets the code lengths of desc's tree from the node depths, limited to desc.maxLength, and adds
/// the block's bit counts to optLen and staticLen.
/// Requires: heap[heapMax..kHeapSize-1] holds the nodes in the order they were combined, root first.
/// Ensures: the leaf lengths satisfy the Kraft equality, and blCount holds the count per length.
void GenerateBitLengths(DeflateState& s, TreeDesc& desc) {
  TreeNode* tree = desc.tree;
  int maxCode = desc.maxCode;
  int maxLength = desc.maxLength;
  for (int bits = 0; bits <= kMaxBits; ++bits) s.blCount[bits] = 0;

  // Fathers come before their sons in the heap, so one pass downwards sets every depth. Every node
  // clamped at the limit counts as overflow, internal ones too: a subtree of k leaves squeezed into
  // one level oversubscribes the code space by k - 1 leaves of the limit's weight, and k leaves
  // plus k - 2 clamped internal nodes make 2(k - 1), which the repair below works off two at a time.
  tree[s.heap[s.heapMax]].len = 0;
  int overflow = 0;
  int h;
  for (h = s.heapMax + 1; h < kHeapSize; ++h) {
    int n = s.heap[h];
    int bits = tree[tree[n].dad].len + 1;
    if (bits > maxLength) {
      bits = maxLength;
      ++overflow;
    }
    tree[n].len = static_cast<uint16_t>(bits);
    if (n > maxCode) continue;  // internal node
    ++s.blCount[bits];
    int extra = 0;
    if (desc.extraBits != nullptr && n >= desc.extraBase) extra = desc.extraBits[n - desc.extraBase];
    int64_t f = tree[n].freq;
    s.optLen += f * (bits + extra);
    if (desc.staticTree != nullptr) s.staticLen += f * (desc.staticTree[n].len + extra);
  }
  if (overflow == 0) return;

  // Each step moves a leaf from the deepest non-full level one down and gives it a brother taken
  // from the limit's level, which removes one leaf of the limit's weight from the excess.
  do {
    int bits = maxLength - 1;
    while (s.blCount[bits] == 0) --bits;
    --s.blCount[bits];
    s.blCount[bits + 1] += 2;
    --s.blCount[maxLength];
    overflow -= 2;
  } while (overflow > 0);

  // Hand out the corrected lengths again, the least frequent leaves (last in the heap) longest.
  h = kHeapSize;
  for (int bits = maxLength; bits != 0; --bits) {
    int n = s.blCount[bits];
    while (n != 0) {
      int m = s.heap[--h];
      if (m > maxCode) continue;
      if (tree[m].len != bits) {
        s.optLen += (static_cast<int64_t>(bits) - tree[m].len) * tree[m].freq;
        tree[m].len = static_cast<uint16_t>(bits);
      }
      --n;
    }
  }
}

/// The longest and shortest run worth coding after a run of curLen ends and one of nextLen
/// begins: zero runs go up to 138 (code 18), repeats of the same length up to 6 (code 16), and a
/// new length needs 4 in a row before a repeat code pays.
void RunLimits(int curLen, int nextLen, int& maxCount, int& minCount) {
  if (nextLen == 0) {
    maxCount = 138;
    minCount = 3;
  } else if (curLen == nextLen) {
    maxCount = 6;
    minCount = 3;
  } else {
    maxCount = 7;
    minCount = 4;
  }
}

/// Counts how the bit-length tree will code the code lengths of tree[0..maxCode] (runs of equal
/// lengths become codes 16, 17 and 18).
void ScanTree(DeflateState& s, TreeNode* tree, int maxCode) {
  int prevLen = -1;
  int nextLen = tree[0].len;
  int count = 0;
  int maxCount = nextLen == 0 ? 138 : 7;
  int minCount = nextLen == 0 ? 3 : 4;
  // A guard length that no real length equals ends the last run; tree has room for it because the
  // arrays hold internal nodes beyond the leaves.
  tree[maxCode + 1].len = 0xFFFF;
  for (int n = 0; n <= maxCode; ++n) {
    int curLen = nextLen;
    nextLen = tree[n + 1].len;
    if (++count < maxCount && curLen == nextLen) continue;
    if (count < minCount) {
      s.blTree[curLen].freq += count;
    } else if (curLen != 0) {
      if (curLen != prevLen) ++s.blTree[curLen].freq;
      ++s.blTree[kRep3To6].freq;
    } else if (count <= 10) {
      ++s.blTree[kRepZero3To10].freq;
    } else {
      ++s.blTree[kRepZero11To138].freq;
    }
    count = 0;
    prevLen = curLen;
    RunLimits(curLen, nextLen, maxCount, minCount);
  }
}

/// Sends the code lengths of tree[0..maxCode] with the bit-length codes, as ScanTree counted them.
/// Requires: ScanTree has set the guard after maxCode.
void SendTree(DeflateState& s, const TreeNode* tree, int maxCode) {
  int prevLen = -1;
  int nextLen = tree[0].len;
  int count = 0;
  int maxCount = nextLen == 0 ? 138 : 7;
  int minCount = nextLen == 0 ? 3 : 4;
  for (int n = 0; n <= maxCode; ++n) {
    int curLen = nextLen;
    nextLen = tree[n + 1].len;
    if (++count < maxCount && curLen == nextLen) continue;
    if (count < minCount) {
      do SendCode(s, curLen, s.blTree);
      while (--count != 0);
    } else if (curLen != 0) {
      if (curLen != prevLen) {
        SendCode(s, curLen, s.blTree);
        --count;
      }
      if (count < 3 || count > 6) Fail(s, " 3_6?");
      SendCode(s, kRep3To6, s.blTree);
      SendBits(s, count - 3, 2);
    } else if (count <= 10) {
      SendCode(s, kRepZero3To10, s.blTree);
      SendBits(s, count - 3, 3);
    } else {
      SendCode(s, kRepZero11To138, s.blTree);
      SendBits(s, count - 11, 7);
    }
    count = 0;
    prevLen = curLen;
    RunLimits(curLen, nextLen, maxCount, minCount);
  }
}

/// Builds the bit-length tree; returns the index in kBLOrder of the last length code to send.
int BuildBitLengthTree(DeflateState& s) {
  ScanTree(s, s.dynLtree, s.lDesc.maxCode);
  ScanTree(s, s.dynDtree, s.dDesc.maxCode);
  BuildTree(s, s.blDesc);
  // At least 4 bit-length codes are always sent (RFC 1951 3.2.7, HCLEN + 4).
  int maxIndex;
  for (maxIndex = kBLCodes - 1; maxIndex >= 3; --maxIndex) {
    if (s.blTree[kBLOrder[maxIndex]].len != 0) break;
  }
  s.optLen += 3 * (static_cast<int64_t>(maxIndex) + 1) + 5 + 5 + 4;
  return maxIndex;
}

void SendAllTrees(DeflateState& s, int lCodes, int dCodes, int blCodes) {
  if (lCodes < 257 || dCodes < 1 || blCodes < 4) Fail(s, "not enough codes");
  if (lCodes > kLCodes || dCodes > kDCodes || blCodes > kBLCodes) Fail(s, "too many codes");
  SendBits(s, lCodes - 257, 5);
  SendBits(s, dCodes - 1, 5);
  SendBits(s, blCodes - 4, 4);
  for (int rank = 0; rank < blCodes; ++rank) SendBits(s, s.blTree[kBLOrder[rank]].len, 3);
  SendTree(s, s.dynLtree, lCodes - 1);
  SendTree(s, s.dynDtree, dCodes - 1);
}

/// Sends the block's symbols with the given trees, then the end-of-block code.
void CompressSymbols(DeflateState& s, const TreeNode* ltree, const TreeNode* dtree) {
  uint32_t dx = 0;
  uint32_t fx = 0;
  uint8_t flag = 0;
  for (uint32_t lx = 0; lx < s.lastLit; ++lx) {
    if ((lx & 7) == 0) flag = s.flagBuf[fx++];
    uint32_t lc = s.litBuf[lx];
    if ((flag & 1) == 0) {
      SendCode(s, static_cast<int>(lc), ltree);
    } else {
      uint32_t code = s.lengthCode[lc];
      SendCode(s, static_cast<int>(code) + kLiterals + 1, ltree);
      uint32_t extra = kExtraLengthBits[code];
      if (extra != 0) SendBits(s, lc - s.baseLength[code], extra);
      uint32_t dist = s.distBuf[dx++];
      code = DistanceCode(s, dist);
      if (code >= static_cast<uint32_t>(kDCodes)) {
        Fail(s, "bad d_code");
        code = 0;
      }
      SendCode(s, static_cast<int>(code), dtree);
      extra = kExtraDistBits[code];
      if (extra != 0) SendBits(s, dist - s.baseDist[code], extra);
    }
    flag >>= 1;
  }
  SendCode(s, kEndBlock, ltree);
}

void BuildCodeTables(DeflateState& s) {
  int length = 0;
  for (int code = 0; code < kLengthCodes - 1; ++code) {
    s.baseLength[code] = length;
    for (int n = 0; n < (1 << kExtraLengthBits[code]); ++n) s.lengthCode[length++] = static_cast<uint8_t>(code);
  }
  if (length != 256) Fail(s, "ct_init: length != 256");
  // Length 258 (lc 255) has its own code 285; the loop above gave lc 255 to code 284 as well.
  s.lengthCode[length - 1] = static_cast<uint8_t>(kLengthCodes - 1);
  s.baseLength[kLengthCodes - 1] = 255;

  int dist = 0;
  for (int code = 0; code < 16; ++code) {
    s.baseDist[code] = dist;
    for (int n = 0; n < (1 << kExtraDistBits[code]); ++n) s.distCode[dist++] = static_cast<uint8_t>(code);
  }
  if (dist != 256) Fail(s, "ct_init: dist != 256");
  dist >>= 7;  // from here on distances are indexed by dist / 128
  for (int code = 16; code < kDCodes; ++code) {
    s.baseDist[code] = dist << 7;
    for (int n = 0; n < (1 << (kExtraDistBits[code] - 7)); ++n) s.distCode[256 + dist++] = static_cast<uint8_t>(code);
  }
  if (dist != 256) Fail(s, "ct_init: 256+dist != 512");
}

void BuildFixedTrees(DeflateState& s) {
  uint16_t counts[kMaxBits + 1] = {};
  for (int n = 0; n < kLCodes + 2; ++n) {
    int len = n <= 143 ? 8 : n <= 255 ? 9 : n <= 279 ? 7 : 8;
    s.staticLtree[n].len = static_cast<uint16_t>(len);
    ++counts[len];
  }
  // All 288 codes take part so that the code space is complete, though 286 and 287 never occur.
  GenerateCodes(s, s.staticLtree, kLCodes + 1, counts);
  for (int n = 0; n < kDCodes; ++n) {
    s.staticDtree[n].len = 5;
    s.staticDtree[n].code = static_cast<uint16_t>(ReverseBits(static_cast<uint32_t>(n), 5));
  }
}

}  // namespace

void BuildTree(DeflateState& s, TreeDesc& desc) {
  TreeNode* tree = desc.tree;
  int elements = desc.elements;
  int maxCode = -1;
  s.heapLen = 0;
  s.heapMax = kHeapSize;
  for (int n = 0; n < elements; ++n) {
    if (tree[n].freq != 0) {
      s.heap[++s.heapLen] = maxCode = n;
      s.depth[n] = 0;
    } else {
      tree[n].len = 0;
    }
  }
  // A decoder needs at least two codes even when the block uses fewer; the invented symbols cost
  // nothing in the block, so their bits are taken back out of the counts.
  while (s.heapLen < 2) {
    int node = s.heap[++s.heapLen] = maxCode < 2 ? ++maxCode : 0;
    tree[node].freq = 1;
    s.depth[node] = 0;
    --s.optLen;
    if (desc.staticTree != nullptr) s.staticLen -= desc.staticTree[node].len;
  }
  desc.maxCode = maxCode;

  for (int n = s.heapLen / 2; n >= 1; --n) SiftDown(s, tree, n);

  // Combine the two least frequent nodes until one is left; the combined nodes are kept at the top
  // of the heap array in the order they were taken, which GenerateBitLengths walks.
  int node = elements;
  do {
    int n = s.heap[kHeapSmallest];
    s.heap[kHeapSmallest] = s.heap[s.heapLen--];
    SiftDown(s, tree, kHeapSmallest);
    int m = s.heap[kHeapSmallest];
    s.heap[--s.heapMax] = n;
    s.heap[--s.heapMax] = m;
    tree[node].freq = tree[n].freq + tree[m].freq;
    s.depth[node] = static_cast<uint8_t>((s.depth[n] >= s.depth[m] ? s.depth[n] : s.depth[m]) + 1);
    tree[n].dad = tree[m].dad = static_cast<uint16_t>(node);
    s.heap[kHeapSmallest] = node++;
    SiftDown(s, tree, kHeapSmallest);
  } while (s.heapLen >= 2);
  s.heap[--s.heapMax] = s.heap[kHeapSmallest];

  GenerateBitLengths(s, desc);
  GenerateCodes(s, tree, maxCode, s.blCount);
}

void InitTrees(DeflateState& s) {
  BuildCodeTables(s);
  BuildFixedTrees(s);
  s.lDesc = {s.dynLtree, s.staticLtree, kExtraLengthBits, kLiterals + 1, kLCodes, kMaxBits, 0};
  s.dDesc = {s.dynDtree, s.staticDtree, kExtraDistBits, 0, kDCodes, kMaxBits, 0};
  s.blDesc = {s.blTree, nullptr, kExtraBLBits, 0, kBLCodes, kMaxBLBits, 0};
  s.bitBuf = 0;
  s.bitCount = 0;
  s.outCount = 0;
  s.bitsSent = 0;
  s.compressedLen = 0;
  s.bytesOut = 0;
  InitBlock(s);
}

bool Tally(DeflateState& s, uint32_t dist, uint32_t lc) {
  s.litBuf[s.lastLit++] = static_cast<uint8_t>(lc);
  if (dist == 0) {
    ++s.dynLtree[lc].freq;
  } else {
    --dist;  // distances 1..32768 are stored as 0..32767
    if (dist >= kMaxDist || lc > kMaxMatch - kMinMatch || DistanceCode(s, dist) >= static_cast<uint32_t>(kDCodes)) {
      Fail(s, "ct_tally: bad match");
      dist = 0;
    }
    ++s.dynLtree[s.lengthCode[lc] + kLiterals + 1].freq;
    ++s.dynDtree[DistanceCode(s, dist)].freq;
    s.distBuf[s.lastDist++] = static_cast<uint16_t>(dist);
    s.flags |= s.flagBit;
  }
  s.flagBit = static_cast<uint8_t>(s.flagBit << 1);
  if ((s.lastLit & 7) == 0) {
    s.flagBuf[s.lastFlags++] = s.flags;
    s.flags = 0;
    s.flagBit = 1;
  }
  // Every 4096 symbols, end a block that is compressing well but mostly with literals: a fresh
  // block's trees will fit the data that follows better.
  if ((s.lastLit & 0xFFF) == 0) {
    uint64_t outBits = static_cast<uint64_t>(s.lastLit) * 8;
    uint64_t inBytes = static_cast<uint64_t>(static_cast<int64_t>(s.strstart) - s.blockStart);
    for (int code = 0; code < kDCodes; ++code) outBits += s.dynDtree[code].freq * (5 + kExtraDistBits[code]);
    if (s.lastDist < s.lastLit / 2 && outBits / 8 < inBytes / 2) return true;
  }
  // The symbol buffers hold kLitBufferSize - 1 symbols; ending one early keeps the flag buffer's
  // last byte for the partial flags.
  return s.lastLit == kLitBufferSize - 1 || s.lastDist == kDistBufferSize;
}

void FlushBlock(DeflateState& s, bool last) {
  s.flagBuf[s.lastFlags] = s.flags;  // the flags of the last symbols, fewer than 8
  BuildTree(s, s.lDesc);
  BuildTree(s, s.dDesc);
  int maxBLIndex = BuildBitLengthTree(s);

  uint64_t optBytes = (static_cast<uint64_t>(s.optLen) + 3 + 7) >> 3;
  uint64_t fixedBytes = (static_cast<uint64_t>(s.staticLen) + 3 + 7) >> 3;
  if (fixedBytes <= optBytes) optBytes = fixedBytes;

  int64_t storedLength = static_cast<int64_t>(s.strstart) - s.blockStart;
  // A block can be stored only while its bytes are still in the window, and a stored block holds
  // at most 65535 bytes.
  bool storable = s.blockStart >= 0 && storedLength <= 0xFFFF;
  uint32_t lastBit = last ? 1 : 0;
  if (storable && static_cast<uint64_t>(storedLength) + 4 <= optBytes) {
    SendBits(s, (kStoredBlock << 1) + lastBit, 3);
    s.compressedLen = (s.compressedLen + 3 + 7) & ~uint64_t{7};
    s.compressedLen += (static_cast<uint64_t>(storedLength) + 4) << 3;
    AlignToByte(s);
    CopyStoredBlock(s, s.window + s.blockStart, static_cast<uint32_t>(storedLength));
  } else if (fixedBytes == optBytes) {
    SendBits(s, (kFixedBlock << 1) + lastBit, 3);
    CompressSymbols(s, s.staticLtree, s.staticDtree);
    s.compressedLen += 3 + static_cast<uint64_t>(s.staticLen);
  } else {
    SendBits(s, (kDynamicBlock << 1) + lastBit, 3);
    SendAllTrees(s, s.lDesc.maxCode + 1, s.dDesc.maxCode + 1, maxBLIndex + 1);
    CompressSymbols(s, s.dynLtree, s.dynDtree);
    s.compressedLen += 3 + static_cast<uint64_t>(s.optLen);
  }
  if (s.compressedLen != s.bitsSent) Fail(s, "bad compressed size");
  InitBlock(s);
  if (last) {
    AlignToByte(s);
    s.compressedLen = (s.compressedLen + 7) & ~uint64_t{7};
  }
}

}  // namespace zip
