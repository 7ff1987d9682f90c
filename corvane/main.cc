// Command-line entry of corvane: arguments to run(), fatal stops and running out of memory to
// standard output, status 1.
#include "corvane/about.h"
#include "corvane/run.h"
#include "utl/run_main.h"

int main(int argc, char** argv) { return utl::run_main(argc, argv, corvane::kAbout, corvane::run); }
