// LZ77 match finding of the deflate compressor: the sliding window, the hash chains and the lazy
// evaluation loop, which hands literals and matches to the tally (deflate_trees.cpp).
//
// Lazy evaluation: a match found at position p is emitted only when the search at p + 1 finds no
// longer one; otherwise the byte at p goes out as a literal and the longer match is kept. Matches at
// least kMaxLazy long are taken at once.
//
// Measured (50 MB of text and of shared libraries): nearly all the time goes into following hash
// chains, one dependent load per step, so the search saves steps rather than work per step.
#include "zip/deflate_internal.h"

#include <cstring>

namespace zip {
namespace {

/// Hash of the three bytes at p: a multiplicative hash mixes all 24 bits into the 15 it keeps, so
/// strings that differ share a chain far less often than with a shift-and-xor hash, and a search
/// spends fewer steps on candidates whose first bytes differ. Reads p[3] too, which it ignores.
inline uint32_t HashOf(const uint8_t* p) {
  uint32_t bytes;
  memcpy(&bytes, p, 4);
  return ((bytes & 0xFFFFFF) * 2654435761u) >> (32 - kHashBits);
}

/// Links position pos into the hash chain of the three bytes starting there; returns the previous
/// chain head (0 for none). Requires: pos + 2 < strstart + lookahead.
inline uint32_t InsertString(DeflateState& s, uint32_t pos) {
  uint32_t hash = HashOf(s.window + pos);
  uint32_t head = s.head[hash];
  s.prev[pos & kWindowMask] = static_cast<uint16_t>(head);
  s.head[hash] = static_cast<uint16_t>(pos);
  return head;
}

/// Moves the upper window down over the lower one and rebases every stored position.
void SlideWindow(DeflateState& s) {
  memcpy(s.window, s.window + kWindowSize, kWindowSize);
  s.matchStart -= static_cast<int32_t>(kWindowSize);
  s.strstart -= kWindowSize;
  s.blockStart -= kWindowSize;
  // Positions that fall out of the window become 0, which ends a chain.
  for (uint32_t n = 0; n < kHashSize; ++n) {
    uint32_t m = s.head[n];
    s.head[n] = static_cast<uint16_t>(m >= kWindowSize ? m - kWindowSize : 0);
  }
  for (uint32_t n = 0; n < kWindowSize; ++n) {
    uint32_t m = s.prev[n];
    s.prev[n] = static_cast<uint16_t>(m >= kWindowSize ? m - kWindowSize : 0);
  }
}

/// Reads input until the look-ahead holds at least kMinLookahead bytes or the input ends.
void FillWindow(DeflateState& s) {
  do {
    uint32_t free = kWindowBytes - s.lookahead - s.strstart;
    if (s.strstart >= kSlideAt) {
      SlideWindow(s);
      free += kWindowSize;
    }
    if (free < 2) {
      Fail(s, "more < 2");
      s.endOfInput = true;
      return;
    }
    int64_t count = s.io->ReadInput(s.window + s.strstart + s.lookahead, free);
    if (count <= 0) {
      s.endOfInput = true;
      return;
    }
    if (static_cast<uint64_t>(count) > free) count = free;  // a callback that overfills lies
    s.lookahead += static_cast<uint32_t>(count);
  } while (s.lookahead < kMinLookahead);
}

inline uint16_t Load16(const uint8_t* p) {
  uint16_t v;
  memcpy(&v, p, 2);
  return v;
}

/// Number of equal bytes at a and b, at most limit. Reads up to 7 bytes beyond the limit, which the
/// window padding covers.
inline uint32_t MatchLength(const uint8_t* a, const uint8_t* b, uint32_t limit) {
  uint32_t len = 0;
  while (len < limit) {
    uint64_t x;
    uint64_t y;
    memcpy(&x, a + len, 8);
    memcpy(&y, b + len, 8);
    uint64_t diff = x ^ y;
    if (diff != 0) {
      // Little-endian: the first differing byte holds the lowest set bit.
      len += static_cast<uint32_t>(__builtin_ctzll(diff)) >> 3;
      return len < limit ? len : limit;
    }
    len += 8;
  }
  return limit;
}

/// For a match at candidate of length len, chooses where the search goes on. A longer match must
/// agree with scan at every offset i up to len - kMinMatch, so its position + i lies on the chain
/// of the three bytes at candidate + i, further back than candidate + i. Of those chains, the one
/// whose next position implies the oldest start skips the most strings that cannot win; sets
/// *chainPosition and *offset to it. False when some chain holds nothing more within limit: no
/// longer match exists at all.
/// Requires: candidate + len - kMinMatch < strstart (every position looked at is in the chains).
bool SparsestChain(const DeflateState& s, uint32_t candidate, uint32_t len, uint32_t limit,
                   uint32_t* chainPosition, uint32_t* offset) {
  uint32_t oldestStart = ~0u;
  for (uint32_t i = 0; i <= len - kMinMatch; ++i) {
    uint32_t next = s.prev[(candidate + i) & kWindowMask];
    if (next <= limit + i) return false;
    if (next - i < oldestStart) {
      oldestStart = next - i;
      *offset = i;
    }
  }
  *chainPosition = oldestStart + *offset;
  return true;
}

/// Looks back from the chain head curMatch for a match longer than prevLength; sets matchStart when
/// it finds one and returns the best length (prevLength when none is longer). The result may run
/// past the look-ahead; the caller caps it.
///
/// The chain followed is that of the three bytes at scan + offset: a chain position p stands for
/// the candidate p - offset. Every candidate that could beat the best lies on each such chain, so
/// switching chains skips candidates but never one that would win (with an unlimited number of
/// steps the result is the plain walk's); chain positions only fall, so candidates stay older than
/// strstart. Chains are switched after a better match, and when the walk reaches the match found
/// one byte back moved on by one: it agrees with scan for prevLength - 1 bytes, and most searches
/// are such lazy ones that find nothing longer.
uint32_t LongestMatch(DeflateState& s, uint32_t curMatch) {
  uint32_t chainLength = kMaxChain;
  const uint8_t* scan = s.window + s.strstart;
  uint32_t bestLen = s.prevLength;
  uint32_t limit = s.strstart > kMaxDist ? s.strstart - kMaxDist : 0;
  if (s.prevLength >= kGoodLength) chainLength >>= 2;
  // prevLength is at least 2, so bestLen - 1 never reaches before scan.
  uint16_t scanEnd = Load16(scan + bestLen - 1);
  uint16_t scanStart = Load16(scan);
  uint32_t offset = 0;
  // The previous match moved on by one byte, when it is long enough to tell chains apart and every
  // position of it that SparsestChain reads lies before strstart; 0 for none (no chain holds 0).
  uint32_t lazyKnown = 0;
  if (s.prevLength > kMinMatch && s.prevMatch >= 0 &&
      static_cast<uint32_t>(s.prevMatch) + s.prevLength - kMinMatch < s.strstart) {
    lazyKnown = static_cast<uint32_t>(s.prevMatch) + 1;
  }
  for (;;) {
    uint32_t candidate = curMatch - offset;
    const uint8_t* match = s.window + candidate;
    // Cheap rejections first: the two bytes that would make the match longer than the best, then
    // the first two (equal hashes do not promise equal bytes).
    if (Load16(match + bestLen - 1) == scanEnd && Load16(match) == scanStart) {
      uint32_t len = 2 + MatchLength(scan + 2, match + 2, kMaxMatch - 2);
      if (len > bestLen) {
        s.matchStart = static_cast<int32_t>(candidate);
        bestLen = len;
        if (len >= s.niceMatch) break;
        scanEnd = Load16(scan + bestLen - 1);
        if (len > kMinMatch && candidate + len - kMinMatch < s.strstart) {
          if (!SparsestChain(s, candidate, len, limit, &curMatch, &offset) || --chainLength == 0) break;
          continue;
        }
      }
    }
    if (curMatch == lazyKnown && offset == 0) {
      if (!SparsestChain(s, lazyKnown, s.prevLength - 1, limit, &curMatch, &offset) || --chainLength == 0)
        break;
      continue;
    }
    curMatch = s.prev[curMatch & kWindowMask];
    if (curMatch <= limit + offset || --chainLength == 0) break;
  }
  return bestLen;
}

void StartInput(DeflateState& s) {
  memset(s.head, 0, sizeof(s.head));
  s.strstart = 0;
  s.blockStart = 0;
  s.lookahead = 0;
  s.matchStart = 0;
  s.matchLength = kMinMatch - 1;
  s.prevLength = kMinMatch - 1;
  s.prevMatch = 0;
  s.matchAvailable = false;
  s.endOfInput = false;
  s.niceMatch = kNiceLength;
  int64_t count = s.io->ReadInput(s.window, kWindowBytes);
  if (count <= 0) {
    s.endOfInput = true;
    return;
  }
  if (static_cast<uint64_t>(count) > kWindowBytes) count = kWindowBytes;
  s.lookahead = static_cast<uint32_t>(count);
  if (s.lookahead < kMinLookahead) FillWindow(s);
}

void EndBlockHere(DeflateState& s) {
  FlushBlock(s, false);
  s.blockStart = s.strstart;
}

}  // namespace

void RunMatcher(DeflateState& s) {
  StartInput(s);
  while (s.lookahead != 0 && !s.writeFailed) {
    uint32_t hashHead = 0;
    if (s.lookahead >= kMinMatch) hashHead = InsertString(s, s.strstart);

    s.prevLength = s.matchLength;
    s.prevMatch = s.matchStart;
    s.matchLength = kMinMatch - 1;

    if (hashHead != 0 && s.prevLength < kMaxLazy && s.strstart - hashHead <= kMaxDist) {
      if (s.niceMatch > s.lookahead) s.niceMatch = s.lookahead;
      s.matchLength = LongestMatch(s, hashHead);
      if (s.matchLength > s.lookahead) s.matchLength = s.lookahead;
      if (s.matchLength == kMinMatch && s.strstart - static_cast<uint32_t>(s.matchStart) > kTooFar) {
        s.matchLength = kMinMatch - 1;
      }
    }

    if (s.prevLength >= kMinMatch && s.matchLength <= s.prevLength) {
      // The match that started one byte back wins: emit it and skip over it, keeping the hash
      // chains complete for every position that still has three bytes of input.
      uint32_t maxInsert = s.strstart + s.lookahead - kMinMatch;
      bool endBlock = Tally(s, s.strstart - 1 - static_cast<uint32_t>(s.prevMatch), s.prevLength - kMinMatch);
      s.lookahead -= s.prevLength - 1;
      uint32_t skip = s.prevLength - 2;
      do {
        if (++s.strstart <= maxInsert) InsertString(s, s.strstart);
      } while (--skip != 0);
      s.matchAvailable = false;
      s.matchLength = kMinMatch - 1;
      ++s.strstart;
      if (endBlock) EndBlockHere(s);
    } else if (s.matchAvailable) {
      // The byte before has no better match than the one found here: it goes out as a literal.
      if (Tally(s, 0, s.window[s.strstart - 1])) EndBlockHere(s);
      ++s.strstart;
      --s.lookahead;
    } else {
      s.matchAvailable = true;
      ++s.strstart;
      --s.lookahead;
    }
    if (s.lookahead < kMinLookahead && !s.endOfInput) FillWindow(s);
  }
  if (s.matchAvailable) Tally(s, 0, s.window[s.strstart - 1]);
  FlushBlock(s, true);
}

}  // namespace zip
