#pragma once
// The starter Tavo: works out the program and data folders from its
// command line, starts the start menu TavoMenu with them and ends.

#include <string>

#include "windows.h"

// Reads the process's command line into the two folders (each of 260
// characters, ending in a backslash when longer than one character): -p
// the program folder (else the starter's own folder), -d the data folder
// (else the program folder). Makes the program folder the current folder.
void StarterCommandLine(char *programMappe, char *dataMappe);

// TavoMenu's command line for the two folders: every part quoted, each
// folder passed without one trailing backslash.
std::string StarterMenuLinje(const char *programMappe, const char *dataMappe);

// Starts TavoMenu without waiting for it; a start that fails shows the
// "Fejl" box. Always 0.
int StarterWinMain(HINSTANCE instans, HINSTANCE forrige, LPSTR linje, int vis);
