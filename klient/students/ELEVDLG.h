// The set-up dialogs of the student planning: the inside of each dialog,
// its controls and what it hands back on OK. What the commands do with the
// values is theirs. Main thread only.
#pragma once

#include <cstdint>

#include "windows.h"

// Dialog 151's record: the number of runs and the method, one of the two
// bytes set.
struct SimuleringValg {
  uint32_t Antal;
  uint8_t KunPrio1;  // only priority-1 wishes
  uint8_t Prio12;    // priority-1 and priority-2 wishes
};

// Dialog 151 (lParam: the SimuleringValg). OK reads the number and the
// method and ends with 1; Cancel ends with 2.
INT_PTR CALLBACK SimuleringDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Dialog 151 shown over the owner, its template registered first; the
// dialog's result (1 OK, 2 Cancel).
INT_PTR VisSimuleringDialog(HWND ejer, SimuleringValg *valg);

// A number typed into an edit of a dialog: up to 199 characters read as a
// decimal integer (leading blanks and a sign allowed, the first other
// character ends it; no digits give 0), held to 0..4294967295.
uint32_t LaesDlgTal(HWND hDlg, int id);
