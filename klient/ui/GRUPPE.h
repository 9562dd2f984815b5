#pragma once
// The grouping window (GruppeWndClass): the group memberships of one kind
// (activities 'K', rooms 'L', employments 'M') as a matrix of one row per
// live record and one column per group, 32 being the archive. Toggles are
// stored in the records at once; closing after a change saves the group
// file, keeps a copy of it and tells the other windows. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "TASTINFO.h"
#include "windows.h"

constexpr int kGruppeKolonner = 32;  // groups 1..32
constexpr int kArkivGruppe = 32;

// Messages the window answers beyond the frame's.
constexpr LRESULT kGruppeHjaelp = 104;

// Ids of the header buttons as message 2124 carries them: field sort
// buttons 100 + column, group buttons 300 + group (1..32).
constexpr uint32_t kGrpFeltSortId = 100;
constexpr uint32_t kGrpGruppeSortId = 300;

// Field-switch kinds: the name columns and the cells.
constexpr uint32_t kGruppeNavneArt = 108;
constexpr uint32_t kGruppeBrikArt = 6;
constexpr int kGrpRaekkeHoejde = 12;  // 11 pixels and the line under a row
constexpr int kGrpKnapHoejde = 16;

#pragma pack(push, 1)
// The workspace of one window: allocated zeroed by CreateGruppeWnd, freed on
// WM_DESTROY.
struct GRPWS {
  Ens ens;
  HWND hwnd;
  uint8_t Art;           // 'K', 'L' or 'M'
  uint32_t Kommando;     // the menu command, also the child id
  uint8_t *Flag;         // 32 bytes per record: byte g - 1 is 1 in group g
  uint32_t FlagAntal;    // records the matrix holds
  GridPos PosX;          // the groups: Aktuel is the current group
  GridPos PosY;          // the rows
  uint8_t NavneValgt, NavneLayoutAntal;
  uint8_t BrikValgt;
  uint8_t Aendret;
  HWND *hwndGrpSortBut;   // 32 group buttons
  HWND *hwndFeltSortBut;  // one per field of the chosen name layout
  uint32_t FeltSortAntal;
  uint8_t SortKolonne;    // the field button last pressed (0xFF none)
  uint8_t Faldende;       // 1: its next press sorts descending
  uint32_t CelleBredde;   // pixels of one group column
  uint32_t *AntalSke;     // rooms and employments: schedule rows per record
  uint32_t AntalSkeAntal;
};
#pragma pack(pop)

// ---- the flag matrix

// Sets byte k of every record's 32 where bit k of its group word is set
// (other bytes untouched), for the records below both antal and the
// table's count; nothing for a table of fewer than two records.
void HentGruppeBits(char art, uint8_t *flag, uint32_t antal);
// Packs each record's 32 bytes into its group word; a word that differs is
// stored and its block marked for saving.
void GemGruppeBits(char art, const uint8_t *flag, uint32_t antal);
// The system groups of one activity in the matrix (antal records): 2 and 3
// for a HOLD activity, 4 with a course, 2 and 5 for IVAK, 6 for an absence
// activity, all only ever set; group 1 exactly when no group 7..32 is set;
// an archived activity keeps the archive alone.
void AktiSystemGrupper(uint8_t *flag, uint32_t antal, uint32_t akti);

// ---- the window's model

// Rebuilds the rows (records of status 10..29, by the sort field and field
// 1) and the matrix, cleared and sized for the table as it stands; the
// current row follows the table's current record.
void ByggGruppeListe(GRPWS *ws);
// The toggle of the current cell. udAfArkiv: Insert, out of the archive.
// foresp: only answers whether a toggle is possible now.
bool SaetGruppe(GRPWS *ws, bool udAfArkiv, bool foresp);
// The current row's record, 0 for none.
uint32_t GruppeAktuelRec(const GRPWS *ws);
// Sorts by field button i (ascending; the same button again alternates).
void GruppeSorterFelt(GRPWS *ws, uint32_t i);
// Members of group g first, each part by name; g becomes current, row 1 too.
void GruppeSorterGruppe(GRPWS *ws, uint32_t g);

// ---- keys

// The key command of one key record; mode KMD_UDFOER acts, others ask.
bool GruppeTast(GRPWS *ws, const TastInfo *tast, int mode);
// The pick list of the window's keys at the cursor.
void GruppeGenvejsliste(GRPWS *ws);

// ---- drawing
void TegnGruppeVindue(GRPWS *ws);
void TegnGruppeBaand(GRPWS *ws);
void TegnGruppeHoved(GRPWS *ws);
void TegnGruppeNavne(GRPWS *ws);
void TegnGruppeCeller(GRPWS *ws);
void GruppeScrollTilAktuel(GRPWS *ws);
void OpretGruppeKnapper(GRPWS *ws);

// ---- the window

// Opens the grouping window of a kind as a child of the desktop at (venstre,
// top) within the room to (hoejre, bund); its child id is the menu command.
// 0 on failure.
HWND CreateGruppeWnd(char art, int venstre, int top, int hoejre, int bund, void *forfaderData,
                     uint32_t kommando);
LRESULT CALLBACK GruppeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Registers GruppeWndClass (a DC of its own, double clicks).
bool RegistrerGruppeKlasse(HINSTANCE inst);
void AfregistrerGruppeKlasse(HINSTANCE inst);
