// The main program's entry: the process's arguments become the command
// line the program reads, and WinMain runs with the program's instance.

#include "OPSTART.h"
#include "ressourcer.h"
#include "windows.h"

int main(int argc, char **argv) {
  tavo::SetCommandLine(argc, argv);
  return WinMain(kOrvaneInstans, 0, GetCommandLineA(), SW_SHOWDEFAULT);
}
