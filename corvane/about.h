// What corvane answers to --help and --version given as its only argument.
#pragma once

#include "about/about.h"

namespace corvane {

extern const about::About kAbout;

}  // namespace corvane
