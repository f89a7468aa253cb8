// The one time budget of the desktop-draw protocol. Every wait of a registration or removal is
// bounded, so a live process holds the `busy` claim for a known longest time. A claim whose
// process has ended is cleared by the next claimant at its next look; one that stays longer than
// that time while its process still runs is stuck, and the next claimant takes it over.
// Milliseconds.
//
//   claim held by a live client <= kLongestClientClaimMs
//     = 2 requests (the client asks once more, along a route found afresh, when the block
//       contradicts an answer) x (one companion search + kCompanionReplyMs): each request searches
//       at most once and waits for the companion's answers kCompanionReplyMs in all
//   kCompanionReplyMs > kLongestLibraryCallMs (the library's own waits, below)
//   kStaleClaimMs > kLongestClientClaimMs
#pragma once

#include <cstdint>

namespace ostrel {

/// A pin or unpin: the desktop's list view must answer within this, however many rounds it takes.
inline constexpr uint32_t kInjectBudgetMs = 5000;
/// All Identify questions of one registration together.
inline constexpr uint32_t kIdentifyBudgetMs = 5000;
/// One Identify question; a plant that does not answer in time counts as another plant.
inline constexpr uint32_t kIdentifyEachMs = 1000;
/// One Activate, Deactivate or OnTop sent by a registration.
inline constexpr uint32_t kNotifyTimeoutMs = 1000;
/// The reorder of a registration waits at most this for a running Paint broadcast.
inline constexpr uint32_t kPaintIdleWaitMs = 2000;

/// The longest Ostrel_Register or Ostrel_Unregister: Identify, then either the pin or the
/// duplicate's hand-over (Deactivate, Activate, Paint wait, OnTop).
inline constexpr uint32_t kLongestLibraryCallMs =
    kIdentifyBudgetMs + (kInjectBudgetMs > 3 * kNotifyTimeoutMs + kPaintIdleWaitMs
                             ? kInjectBudgetMs
                             : 3 * kNotifyTimeoutMs + kPaintIdleWaitMs);
/// How long a plant waits for the companion's answer to one request, in all: a companion that does
/// not answer in time is not asked again.
inline constexpr uint32_t kCompanionReplyMs = kLongestLibraryCallMs + 2000;
/// How long a plant searches for the companion's window, starting the companion when none lives.
inline constexpr uint32_t kCompanionSearchMs = 10000;
/// The longest a live plant holds the claim.
inline constexpr uint32_t kLongestClientClaimMs = 2 * (kCompanionSearchMs + kCompanionReplyMs);
/// A claim unchanged for this long is stale: its holder, alive or not, is stuck.
inline constexpr uint32_t kStaleClaimMs = kLongestClientClaimMs + 10000;
/// How often a waiting claimant looks whether the holder's process has ended, or the desktop that
/// set the Paint bit is gone; such a holder is cleared away at the first look that sees it.
inline constexpr uint32_t kHolderCheckMs = 250;
/// A claimant that never finds the word free for this long gives up (the plant reports it).
inline constexpr uint32_t kClaimGiveUpMs = kStaleClaimMs + 30000;

static_assert(kCompanionReplyMs > kLongestLibraryCallMs);
static_assert(kStaleClaimMs > kLongestClientClaimMs);
static_assert(kClaimGiveUpMs > kStaleClaimMs);

}  // namespace ostrel
