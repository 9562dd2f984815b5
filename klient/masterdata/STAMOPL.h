#pragma once
// The master-data window: one activity, employment or room at a time, its
// header rows, counts, key figures, subjects and other schedulers in five
// panes one below the other, stepping through all objects of its kind and
// publishing the one shown as its table's current record. It changes no
// table. Each window keeps a StamWS, allocated zeroed by CreateStamWnd and
// freed when the window goes. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "ENSDC.h"
#include "GRIDAKSE.h"
#include "SWITCH.h"
#include "TABREG.h"
#include "TASTINFO.h"
#include "windows.h"

// The panes, in DWnd order.
enum { STAM_FOCUS_STAM = 0, STAM_FOCUS_TIMER = 1, STAM_FOCUS_SKFA = 2, STAM_FOCUS_INS = 3, STAM_NOEGLETAL = 4 };
constexpr int kStamRuder = 5;
// Panes Tab cycles through.
constexpr uint32_t kStamFokusRuder = 4;



// A pane's redraw flags.
constexpr uint8_t STAM_TEGN = 1;      // repaint
constexpr uint8_t STAM_RAEKKER = 4;   // its rows (or, in pane 0, the object) changed
constexpr uint8_t STAM_SCROLLET = 16;
constexpr uint8_t kStamFlagMaske = STAM_TEGN | STAM_RAEKKER | STAM_SCROLLET;

// Field-layout kinds of the window.
constexpr uint32_t kStamToolbarArt = 68;
constexpr uint32_t kStamHovedArt = 70;
constexpr uint32_t kStamTimerArt = 102;
constexpr uint32_t kStamSkfaArt = 103;
constexpr uint32_t kStamInsArt = 104;
constexpr uint8_t kStamSkfaBogstav = 'U';
constexpr uint8_t kStamInsBogstav = '3';

// Sort marks of a column-header button (bitmaps of the program's resources).
constexpr int kStamSortStigende = 111;
constexpr int kStamSortFaldende = 112;

constexpr int kStamMindsteBredde = 150;
constexpr int kStamMindsteHoejde = 100;
constexpr int kStamHovedMindst = 220;  // the header pane's least height
constexpr int kStamKnapHoejde = 16;

#pragma pack(push, 1)
// One row of the subjects pane's figures, parallel to its ObjTab.
struct SkfaSum {
  uint32_t id;
  int32_t Budget;     // whole lessons
  int32_t Skemalagt;  // thousandths of a lesson
  uint8_t Maerke;     // the budget's period does not fit the statement period
  uint32_t Planlagt;  // the budget came from the planning module
};
#pragma pack(pop)

// One entry of a window's per-role counts, indexed by the role's record
// number (skemarol; lokrolle for a room).
struct StamRolleTal {
  uint32_t Lektioner;  // thousandths of a lesson
  float Timer;
};

struct StamSort {
  uint32_t FeltIndeks;  // the sort field's button
  uint8_t Sat;          // a sort field is chosen
  uint8_t Stigende;
};

struct StamRude {
  HWND hwndKaption, hwndKrop, hwndScroll;
  EnsDC KaptionDC, KropDC;
  uint8_t Bogstav;  // the layout's table letter
  const TabDesc *pTd;  // the rows' table (null: none)
  TabVar *pTv;
  uint32_t Art, AntalLayouts, Layout;
  HWND *Knapper;          // KnapAntal + 1, the filler last
  uint32_t KnapAntal;
  uint32_t *FeltIndeks;   // per button, the field index in the layout
  uint8_t Sorterbar;
  StamSort *Sort;         // one per layout of the pane
  uint32_t *ObjTab;       // 1-based
  uint32_t ObjTabAntal;
  SkfaSum *SkfaSumTab;    // pane 2 only, 1-based
  GridAkse AkseX, AkseY;
  GridPos PosX, PosY, Objekt;  // Objekt: pane 0's object cursor
  uint32_t ScrollX, ScrollY;
  RECT Kaption, Krop;     // in the window's client coordinates, right and bottom exclusive
  uint8_t Flag;
};

struct StamWS {
  HWND hwnd, hwndParent, hwndLuk, hwndToolbar;
  UINT VindueId;
  EnsDC Dc;         // the frame
  EnsDC ToolbarDC;  // the toolbar's object line
  uint8_t Bogstav;  // 'K', 'M' or 'L'
  const TabDesc *pTd;
  TabVar *pTv;
  char Titel[40];
  uint32_t GruppeMaske;
  int32_t Bredde, Hoejde;
  RECT GemtRect;  // F3's saved rectangle
  uint8_t Aktiv, VistAktiv;
  uint32_t Fokus, ForrigeFokus;
  HWND SidstKlikket;
  uint32_t ToolbarLayout;
  int32_t TraekOffset[2];
  uint8_t Foelger;  // following another window's 1054: publishes nothing
  StamRude DWnd[kStamRuder];
  // The per-role counts of the object shown: the window's own, so another
  // window's rebuild or close never touches them.
  StamRolleTal *RolleTab;
  uint32_t RolleTabAntal;
};

