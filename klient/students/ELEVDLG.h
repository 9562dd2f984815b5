// The set-up dialogs of the student planning: the inside of each dialog,
// its controls and what it hands back on OK. What the commands do with the
// values is theirs. Main thread only.
#pragma once

#include <cstdint>

#include "BESKEDER.h"
#include "KATALOG.h"
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

// The planning window's kind (child id), which the dialogs ask with message
// ELEVPLAN_MAX_ANTAL for the largest number of weeks or lessons they offer:
// the group's number of slots.
constexpr UINT ELEVPLAN_MAX_ANTAL = 1354;
// That largest number; 0 without a planning window.
uint32_t ElevPlanMaxAntal();

// Dialog 152 (lParam: a copy of the la record). Week mode when the
// activity's group counts in weeks ('U'). OK checks the numbers and, when
// they pass, writes them and the four flags into the copy and ends with 1;
// the minimum and maximum go into the copy at once. Cancel ends with 2.
INT_PTR CALLBACK RetLaDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR VisRetLaDialog(HWND ejer, LaRec *kopi);

// The lessons of one day in the lesson grid of dialog 156.
constexpr uint32_t SETUP_LEKTIONER = 48;

// Dialog 156's record. Marks are 1 marked, 0 not, -1 not selectable (no
// box is shown for it).
struct ElevPlanSetup {
  uint8_t Uger;  // 1 weeks, 0 lessons
  // One mark per week of the schedule period: week index i at [i - 1].
  int32_t *UgeMarkeringer;
  uint32_t AntalUger;
  // Day d (from 0 over the installation's school days) and lesson l
  // (1..48) at [d * 48 + l - 1].
  int32_t *LektionsMarkeringer;
  uint32_t AntalDage;
  uint32_t MindsteAntal;  // the least number of marked weeks
  TgRec Tg;               // the group: its six default numbers are edited
};

// The installation's school days as dialog 156 lays them out: the first
// weekday (1 Monday) and their number (at most 7); and its lesson range
// (within 1..48).
uint32_t SetupFoersteDag();
uint32_t SetupAntalDage();
uint32_t SetupFoersteLektion();
uint32_t SetupSidsteLektion();

// Dialog 156 (lParam: the ElevPlanSetup). Works on copies of the marks and
// of the six numbers; OK checks them and, when they pass, hands back the
// numbers and the marks of the mode shown and ends with 1. Esc and
// "Annuller" end with 2 and hand back nothing.
INT_PTR CALLBACK ElevPlanSetupDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR VisElevPlanSetupDialog(HWND ejer, ElevPlanSetup *setup);
// Its control builders: the fixed controls; the caption, labels, numbers
// and boxes of week mode or of lesson mode (the other mode's boxes gone).
void OpretSetupKontroller(HWND hDlg);
void OpretUgeMarkeringer(HWND hDlg);
void OpretLektionsMarkeringer(HWND hDlg);
// The checks shared by both modes: minimum not above maximum, a block size
// and a number that is a multiple of it. False after the message, the
// failing edit selected and focused.
bool KontrollerSetup(HWND hDlg, bool uger, uint32_t min, uint32_t max, uint32_t antal,
                     uint32_t blok);
