#pragma once
// The raw table viewer (DVWndClass): every record of one table as stored,
// one row per record with its record number and one column per field and
// repetition, formatted by the table's field definitions. A support view: it
// never edits. Main thread only.

#include <cstdint>
#include <string>

#include "ENS.h"
#include "GRIDAKSE.h"
#include "TABREG.h"
#include "TASTINFO.h"
#include "windows.h"

constexpr int kDVRecNrBredde = 50;   // the record-number column
constexpr int kDVRaekkeHoejde = 12;  // 11 pixels of cell and a line
constexpr int kDVKnapHoejde = 16;
constexpr int kDVRecNrKnap = 99;     // header button ids: 99 the record number, 100 + field
constexpr int kDVFoersteFeltKnap = 100;
constexpr int kDVSorterRecNr = -1;

struct DVWS {
  Ens Hoved;  // the grid frame: panes, scroll bars, caption and its buttons
  HWND hwnd;
  int MenuId;
  uint8_t Bogstav;
  const TabDesc *pTd;
  TabVar *pTv;
  char Caption[32];
  uint32_t *Liste;      // record numbers in display order, entries 1..RecAntal
  uint32_t RecAntal;    // records shown: the table's count less record 0
  GridPos PosY;         // rows
  GridPos PosX;         // the horizontal axis counts pixels of the row width; Foerste is
                        // the pixel offset, 0 at the left end
  GridPos RammeX;       // the same axis as the frame's scrolling sees it (1-based cells)
  int SortFelt;         // -1 the record number
  bool Faldende;
  HWND Knapper[1 + MAXFELT];
  bool Fokus;           // the window has the focus or is the active grid window
  int RaekkeBredde;
};

// The size rules, also the answers to the frame's size queries.
int DVHoejde(const DVWS *ws, int maks);
int DVBredde(const DVWS *ws, int maks);
// Pixel width of one element of field felt (0-based): its display width x 8,
// a foreign key the width of field 1 of the table it names (0 when there is
// no such table).
int DVFeltBredde(const TabDesc *pTd, uint32_t felt);
// A field's column: (width + 6) per repetition.
int DVKolonneBredde(const TabDesc *pTd, uint32_t felt);
int DVRaekkeBredde(const TabDesc *pTd);
// The text of one element of a field of record n by its data type; a
// foreign key shows field 1 of the record it names; blanks beyond the
// records or for a type without a text.
std::string DVCelleTekst(const TabDesc *pTd, const TabVar *pTv, uint32_t n, uint32_t felt, uint32_t rep);
// The click on header button knap: the same field flips the direction, a
// new one sorts ascending.
void DVSorter(DVWS *ws, int knap);
// Left and Right (with Ctrl a page, with Alt to the end); false for other keys.
bool DVVandretTast(DVWS *ws, unsigned tast, bool ctrl, bool alt, int synligBredde);

// The viewer of the table with type letter bogstav at the desktop's (venstre,
// top), no larger than up to (hoejre, bund); the menu command as child id.
// 0 when no table has the letter.
HWND CreateDVWnd(uint8_t bogstav, int venstre, int top, int hoejre, int bund, int menuId);
LRESULT CALLBACK DVWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
DVWS *DVVinduesWS(HWND hwnd);

bool RegistrerDVKlasse(HINSTANCE inst);
void AfregistrerDVKlasse(HINSTANCE inst);
