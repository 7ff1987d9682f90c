// membrelv2's own removal of the temporary files being written when a stopping signal arrives
// (interrupt, termination, hang-up, a closed pipe); the program then ends by that signal.
#pragma once

namespace membrelv2 {

// Keeps `path` ready for removal should a stopping signal arrive, installing the handlers on
// first use; call it before the file is created. False when the path is too long or every slot
// is taken (the file must then not be made).
bool hold_for_cleanup(const char* path) noexcept;

// Forgets `path`: the file was renamed or removed.
void release_from_cleanup(const char* path) noexcept;

// Ignores the signal of a file size limit, so that writing past the limit fails as on a full
// disk (the error "File too large") and the run reports it and removes its temporary files,
// rather than being killed without a word. Nothing on systems without that signal.
void treat_file_size_limit_as_full_disk() noexcept;

}  // namespace membrelv2
