// Internal to the deflate compressor: callers must not include this header.
// Bit writer: packs codes least significant bit first into the output buffer and hands full buffers
// to the compressor's output callback. A 64-bit accumulator gives the same byte stream as a 16-bit
// one while touching the buffer a quarter as often.
#pragma once

#include <cstring>

#include "zip/deflate_internal.h"

namespace zip {

/// Hands the buffered bytes to the output callback. After a refused write nothing more is written.
inline void FlushOutput(DeflateState& s) {
  if (s.outCount == 0) return;
  if (!s.writeFailed && !s.io->WriteOutput(s.outBuf, s.outCount)) {
    s.writeFailed = true;
    Fail(s, "write failed");
  }
  if (!s.writeFailed) s.bytesOut += s.outCount;
  s.outCount = 0;
}

/// Requires: count <= 8.
inline void PutBytes(DeflateState& s, uint64_t bytes, size_t count) {
  if (sizeof(s.outBuf) - s.outCount < 8) FlushOutput(s);
  // Little-endian targets only (x86 and x86-64): the low byte goes first.
  memcpy(s.outBuf + s.outCount, &bytes, 8);
  s.outCount += count;
}

/// Sends the low length bits of value. Requires: 1 <= length <= 15.
inline void SendBits(DeflateState& s, uint32_t value, uint32_t length) {
  if (length == 0 || length > 15) {
    Fail(s, "invalid length");
    return;
  }
  s.bitsSent += length;
  s.bitBuf |= static_cast<uint64_t>(value & ((1u << length) - 1)) << s.bitCount;
  s.bitCount += length;
  // bitCount < 32 on entry and length <= 15, so the accumulator never holds more than 46 bits.
  if (s.bitCount >= 32) {
    PutBytes(s, s.bitBuf & 0xFFFFFFFFu, 4);
    s.bitBuf >>= 32;
    s.bitCount -= 32;
  }
}

inline void SendCode(DeflateState& s, int symbol, const TreeNode* tree) {
  SendBits(s, tree[symbol].code, tree[symbol].len);
}

/// Puts out the bits still held, padding the last byte with zeros, and flushes the buffer.
inline void AlignToByte(DeflateState& s) {
  uint32_t bytes = (s.bitCount + 7) / 8;
  if (bytes > 0) PutBytes(s, s.bitBuf, bytes);
  s.bitsSent = (s.bitsSent + 7) & ~uint64_t{7};
  s.bitBuf = 0;
  s.bitCount = 0;
  FlushOutput(s);
}

/// Writes a stored block's length words and then its bytes, straight from the window.
/// Requires: the output is byte-aligned; length <= 0xFFFF.
inline void CopyStoredBlock(DeflateState& s, const uint8_t* bytes, uint32_t length) {
  uint32_t words = length | ((~length & 0xFFFFu) << 16);
  PutBytes(s, words, 4);
  s.bitsSent += 32 + 8 * static_cast<uint64_t>(length);
  FlushOutput(s);
  if (length == 0 || s.writeFailed) return;
  if (!s.io->WriteOutput(bytes, length)) {
    s.writeFailed = true;
    Fail(s, "write failed");
    return;
  }
  s.bytesOut += length;
}

}  // namespace zip
