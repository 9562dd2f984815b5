// The planning window's key commands and messages over its workspace: the
// table of keys with their availability test (mode 1) and their effect
// (mode 2), the block move of an activity along its row, what follows a
// performed command, and the handlers of the window's own messages that its
// window procedure calls. Commands of other subsystems are reached through
// the hooks below; a key whose hook is empty is not available and answers 0
// in both modes. Main thread only.
#pragma once

#include <cstdint>

#include "ELEVPLANWS.h"
#include "TASTINFO.h"
#include "windows.h"

struct ElevPlanKroge {
  // I: the Elevplan test import (run after the test data is removed).
  void (*ImportElevplanTest)();
};
extern ElevPlanKroge ElevPlanKrog;

// The repaint a command or message asks of the window (the out value).
enum {
  ELEVPLAN_TEGN_ALT = 1,
  ELEVPLAN_TEGN_PLAN = 2,
  ELEVPLAN_TEGN_RAEKKE = 4,
  ELEVPLAN_TEGN_FREMDRIFT = 64,  // the progress text of the automatic placement
  ELEVPLAN_LUKKET = 128,         // the window was closed: the workspace is gone
};

// One key command (ctrl, shift, alt non-zero while held); mode 1 asks only
// whether it is available and changes and shows nothing, mode 2 performs
// it. 1 available or done, 0 refused or not available.
int ElevPlanKommando(ElevPlanWS *ws, uint32_t tast, uint32_t data, int ctrl, int shift, int alt,
                     int mode, int *pTegn);
// After a performed command that answered 1: rebuilds, moves the cursor or
// places the students again as the command needs. The repaint wanted,
// with ELEVPLAN_LUKKET when the window was closed.
int ElevPlanEfterKommando(ElevPlanWS *ws, uint32_t tast, int ctrl, int shift, int alt);

// Shift+Left/Right: moves the current activity's block from column PpFoer
// to the slot cursor over free cells, keeping its length. 1 when it moved
// (or, in mode 1, would move).
int FlytLaBlok(ElevPlanWS *ws, int mode);

// The window's messages of the planning: key messages (WM_KEYDOWN,
// WM_SYSKEYDOWN, 1366), 1363 (a key asked in mode 1; the answer in
// *pSvar), 1354 (the set-up dialogs ask for the largest number of weeks or
// lessons: the group's number of slots, in *pSvar), 1364 rebuild, 1365 rebuild dropping the changes, 1054 follow the
// tables' current records, 1046 the progress text, 1101 publish the current
// records. False for any other message. The repaint wanted in *pTegn.
bool ElevPlanBesked(ElevPlanWS *ws, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT *pSvar,
                    int *pTegn);
// The scroll refresh: rebuilds first when the activity cursor is on
// another row than the one painted last, scrolls both axes to their
// current cells and sets the scrollbars. The repaint wanted.
int OpdaterElevPlanScroll(ElevPlanWS *ws);
