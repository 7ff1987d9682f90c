// Removal of membrelv2's temporary files on a stopping signal. The handler may use only
// async-signal-safe calls, so the paths sit ready in a fixed table of character arrays; a slot
// counts only once its path is complete.
#include "membrelv2/signal_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstring>

#include "membrelv2/file_ops.h"

namespace membrelv2 {
namespace {

// More temporary files than a run holds at once (the two listings and one grid).
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

bool hold_for_cleanup(const char* path) noexcept {
  if (!installed) {
    file_ops::install_stop_handler(remove_and_end);
    installed = true;
  }
  const std::size_t size = std::strlen(path);
  if (size >= kLongestPath) return false;
  for (Slot& slot : slots) {
    if (slot.in_use != 0) continue;
    std::memcpy(slot.path, path, size + 1);
    // The path is complete before the handler may see the slot.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    slot.in_use = 1;
    return true;
  }
  return false;
}

void treat_file_size_limit_as_full_disk() noexcept { file_ops::ignore_file_size_signal(); }

void release_from_cleanup(const char* path) noexcept {
  for (Slot& slot : slots) {
    if (slot.in_use != 0 && std::strcmp(slot.path, path) == 0) slot.in_use = 0;
  }
}

}  // namespace membrelv2
