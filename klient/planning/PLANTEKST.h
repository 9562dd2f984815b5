#pragma once
// Plan texts: the captions of plan rows, the header texts of the caption,
// period/week and summary columns, and the texts of number and summary
// cells in the plan's number format. The window draws them and the CSV
// export writes them, so both show the same figures; nothing here needs a
// DC except the two caption painters.

#include <cstddef>
#include <cstdint>

#include "ENSDC.h"
#include "PLAN.h"

// Every text buffer of this module holds this many bytes.
constexpr size_t kPlanTekstLen = 256;

// Font codes of a cell text.
constexpr uint32_t PLAN_SKRIFT_SMAL = 1;  // the narrow font
constexpr uint32_t PLAN_SKRIFT_FED = 2;   // semi-bold (with SMAL) or bold

// The 1-based position of the group in the plan's group list; 0 when it is
// not listed or is deleted (positions of the others stay).
uint32_t PlanGruppeNr(const Plan *plan, uint32_t gruppe);
// The prefix of a row's caption: "%2d-" of the position of another group's
// row (three blanks when it has none), three blanks for such rows of the
// current group and for posted rows, "" for the rest.
void PlanGruppePrefiks(const Plan *plan, uint32_t raekke, char *tekst, size_t n);

// ---- The number format.
// Hours to `decimaler` places with a decimal comma ("%2d" without places);
// a negative figure gets one leading minus. Returns PLAN_SKRIFT_SMAL when a
// decimal part is written or the whole part reaches `skala`.
uint32_t PlanTimeTekst(double timer, uint8_t decimaler, uint32_t skala, char *tekst);
// Lessons held in tenths: none below 1; "%d,%d" when the tenths digit is set
// and a decimal is allowed, else whole lessons rounded ("%2d"). The font as
// above.
uint32_t PlanLektionTekst(int32_t tiendedele, bool decimal, uint32_t skala, char *tekst);

// ---- Captions. False, with an empty text, when the row's kind has no such
// caption or a record it names is missing.
// Activity captions (kinds 1, 13, 22, 34, 14, 15, 35).
bool PlanAktiTekst(const Plan *plan, uint32_t raekke, char *tekst);
// Employee and subject captions (kinds 2, 23, 9, 14, 15, 35, 200).
bool PlanAnfoTekst(const Plan *plan, uint32_t raekke, char *tekst);
// The subject of a subject row as the view by activity shows it, with the
// row's duplicate number.
bool PlanFagTekst(const Plan *plan, uint32_t raekke, char *tekst);
// The captions drawn in a cell: the activity caption single line at the
// bottom, inset 2 pixels; the employee caption 2 pixels in from the corner;
// both transparent in text colour farve.
void TegnAktiTekst(const Plan *plan, EnsDC *dc, uint32_t raekke, uint8_t farve, int x, int y, int bredde,
                   int hoejde);
void TegnAnfoTekst(const Plan *plan, EnsDC *dc, uint32_t raekke, uint8_t farve, int x, int y);

// ---- Header texts of a column (its number in the area's kind table);
// any other kind gives "". They may hold line breaks.
void PlanLXOverskrift(const Plan *plan, uint32_t kolonne, char *tekst);
void PlanXOverskrift(const Plan *plan, uint32_t kolonne, char *tekst);
void PlanRXOverskrift(const Plan *plan, uint32_t kolonne, char *tekst);

// ---- Cells. The text of a period/week cell of a row (row number in
// GrundTab); *pFarve (may be null) is set only where the text overrides the
// colour. Returns the font code.
uint32_t PlanCelleTekst(const Plan *plan, uint32_t kolonne, uint32_t raekke, char *tekst, uint8_t *pFarve);
// The text of a summary cell; 1 when the narrow font is wanted.
uint32_t PlanSumTekst(const Plan *plan, uint32_t kolonne, uint32_t raekke, char *tekst, uint8_t *pFarve);
