// The planning workspace of one enrolment group: its learning activities,
// slots and students as 1-based position lists, the plan, blocking, wish and
// placement matrices over those positions, and the changed flags that decide
// what is written back when the group is left. Every placement of a student
// goes through the primitives here, so that the counts in la and elev and
// the matrices stay in step. A record that is not in the lists (position 0)
// is passed by: no matrix is read or written at row or column 0.
// Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ENS.h"
#include "GRIDAKSE.h"
#include "tavo/assert.h"
#include "windows.h"

// A byte matrix over positions: rows 1..Raekker, columns 1..Kolonner, one
// zeroed allocation of (Raekker + 1) x (Kolonner + 1) bytes, row by row;
// row 0 and column 0 are never used.
struct ElevMatrix {
  uint8_t *Data;
  uint32_t Raekker;
  uint32_t Kolonner;

  // Row r from its column 0, for loops that walk a row.
  uint8_t *Raekke(uint32_t r) { return Data + size_t(r) * (Kolonner + 1); }
  const uint8_t *Raekke(uint32_t r) const { return Data + size_t(r) * (Kolonner + 1); }
  uint8_t &operator()(uint32_t r, uint32_t c) {
    TAVO_ASSERT(r >= 1 && r <= Raekker && c >= 1 && c <= Kolonner);
    return Raekke(r)[c];
  }
  uint8_t operator()(uint32_t r, uint32_t c) const {
    TAVO_ASSERT(r >= 1 && r <= Raekker && c >= 1 && c <= Kolonner);
    return Raekke(r)[c];
  }
};

// A new zeroed matrix in place of the old one; false (and an empty matrix)
// when the memory is not there.
bool NyElevMatrix(ElevMatrix *m, uint32_t raekker, uint32_t kolonner);
void FrigivElevMatrix(ElevMatrix *m);

// PlanGitter codes: a block of consecutive slots held by an activity.
enum : uint8_t {
  PLAN_FRI = 0,
  PLAN_ENKELT = 1,  // a block of one slot
  PLAN_START = 2,
  PLAN_MIDTE = 3,
  PLAN_SLUT = 4,
};
// Placeringer codes.
enum : uint8_t { PLACERET = 1, PLACERET_DUBLET = 2 };
// Markeringer codes.
enum : uint8_t { MARKERET_HER = 1, MARKERET_OVERLAP = 2, MARKERET_DUBLET = 4 };

// The window kind of the activity rows' field layout.
constexpr uint32_t ELEVPLAN_LA_ART = 75;

// The field layouts of the planning window, by index into SwitchArt.
enum {
  ELEVPLAN_ART_LA = 0,
  ELEVPLAN_ART_TG = 1,
  ELEVPLAN_ART_PP1 = 2,
  ELEVPLAN_ART_PP2 = 3,
  ELEVPLAN_ARTER = 4
};

// Placement methods of the automatic placement.
constexpr uint8_t METODE_KUN_PRIO1 = 1;
constexpr uint8_t METODE_PRIO12 = 2;

struct ElevPlanWS {
  Ens ens;  // the grid frame's head comes first

  // Cursors: groups, activity rows (positions in LaVisTab), slot columns
  // (positions in PpTab). Aligned, although the packed head before them is
  // not: the grid code takes references to their words.
  alignas(4) GridPos TgPos;
  alignas(4) GridPos LaPos;
  alignas(4) GridPos PpPos;

  uint8_t Bogstav;     // the window's table letter ('K')
  uint8_t SidstAktiv;  // the student window activated last: 1 planning, 2 activity,
                       // 3 student overview, 4 student wish window
  // The window kinds of the four field layouts in use (75 activity rows,
  // 81 group line, and by the group's mode 79 and 77 or 80 and 76), the
  // number of layouts of each kind for the letter and the chosen one.
  uint32_t SwitchArt[ELEVPLAN_ARTER];
  uint32_t AntalLayouts[ELEVPLAN_ARTER];
  uint32_t ValgtLayout[ELEVPLAN_ARTER];

