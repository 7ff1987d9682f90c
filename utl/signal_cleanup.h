// Temporary files removed when a run is stopped by a signal (interrupt, termination, hang-up,
// a closed pipe), after which the program ends by that same signal.
#pragma once

namespace utl::signal_cleanup {

// Keeps `path` ready for removal should a stopping signal arrive, installing the handlers on
// first use. Call it before the file is created. Returns the slot to give back to release(),
// or -1 when the path is too long or every slot is taken (the file must then not be made).
int hold(const char* path) noexcept;

// Forgets the path of `slot` (the file was renamed or removed); -1 is ignored.
void release(int slot) noexcept;

// Ignores the signal of a file size limit, so that writing past the limit fails as on a full
// disk (the error "File too large") and the run reports it and cleans up, rather than being
// killed without a word. Call it before anything is written. Nothing on systems without it.
void treat_file_size_limit_as_full_disk() noexcept;

}  // namespace utl::signal_cleanup
