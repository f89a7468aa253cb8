// Writing zip archives: one pass, entry after entry, into a file, a caller's file handle or memory.
// Entries are stored or deflated by name, carry extended time stamps, and are enciphered with the
// traditional zip cipher when the writer has a password.
#pragma once

#include <cstdint>

#include "zip/zip_handle.h"
#include "zip/zip_result.h"

namespace zip {

/// Targets of ZipWriterOpenEx.
enum ZipTargetMode : int32_t {
  kZipTargetHandle = 1,  ///< target is an open file handle the caller keeps (Win32 HANDLE; elsewhere
                         ///< a file descriptor cast to a pointer); the archive starts at its position
  kZipTargetFile = 2,    ///< target is a file name; the complete archive replaces any old file
  kZipTargetMemory = 3,  ///< target is a block of size bytes, or null for a private block the
                         ///< writer maps and discards at close
};

/// Opens a writer on a new file (ZipWriterOpenEx with kZipTargetFile). password may be null or
/// empty for none. Returns the handle, or null with the reason as ZipWriterLastResult(). The
/// archive is written under a temporary name of its own (fileName + "_tmp", or "_1_tmp" and so on
/// where a file already bears that name) and replaces fileName when ZipWriterClose succeeds.
ZipHandle* ZipWriterOpen(const char* fileName, const char* password);

/// True when `fileName` (a name without folder) is one of the temporary names ZipWriterOpen writes
/// an archive under: a name longer than `archiveEnding` that ends in it (compared without regard to
/// case), followed by "_tmp" or "_<n>_tmp" with n from 1 to 99. A writer killed before closing
/// leaves such a file behind.
bool IsWriterTemporaryName(const char* fileName, const char* archiveEnding);

/// Opens a writer on target (see ZipTargetMode). The handle is the caller's until ZipWriterClose.
/// Failures: BadArgument (unknown mode, null target), CannotOpen (file not created), BadMemorySize
/// (size 0 for memory), CannotMap (no memory of the writer's own). A block of n bytes holds archives
/// of at most n - 1 bytes.
ZipHandle* ZipWriterOpenEx(const void* target, uint32_t size, int32_t mode, const char* password);

/// Adds the file sourceFileName under nameInArchive ("\" becomes "/", at most 259 bytes). Fails
/// with BadArgument (a name the reader would refuse: control characters, characters or device
/// names Windows forbids, nothing left once "." and ".." are resolved; or an entry of 2 GiB or
/// more), CannotOpen (source), WriteFailed (output, or a source read that failed part way), or the
/// writer's sticky error. An entry that fails after its data was written is left out of the
/// directory. A write to the output that falls short (a full disk) fails the whole archive: every
/// later add returns WriterFailed and the close WriteFailed.
ZipResult ZipWriterAddFile(ZipHandle* handle, const char* nameInArchive, const char* sourceFileName);

/// Adds length bytes from data under nameInArchive, with the current time. A null block, a length
/// of 0 or above 0x7FFFFFFF, or a name ZipWriterAddFile refuses gives BadArgument and writes nothing.
ZipResult ZipWriterAddMemory(ZipHandle* handle, const char* nameInArchive, const void* data, uint32_t length);

/// Writes the central directory and end record unless they are written, releases the output and
/// frees the writer and the handle, whatever the result. WriteFailed when the directory, the end
/// record, or the flushing, closing or renaming of the writer's own file failed; a file target then
/// keeps whatever file of its name was there before.
ZipResult ZipWriterClose(ZipHandle* handle);

}  // namespace zip
