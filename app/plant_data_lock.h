// The one lock of the plant's record and node array. The worker holds it while it simulates a
// chunk of steps (which may move the node array) and while it saves; the UI thread takes it to
// save the plant, to compute its health, or to change the record. Nobody holds it across a render,
// a message to another window or a wait for the other thread.
#pragma once

#include <mutex>

namespace plantapp {

/// The process's plant-data lock.
[[nodiscard]] std::mutex& PlantDataLock();

}  // namespace plantapp
