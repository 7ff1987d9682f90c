// What tallisk answers to --help and --version given as its only argument.
#pragma once

#include "about/about.h"

namespace tallisk {

extern const about::About kAbout;

}  // namespace tallisk
