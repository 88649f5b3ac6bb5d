// The display probe that sizes the refresh list.
#pragma once

// Reads the current display's modes once and sets refreshStepCount.
void probeRefreshRange();
