#pragma once
// Dialog 105, "Avanceret": the maintenance actions of an installation
// (support upload, lock or open the schedule, delete the schedule data,
// delete the lock file, move the data) and the choice of the move drive.

#include <cstddef>
#include <string>
#include <vector>

#include "windows.h"

// The private message on which dialog 103 deletes the schedule data.
constexpr UINT WM_SLET_DATA = 3031;

// TavoMenu's list of the record tables whose files "S&let data" deletes:
// the enrolment planning's tables are kept.
struct TavoMenuTab {
  const char *navn;  // file name in data\ without ".DAT"
  bool behold;
};
extern const TavoMenuTab TavoMenuTabRegister[];
extern const size_t TavoMenuTabAntal;

// The drive list of the PC ("C:" followed by the label or the kind of
// drive), built once from the logical drives and freed with the menu
// window.
void ByggDrevListe();
void FrigivDrevListe();
// The chosen entry of the combo box: 1 when it is a valid drive other than
// the move drive, which it then becomes; 0 otherwise (an invalid drive
// after its box, the focus back in the combo box).
int ValgFlytdrev(HWND combo);

// Asks and locks or opens the schedule.
void LaasAabnSkema(HWND ejer);
// The questions before the schedule data are deleted: 1 when they may be.
int BekraeftSletData(HWND ejer);
// Dialog 103 deleting the schedule data.
INT_PTR CALLBACK SletDataDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
// 1 when ini\tavo.lck may be deleted (at once when it is not in use).
int BekraeftSletLaasefil(HWND ejer);
// The events and postings not yet delivered to EASY from
// data/CntLokaleBeg.dat: 0, or -1 (both 0) when it is missing or does not
// hold two numbers.
int LaesCntLokaleBeg(unsigned long *begivenheder, unsigned long *posteringer);

// The support upload: not part of this program yet.
void SendSupportData(HWND ejer);

INT_PTR CALLBACK AvanceretDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