  // The group the lists and matrices below were built for; 0 none.
  uint32_t Tg;
  uint32_t *TgTab;  // live groups, table order, 1-based
  uint32_t TgAntal;
  // The group's live activities (without the archived ones while the group
  // hides them), table order; LaIndeks maps a record number (below
  // LaIndeksAntal) to its position; LaVisTab is the row order shown.
  uint32_t *LaTab;
  uint32_t LaAntal;
  uint32_t *LaIndeks;
  uint32_t LaIndeksAntal;
  uint32_t *LaVisTab;
  uint32_t *PpTab;  // the group's live slots, table order
  uint32_t PpAntal;
  uint32_t *PpIndeks;
  uint32_t PpIndeksAntal;
  // The students with a live enrolment in the group, in enrolment order;
  // ElevVisTab is the row order of a student grid.
  uint32_t *ElevTab;
  uint32_t ElevAntal;
  uint32_t *ElevIndeks;
  uint32_t ElevIndeksAntal;
  uint32_t *ElevVisTab;
  uint32_t *LaLektioner;  // lesson weight by activity position

  ElevMatrix PlanGitter;     // activity x slot
  ElevMatrix LaSpaerring;    // activity x slot: 1 the slot may not hold the activity
  ElevMatrix ElevSpaerring;  // student x slot: 1 the student is not free
  ElevMatrix Oensker;        // activity x student: wish priority 1 or 2
  ElevMatrix Placeringer;    // activity x student
  ElevMatrix Markeringer;    // activity x student
  // Activity x activity, 0 or 1 in every cell (the placement primitives
  // look for the 1s).
  ElevMatrix Dubletter;
  ElevMatrix Overlap;

  uint32_t HusketLa;        // activity whose wishes are marked for transfer
  uint32_t *HuskedeElever;  // students remembered from activity HuskedeLa
  uint32_t HuskedeAntal;
  uint32_t HuskedeLa;

  uint8_t PlaceringsMetode;
  uint32_t AntalSimuleringer;
  uint32_t SimuleringNr;
  uint8_t SimuleringKoerer;
  uint32_t SimuleringTaeller;  // the progress text's third figure: 1 from the first run on
  // Set by the planning window: called after each run of the automatic
  // placement with ELEVPLAN_TEGN_ALT when the run became the best (the
  // window is redrawn), else ELEVPLAN_TEGN_FREMDRIFT (only the progress
  // display); SimuleringNr is the run's number.
  void (*SimuleringTegn)(ElevPlanWS *ws, int tegn);

  uint8_t PlanAendret;       // slot plan: lap
  uint8_t PlaceringAendret;  // placements: ev
  uint8_t SpaerringAendret;  // students' blocked slots: eb

  // The window.
  HWND hwnd;
  uint8_t IElement;  // shown in a cell of the screen layout
  RECT GemtRect;     // the rectangle before maximising
  uint32_t LaFoer;   // cursors before the key that moved them
  uint32_t PpFoer;
  uint32_t SidsteRetning;  // VK_RIGHT or VK_DOWN: the arrow that X steps on with
  uint32_t TgTegnet;       // cursor positions painted last
  uint32_t LaTegnet;
  uint32_t PpTegnet;
  HWND *SorterKnapper;  // sort buttons over the activity header (malloc)
  uint32_t SorterKnapAntal;
  uint32_t SorteretKolonne;
  uint8_t Sorteret;
  uint8_t SorterRetning;  // 0 ascending, 2 descending
  EnsDC RammeDC;          // the window's own DC for the group line and the progress text
};

// A new empty workspace for a window of table letter bogstav: placement by
// priority 1 and 2, 100 runs. Null without memory. FrigivElevPlanWS frees
// it (after writing back).
ElevPlanWS *NytElevPlanWS(uint8_t bogstav, uint8_t sidstAktiv);
// Frees every list and matrix (nothing is written back) and empties the
// counts; the workspace itself stays.
void FrigivElevPlanLister(ElevPlanWS *ws);

// Positions of records in the lists; 0 for a record that is not listed.
uint32_t LaPosition(const ElevPlanWS *ws, uint32_t la);
uint32_t PpPosition(const ElevPlanWS *ws, uint32_t pp);
uint32_t ElevPosition(const ElevPlanWS *ws, uint32_t elev);
// The current group, activity (LaVisTab at the row cursor) and slot as
// record numbers; 0 when there is none.
uint32_t AktuelTg(const ElevPlanWS *ws);
uint32_t AktuelLa(const ElevPlanWS *ws);
uint32_t AktuelPp(const ElevPlanWS *ws);

