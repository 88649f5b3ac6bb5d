// morvane-config in a Windows console: UTF-8 inside, UTF-16 at the edges where the platform
// needs it.
#pragma once

// The command line as the platform gives it, in UTF-8 for the command code; an argument that
// cannot be converted becomes empty. The strings live until the process ends.
char** utf8Arguments(int argc, wchar_t** argv);

// Where standard output or standard error is a console, its bytes (UTF-8) are from now on
// written to it as UTF-16, so every letter shows whatever the console's code page; output to a
// file or a pipe keeps its bytes.
void writeConsoleOutputAsUtf16();
// Everything written so far has reached the console.
void finishConsoleOutput();

// True when the program has a console of its own, as from a double-click in Explorer: nobody
// else reads it, and it closes when the program ends.
bool ownsItsConsole();
// Asks for a key and waits for it, so the window stays until the user has read it.
void waitForAKey();
