#pragma once
// The checks before the main program takes its data: no update of the
// program folder running, the version check's run, a waiting update package
// started (and the program ending), and new central data for a SuperTavo
// installation.

#include <cstdint>

// CheckOpdatering's answers.
enum : int {
  OPDAT_INTET = 0,           // the version check ran and found nothing to install
  OPDAT_GAA_VIDERE = 1,      // nothing ran, or nothing could be installed
  OPDAT_KOERER = 2,          // an update is running (opdat.lck)
  OPDAT_PAKKE_STARTET = 3,   // an update package was started: the program ends
  OPDAT_PAKKE_FEJLEDE = 4,   // the package could not be started; koropd is kept
};

// True, after the box "Opdatering", when <program folder>opdat.lck exists.
bool CheckOpdatLck();
// The version check; one of the answers above. A package that cannot be
// started has been reported to the user.
int CheckOpdatering();
// 1 when the central server has data newer than the last contact, else 0.
// With `spoerg`, a SuperTavo installation is asked whether to fetch them,
// and Yes sends the main window F11 with Shift held.
int NyeDataCheck(bool spoerg);

// The server message pane of the status bar; the status bar fills it. Empty,
// the check shows nothing.
struct OpdatKroge {
  void (*ServerBesked)(const char *tekst);
};
extern OpdatKroge OpdatKrog;
