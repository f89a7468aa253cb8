// How a dock bay stacks its bars: the bands and their thicknesses (a band of a resizable bar
// carries a 4-pixel splitter and is stored as -(thickness) - 4), which splitter lies under the
// cursor, how far a splitter drag may go, and the layout of the bars along each band with the
// size grip in the corner. Platform-free: the bay hands in its bars' sizes and moves their windows
// where this puts them.
#pragma once

#include <cstdint>
#include <span>

#include "framework/base/zrf_rect.h"
#include "framework/ui/bar_flags.h"

namespace zrf {

/// A bay's bands: thickness per band, negative (-(thickness) - 4) for a band with a splitter; the
/// first 0 ends the list.
using BandList = int32_t[kMaxBands];

/// The absolute extent of band value `band` across the bay, its splitter included.
constexpr int32_t BandExtent(int32_t band) { return band < 0 ? -band : band; }

/// A bar of the bay as the band collection sees it.
struct BandMember {
  uint16_t band;       ///< in and out: lowered when an empty band before it goes
  uint16_t flags;      ///< kBarShown and kBarResizable are read
  int32_t thickness;   ///< the bar's thickness (CBar::GetThickness)
};

/// Fills `bands` from the bars of one bay: each band is its thickest shown bar, a band holding a
/// resizable bar becomes -(thickness) - 4, and empty bands are removed, the bars of later bands
/// moving down one band. A band number past the last band is taken as the last band (and stored
/// back), so a damaged placement can never index past the list.
void CollectBands(std::span<BandMember> bars, BandList& bands);

/// The bay's thickness: the sum of the bands' extents.
int32_t BayThickness(const BandList& bands);

/// The band whose splitter holds `position`, the cursor's offset across the bay (x in a vertical
/// bay, y otherwise, from the bay's client origin), or -1. Bands follow each other from the
/// origin; a splitter is a band's last 4 pixels on sides 0 and 2 and its first 4 on sides 1 and 3.
int32_t HitTestSplitter(const BandList& bands, int32_t side, int32_t position);

/// A band's thickness during a splitter drag: the thickness at the press plus how far the cursor
/// moved across the bay (`delta`, negated on sides 1 and 3, whose splitters lie at the band's
/// start), never below `minThickness`.
int32_t DraggedThickness(int32_t startThickness, int32_t delta, int32_t side, int32_t minThickness);

/// A shown bar of the bay as its layout sees it.
struct BayMember {
  uint16_t band;
  uint16_t flags;
  int32_t x;                ///< stored position along the bay
  int32_t length;           ///< stored length along the bay
  int32_t thickness;
  int32_t minLength;        ///< room of the items it cannot drop
  int32_t preferredLength;  ///< its natural length
  // Results.
  ZrfRect rect;        ///< where the bar goes, in the bay's client coordinates
  int32_t placedX;     ///< its position along the bay; a kBarFollows bar stores it as its x
};

/// The bay to lay out.
struct BayFrame {
  int32_t side;
  int32_t length;           ///< the bay's length (its width, or its height when vertical)
  int32_t grip;             ///< -1: this bay never shows a size grip
  int32_t gripSize;         ///< side of the grip's square
  bool barsDockedAtBottom;  ///< the window's bottom bay holds a shown bar
};

/// What the layout gives the bay.
struct BayResult {
  int32_t thickness;  ///< the bay's thickness
  int32_t grip;       ///< -1, 0, or 1 when the grip shows in the last band
};

/// Lays the shown bars of one bay out band by band (`bands` from CollectBands). Along each band,
/// in order of their stored position: a bar starts no earlier than the previous bar's position
/// plus its minimum length and cuts the previous bar short where they overlap; a following bar
/// (kBarFollows) starts right after the previous one, which takes its preferred length; from the
/// last bar back, a far-end bar (kBarFarEnd) is pushed against the next bar or the band's end; a
/// filling bar (kBarFill) grows up to the next bar; a band that ends up too long gives back
/// first the gaps (from the end back), then the filling bars' length and then any bar's, each
/// down to its minimum length. Each bar gets the band's thickness (its thickest bar). The grip
/// shows in the last band of the bottom bay, or of the right bay when nothing docks at the
/// bottom, and takes its square from the band's usable length.
BayResult LayoutBay(std::span<BayMember> bars, const BandList& bands, const BayFrame& frame);

}  // namespace zrf
