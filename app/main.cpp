// Program entry: the editor takes no arguments; only the show state is passed on.
#include "app/shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  return runEditor(instance, showState);
}
