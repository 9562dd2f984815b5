#pragma once
// The plan/norm follow-up report ("TAVO plan-/normopfølgning for
// medarbejdere", menu command 40280): one line per chosen employee with the
// norm due up to the end of a month, the planned and actual hours since the
// start of the accounting period, the planned hours not yet held and the
// result.

#include <cstdint>
#include <vector>

#include "DATO.h"
#include "UdskrivValg.h"
#include "windows.h"

// Dialog 175; lParam: the UdskrivValgRec to fill (Til: the month's end D;
// Fra holds the proposed month YYYYMM on the way in).
INT_PTR CALLBACK PlanNormDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The month end D of the dialog's entry: a valid day or a YYYYMM both give
// the last day of their month; 0 when the entry is neither.
Dato PlanNormMaanedsSlut(uint32_t indtastet);

// The report of the employments at D, saved and opened; 0, or 1 when no
// report was made.
int PrintPlanNormOpfolgning(const std::vector<uint32_t> &anfo, Dato d);

// Menu command 40280.
void PlanNormKommando(HWND hoved, UINT id, LPARAM lParam);
