// Whether what a program wrote to its standard output reached it: a full disk or a closed
// device under a redirection loses the text only when the buffer is flushed, which would
// otherwise go unseen and let a run that wrote nothing end with success.
#pragma once

namespace utl {

// Flushes standard output (the C++ stream and the C stream beneath it); false when any of
// what was written to it was lost.
bool standard_output_written();

}  // namespace utl
