// The keyboard focus cycle: Tab moves one step forward through a fixed ring of 21 controls.
#pragma once

void cycleFocus();
