#pragma once
// The staff plan summary tile (PlanMedOpgWndClass, window kind 40271): for
// the current employee and the plan group open in the plan window, the
// planned against the taught teaching, marking work, exam time and other
// hours, with totals and differences. It lives in an element cell of the
// screen layout and reads its figures from the plan window's Plan; every
// paint and every change of the current employee, week or data writes them
// anew.

#include <cstdint>

#include "ENSDC.h"
#include "windows.h"

// Panes, in the order of the workspace: one per figure column and one per
// total band, and the employee's accounting line.
enum PlanMedOpgRude : int {
  PMO_PLAN = 0,
  PMO_PLAN_IALT = 1,
  PMO_LAEST = 2,
  PMO_LAEST_IALT = 3,
  PMO_DIFF = 4,
  PMO_DIFF_IALT = 5,
  PMO_REGNSKAB = 6,
  PMO_RESULTAT = 7,
  PMO_LINJE = 8,
  kPlanMedOpgRuder = 9,
};

// The parts a fill clears, as bits: the header's period, the "Plan",
// "Læst" and "Diff." columns with their totals, the accounting line and the
// right block. The fill's modes are sums of them: 63 everything (no plan
// window), 62 all but the period (no employee), 60 all but the period and
// the "Plan" column (a group reaching outside the schedule period), 32 only
// the right block.
enum : uint32_t {
  PMO_RYD_PERIODE = 1,
  PMO_RYD_PLAN = 2,
  PMO_RYD_LAEST = 4,
  PMO_RYD_DIFF = 8,
  PMO_RYD_LINJE = 16,
  PMO_RYD_REGNSKAB = 32,
  PMO_RYD_ALT = 63,
};

struct PlanMedOpgWS {
  HWND hwnd;
  HWND hwndParent;
  EnsDC dc;
  HWND hwndRude[kPlanMedOpgRuder];
  EnsDC RudeDC[kPlanMedOpgRuder];
  int32_t Y[6];         // top, header band, period line, caption line, rows, total band
  int32_t X[7];         // left edge, caption column, three figure columns, second caption column, figure column
  int32_t TekstOffset;  // y of a figure inside its row
  uint32_t Anfo;        // the employment shown
  uint32_t SidstAnfo;
  uint32_t Uge;         // the current week
  uint32_t SidstUge;
  uint8_t Aktiv;
  uint8_t Optaget;      // set while the figures are being written
  uint32_t SidsteRyd;   // the parts the last fill cleared (for tests)
};

int32_t CalcPlanMedOpgCol1Width();
int32_t CalcPlanMedOpgCol2Width();
// Eight text lines + 21 pixels, at most the maximum.
int32_t CalcPlanMedOpgHeight(int32_t maksimum);
// The whole tile's width: both caption columns + 183.
int32_t CalcPlanMedOpgWidth();

// Fills the parts of `dele` with their background.
void RydPlanMedOpg(PlanMedOpgWS *ws, uint32_t dele);
// Writes every figure for the workspace's employment and the open plan.
void FyldPlanMedOpg(PlanMedOpgWS *ws);
// The frame, lines and captions, and the panes' background.
void TegnPlanMedOpg(PlanMedOpgWS *ws);

LRESULT CALLBACK PlanMedOpgWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// An untitled child of the element cell at (x, y) with a zeroed workspace,
// CalcPlanMedOpgWidth wide and CalcPlanMedOpgHeight high, child id 40271.
// Not shown. 0 when it cannot be made.
HWND CreatePlanMedOpgWnd(HWND parent, int x, int y);
