// Result codes of every zip operation, reader and writer alike. Each value is a distinct bit pattern
// that callers and stored logs may compare against; exactly one is returned at a time.
#pragma once

#include <cstdint>

namespace zip {

enum class [[nodiscard]] ZipResult : uint32_t {
  Ok = 0,
  CannotOpen = 0x200,           ///< a file cannot be opened or created, or holds no zip directory
  CannotMap = 0x300,            ///< the writer's own memory target cannot be created or mapped
  WriteFailed = 0x400,          ///< archive bytes or extracted data could not be written in full
  NotFound = 0x500,             ///< no entry of the given name
  MoreData = 0x600,             ///< extraction filled the caller's buffer and more data remains
  Corrupt = 0x700,              ///< a local header disagrees with its central-directory record
  ReadFailed = 0x800,           ///< an entry's local extra field cannot be read
  BadPassword = 0x1000,         ///< the check byte of an enciphered entry does not match
  BadArgument = 0x10000,        ///< null handle or name, missing source, unsupported mode or kind
  BadMemorySize = 0x30000,      ///< a memory target too small for what is written into it
  WriterFailed = 0x40000,       ///< an entry added after the writer's output has failed
  WriterClosed = 0x50000,       ///< an entry added after the central directory was written
  WrongKind = 0x80000,          ///< a reader handle given to a writer operation, or the reverse
  NotInitialised = 0x1000000,   ///< no output target, or an entry source without file or memory
  SeekFailed = 0x2000000,       ///< a position in the output (or the reader's input) is unreachable
  HeaderMismatch = 0x4000000,   ///< a stored entry's size differs from what its header announced
  FlateFailed = 0x5000000,      ///< entry data that cannot be read or inflated, or ends early
};

/// A fixed English text naming the result, for logs and test output; never null.
const char* ZipResultText(ZipResult result);

}  // namespace zip
