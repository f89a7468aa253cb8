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
                       const ostrel::ClaimTiming& timing)
    : block_(block), route_(route), wait_(wait), waitContext_(waitContext), timing_(timing) {}

bool HookClient::Claim(int32_t value) {
  return ostrel::ClaimBusy(block_.busy, value, timing_, wait_, waitContext_) != ostrel::BusyResult::TimedOut;
}

int32_t HookClient::RegisterWithHook(uint32_t window, std::string_view path) {
  if (path.size() > kMaxHookPath || !route_.Prepare() || !Claim(ostrel::kBusyRegister)) {
    return kHookFailed;
  }
  int32_t result = kHookFailed;
  for (int attempt = 0; attempt < kCallAttempts; ++attempt) {
    ostrel::StoreShared(block_.inputHwnd, window);
    StoreName(block_, path);
    result = route_.Call(CompanionCommand::RegisterClient);
    if (result != kHookRegistered || IsListed(block_, window)) {
      break;
    }
    route_.Distrust();
    result = kHookFailed;
  }
  (void)ostrel::ReleaseBusy(block_.busy, ostrel::kBusyRegister);
  return result;
}

int32_t HookClient::UnregisterFromHook(uint32_t window, const Rect32& rect) {
  if (!route_.Prepare() || !Claim(ostrel::kBusyUnregister)) {
    return -1;
  }
  int32_t result = -1;
  {
    const std::lock_guard<std::mutex> hold(rectLock_);
    for (int attempt = 0; attempt < kCallAttempts; ++attempt) {
      ostrel::StoreShared(block_.inputHwnd, window);
      ostrel::StoreSharedRect(block_.updateRect, rect);
      result = route_.Call(CompanionCommand::UnregisterClient);
      if (result < 0 || !IsListed(block_, window)) {
        break;
      }
      route_.Distrust();
      result = -1;
    }
  }
  (void)ostrel::ReleaseBusy(block_.busy, ostrel::kBusyUnregister);
  if (result >= 0) {
    RepaintIfOverwritten(rect);
  }
  return result;
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
    result = route_.Call(command);
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
    if (route_.Call(CompanionCommand::UpdateDesktop) < 0) {
      return;
    }
  }
}

}  // namespace plantapp
