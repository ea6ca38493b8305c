#pragma once

#include "startshim/launch.h"

namespace stowkeep::startshim::win32 {

// True when the system refuses the calling user every right that would let
// them change the program, its library or the folder holding them (write,
// add, delete, rename, take over, change the permissions). Any other answer,
// a granted right or a failure of another kind, counts as changeable.
bool OnlyAdministratorsCanChange(const ProgramLocation& location);

} // namespace stowkeep::startshim::win32
