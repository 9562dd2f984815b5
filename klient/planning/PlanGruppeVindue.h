#pragma once
// The plan groups window (PlanGruppeWndClass, child id 40266): this
// installation's plan groups with the empty row for a new one; a group is
// named, dated, deleted, chosen for the plan window, and its periods and
// the assignment window opened from here. A group's plan periods follow its
// dates at once; a new or redated group saves ffpg and ffpp at once, a
// deletion leaves its changed blocks to the next save. Main thread only.

#include <cstdint>
#include <vector>

#include "DATO.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "windows.h"

constexpr uint32_t kPlanGruppeKolonner = 4;  // GrpNr, Navn, Fradato, Tildato
constexpr uint32_t kPlanGruppeNavnMaks = 30;  // what the edit box takes

// ---- the groups without the window

// The groups listed: in use, not deleted, of this installation, in the plan
// groups' order; element 0 is 0.
std::vector<uint32_t> PlanGruppeListe();

// The check of one typed date of the group: column 3 (Fradato) or 4
// (Tildato). On a refusal the message (caption "Fejl indtastning", owner
// ejer) says why; true when the date may be stored.
bool TjekPlanGruppeDato(HWND ejer, uint32_t gruppe, uint32_t kolonne, int64_t dato);

// Fits the group's plan periods to a new first (hvilken 1) or last
// (hvilken 2) date and stores the date in the group when they allow it.
// The questions go to ejer; false when refused or cancelled, with the
// group's dates and periods as they were.
bool TilpasGruppeDato(HWND ejer, uint32_t gruppe, Dato dato, int hvilken);

// A new group named navn (at most 50 characters taken) dated over this
// calendar year by the clock, with one plan period over its weeks, no
// memberships left from an earlier use of its record, ffpg saved; it
// becomes the current plan group. Its record number, 0 when none could be
// had.
uint32_t OpretPlanGruppe(const char *navn);

// What storing an edited cell did.
enum PlanGruppeGemt { PG_INTET = 0, PG_NAVN, PG_DATO, PG_NY };
// Stores the text typed in column kolonne (2..4) of the group (0: the
// empty row): a name, a checked and fitted date, or on the empty row's name
// column a new group (*ny gets its record number). After a name or a date
// the group is saved and the plan export marked; after a date the periods
// are brought into line with the dates, ffpp saved, and an open plan window
// closed and asked to open again on the new dates.
PlanGruppeGemt GemPlanGruppeCelle(HWND ejer, uint32_t gruppe, uint32_t kolonne, const char *tekst, uint32_t *ny);

// Deletes the group with its periods, subject distribution, plan rows with
// their week and period numbers, and memberships; asks (owner ejer) only
// when plan numbers are registered. The blocks go with the next save; the
// plan window is told. False when cancelled or there is no such group.
bool SletPlanGruppe(HWND ejer, uint32_t gruppe);

// Enter on a row: the group (0 on the empty row) is written as the chosen
// plan group; an open plan window showing another group reloads, else the
// plan groups window (hwnd) closes and the main window opens the plan
// window. True when hwnd was closed.
bool VaelgPlanGruppe(HWND hwnd, uint32_t gruppe);

// ---- the window

// The workspace, handed over at creation and freed on WM_DESTROY.
struct PlanGruppeWS {
  alignas(8) Ens Hoved;
  HWND hwnd;
  int32_t Id;
  const TabDesc *pTd;
  TabVar *pTv;
  uint8_t Bogstav;           // '+'
  uint32_t KolonneSwitch;    // the columns' layout (window kind 109)
  alignas(4) GridPos PosX;   // 4 columns; the cursor never rests on 1
  alignas(4) GridPos PosY;   // the groups and the empty row
  HWND hwndRediger;          // the open edit box, 0 when none
  HWND hwndKolKnapper[kPlanGruppeKolonner];
};

HWND CreatePlanGruppeWnd(int x, int y, int bredde, int hoejde, int id);
LRESULT CALLBACK PlanGruppeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The workspace of a plan groups window, null for any other window.
PlanGruppeWS *PlanGruppeVinduesWS(HWND hwnd);
// The group on the cursor row, 0 on the empty row.
uint32_t PlanGruppeAktuel(const PlanGruppeWS *ws);