// What the later parts of the window hand in; an empty slot leaves its
// part blank (or its pane empty).
struct StamKroge {
  // Rebuilds the counts, subjects and schedulers panes for the object shown
  // (their ObjTab through StamNyObjTab, the cursor on the row it was on).
  void (*ByggLister)(StamWS *ws);
  // The value text of a header or toolbar item code (tekst holds
  // kSwitchTekstLen bytes, blank); false when the item has none.
  bool (*VaerdiTekst)(StamWS *ws, uint32_t art, uint32_t kode, uint32_t bredde, char *tekst, uint8_t *farve);
  // The text of a list pane's cell of a field the row's table lacks.
  bool (*CelleTekst)(StamWS *ws, int rude, uint32_t raekke, const SwitchFelt *sf, char *tekst, uint8_t *farve);
  // Paints the key-figures pane's body.
  void (*TegnNoegletal)(StamWS *ws);
  // Paints what the frame carries beyond the panes (the footnote).
  void (*TegnRamme)(StamWS *ws);
  // The caption of a list pane, on each repaint of the pane.
  void (*TegnKaption)(StamWS *ws, int rude);
  // Around the painting of a list pane's rows (begynder true before the
  // first row, false after the last), so that figures read for every row
  // can be worked out once per paint.
  void (*OmListeTegning)(StamWS *ws, int rude, bool begynder);
  // After the subjects sort (the computed columns in their order).
  void (*EfterSkfaSort)(StamWS *ws);
  // The window goes.
  void (*Frigiv)(StamWS *ws);
};
extern StamKroge StamKrog;

// Opens the window as a child of the desktop; kind letter 0 asks the owner
// (message 1121) and becomes 'K' when it has none. 0 when it could not be
// made.
HWND CreateStamWnd(HWND ejer, UINT id, char bogstav);
LRESULT CALLBACK StamWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Registers StamWndClass (its own DC, double clicks) and puts the window's
// texts into StamKrog. False when it failed.
bool RegistrerStamKlasse(HINSTANCE inst);
StamWS *StamVinduesWS(HWND hwnd);

// ---- texts
// The label of an item code; "" for a code without one.
const char *StamLabelTekst(uint32_t kode);
// The text of an item of layout kind art into tekst (kSwitchTekstLen bytes:
// 254 blanks and the terminator, the text over their start): blank when
// the window shows no object; labels and 999 here, values from the hook.
// Returns the colour code (16 unless the item sets one).
uint8_t StamItemTekst(StamWS *ws, uint32_t art, uint32_t kode, uint32_t bredde, char *tekst);

// ---- lists
// A 1-based row array of antal rows for a pane; a failed allocation stops
// the program naming the pane's array.
uint32_t *StamNyObjTab(int rude, uint32_t antal);
SkfaSum *StamNySkfaSumTab(uint32_t antal);
// Pane 0's objects: the table's records with status 10..29 sharing a bit of
// the group selection, sorted by the header layout's sort field (field 1
// when none is set).
void ByggStamObjTab(StamWS *ws);
// The record shown, 0 for none.
uint32_t StamObjekt(const StamWS *ws);
// Sorts the subjects pane by the field of button knap (the same button again
// turns the order), keeping the cursor on its subject.
void SorterStamSkfa(StamWS *ws, uint32_t knap);

// ---- geometry
// The text lines of a list pane's caption, which the frame keeps above its
// column-header strip: the subjects (two for an employee) and the
// schedulers.
int StamKaptionLinjer(const StamWS *ws, int rude);
constexpr int kStamRaekke = 13;  // the row pitch of the panes and the caption lines
int StamOenskeBredde(const StamWS *ws, int plads);
// The height the window wants for the room given (0: no limit).
int StamOenskeHoejde(const StamWS *ws, int plads);
// Places the panes in a client area of bredde x hoejde.
void StamLayout(StamWS *ws, int bredde, int hoejde);

// ---- keys and refresh
// Mode 1 only answers whether the key is taken; KMD_UDFOER (2) acts.
bool StamTast(StamWS *ws, const TastInfo &t, int mode);
// Refreshes by the panes' flags: a changed object rebuilds the lists and is
// published; marked panes are scrolled to their cursor and repainted.
void OpdaterStam(StamWS *ws);
