// Zintel's entry: the process's arguments become the command line it reads;
// started without any, it is given none, as it then builds its own.

#include "ZINTEL.h"

int main(int argc, char **argv) {
  tavo::SetCommandLine(argc, argv);
  char tom[] = "";
  return VersionWinMain(0, 0, argc > 1 ? GetCommandLineA() : tom, SW_SHOWDEFAULT);
}
