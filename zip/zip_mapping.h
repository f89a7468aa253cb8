// Anonymous read-write memory backed by the page file, for a writer asked to write into memory of
// its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zip {

/// Owns one mapping; unmaps it when destroyed.
class AnonymousMapping {
 public:
  AnonymousMapping() = default;
  ~AnonymousMapping() { Release(); }
  AnonymousMapping(const AnonymousMapping&) = delete;
  AnonymousMapping& operator=(const AnonymousMapping&) = delete;

  /// Creates and maps size bytes, zero-filled; false (and nothing held) on failure.
  [[nodiscard]] bool Create(size_t size);
  /// Unmaps and closes whatever is held.
  void Release();
  uint8_t* data() const { return data_; }

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  [[maybe_unused]] void* section_ = nullptr;  // the mapping object on Windows; unused elsewhere
};

}  // namespace zip
