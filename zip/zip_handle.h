// The opaque zip handle that every zip operation takes, and the last result of each side. The
// operations themselves are declared in zip_writer.h (and the reader's header).
#pragma once

#include "zip/zip_result.h"

namespace zip {

/// An open reader or writer. Created by an opening operation, freed by the matching close; callers
/// never look inside. A null handle stands for no archive.
struct ZipHandle;

/// True exactly when handle is not null and belongs to a reader. Stores no last result. Code
/// holding a handle of either kind closes it with ZipReaderClose when this is true and with
/// ZipWriterClose otherwise.
bool ZipIsReader(const ZipHandle* handle);

/// The result of the calling thread's last writer operation; after a failed open, its reason.
ZipResult ZipWriterLastResult();

/// The result of the calling thread's last reader operation; after a failed open, its reason.
ZipResult ZipReaderLastResult();

}  // namespace zip
