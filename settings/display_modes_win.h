// The display's modes, which decide how many refresh entries the editor offers and the file may
// keep on this machine.
#pragma once

#include <cstdint>

// How many rates after "auto" the current display offers, from every mode it lists; asks the
// platform each time and changes nothing.
int32_t displayRefreshSteps();
