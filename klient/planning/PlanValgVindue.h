#pragma once
// The plan selection window (PlanValgWndClass): the pick list through which
// the plan window adds activities or employees to the plan. Every mark and
// unmark is reported to the owner at once, so the owner may rebuild (or end
// this window) inside any report; nothing of the workspace is touched after
// a report unless the window still holds it. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "TASTINFO.h"
#include "VALG.h"
#include "windows.h"

struct Plan;

// The mark limit that gives a single choice: marking one record first
// clears the others, without a report for them.
constexpr uint32_t kPlanValgEnkelt = 1;
// What the raise word of a list adds to the table letter of the reports.
constexpr uint8_t kPlanValgHaevet = 5;

// The window's workspace, allocated zeroed by CreatePlanValgWnd and freed on
// WM_DESTROY. The frame's head comes first, as in every grid window.
struct PVWS {
  Ens ens;
  HWND hwnd;
  HWND hwndEjer;    // gets every report; the plan window in practice
  HWND hwndFokus;   // gets the focus back on WM_DESTROY
  uint8_t Bogstav;
  uint8_t ListeMode;          // 1: the rows are the list's, which the window owns
  ValgListe *pValgListe;
  uint32_t MaerkeGraense;     // 0 no marking, 1 single choice, n at most n
  uint32_t MarkeretAntal;
  uint8_t *Maerker;           // one byte per record of the table
  uint32_t MaerkeAntal;
  uint8_t Aendret;            // a mark was set or cleared by Space
  // The owner's period (message 1235).
  uint32_t FraUge;
  uint32_t TilUge;
  uint8_t FraDag;
  uint8_t TilDag;
  uint32_t GruppeMaske;
  uint32_t ListeArt;
  uint32_t TitelArt;
  uint8_t MaerkeValgt, MaerkeLayoutAntal;
  uint8_t ListeValgt, ListeLayoutAntal;
  uint8_t TitelValgt, TitelLayoutAntal;
  HWND *hwndSortBut;
  uint32_t SortButAntal;
  uint8_t SortKolonne;
  uint8_t SortSkift;          // 1: the sort column is sorted ascending now
  GridPos PosX;
  GridPos PosY;
  GridPos PosZ;
  uint32_t ForrigeX;
  uint32_t ForrigeY;
  uint32_t ObjTabPladser;     // entries allocated in ens.ObjTab (own list)
};

// Opens the window as a child of the desktop (id 40257) at (venstre, top),
// as large as it wants within right and bottom; the owner is asked for its
// period (1235) first. In list mode the window owns the list from here on,
// also when no window could be made. Shown, raised and announced to the
// main window (1116). 0 on failure.
HWND CreatePlanValgWnd(HWND ejer, uint8_t bogstav, int venstre, int top, int hoejre, int bund,
                       uint32_t maerkeGraense, uint8_t listeMode, ValgListe *liste, HINSTANCE inst);
LRESULT CALLBACK PlanValgWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The size wanted within the limit: the list layout, the mark block (with a
// mark limit), the scroll bar and the frame; at least 5 rows; never below
// 150 x 100 unless the limit is smaller.
int PlanValgBredde(const PVWS *v, uint32_t graense);
int PlanValgHoejde(const PVWS *v, uint32_t graense);

// The rows: a list as it stands, records outside the owner's plan group
// flagged and last; without one, the table's live records of the owner's
// weeks and the group mask. For employees the one to start on is chosen.
void FyldPlanValgListe(PVWS *v);
// Fills, scrolls to the current row, sets the scroll bar and, when active,
// tells the owner the current record (1229).
void GenopbygPlanValg(PVWS *v);

// The current row's record, 0 for none.
uint32_t PlanValgAktuelRec(const PVWS *v);
// Message 1331: 0 when the current record is not marked and cannot be.
bool PlanValgKanMarkere(const PVWS *v);
// The records the owner's current plan row holds, marked without reports;
// the number of records marked.
uint32_t MarkerFraPlanRaekke(PVWS *v);

// The key command of one key record: mode 1 only asks, mode 2 acts.
bool PlanValgTastKmd(PVWS *v, const TastInfo *tast, int mode);

// Painting: flag bits 1 all, 2 column change, 4 row change, 8 column
// scroll, 16 row scroll.
void TegnPlanValg(PVWS *v, uint32_t flag);
void TegnPlanValgRaekker(PVWS *v);
void TegnPlanValgMaerker(PVWS *v);
void TegnPlanValgBundlinje(PVWS *v);
void TegnPlanValgHoved(PVWS *v);
// Brings the current cell into view, sets both scroll bars and paints.
void PlanValgScroll(PVWS *v, uint32_t flag);

// One sort button per field of the chosen layout; sorting on one; the
// layout of the list chosen.
void LavSorterKnapper(PVWS *v);
void PlanValgSorter(PVWS *v, uint32_t kolonne);
void PlanValgSkiftLayout(PVWS *v, uint32_t n);
