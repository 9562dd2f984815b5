#pragma once
// The plan window's marking-work and exam-time sub-views, and the "Rette
// arbejde" dialog that computes a marking-work figure for one cell from
// the students, an akkord percentage, a conversion factor, the student
// time and the assignments.

#include <cstdint>

#include "PLAN.h"
#include "windows.h"

// The plan window into the marking-work (UnderVisning 1) or exam-time (2)
// sub-view: the layouts of the view with the sub-view's caption, detail
// level 2, the employee columns on, scheduled lessons off, column-header
// switch 1 and left-panel switch 3 (the plan list keeps its layout); then
// the cursor out of the left panel, the columns and rows rebuilt on the
// same cell where it is still shown, and the window resized to the free
// client area. The caller repaints.
void SaetRettearbejdLayout(Plan *plan);
void SaetEksametidLayout(Plan *plan);

// Runs the dialog for the current cell (a plan-period or week column of
// a subject row; elsewhere nothing happens) and stores its total there on
// OK when it is not 0, with the counts it was computed from and the
// [ffplan] akkord and omrgnfaktor settings. Always 0.
int RedigerRettearbejde(Plan *plan);

#pragma pack(push, 1)
// The dialog's record; akkord is a fraction, shown as a percentage.
struct RetteData {
  uint32_t AntalElever;
  uint32_t AntalOpgaver;
  uint32_t MinutterPrOpgave;
  float Akkord;
  float Omregningsfaktor;
  float ElevtidPrElev;
  float RettetidPrElev;
  float Rettearbejd1;
  float Rettearbejd2;
  float RettearbejdIalt;
  float GemtIalt;
};
#pragma pack(pop)
static_assert(sizeof(RetteData) == 44);

// The record for the plan's current row and column: the subject's norm
// defaults, the [ffplan] settings, the stored figures of the period or
// week and its enrolled students; computed, with the total set.
void FyldRetteData(const Plan *plan, RetteData *d);
// rettetid pr. elev, rettearbejd 1 and 2 from the other fields (the
// total is left to the caller).
void BeregnRettearbejd(RetteData *d);

INT_PTR CALLBACK RetteDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// The record into the dialog's fields, and back; a field that does not
// hold a number reads as 0, "," and "." both as the decimal point.
void VisRetteData(HWND dlg, const RetteData *d);
void LaesRetteData(HWND dlg, RetteData *d);
