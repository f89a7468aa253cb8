// Growth, clearing and resizing of the framework's growable array.
#include "framework/base/zrf_array.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

CZrfArrayBase::AllocFn gAlloc = std::malloc;
CZrfArrayBase::FreeFn gFree = std::free;

constexpr int64_t kFirstCapacity = 16;
constexpr int64_t kMaxElements = std::numeric_limits<int32_t>::max();

// Byte size of n elements, or 0 when it does not fit in size_t (n > 0 and elementSize > 0).
size_t ByteSize(int64_t n, size_t elementSize) {
  const uint64_t limit = std::numeric_limits<size_t>::max() / 2;  // keep pointer differences signed
  if (static_cast<uint64_t>(n) > limit / elementSize) return 0;
  return static_cast<size_t>(n) * elementSize;
}

}  // namespace

void CZrfArrayBase::SetAllocatorForTesting(AllocFn alloc, FreeFn release) {
  gAlloc = alloc ? alloc : std::malloc;
  gFree = release ? release : std::free;
}

CZrfArrayBase::~CZrfArrayBase() { ClearStorage(); }

int32_t CZrfArrayBase::InsertBytes(const void* items, int32_t position, int32_t n) {
  if (position < 0) position = 0;
  if (position > count) position = count;
  if (n <= 0 || items == nullptr) return -1;

  // 64-bit arithmetic throughout: count + n and the doubling must not wrap, and a capacity that
  // no longer fits in 32 bits (or whose byte size does not fit in memory) is refused.
  const int64_t needed = static_cast<int64_t>(count) + n;
  if (needed > kMaxElements) return -1;
  int64_t newCapacity = capacity;
  if (newCapacity == 0) newCapacity = growBy;
  if (newCapacity <= 0) newCapacity = kFirstCapacity;
  while (newCapacity < needed) newCapacity = growBy > 0 ? newCapacity + growBy : newCapacity * 2;
  if (newCapacity > kMaxElements) newCapacity = kMaxElements;

  if (newCapacity != capacity) {
    const size_t bytes = ByteSize(newCapacity, elementSize_);
    if (bytes == 0) return -1;
    void* fresh = gAlloc(bytes);
    if (fresh == nullptr) return -1;
    if (count > 0) std::memcpy(fresh, data, static_cast<size_t>(count) * elementSize_);
    if (!borrowed) gFree(data);
    data = fresh;
    borrowed = false;
    capacity = static_cast<int32_t>(newCapacity);
  }

  char* base = static_cast<char*>(data);
  const size_t at = static_cast<size_t>(position) * elementSize_;
  const size_t tail = static_cast<size_t>(count - position) * elementSize_;
  const size_t gap = static_cast<size_t>(n) * elementSize_;
  if (tail > 0) std::memmove(base + at + gap, base + at, tail);
  std::memcpy(base + at, items, gap);
  count += n;
  return position;
}

void CZrfArrayBase::ClearStorage() {
  if (!borrowed) gFree(data);
  data = nullptr;
  count = 0;
  capacity = 0;
  borrowed = false;
}

bool CZrfArrayBase::ResizeStorage(int32_t newCapacity, int32_t growStep) {
  if (newCapacity == count) return true;
  if (newCapacity < 1) {
    ClearStorage();
    return false;
  }
  const size_t bytes = ByteSize(newCapacity, elementSize_);
  if (bytes == 0) return false;
  void* fresh = gAlloc(bytes);
  if (fresh == nullptr) return false;
  // A smaller buffer keeps only what fits, and count follows it down: a count above the
  // capacity would make the next insert copy past the end of the buffer.
  const int32_t kept = count < newCapacity ? count : newCapacity;
  if (kept > 0) std::memcpy(fresh, data, static_cast<size_t>(kept) * elementSize_);
  if (!borrowed) gFree(data);
  data = fresh;
  borrowed = false;
  capacity = newCapacity;
  count = kept;
  growBy = growStep;
  return true;
}

void CZrfArrayBase::BorrowStorage(void* buffer, int32_t bufferCapacity) {
  ClearStorage();
  if (buffer == nullptr || bufferCapacity <= 0) return;
  data = buffer;
  capacity = bufferCapacity;
  borrowed = true;
}
