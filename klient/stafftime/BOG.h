#pragma once
// The posting window (BogWndClass): hours posted on absence activities per
// activity and employment. In the activity mode ('K') the main objects are
// the OVAK activities and the partners their employments; in the staff mode
// ('M') the other way round. The partners come from aakrel; the grid shows
// one row per partner and one column per month of the schedule period with
// the month's sum of the pair's postings. The window reads the month
// buckets directly and changes postings only through the data store's
// posting operations. Main thread only.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "BESKEDER.h"
#include "DATO.h"
#include "ENS.h"
#include "windows.h"

struct TabDesc;
struct TabVar;


// Field-layout kinds of the window: the main-object line, the partner rows,
// the month header and the month cells.
constexpr uint32_t kBogHovedArt = 36;
constexpr uint32_t kBogPartnerArt = 37;
constexpr uint32_t kBogMaanedHovedArt = 38;
constexpr uint32_t kBogCelleArt = 39;


// The cursor, shared with the month pane (not owned by it).
struct BogAktuelRec {
  uint32_t Hoved;    // main object record
  uint32_t Partner;  // partner record
  uint32_t Dato;     // current date YYYYMMDD
  uint32_t Maaned;   // current month YYYYMM
  uint32_t Foerste, Sidste;  // the dates postings may carry
};

// One posting shown. The month is kept with its year (YYYYMM), so that an
// entry names its bucket also across New Year.
struct BogVisPost {
  uint32_t Maaned;
  uint32_t Raekke;  // row in the month's bucket
  uint32_t Naeste;  // next entry of the same partner and month; 0 ends
};

// One (partner, month) cell: signed sum of hundredths and its chain.
struct BogCelle {
  int32_t Sum;
  uint32_t Foerste;
};

struct BOGWS {
  alignas(8) Ens Hoved;  // ObjTab/ObjTabAntal: the main objects; pTd/pTv: the main table
  char Bogstav;          // 'K' or 'M'
  char PartnerBogstav;   // 'M' or 'K'
  const TabDesc *pTdPartner;
  TabVar *pTvPartner;
  uint32_t AktuelObj;      // index into Hoved.ObjTab, 0 none
  // The partners of the current main object; Status10[i] is 1 where the
  // relation has status 10.
  std::vector<uint32_t> SubObjTab{0};
  std::vector<uint8_t> SubObjTab2{0};
  std::vector<uint32_t> SubObjTab3{0};
  uint32_t AktuelPartner;  // index into SubObjTab, 0 none
  MaanedIndeks AktuelKolonne;  // 1..months of the period
  // The frame's axes: months across, partners down; their current cells
  // follow AktuelKolonne and AktuelPartner.
  GridPos PosX, PosY;
  std::vector<BogVisPost> BogVisListe{BogVisPost{}};
  // (partner records) x (months of the period), partner-major.
  std::vector<BogCelle> Celler;
  uint32_t CellePartnere, CelleMaaneder;
  HWND hwndMnd, hwndValg, hwndRet;
  // The sort buttons, one per field of the chosen partner layout; SortKnap
  // is the 1-based number of the one pressed last, 0 none.
  std::vector<HWND> SortKnapper;
  uint32_t SortKnap;
  uint8_t Faldende;        // the sort button was pressed twice
  BogAktuelRec Aktuel;
  uint8_t MndRude;
  uint32_t GruppeMaske;
  uint8_t Aktiv, Frosset;
  char Cifre[8];
  HWND hwnd;
};

// ---- The lists (rebuilt as a whole on 1122) ----

// Main objects: Status 10..29, a group bit in the window's mask, the
// current month inside Fradato..Tildato by month; OVAK activities only in
// the activity mode. Sorted by the main-object layout's sort field; the
// current one stays current by record, else the first.
void ByggBogHovedListe(BOGWS *ws);
// Partners of the current main object from aakrel (live entries, record
// inside the partner table), one entry per partner.
void ByggBogPartnere(BOGWS *ws);
// Posting list and cell sums of the current main object under the
// program-wide posting filters.
void ByggBogVisListe(BOGWS *ws);
// All three, keeping the cursor by record numbers.
void GenopbygBog(BOGWS *ws);

uint32_t BogHovedRec(const BOGWS *ws);
uint32_t BogPartnerRec(const BOGWS *ws);
const BogCelle *BogCelleAt(const BOGWS *ws, uint32_t partner, MaanedIndeks m);
// Sum of the partner's row over the budget period of the pair's activity
// (clipped to the schedule period), else over the whole period.
int64_t BogPartnerSum(const BOGWS *ws, uint32_t partner);
// Sum of the current partner's row over the main-object line's span: the
// whole period (activity mode), the employment's accounting period holding
// the current date (staff mode), or the calendar year of the current date
// when that has no end or [global] anfosumperaar is "ja".
int64_t BogHovedSum(const BOGWS *ws);
void BogHovedSpan(const BOGWS *ws, MaanedIndeks *fra, MaanedIndeks *til);

// ---- Cursor ----

// Moves partner and month by the steps (clamped); publishes the cursor
// when the window is active. True when anything moved.
bool BogFlyt(BOGWS *ws, int dPartner, int dMaaned);
// Ctrl+F: the next main object and partner (after the current ones,
// wrapping once) with a posting under the filters; the month column goes
// to the month of its first posting. False when none or no filter is on.
bool BogFindNaeste(BOGWS *ws);
// Sort button i (1-based): by that field; the same button again reverses.
void BogSorter(BOGWS *ws, uint32_t knap);
// The group mask the staff mode starts with (kept for the employment table).
extern uint32_t BogMedaGruppeMaske;

// Fills a new workspace for mode bogstav ('K' or 'M') and builds its lists
// at the program's current date and the tables' current records; false for
// another letter.
bool BogForbered(BOGWS *ws, char bogstav);
// Takes the cursor from the program's current date and the two tables'
// current records, and rebuilds.
void BogTagCursor(BOGWS *ws);
// Frees the main-object list (the rest goes with the workspace).
void BogFrigivLister(BOGWS *ws);

// ---- The window ----

LRESULT CALLBACK BogWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerBogKlasse(HINSTANCE inst);
// The window of mode `bogstav` ('K' or 'M') at (x, y) in the parent, at the
// size it wants within bredde x hoejde; child id 40151 or 40152; not yet
// shown. 0 when it could not be made.
HWND CreateBogWnd(char bogstav, HWND parent, int x, int y, int bredde, int hoejde, HWND ejer);
BOGWS *BogVinduesWS(HWND hwnd);
// Wanted size within the room offered.
int BogBredde(const BOGWS *ws, int plads);
int BogHoejde(const BOGWS *ws, int plads);

// The month posting pane's create function, installed by its own module;
// while none is installed the window opens without the pane.
using BogMndOpretter = HWND (*)(HWND bog, BogAktuelRec *aktuel, int x, int y, int bredde, int hoejde);
extern BogMndOpretter CreateMndWnd;
// Hours in hundredths as shown: two decimals after a comma, signed.
void BogTimerTekst(char *buf, size_t n, int64_t hundrededele);
