#pragma once
// The plan follow-up report ("TAVO planopfølgning for medarbejder"): per
// employment the planned lessons or hours of each activity and subject set
// against what was held up to a per dato and what is held or planned after
// it; menu commands 40297 (a free period) and 40279 (the accounting period).

#include <cstdint>

#include "DATO.h"
#include "UdskrivValg.h"
#include "windows.h"

struct PlanOpfValgRec : UdskrivValgRec {
  Dato PerDato = 0;
  bool Lektioner = false;
};

// Dialogs 182 and 167; lParam: the PlanOpfValgRec to fill.
INT_PTR CALLBACK PlanOpfDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// One report, saved and opened; 0, or 1 when no report was made.
int PrintPlanOpfEmployee(uint32_t anfo, const PlanOpfValgRec &valg);

// The command: with opgPeriode the accounting-period variant (dialog 167).
void PrintPlanOpfolgning(HWND hoved, bool opgPeriode);
// Menu commands 40297 and 40279.
void PlanOpfKommando(HWND hoved, UINT id, LPARAM lParam);
