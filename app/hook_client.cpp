// The hook client's protocol over the shared block.
#include "app/hook_client.h"

#include <cstring>

#include "hooklib/client_list.h"

namespace plantapp {
namespace {

using ostrel::CompanionCommand;
using ostrel::Rect32;

// A call whose answer the block contradicts is made once more, along a route found afresh.
constexpr int kCallAttempts = 2;
// A request whose claim was taken over is made once more under a new claim.
constexpr int kClaimRounds = 2;
// A repaint whose rectangle was overwritten in between is repeated at most this often.
constexpr int kRepaintRetries = 2;

void StoreName(ostrel::OstrelSharedMem& block, std::string_view path) {
  // Requires: path.size() <= kMaxHookPath, so the name and its NUL fit inputName.
  static_assert(kMaxHookPath < sizeof block.inputName);
  std::memcpy(block.inputName, path.data(), path.size());
  std::memset(block.inputName + path.size(), 0, sizeof block.inputName - path.size());
}

bool IsListed(const ostrel::OstrelSharedMem& block, uint32_t window) {
  return ostrel::FindClient(block, window) >= 0;
}

}  // namespace

HookClient::HookClient(ostrel::OstrelSharedMem& block, HookRoute& route, HookWait wait, void* waitContext,
                       ostrel::HolderWatch* holders, const ostrel::ClaimTiming& timing)
    : block_(block),
      route_(route),
      wait_(wait),
      waitContext_(waitContext),
      holders_(holders),
      timing_(timing) {}

// A claim taken over while `call` ran means a successor may have changed the list and the
// argument fields meanwhile, so `call` runs once more under a new claim. `call` stops writing the
// block as soon as it sees the claim gone.
std::optional<int32_t> HookClient::UnderClaim(int32_t kind,
                                              const std::function<int32_t(int32_t claim)>& call) {
  const int32_t claim = ostrel::MakeClaim(kind, holders_ != nullptr ? holders_->OwnProcessId() : 0);
  std::optional<int32_t> result;
  for (int round = 0; round < kClaimRounds; ++round) {
    if (ostrel::ClaimBusy(block_.busy, claim, timing_, wait_, waitContext_, holders_) ==
        ostrel::BusyResult::TimedOut) {
      return result;
    }
    result = call(claim);
    if (ostrel::ReleaseBusy(block_.busy, claim)) {
      return result;
    }
  }
  return result;
}

int32_t HookClient::RegisterWithHook(uint32_t window, std::string_view path) {
  if (path.size() > kMaxHookPath || !route_.Prepare()) {
    return kHookFailed;
  }
  const std::optional<int32_t> result = UnderClaim(ostrel::kBusyRegister, [&](int32_t claim) {
    int32_t answer = kHookFailed;
    for (int attempt = 0; attempt < kCallAttempts && ostrel::HoldsClaim(block_.busy, claim); ++attempt) {
      ostrel::StoreShared(block_.inputHwnd, window);
      StoreName(block_, path);
      answer = route_.Call(CompanionCommand::RegisterClient, claim);
      if (answer != kHookRegistered || IsListed(block_, window)) {
        break;
      }
      route_.Distrust();
      answer = kHookFailed;
    }
    return answer;
  });
  return result.value_or(kHookFailed);
}

int32_t HookClient::UnregisterFromHook(uint32_t window, const Rect32& rect) {
  if (!route_.Prepare()) {
    return -1;
  }
  const std::optional<int32_t> result = UnderClaim(ostrel::kBusyUnregister, [&](int32_t claim) {
    const std::lock_guard<std::mutex> hold(rectLock_);
    int32_t answer = -1;
    for (int attempt = 0; attempt < kCallAttempts && ostrel::HoldsClaim(block_.busy, claim); ++attempt) {
      ostrel::StoreShared(block_.inputHwnd, window);
      ostrel::StoreSharedRect(block_.updateRect, rect);
      answer = route_.Call(CompanionCommand::UnregisterClient, claim);
      if (answer < 0 || !IsListed(block_, window)) {
        break;
      }
      route_.Distrust();
      answer = -1;
    }
    return answer;
  });
  if (!result) {
    return -1;
  }
  if (*result >= 0) {
    RepaintIfOverwritten(rect);
  }
  return *result;
}

int32_t HookClient::UpdateHook(const Rect32& rect) {
  return CallWithRect(CompanionCommand::UpdateDesktop, rect);
}

int32_t HookClient::RequestRehook(const Rect32& rect) {
  return CallWithRect(CompanionCommand::RehookDesktop, rect);
}

int32_t HookClient::CallWithRect(CompanionCommand command, const Rect32& rect) {
  int32_t result = 0;
  {
    const std::lock_guard<std::mutex> hold(rectLock_);
    ostrel::StoreSharedRect(block_.updateRect, rect);
    result = route_.Call(command, 0);
  }
  if (result >= 0) {
    RepaintIfOverwritten(rect);
  }
  return result;
}

// `updateRect` is shared by every plant without a claim: another plant's repaint may have
// replaced ours before the library read it. Seeing another rectangle there afterwards means ours
// may never have been repainted, so it is asked for again. Only after a call that reached the
// library: a library that could not be reached (a companion that did not answer) is not asked
// again, so a repaint never waits for it twice.
void HookClient::RepaintIfOverwritten(const Rect32& rect) {
  for (int retry = 0; retry < kRepaintRetries; ++retry) {
    const std::lock_guard<std::mutex> hold(rectLock_);
    if (ostrel::LoadSharedRect(block_.updateRect) == rect) {
      return;
    }
    ostrel::StoreSharedRect(block_.updateRect, rect);
    if (route_.Call(CompanionCommand::UpdateDesktop, 0) < 0) {
      return;
    }
  }
}

}  // namespace plantapp
