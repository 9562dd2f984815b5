#pragma once
// The deletion window (SletWndClass): the activities, rooms or employments
// with a check column "Slettet" that marks an object for deletion at the
// central server and one "Sendt" that shows the mark has gone with an
// export. Deleting is a status change of the record (31 marked, 32..39
// sent); an object with own events or postings in the period cannot be
// marked. Also the removal of every activity and employment that ended
// before the schedule period. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "TABREG.h"
#include "TASTINFO.h"
#include "windows.h"


// Field-layout kinds: the object's own fields, the two check columns, the
// three event counts and the three posting counts; the sort field of the
// rows is the one chosen on switch 0 of kind 8.
constexpr uint32_t kSletObjArt = 60;
constexpr uint32_t kSletCelleArt = 61;
constexpr uint32_t kSletBegArt = 62;
constexpr uint32_t kSletPostArt = 63;
constexpr uint32_t kSletSortArt = 8;

constexpr int kSletRaekke = 12;       // rows are 12 pixels apart
constexpr int kSletKnapHoejde = 16;   // the column-header buttons
constexpr int kSletMindsteHoejde = 100;
constexpr int kSletMindsteBredde = 150;

// Ids of the header buttons (2124 with value 0).
constexpr int kSletKnapFelt = 1;     // a field of layout 60
constexpr int kSletKnapTal = 2;      // a count of layouts 62 and 63
constexpr int kSletKnapSlettet = 3;  // the "Slettet" column
constexpr int kSletKnapSendt = 4;    // the "Sendt" column: no effect

// Byte 0 of a mark.
enum : uint8_t { SLET_MULIG = 0, SLET_LAAST = 1, SLET_MAERKET = 2, SLET_SENDT = 3 };

// The six counts of one object.
enum { SLET_EGNE_BEG = 0, SLET_EGNE_SLETTEDE_BEG, SLET_FREMMEDE_BEG, SLET_EGNE_POST, SLET_EGNE_SLETTEDE_POST,
       SLET_FREMMEDE_POST, SLET_ANTAL_TAL };

struct SletWS {
  // The frame: panes, scroll bars, axes; ObjTab/ObjTabAntal the rows
  // (record numbers); pTd/pTv the table.
  alignas(8) Ens Hoved;
  HWND hwnd;
  uint8_t Bogstav;  // 'K', 'L', 'M'
  char Caption[32];
  uint8_t Switch60, Switch61, AntalSwitch60;
  alignas(4) GridPos PosX;  // the two columns
  alignas(4) GridPos PosY;  // the rows
  // Per record number (0..AntalRec - 1): the mark (byte 0) and the sent
  // flag (byte 1), and the six counts.
  uint8_t (*Maerke)[2];
  uint32_t *Tal[SLET_ANTAL_TAL];
  uint32_t AntalRec;
  HWND hwndSlettet, hwndSendt;
  HWND *SortKnapper;  // one per field of layouts 60, 62 and 63
  uint32_t AntalSortKnapper;
  int SortKnap;       // the sort in force: 0 none, else a button id
  bool Faldende;
  LPARAM Bruger;
  uint8_t Deaktiveret;
};

// ---- the marks of the records

// Marks one object for deletion when its Status is 10: Status 31, Gruppe 1,
// the block changed, an employment's monthly figures released. Anything
// else (another status, a number outside the table, another letter) leaves
// the record as it was. True when it marked.
bool SletObjekt(uint32_t recnr, uint8_t bogstav);
// Takes a mark back: Status 10 and the group word worked out again from the
// record (archive mark, activity kind, course); an employment's monthly
// figures are counted again at once. True when the record existed.
bool GenopretObjekt(uint32_t recnr, uint8_t bogstav);
// The group word a live record of the table gets back.
uint32_t SletGruppeOrd(uint32_t recnr, uint8_t bogstav);
// The activities ('K'), rooms ('L') or employments ('M') with Status 10..29
// whose Tildato lies before the schedule period's first day; 0 for another
// letter.
uint32_t CountObjBeforePeriod(uint8_t bogstav);
// Marks every record CountObjBeforePeriod counts, then tells every open
// window (1122, 0, 3), also when nothing was marked.
void SletObjBeforePeriod(uint8_t bogstav);

// The menu command "&Slet 'gamle' aktiviteter": refused in a locked and in
// a SuperTavo schedule; else counts, asks and removes the activities, then
// the employments, and rebuilds the activity-employment relations.
void SletGamleObjekterKommando(HWND hovedvindue);

// ---- the window

// The marks and the six counts per record from the buckets of the period.
void SletOptaelling(SletWS *ws);
// The rows: Status 10..29 or 31..39, sorted by kind 8's sort field, the
// name and the id.
void SletObjTab(SletWS *ws);
// Counts, builds the rows, the current row following the table's current
// record, column 1 current.
void SletGenopbyg(SletWS *ws);
void SletSorterMaerke(SletWS *ws);
void SletSorterTal(SletWS *ws, int tal);
// Space or a double click on the current cell: refusals in a SuperTavo or a
// locked schedule and for marks 1 and 3; else marks or takes the mark back
// and tells the other windows.
void SletSkift(SletWS *ws);

int BeregnSletHoejde(const SletWS *ws, int maks);
int BeregnSletBredde(uint32_t celleBredde, uint32_t raekkeHovedBredde, int maks);

HWND CreateSletWnd(uint8_t bogstav, int venstre, int top, int hoejre, int bund, const TabDesc *pTd, TabVar *pTv,
                   LPARAM bruger);
LRESULT CALLBACK SletWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerSletKlasse(HINSTANCE inst);
SletWS *SletVinduesWS(HWND hwnd);
// The window factory's rows 40204 (activities), 40205 (employments) and
// 40206 (rooms): the window over the desktop's area given.
HWND OpretSletVindue(uint8_t bogstav, int venstre, int top, int hoejre, int bund);
