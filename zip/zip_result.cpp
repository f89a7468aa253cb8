// Texts of the zip result codes.
#include "zip/zip_result.h"

namespace zip {

const char* ZipResultText(ZipResult result) {
  switch (result) {
    case ZipResult::Ok: return "ok";
    case ZipResult::CannotOpen: return "cannot open file";
    case ZipResult::CannotMap: return "cannot map memory";
    case ZipResult::WriteFailed: return "write failed";
    case ZipResult::NotFound: return "entry not found";
    case ZipResult::MoreData: return "more data";
    case ZipResult::Corrupt: return "corrupt entry";
    case ZipResult::ReadFailed: return "read failed";
    case ZipResult::BadPassword: return "bad password";
    case ZipResult::BadArgument: return "bad argument";
    case ZipResult::BadMemorySize: return "memory target too small";
    case ZipResult::WriterFailed: return "writer has failed";
    case ZipResult::WriterClosed: return "writer is closed";
    case ZipResult::WrongKind: return "wrong kind of handle";
    case ZipResult::NotInitialised: return "not initialised";
    case ZipResult::SeekFailed: return "seek failed";
    case ZipResult::HeaderMismatch: return "header mismatch";
    case ZipResult::FlateFailed: return "inflate failed";
  }
  return "unknown result";
}

}  // namespace zip
