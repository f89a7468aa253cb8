#include "framework/ui/band_layout.h"

#include <algorithm>
#include <vector>

namespace zrf {

namespace {

bool IsShown(uint16_t flags) { return (flags & kBarShown) != 0; }

// Removes empty band `band` from the list: later bands move down one place, and so do the bars in
// them.
void RemoveBand(std::span<BandMember> bars, BandList& bands, int32_t band) {
  for (int32_t i = band; i + 1 < kMaxBands; ++i) bands[i] = bands[i + 1];
  bands[kMaxBands - 1] = 0;
  for (BandMember& bar : bars) {
    if (bar.band > band) bar.band = static_cast<uint16_t>(bar.band - 1);
  }
}

bool AnyBandAfter(const BandList& bands, int32_t band) {
  for (int32_t i = band + 1; i < kMaxBands; ++i) {
    if (bands[i] != 0) return true;
  }
  return false;
}

// The bars of one band, in order of their stored position (equal positions keep list order).
std::vector<BayMember*> BarsOfBand(std::span<BayMember> bars, int32_t band) {
  std::vector<BayMember*> members;
  for (BayMember& bar : bars) {
    if (bar.band == band) members.push_back(&bar);
  }
  std::stable_sort(members.begin(), members.end(),
                   [](const BayMember* a, const BayMember* b) { return a->x < b->x; });
  return members;
}

// Working place of one bar along its band.
struct Span {
  int32_t x;
  int32_t length;
  int32_t End() const { return x + length; }
};

void ShiftFrom(std::vector<Span>& spans, size_t first, int32_t by) {
  for (size_t i = first; i < spans.size(); ++i) spans[i].x -= by;
}

// Steps 3 and 4: no bar starts before the previous one's minimum room; overlaps cut the previous
// bar; a following bar starts right after the previous one at its preferred length.
void SeparateBars(const std::vector<BayMember*>& members, std::vector<Span>& spans) {
  for (size_t i = 0; i < spans.size(); ++i) {
    if ((members[i]->flags & kBarFollows) != 0) {
      if (i == 0) {
        spans[i].x = 0;
        continue;
      }
      spans[i - 1].length = members[i - 1]->preferredLength;
      spans[i].x = spans[i - 1].End();
      continue;
    }
    if (i == 0) continue;
    spans[i].x = std::max(spans[i].x, spans[i - 1].x + members[i - 1]->minLength);
    if (spans[i].x < spans[i - 1].End()) spans[i - 1].length = spans[i].x - spans[i - 1].x;
  }
}

// Steps 5 and 6: far-end bars pushed against what follows them, filling bars grown up to it.
void PushAndFill(const std::vector<BayMember*>& members, std::vector<Span>& spans, int32_t usable) {
  const size_t n = spans.size();
  for (size_t k = n; k-- > 0;) {
    if ((members[k]->flags & kBarFarEnd) == 0) continue;
    const int32_t next = k + 1 < n ? spans[k + 1].x : usable;
    const int32_t previousEnd = k > 0 ? spans[k - 1].End() : 0;
    spans[k].x = std::max({next - spans[k].length, 0, previousEnd});
  }
  for (size_t k = 0; k < n; ++k) {
    if ((members[k]->flags & kBarFill) == 0) continue;
    const int32_t next = k + 1 < n ? spans[k + 1].x : usable;
    spans[k].length = std::max(spans[k].length, next - spans[k].x);
  }
}

// Step 7: a band that ends past its usable length gives the excess back, from the end: the gaps
// (the room before the first bar counts too, or a bar standing far along a shrunken window would
// be cut while room lay unused before it), then the filling bars down to their minimum length,
// then any bar down to it.
void TakeExcess(const std::vector<BayMember*>& members, std::vector<Span>& spans, int32_t usable) {
  const size_t n = spans.size();
  int32_t excess = spans[n - 1].End() - usable;
  for (size_t k = n; excess > 0 && k-- > 0;) {
    const int32_t gap = spans[k].x - (k > 0 ? spans[k - 1].End() : 0);
    const int32_t take = std::min(std::max(gap, 0), excess);
    ShiftFrom(spans, k, take);
    excess -= take;
  }
  for (int pass = 0; pass < 2 && excess > 0; ++pass) {
    for (size_t k = n; excess > 0 && k-- > 0;) {
      if (pass == 0 && (members[k]->flags & kBarFill) == 0) continue;
      const int32_t take = std::min(std::max(spans[k].length - members[k]->minLength, 0), excess);
      spans[k].length -= take;
      ShiftFrom(spans, k + 1, take);
      excess -= take;
    }
  }
}

}  // namespace

void CollectBands(std::span<BandMember> bars, BandList& bands) {
  std::fill(std::begin(bands), std::end(bands), 0);
  bool splitter[kMaxBands] = {};
  for (BandMember& bar : bars) {
    if (bar.band >= kMaxBands) bar.band = kMaxBands - 1;
    if (!IsShown(bar.flags)) continue;
    bands[bar.band] = std::max(bands[bar.band], bar.thickness);
    if ((bar.flags & kBarResizable) != 0) splitter[bar.band] = true;
  }
  for (int32_t i = 0; i < kMaxBands; ++i) {
    if (splitter[i]) bands[i] = -bands[i] - kSplitterSize;
  }
  for (int32_t i = 0; i < kMaxBands;) {
    if (bands[i] == 0 && AnyBandAfter(bands, i)) {
      RemoveBand(bars, bands, i);
      continue;
    }
    ++i;
  }
}

int32_t BayThickness(const BandList& bands) {
  int32_t sum = 0;
  for (int32_t i = 0; i < kMaxBands && bands[i] != 0; ++i) sum += BandExtent(bands[i]);
  return sum;
}

int32_t HitTestSplitter(const BandList& bands, int32_t side, int32_t position) {
  int32_t start = 0;
  for (int32_t i = 0; i < kMaxBands && bands[i] != 0; ++i) {
    const int32_t extent = BandExtent(bands[i]);
    if (bands[i] < 0) {
      const int32_t splitter = IsFarSide(side) ? start : start + extent - kSplitterSize;
      if (position >= splitter && position < splitter + kSplitterSize) return i;
    }
    start += extent;
  }
  return -1;
}

int32_t DraggedThickness(int32_t startThickness, int32_t delta, int32_t side, int32_t minThickness) {
  const int32_t moved = IsFarSide(side) ? -delta : delta;
  return std::max(startThickness + moved, minThickness);
}

BayResult LayoutBay(std::span<BayMember> bars, const BandList& bands, const BayFrame& frame) {
  BayResult result{0, frame.grip == -1 ? -1 : 0};
  const bool vertical = IsVerticalSide(frame.side);
  int32_t bandStart = 0;
  for (int32_t band = 0; band < kMaxBands && bands[band] != 0; ++band) {
    if (result.grip != -1) {
      const bool gripSide = frame.side == kBaySideBottom || frame.side == kBaySideRight;
      const bool blockedByBottom = frame.side == kBaySideRight && frame.barsDockedAtBottom;
      result.grip = gripSide && !AnyBandAfter(bands, band) && !blockedByBottom ? 1 : 0;
    }
    const int32_t usable = frame.length - (result.grip == 1 ? frame.gripSize : 0);
    const std::vector<BayMember*> members = BarsOfBand(bars, band);
    int32_t across = bandStart + (bands[band] < 0 && IsFarSide(frame.side) ? kSplitterSize : 0);
    if (!members.empty()) {
      std::vector<Span> spans;
      int32_t thickness = 0;
      for (const BayMember* bar : members) {
        spans.push_back({bar->x, bar->length});
        thickness = std::max(thickness, bar->thickness);
      }
      SeparateBars(members, spans);
      PushAndFill(members, spans, usable);
      TakeExcess(members, spans, usable);
      for (size_t k = 0; k < members.size(); ++k) {
        BayMember& bar = *members[k];
        bar.placedX = spans[k].x;
        bar.rect = vertical ? ZrfRect{across, spans[k].x, across + thickness, spans[k].End()}
                            : ZrfRect{spans[k].x, across, spans[k].End(), across + thickness};
      }
    }
    bandStart += BandExtent(bands[band]);
  }
  result.thickness = bandStart;
  return result;
}

}  // namespace zrf
