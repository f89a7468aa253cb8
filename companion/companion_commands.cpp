// The companion's request table.
#include "companion/companion_commands.h"

#include "hooklib/busy_word.h"
#include "hooklib/client_list.h"
#include "hooklib/companion_protocol.h"

namespace companion {

CompanionAnswer CompanionCommands::Handle(uint64_t command, int32_t claim, HookExports& exports,
                                          const ostrel::OstrelSharedMem& block) {
  using ostrel::CompanionCommand;
  if (ended_ || command < static_cast<uint64_t>(CompanionCommand::RegisterClient) ||
      command > static_cast<uint64_t>(CompanionCommand::RehookDesktop)) {
    return {ostrel::kCompanionRefused, false};
  }
  // A plant has found this companion: from now on it ends as soon as no live client is left.
  served_ = true;
  const bool claimed = command == static_cast<uint64_t>(CompanionCommand::RegisterClient) ||
                       command == static_cast<uint64_t>(CompanionCommand::UnregisterClient);
  // Windows keeps a request queued after its sender's wait ended, so a companion that was stuck
  // may come to one whose plant has given up.
  if (claimed && !ostrel::HoldsClaim(block.busy, claim)) {
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

bool CompanionCommands::CheckClients(int32_t liveClients, uint32_t nowMs) {
  if (ended_) {
    return false;
  }
  if (!looked_) {
    looked_ = true;
    firstLookMs_ = nowMs;
  }
  if (liveClients > 0) {
    served_ = true;
    return false;
  }
  // Unsigned difference: right across the tick count's wrap.
  if (!served_ && nowMs - firstLookMs_ < kFirstClientMs) {
    return false;
  }
  ended_ = true;
  return true;
}

}  // namespace companion
