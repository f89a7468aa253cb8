// The direct route to the hook library: its exports, which the program imports at load time. The
// route of the 32-bit program on 32-bit Windows, and of the x86_64 test builds.
#pragma once

#include "app/hook_client.h"

namespace plantapp {

/// Calls the imported exports on the calling thread.
class DirectHookRoute final : public HookRoute {
 public:
  /// The export runs now, under the caller's claim, which it therefore ignores.
  [[nodiscard]] int32_t Call(ostrel::CompanionCommand command, int32_t claim) override;
};

/// The shared block of the loaded hook library.
[[nodiscard]] ostrel::OstrelSharedMem& LibraryBlock();

/// The watch over the holders of the library block's `busy` word; one per process.
[[nodiscard]] ostrel::HolderWatch& LibraryHolderWatch();

}  // namespace plantapp
