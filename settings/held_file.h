// How long a settings file that another program holds is waited for, on Windows, where a
// program may open a file so that nobody else can read or replace it.
#pragma once

// A virus scanner or an indexer holds a file for a few hundred milliseconds; a game holds it
// for its whole session. The read and the replace try again this often, for this long in all,
// before the hold counts as a failure: long enough for a scanner, short enough that Save does
// not seem to hang.
inline constexpr unsigned long heldFileRetryMs = 100;
inline constexpr unsigned long heldFileWaitMs = 1000;
