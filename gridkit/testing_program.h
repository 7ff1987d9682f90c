// What gridkit's tests that run the built program in a scratch directory share: the program
// runner and the whole-file reads and writes of tests/support, under short names.
#pragma once

#include <filesystem>

#include "tests/support/run_program.h"

namespace gridkit::testing_program {

namespace fs = std::filesystem;
using testsupport::run_program;
using testsupport::slurp;
using testsupport::spit;

}  // namespace gridkit::testing_program
