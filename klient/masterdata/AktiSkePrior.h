#pragma once
// The activity schedule priority window (AktiSkePrioritetWndClass,
// "Aktivitets skema prioritering"): one row per live activity and two mark
// columns, "1" for "Prioriteret skema" and "2" for "Vigende skema". The
// marks live in the window until it closes; then each activity's
// Skema_prioritet takes its row's mark (1, 255 or 0), and the value an
// activity had before its first change goes into the activity-priority
// memory for the export. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "TASTINFO.h"
#include "windows.h"



constexpr uint8_t kAspPrioriteret = 1;
constexpr uint8_t kAspVigende = 255;

constexpr int kAspKnapHoejde = 16;
constexpr int kAspRaekke = 12;        // 11 pixels of cell and the line above it
constexpr int kAspKolonne = 16;
constexpr int kAspFeltKnap = 300;     // field sort button i has id 300 + i
constexpr int kAspKolKnap = 400;      // column button c has id 400 + c
// The pictures the field sort buttons show.
constexpr int kAspStigendeBillede = 111;   // 'o'
constexpr int kAspFaldendeBillede = 112;   // 'p'

struct ASPWS {
  // The frame: panes, scroll bars, axes; kind 'K'; ObjTab/ObjTabAntal the
  // rows (activity record numbers); pTd/pTv akti.
  alignas(8) Ens Hoved;
  HWND hwnd;
  char Titel[40];
  // Per activity record number: [0] is 1 when column 1 is marked, [1] is 2
  // when column 2 is.
  uint8_t (*Maerker)[2];
  // Per activity record number: the marks as last read from the record
  // (byte 1 or byte 2 of Maerker, 0 none); a row whose marks differ holds
  // the user's pending change.
  uint8_t *LaesteMaerker;
  uint32_t MaerkeAntal;
  alignas(4) GridPos PosX;  // the two columns
  alignas(4) GridPos PosY;  // the rows
  uint8_t Switch;           // the row captions' chosen layout of kind 8
  uint32_t SortFelter[2];   // the fields the rows are sorted by
  HWND *FeltKnapper;        // one per field of the row layout
  uint32_t AntalFeltKnapper;
  HWND *hwndGrundSortBut;   // the two column buttons
  int SortKnap;             // the field button pressed last, -1 none
  bool Faldende;
  uint8_t Deaktiveret;
};

// The rows: activities with status 10..29, not of type "OVAK", whose name
// does not begin with '*' and whose group word has bit 31 clear, sorted by
// the sort fields.
void ByggAspRaekker(ASPWS *ws);
// The marks of the rows from Skema_prioritet; the marks the user changed on
// rows listed in `foer` (foerAntal entries, 1-based) are kept as they stand.
void LaesAspMaerker(ASPWS *ws, const uint32_t *foer, uint32_t foerAntal);
// Space or Insert on the current cell: refused in a locked schedule;
// else both marks of the row cleared and the current column's set when it
// was not. False when refused or there is no current row.
bool SkiftPrioritet(ASPWS *ws);
// Every row's marks into Skema_prioritet, the old value of a first change
// into the memory, the changed blocks marked.
void GemAspMaerker(ASPWS *ws);
// A field sort button (index into the row layout) and a column button (1 or 2).
void AspSorterFelt(ASPWS *ws, uint32_t i);
void AspSorterKolonne(ASPWS *ws, uint32_t kolonne);
// The window's keys; true when the key was its own.
bool PrioritetTast(ASPWS *ws, const TastInfo &t);

LRESULT CALLBACK AktiSkePrioritetWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerAktiSkePrioritetKlasse(HINSTANCE inst);
// The window factory's row (kind 'K'): the window at the desktop's (venstre,
// top), at the size it wants for the room up to (hoejre, bund). 0 when it
// could not be made.
HWND CreateAktiSkePrioritetWnd(HWND desktop, int venstre, int top, int hoejre, int bund);
ASPWS *AktiSkePrioritetWS(HWND hwnd);
