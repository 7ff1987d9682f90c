// What membrelv2 answers to --help and --version given as its only argument.
#pragma once

#include "about/about.h"

namespace membrelv2 {

extern const about::About kAbout;

}  // namespace membrelv2
