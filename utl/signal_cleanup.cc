// Removal of the temporary files being written when a stopping signal arrives. The handler may
// only use async-signal-safe calls, so the paths sit ready in a fixed table of character arrays;
// a slot counts only once its path is complete.
#include "utl/signal_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstring>

#include "utl/file_ops.h"

namespace utl::signal_cleanup {
namespace {

// More temporary files than a run ever writes at once (one for corvane, tallisk and gridkit).
constexpr int kSlots = 8;
// Room for the longest path the system opens, with its terminating zero.
constexpr std::size_t kLongestPath = 4096;

struct Slot {
  volatile std::sig_atomic_t in_use = 0;
  char path[kLongestPath];
};

Slot slots[kSlots];
bool installed = false;

extern "C" void remove_and_end(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.in_use != 0) file_ops::remove_quietly(slot.path);
  }
  // End by the same signal with its default action, so the caller sees the usual status. The
  // signal is blocked while its handler runs and is delivered as the handler returns.
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

}  // namespace

int hold(const char* path) noexcept {
  if (!installed) {
    file_ops::install_stop_handler(remove_and_end);
    installed = true;
  }
  const std::size_t size = std::strlen(path);
  if (size >= kLongestPath) return -1;
  for (int k = 0; k < kSlots; ++k) {
    Slot& slot = slots[k];
    if (slot.in_use != 0) continue;
    std::memcpy(slot.path, path, size + 1);
    // The path is complete before the handler may see the slot.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    slot.in_use = 1;
    return k;
  }
  return -1;
}

void treat_file_size_limit_as_full_disk() noexcept { file_ops::ignore_file_size_signal(); }

void release(int slot) noexcept {
  if (slot >= 0 && slot < kSlots) slots[slot].in_use = 0;
}

}  // namespace utl::signal_cleanup
