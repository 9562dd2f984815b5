// The start menu's entry: the process's arguments become the command line
// the start menu reads.

#include "MENU.h"

int main(int argc, char **argv) {
  tavo::SetCommandLine(argc, argv);
  return MenuWinMain(0, 0, GetCommandLineA(), SW_SHOWDEFAULT);
}
