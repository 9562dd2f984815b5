#pragma once
// The program and data folders from the command line and the fixed file
// paths formed from them once at start-up.

#include <cstdint>

constexpr int kMappeLaengde = 261;  // 260 characters and the terminator
constexpr int kStiLaengde = 520;

struct StiTabData {
  char szprog[kMappeLaengde];   // program folder, with its backslash
  char szdata[kMappeLaengde];   // data folder, with its backslash
  uint8_t laastOenske;          // -l: a read-only start was asked for
  char szskrm[kStiLaengde];
  char szini[kStiLaengde];
  char szautoske[kStiLaengde];
  char szlck[kStiLaengde];
  char szexp[kStiLaengde];
  char szzipexp[kStiLaengde];
  char szimp[kStiLaengde];
  char szzipimp[kStiLaengde];
  char szepexp[kStiLaengde];
  char szzipepexp[kStiLaengde];
  char szepimp[kStiLaengde];
  char szzipepimp[kStiLaengde];
  char szasexp[kStiLaengde];
  char szasimp[kStiLaengde];
  char szopdatlck[kStiLaengde];
  char szdisableserver[kStiLaengde];
  char szdisableserverprog[kStiLaengde];
};

extern StiTabData StiTab;

// Reads -p, -d and -l from the process command line, fills szprog, szdata
// and laastOenske, and makes the program folder the current directory.
void MainCommandLine();
// The same over given arguments (UTF-8, argument 0 the program file); does
// not change the current directory.
void LaesKommandolinje(int argc, const char *const *argv);
// Fills every path from szdata and szprog.
void InitStiTab();
