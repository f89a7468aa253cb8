// Snapshot pictures in and out of files with GDI; see snapshot_win.h.
#include "plant/snapshot_win.h"

#include <cstring>
#include <vector>

#include "plant/plant_record.h"
#include "plant/render_core.h"
#include "plant/snapshot_file.h"
#include "plant/snapshot_format.h"

namespace plant {

const char* SnapshotOutcomeText(SnapshotOutcome outcome) {
  switch (outcome) {
    case SnapshotOutcome::Done: return "snapshot done";
    case SnapshotOutcome::NotAsked: return "snapshot not asked for";
    case SnapshotOutcome::Missing: return "no snapshot file";
    case SnapshotOutcome::Refused: return "snapshot file refused";
    case SnapshotOutcome::NoCanvas: return "snapshot picture could not be made";
    case SnapshotOutcome::WriteFailed: return "snapshot could not be written";
  }
  return "unknown snapshot outcome";
}

namespace {

// Paints the snapshot at path onto the picture, stretched to its size.
SnapshotOutcome PaintSnapshot(const std::string& path, FileOps& ops, PictureObjects* target) {
  std::vector<uint8_t> bytes;
  const SnapshotFileResult read = ReadSnapshotFile(ops, path, &bytes);
  if (read == SnapshotFileResult::Missing) {
    return SnapshotOutcome::Missing;
  }
  SnapshotView view{};
  if (read != SnapshotFileResult::Ok || ParseSnapshot(bytes.data(), bytes.size(), &view) != SnapshotResult::Ok) {
    return SnapshotOutcome::Refused;
  }
  // The header and its table are copied into an aligned block that GDI may read in full: it
  // reads 256 table entries for some depths whatever the count says.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info{};
  std::memcpy(&info, view.bitmapInfo, sizeof(BITMAPINFOHEADER) + 4 * view.colourCount);
  const HDC dc = target->dc.Get();
  SetBkColor(dc, RGB(0, 0, 0));
  SetStretchBltMode(dc, COLORONCOLOR);
  const int copied = StretchDIBits(dc, 0, 0, target->Width(), target->Height(), 0, 0, view.header.width,
                                   view.header.height, view.bits, reinterpret_cast<const BITMAPINFO*>(&info),
                                   DIB_RGB_COLORS, SRCCOPY);
  GdiFlush();
  // The stretch leaves whatever alpha the file held; the picture is blended by its alpha key.
  ApplyAlphaKey(target->bits, static_cast<size_t>(target->Width()) * static_cast<size_t>(target->Height()));
  return copied > 0 ? SnapshotOutcome::Done : SnapshotOutcome::Refused;
}

// Fits one side of the picture to a side of the plant rectangle, which comes from the plant file
// and may lie anywhere: an empty or reversed side gets one pixel, a side longer than any picture
// the renderer makes is cut to that length, and the low end stays unless a single pixel would
// pass the end of the range. Lengths are worked out in 64 bits.
void FitSide(LONG* low, LONG* high) {
  const int64_t length = int64_t{*high} - *low;
  if (length < 1) {
    *low = *low < INT32_MAX ? *low : INT32_MAX - 1;
    *high = *low + 1;
  } else if (length > kMaxPictureSide) {
    *high = *low + kMaxPictureSide;
  }
}

}  // namespace

SnapshotOutcome LoadSnapshot(const Plant& plant, PlantPicture& picture, HWND window, FileOps& ops) {
  RECT rect{plant.rect.left, plant.rect.top, plant.rect.right, plant.rect.bottom};
  FitSide(&rect.left, &rect.right);
  FitSide(&rect.top, &rect.bottom);
  PictureObjects fresh;
  // The black picture stays in every case: when GDI cannot make one of the plant's size, one
  // black pixel at its corner still gives the plant window a picture to blend.
  const RECT pixel{rect.left, rect.top, rect.left + 1, rect.top + 1};
  if (!CreateDibPicture(window, rect, &fresh) && !CreateDibPicture(window, pixel, &fresh)) {
    return SnapshotOutcome::NoCanvas;
  }
  SnapshotOutcome outcome = SnapshotOutcome::NotAsked;
  if ((plant.Record().flags & kShowSnapshot) != 0) {
    outcome = PaintSnapshot(SnapshotPathFor(plant.path), ops, &fresh);
    if (outcome != SnapshotOutcome::Done) {
      std::memset(fresh.bits, 0, static_cast<size_t>(fresh.Width()) * static_cast<size_t>(fresh.Height()) * 4);
    }
  }
  {
    const std::lock_guard<std::mutex> hold(picture.Lock());
    picture.Swap(&fresh);
  }
  return outcome;
}

SnapshotOutcome SaveSnapshot(const Plant& plant, PlantPicture& picture, FileOps& ops) {
  std::vector<uint8_t> file;
  {
    const std::lock_guard<std::mutex> hold(picture.Lock());
    PictureObjects& shown = picture.Objects();
    BITMAP bitmap{};
    if (shown.bitmap.Get() == nullptr || GetObjectA(shown.bitmap.Get(), sizeof bitmap, &bitmap) == 0 ||
        bitmap.bmWidth < 1 || bitmap.bmHeight < 1 || bitmap.bmWidth > kMaxSnapshotSide ||
        bitmap.bmHeight > kMaxSnapshotSide) {
      return SnapshotOutcome::NoCanvas;
    }
    file = BuildSnapshotHead(bitmap.bmWidth, bitmap.bmHeight);
    const size_t headSize = file.size();
    const uint64_t bitsSize = SnapshotRowBytes(bitmap.bmWidth, 32) * static_cast<uint64_t>(bitmap.bmHeight);
    file.resize(headSize + bitsSize);
    // Room for a full colour table: GDI writes masks or a table behind the header for some
    // formats even when 32-bit RGB rows are asked for.
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[256];
    } info{};
    std::memcpy(&info.header, file.data() + kSnapshotHeaderOffset, sizeof info.header);
    if (GetDIBits(shown.dc.Get(), shown.bitmap.Get(), 0, static_cast<UINT>(bitmap.bmHeight), file.data() + headSize,
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != bitmap.bmHeight) {
      return SnapshotOutcome::NoCanvas;
    }
  }
  return WriteSnapshotFile(ops, SnapshotPathFor(plant.path), file) == SnapshotFileResult::Ok
             ? SnapshotOutcome::Done
             : SnapshotOutcome::WriteFailed;
}

}  // namespace plant
