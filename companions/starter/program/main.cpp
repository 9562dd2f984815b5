// The starter's entry: the process's arguments become the command line the
// starter reads.

#include "STARTER.h"

int main(int argc, char **argv) {
  tavo::SetCommandLine(argc, argv);
  return StarterWinMain(0, 0, GetCommandLineA(), SW_SHOWDEFAULT);
}
