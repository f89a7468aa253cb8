// CZrfArray: the framework's growable array of fixed-size plain records. Every variable-length list
// of the framework (windows, items, commands, switches, fonts, icons, status texts, file lists)
// lives in one. Elements are copied in and out as raw bytes; the array never runs code on them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

/// Untyped storage shared by every CZrfArray<T>; only the element size differs between instances.
/// Fields follow the framework's layout: count, data, growBy, capacity, borrowed.
class CZrfArrayBase {
 public:
  int32_t count = 0;         ///< elements in use; owners may lower it directly to drop elements
  void* data = nullptr;      ///< the buffer; null while nothing was ever inserted or after Clear
  int32_t growBy = -1;       ///< growth step in elements; -1 (or any value <= 0) doubles
  int32_t capacity = 0;      ///< elements the buffer holds; 0 with no buffer
  bool borrowed = false;     ///< the buffer is not ours to free

  CZrfArrayBase(const CZrfArrayBase&) = delete;
  CZrfArrayBase& operator=(const CZrfArrayBase&) = delete;

  /// Allocation hooks, replaceable by tests to make a growth fail. Null restores malloc/free.
  using AllocFn = void* (*)(size_t);
  using FreeFn = void (*)(void*);
  static void SetAllocatorForTesting(AllocFn alloc, FreeFn release);

 protected:
  explicit CZrfArrayBase(size_t elementSize) : elementSize_(elementSize) {}
  ~CZrfArrayBase();

  int32_t InsertBytes(const void* items, int32_t position, int32_t n);
  void ClearStorage();
  bool ResizeStorage(int32_t newCapacity, int32_t growStep);
  void BorrowStorage(void* buffer, int32_t bufferCapacity);

  size_t elementSize_;
};

/// A growable array of T. T must be a plain record: it is moved with memcpy/memmove.
template <typename T>
class CZrfArray : public CZrfArrayBase {
  static_assert(std::is_trivially_copyable_v<T>, "CZrfArray holds plain records only");

 public:
  CZrfArray() : CZrfArrayBase(sizeof(T)) {}

  /// Inserts n elements copied from items before position (clamped to 0..count).
  /// Returns the position at which they now stand, or -1 (array unchanged) when n <= 0, items is
  /// null, the new size would not fit in 32 bits or memory, or the allocation fails.
  int32_t Insert(const T* items, int32_t position, int32_t n) { return InsertBytes(items, position, n); }

  /// Appends one element; returns its position or -1.
  int32_t Add(const T& item) { return InsertBytes(&item, count, 1); }

  /// Frees the buffer (unless borrowed) and empties the array; the next insert starts at 16 again.
  void Clear() { ClearStorage(); }

  /// Address of element index. No bounds check: callers stay below count.
  T* GetAt(int32_t index) { return static_cast<T*>(data) + index; }
  const T* GetAt(int32_t index) const { return static_cast<const T*>(data) + index; }

  /// Replaces the buffer by one of exactly newCapacity elements keeping the first
  /// min(count, newCapacity); count is lowered to fit. A capacity equal to count changes nothing
  /// and succeeds; a capacity below 1 frees the buffer, empties the array and returns false.
  /// Returns false, with the array unchanged, when the allocation fails.
  bool Resize(int32_t newCapacity, int32_t growStep) { return ResizeStorage(newCapacity, growStep); }

  /// Uses a caller-owned buffer of bufferCapacity elements (count becomes 0); it is never freed
  /// by this array. A later growth copies the elements into a buffer of the array's own.
  void Borrow(T* buffer, int32_t bufferCapacity) { BorrowStorage(buffer, bufferCapacity); }
};
