// Client list operations. Every shift moves whole 32-bit entries inside `clients`; the highest index
// touched is the spare entry kMaxClients, so `inputHwnd` behind the list is never written.
#include "hooklib/client_list.h"

namespace ostrel {

int32_t ClientCount(const OstrelSharedMem& block) {
  const int32_t count = LoadShared(block.clientCount);
  if (count < 0) {
    return 0;
  }
  return count > kMaxClients ? kMaxClients : count;
}

int32_t FindClient(const OstrelSharedMem& block, uint32_t window) {
  const int32_t count = ClientCount(block);
  for (int32_t i = 0; i < count; ++i) {
    if (block.clients[i] == window) {
      return i;
    }
  }
  return -1;
}

bool AppendClient(OstrelSharedMem& block, uint32_t window) {
  const int32_t count = ClientCount(block);
  if (count >= kMaxClients) {
    return false;
  }
  block.clients[count] = window;
  StoreShared(block.clientCount, count + 1);
  return true;
}

void RemoveClientAt(OstrelSharedMem& block, int32_t index) {
  const int32_t count = ClientCount(block);
  if (index < 0 || index >= count) {
    return;
  }
  // Entries index+1..count, the spare included; count <= kMaxClients keeps this inside clients.
  for (int32_t i = index; i < count; ++i) {
    block.clients[i] = block.clients[i + 1];
  }
  StoreShared(block.clientCount, count - 1);
  // A copy left behind the list would still name a live plant after it has left; the spare entry
  // moved down one, and both places it held are cleared.
  StoreShared(block.clients[count - 1], 0u);
  StoreShared(block.clients[count], 0u);
}

bool MoveClientToTop(OstrelSharedMem& block, int32_t index) {
  const int32_t count = ClientCount(block);
  if (index < 0 || index >= count - 1) {
    return false;
  }
  block.clients[count] = block.clients[index];
  for (int32_t i = index; i < count; ++i) {
    block.clients[i] = block.clients[i + 1];
  }
  StoreShared(block.clients[count], 0u);
  return true;
}

bool AnyLiveSlot(const OstrelSharedMem& block, bool (*isAlive)(uint32_t window)) {
  for (int32_t i = 0; i < kMaxClients; ++i) {
    const uint32_t window = LoadShared(block.clients[i]);
    if (window != 0 && isAlive(window)) {
      return true;
    }
  }
  return false;
}

int32_t HitTestClients(const OstrelSharedMem& block, bool onNoIcon,
                       bool (*isHit)(uint32_t window, void* context), void* context) {
  if (!onNoIcon) {
    return -1;
  }
  for (int32_t i = ClientCount(block) - 1; i >= 0; --i) {
    if (isHit(block.clients[i], context)) {
      return i;
    }
  }
  return -1;
}

}  // namespace ostrel
