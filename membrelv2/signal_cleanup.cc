// Removal of membrelv2's temporary files on a stopping signal. The handler may use only
// async-signal-safe calls, so the paths sit ready in a fixed table of character arrays; a slot
// counts only once its path is complete.
#include "membrelv2/signal_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>
#endif

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
#ifdef _WIN32
    if (slot.in_use != 0) std::remove(slot.path);
#else
    if (slot.in_use != 0) ::unlink(slot.path);
#endif
  }
  // End by the same signal with its default action, so the caller sees the usual status. The
  // signal is blocked while its handler runs and is delivered as the handler returns.
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

#ifdef _WIN32
void install() {
  for (const int signal_number : {SIGINT, SIGTERM}) std::signal(signal_number, remove_and_end);
}
#else
void install() {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    struct sigaction action {};
    // A signal the caller set to be ignored (nohup, a shell's background job) stays ignored.
    if (::sigaction(signal_number, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) {
      continue;
    }
    action = {};
    action.sa_handler = remove_and_end;
    sigemptyset(&action.sa_mask);
    for (const int other : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaddset(&action.sa_mask, other);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal_number, &action, nullptr);
  }
}
#endif

}  // namespace

bool hold_for_cleanup(const char* path) noexcept {
  if (!installed) {
    install();
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

void treat_file_size_limit_as_full_disk() noexcept {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void release_from_cleanup(const char* path) noexcept {
  for (Slot& slot : slots) {
    if (slot.in_use != 0 && std::strcmp(slot.path, path) == 0) slot.in_use = 0;
  }
}

}  // namespace membrelv2
