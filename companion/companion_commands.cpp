// The companion's request table.
#include "companion/companion_commands.h"

#include "hooklib/client_list.h"
#include "hooklib/companion_protocol.h"

namespace companion {

CompanionAnswer CompanionCommands::Handle(uint64_t command, HookExports& exports,
                                          const ostrel::OstrelSharedMem& block) {
  using ostrel::CompanionCommand;
  if (ended_) {
    return {ostrel::kCompanionRefused, false};
  }
  switch (command) {
    case static_cast<uint64_t>(CompanionCommand::RegisterClient):
      return {exports.Register(), false};
    case static_cast<uint64_t>(CompanionCommand::UnregisterClient):
      (void)exports.Unregister();
      ended_ = ostrel::ClientCount(block) <= 0;
      return {0, ended_};
    case static_cast<uint64_t>(CompanionCommand::UpdateDesktop):
      (void)exports.Update();
      return {0, false};
    case static_cast<uint64_t>(CompanionCommand::RehookDesktop):
      (void)exports.Rehook();
      return {0, false};
    default:
      return {ostrel::kCompanionRefused, false};
  }
}

}  // namespace companion
