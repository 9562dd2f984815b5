#pragma once
// Painting of the plan window: the caption, the status line in the
// toolbar's pane, the three header panes, the row captions, the number
// cells with their day stripes and the summary cells. Main thread only;
// the painter takes no lock and keeps no state but each axis's previous
// cursor and the colours cached in the panes' EnsDCs.

#include <cstdint>

#include "DATO.h"
#include "ENSDC.h"
#include "PLAN.h"
#include "windows.h"

// What TegnPlan repaints.
enum : uint32_t {
  PLAN_TEGN_ALT = 1,       // everything
  PLAN_TEGN_KOLONNE = 2,   // the column cursor moved
  PLAN_TEGN_RAEKKE = 4,    // the row cursor moved
  PLAN_TEGN_HOVEDER = 8,   // the headers (horizontal scroll)
  PLAN_TEGN_RAEKKER = 16,  // the rows (vertical scroll)
};

// What the painter reaches of the plan window itself.
struct PlanVindueKroge {
  // Makes the program's current date follow the plan's column cursor and
  // tells the other windows; empty, the date stays.
  void (*SaetPlanPeriode)(Plan *plan);
};
extern PlanVindueKroge PlanVindueKrog;

// The colours of one cell: FarveTab indexes (a text colour of 60 or more
// draws black).
struct PlanFarver {
  uint8_t Tekst;
  uint8_t Fyld;
};

// With relayout: the scroll ranges of both bars again and a whole repaint;
// otherwise nothing.
void OpdaterPlanVindue(Plan *plan, bool relayout);
// The whole paint by the PLAN_TEGN_ flags: the row cursor kept within the
// rows, the caption (when the window draws its own frame), the status line
// (when it has its toolbar), the four panes, the axes' previous cursors,
// the switch buttons, and in an active window the program's current
// activity, employment and date. Nothing without a row table.
void TegnPlan(Plan *plan, uint32_t flag);
// The pane painters in the order TegnPlan calls them.
void TegnPlanOverskrifter(Plan *plan, uint32_t flag);
void TegnPlanRaekker(Plan *plan, uint32_t flag);
void TegnPlanCelleOmraade(Plan *plan, uint32_t flag);
void TegnPlanSumOmraade(Plan *plan, uint32_t flag);
// The plan group and its dates in the toolbar's pane.
void TegnPlanStatusLinie(Plan *plan);

// ---- Drawing primitives.
// Text in a cell, transparent: 2 pixels in from the left, 2 up from the
// bottom when the flags align at the bottom; the text colour set only when
// the DC's cache holds another.
void PlanTegnTekst(EnsDC *dc, const char *tekst, int x, int y, int bredde, int hoejde, uint8_t farve, UINT flag);
// The rectangle filled with bk and two glyphs of the fold-mark font drawn
// over each other at (x + dx, y + dy) in the text colour.
void PlanTegnMaerke(EnsDC *dc, uint8_t tegn1, uint8_t tegn2, int x, int y, int bredde, int hoejde, int dx, int dy,
                    uint8_t tekst, uint8_t bk);
// The cell filled with bk, the value as "%*ld" in `felt` characters at
// (x, y) and a grid line at the cell's right edge.
void PlanTegnTal(EnsDC *dc, long vaerdi, int felt, int x, int y, int bredde, int hoejde, uint8_t bk, uint8_t tekst);

// ---- Colours (positions on the axes).
PlanFarver PlanLXCelleFarve(const Plan *plan, uint32_t kolonnePos, uint32_t raekkePos);
PlanFarver PlanCelleFarve(const Plan *plan, uint32_t kolonnePos, uint32_t raekkePos);
PlanFarver PlanSumCelleFarve(const Plan *plan, uint32_t kolonnePos, uint32_t raekkePos);

// The row's budget (the derived-value bit masked off) is set and its plan
// sum in whole lessons lies above it.
bool PlanBudgetOverskredet(const Plan *plan, uint32_t raekke);
// The activity can be planned in the group between the two dates: a live
// team activity of the group whose dates overlap them, neither cancelled
// nor deleted in EASY.
bool AktiKanPlanlaegges(uint32_t akti, uint32_t gruppe, Dato fra, Dato til);

// ---- Geometry. Rows and columns are positions on their axes.
// The row's top in the pane (after the scroll) and the height of a row.
int PlanRaekkeY(const Plan *plan, uint32_t pos);
int PlanRaekkeHoejde(const Plan *plan);
// The column's left edge in its area's pane (the week area after the
// horizontal scroll).
int PlanKolonneX(const Plan *plan, uint32_t pos, uint32_t omraade);