// The lesson weight of an activity in group tg: weeks in a week group ('U'),
// lessons otherwise.
uint32_t LaVaegt(uint32_t la, uint32_t tg);

// Rebuilds the workspace for the current group, writing back the changes of
// the group shown so far first.
void BuildElevPlanData(ElevPlanWS *ws);
// LaVisTab in the order of the activity rows' sort field, the row axis and
// its cursor on the la table's current record (the first row when it is
// not listed).
void ByggLaRaekker(ElevPlanWS *ws);
// A student grid's rows: ElevVisTab from ElevTab, put in order by sorter
// when given; the grid's cursor pos on the elev table's current record
// (the first row when it is not listed).
typedef void (*ElevRaekkeSorter)(void *ctx, uint32_t *raekker, uint32_t antal);
void ByggElevRaekker(ElevPlanWS *ws, GridPos *pos, ElevRaekkeSorter sorter, void *ctx);

// Removes the test enrolment data (groups with an id below 11, every record
// of the other tables that points to such a group or to group record 0, and
// the students marked as test students) in mode 2; true.
bool PurgeTestTg(int mode);

// A student's state at a slot: 4 blocked; else the kind (1, 2 or 3) of the
// student's direct placement on an activity that holds the slot, its
// position in *pLaPos; else 0.
int ElevStatusVedPp(const ElevPlanWS *ws, uint32_t pp, uint32_t elev, uint32_t *pLaPos);
// An activity's fill: 1 below its least number of students, 2 below its
// greatest, 3 full, 4 over.
int LaFyldning(uint32_t la);

// ---- Placement primitives ----

// Places the student on the activity with kind k (1 on a priority-1 wish,
// 2 on a priority-2 wish, anything else without such a wish): the counts,
// the duplicates' placement marks and the display marks of every activity
// that shares a slot with it.
void PlacerElevPaaLa(ElevPlanWS *ws, uint32_t la, uint32_t elev, uint32_t kind);
// Takes the student's direct placement on the activity off, with kind k;
// nothing when the student is not placed there directly.
void FjernElevFraLa(ElevPlanWS *ws, uint32_t la, uint32_t elev, uint32_t kind);
// Every student placed directly on the activity, each with its wish
// priority as kind (3 without a wish).
void FjernAlleEleverFraLa(ElevPlanWS *ws, uint32_t la);
// Empties the placements, keeping those on activities whose students are
// kept (BeholdElever). The kept students are marked by the overlap as it
// stands: after the overlap is recomputed, GenopbygMarkeringer.
void NulstilPlaceringer(ElevPlanWS *ws);
// Every display mark rebuilt from the direct placements and the overlap as
// it stands now.
void GenopbygMarkeringer(ElevPlanWS *ws);
// Writes wish priority prio for the student into the activity's row and
// into the row of each of its duplicates, only into empty cells when
// kunTomme is set.
void SaetOenske(ElevPlanWS *ws, uint32_t la, uint32_t elev, uint8_t prio, bool kunTomme);

// The kind that removing the student's placement on activity position a
// takes: the wish priority, 3 without one.
uint32_t PlaceringsArt(const ElevPlanWS *ws, uint32_t a, uint32_t s);
// Students placed directly on activity position a.
uint32_t AntalPaaLa(const ElevPlanWS *ws, uint32_t a);

// ---- Blocks of PlanGitter ----

// Writes a block of laengde cells from column c in row r: 1 for one cell,
// else 2, 3 ... 3, 4. A block that would run past the last column is cut
// there; a length of 0 counts as 1.
void SkrivPlanBlok(ElevMatrix *m, uint32_t r, uint32_t c, uint32_t laengde);
// The length of the block that starts at (r, c): 1 for a one-cell block,
// else its cells from the start code through the end code; 0 when no block
// starts there.
uint32_t PlanBlokLaengde(const ElevMatrix &m, uint32_t r, uint32_t c);
