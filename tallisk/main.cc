// Command-line entry of tallisk: arguments to run(), fatal stops and running out of memory to
// standard output, status 1.
#include "tallisk/about.h"
#include "tallisk/run.h"
#include "utl/run_main.h"

int main(int argc, char** argv) { return utl::run_main(argc, argv, tallisk::kAbout, tallisk::run); }
