// Registration decisions over the shared block. Callers hold the `busy` claim (Register 1,
// Unregister 2) while these run, so the list and the argument fields change under one owner.
#include "hooklib/registration.h"

#include <cstring>

#include "hooklib/client_list.h"
#include "hooklib/frame_geometry.h"
#include "hooklib/time_budget.h"

namespace ostrel {
namespace {

// Ends the activation of `window`, and only of `window`: another plant may have been activated
// since, and its frame must stay.
void EndActivationOf(OstrelSharedMem& block, uint32_t window) {
  uint32_t expected = window;
  if (__atomic_compare_exchange_n(&block.activeClient, &expected, 0u, false, __ATOMIC_ACQ_REL,
                                  __ATOMIC_ACQUIRE)) {
    block.activeFrame = Rect32{0, 0, 0, 0};
  }
}

void CopyCheckedName(OstrelSharedMem& block) {
  // inputName need not be terminated; at most 255 characters are taken and the last byte of
  // checkedName is always 0, so Identify never reads past the field.
  const size_t length = strnlen(block.inputName, sizeof block.checkedName - 1);
  std::memcpy(block.checkedName, block.inputName, length);
  std::memset(block.checkedName + length, 0, sizeof block.checkedName - length);
}

// Asks `window` whether the plant under test is its own, within what is left of the budget; a
// window asked after the budget is spent counts as another plant.
bool IsSamePlantWithin(ClientPort& port, uint32_t window, uint64_t deadline) {
  const uint64_t now = port.NowMs();
  if (now >= deadline) {
    return false;
  }
  const uint64_t left = deadline - now;
  return port.IsSamePlant(window, left < kIdentifyEachMs ? static_cast<uint32_t>(left) : kIdentifyEachMs);
}

// Every plant answers non-zero for an empty name (its own path never is), while any window that
// does not know the message answers 0 to both questions.
bool IsPlantWindow(OstrelSharedMem& block, ClientPort& port, uint32_t window, uint64_t deadline) {
  char checked[sizeof block.checkedName];
  std::memcpy(checked, block.checkedName, sizeof checked);
  std::memset(block.checkedName, 0, sizeof block.checkedName);
  const bool answersZeroToAnything = IsSamePlantWithin(port, window, deadline);
  std::memcpy(block.checkedName, checked, sizeof checked);
  return !answersZeroToAnything;
}

// The caller holds `busy` while this runs, so a hung plant must not stretch it: the questions
// share one budget.
int32_t FindSamePlant(OstrelSharedMem& block, ClientPort& port) {
  const uint64_t deadline = port.NowMs() + kIdentifyBudgetMs;
  for (int32_t i = 0; i < ClientCount(block);) {
    const uint32_t window = block.clients[i];
    if (!IsSamePlantWithin(port, window, deadline)) {
      ++i;
      continue;
    }
    if (IsPlantWindow(block, port, window, deadline)) {
      return i;
    }
    // A window that took a dead plant's handle, or was written there: without this, every new
    // plant would quit as "already shown".
    RemoveClientAt(block, i);
    EndActivationOf(block, window);
  }
  return -1;
}

}  // namespace

void DropDeadClients(OstrelSharedMem& block, ClientPort& port, uint32_t staying) {
  for (int32_t i = ClientCount(block) - 1; i >= 0; --i) {
    const uint32_t window = block.clients[i];
    if (window == staying || port.IsAlive(window)) {
      continue;
    }
    RemoveClientAt(block, i);
    EndActivationOf(block, window);
    // With nobody staying, the last slot goes as the last client's own removal goes: the desktop
    // hears of it once no slot is left, and the subclass and its pin leave with it. Only the last
    // one is told, so one call waits for the desktop at most once.
    if (staying == 0 && ClientCount(block) == 0) {
      (void)port.InjectIntoDesktop(OstrelCode::UnpinLibrary);
    }
  }
}

RegisterResult RegisterClient(OstrelSharedMem& block, ClientPort& port) {
  CopyCheckedName(block);
  const uint32_t window = LoadShared(block.inputHwnd);
  DropDeadClients(block, port, window);
  // A repeated request (the first answer was lost with a companion that died) must not find the
  // window itself as "another process showing this plant".
  if (FindClient(block, window) >= 0) {
    return RegisterResult::Registered;
  }
  const int32_t same = FindSamePlant(block, port);
  if (same >= 0) {
    const uint32_t owner = block.clients[same];
    const uint32_t active = LoadShared(block.activeClient);
    if (active != 0 && active != owner) {
      port.Notify(active, OstrelCode::Deactivate);
    }
    port.Notify(owner, OstrelCode::Activate);
    BringClientToTop(block, port, same);
    port.AnnounceActivation(owner);
    return RegisterResult::AlreadyShown;
  }
  if (!AppendClient(block, window)) {
    return RegisterResult::NoSlot;
  }
  if (!port.InjectIntoDesktop(OstrelCode::PinLibrary)) {
    // The desktop never took the pin, so nothing paints this window: hand back the slot.
    RemoveClientAt(block, FindClient(block, window));
    return RegisterResult::NoSlot;
  }
  return RegisterResult::Registered;
}

int32_t UnregisterClient(OstrelSharedMem& block, ClientPort& port) {
  const uint32_t window = LoadShared(block.inputHwnd);
  const bool listed = FindClient(block, window) >= 0;
  // Whoever asks, the slots of plants that died go first: they would keep the count above 1 when
  // the last live client leaves, and the subclass would outlive every plant. The caller's own
  // slot, even when its window is already gone, leaves by the way below, which repaints its place.
  DropDeadClients(block, port, listed ? window : 0);
  if (!listed) {
    return 0;
  }
  // The desktop takes the subclass away only when no slot names a live window any more, so the
  // slot goes first. When the desktop does not answer, the list is updated all the same.
  RemoveClientAt(block, FindClient(block, window));
  (void)port.InjectIntoDesktop(OstrelCode::UnpinLibrary);
  port.Invalidate(block.updateRect);
  EndActivationOf(block, window);
  return InvalidateFrameEdges(block, port);
}

void BringClientToTop(OstrelSharedMem& block, ClientPort& port, int32_t index) {
  if (index < 0 || index >= ClientCount(block) - 1) {
    return;
  }
  port.WaitPaintIdle();
  if (MoveClientToTop(block, index)) {
    port.Notify(block.clients[ClientCount(block) - 1], OstrelCode::OnTop);
  }
}

int32_t InvalidateFrameEdges(const OstrelSharedMem& block, ClientPort& port) {
  int32_t result = 0;
  for (const Rect32& strip : FrameEdgeStrips(block.activeFrame)) {
    result = port.Invalidate(strip);
  }
  return result;
}

}  // namespace ostrel
