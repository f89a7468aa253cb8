// The library's exports behind the route.
#include "app/hook_direct_win.h"

#include "hooklib/busy_word_win.h"
#include "hooklib/ostrel.h"

namespace plantapp {

int32_t DirectHookRoute::Call(ostrel::CompanionCommand command, int32_t) {
  switch (command) {
    case ostrel::CompanionCommand::RegisterClient:
      return Ostrel_Register();
    case ostrel::CompanionCommand::UnregisterClient:
      return Ostrel_Unregister();
    case ostrel::CompanionCommand::UpdateDesktop:
      return Ostrel_Update();
    case ostrel::CompanionCommand::RehookDesktop:
      return Ostrel_Rehook();
  }
  return -1;
}

ostrel::OstrelSharedMem& LibraryBlock() { return *Ostrel_SharedMem; }

ostrel::HolderWatch& LibraryHolderWatch() {
  static ostrel::SystemHolderWatch watch(LibraryBlock());
  return watch;
}

}  // namespace plantapp
