#pragma once
// The main window's status row: the text bar (also the grid windows' status
// lines) and the small indicator panes right of it, each a child window of
// its own class that paints itself, explains itself in the text bar while
// the mouse is over it and acts on a double click.

#include <cstdint>

#include "BESKEDER.h"
#include "DATO.h"
#include "windows.h"


constexpr int kStatusHoejde = 20;
constexpr int kStatusTekstLaengde = 520;
constexpr int kHovedStatusId = 104;  // the main window's text bar

// The handles of the main window's row; a pane that is missing is 0.
struct StatusFelterRec {
  HWND TekstBar;
  HWND Laas;
  HWND Insnr;
  HWND Dato;
  HWND InsStatus;
  HWND Forbindelse;
  HWND Server;       // the job-server contact pane, made by the server exchange
  HWND EpKontakt;    // the Elevplan contact pane, with the Elevplan flag
  HWND EpStatus;     // with the Elevplan flag
  HWND GenFejlLog;
  HWND Nyheder;
};
extern StatusFelterRec StatusFelter;

// What every pane puts back into the text bar when the mouse leaves it.
extern char StatusStandardTekst[kStatusTekstLaengde];

// The second Elevplan counter kept beside the export counters: cleared when
// the panes are made; not 0 turns the Elevplan pane green.
extern uint32_t EpEksportTal;

// The menu-help table handed to the platform's menu help: (submenu, string
// base) pairs behind a first zero pair, ended by a zero pair.
extern UINT MenuHjaelpTabel[20];

// What the row reaches of the web calls; an empty slot gives no answer.
struct StatusBarKroge {
  // The address of the news document; false without one.
  bool (*NyhedsAdresse)(char *svar, unsigned stoerrelse);
};
extern StatusBarKroge StatusBarKrog;

// The text bar: registers its class, takes the text and font (0 = the
// system's default GUI font), makes the child at size 0 with the id as its
// control id, shows and updates it. 0 when it could not be made.
HWND CreateStatusBar(HWND parent, const char *tekst, HFONT font, int id);
// The menu-help table from the main window's menu, then the main window's
// text bar with the default text (StatusFelter.TekstBar).
void CreateMainStatusBar(HWND hovedvindue);
// WM_MENUSELECT of the main window: the selected entry's help line into the
// text bar.
void StatusMenuValg(HWND hovedvindue, WPARAM wParam, LPARAM lParam);

// A message of the job-server contact into its pane; nowhere while the
// pane is missing.
void StatusServerBesked(const char *tekst);

// The panes, each a child of `parent` at size 0, kept in StatusFelter;
// 0 when it could not be made. The date pane becomes the program's date
// window, the event-status pane the one the export count repaints.
HWND OpretLaasFelt(HWND parent);
HWND OpretInsnrFelt(HWND parent);
HWND OpretDatoFelt(HWND parent);
HWND OpretInsStatusFelt(HWND parent);
HWND OpretForbindelseFelt(HWND parent);
HWND OpretEpStatusFelt(HWND parent);
// The Elevplan contact pane of the Elevplan exchange, whose class the
// start-up registers; 0 without the class.
HWND OpretEpKontaktFelt(HWND parent);
HWND OpretGenFejlLogFelt(HWND parent);
HWND OpretNyhedsFelt(HWND parent);

// Places the row along the bottom of the text bar's parent; nothing while
// the text bar is hidden.
void LayoutStatusBar();
// True when log\genfejl.log exists in the data folder.
bool GenFejlLogFindes();
// Marks the news read: the flag cleared, the news date stored as
// [tider] nyheder (not in a read-only run, and only when the web answers),
// the pane repainted and the row laid out again without it.
void KvitterNyheder(HWND felt);

// At start-up: with news waiting and the news check on, the news page is
// opened and the news marked read.
void VisNyhederVedStart();

// The colour the event-status pane shows for the counters and export files
// as they stand: a COLORREF.
COLORREF InsStatusFarve();
// The frame of bitmap 157 the Elevplan pane shows (0 red .. 3 plain).
int EpStatusBillede();

LRESULT CALLBACK StatusBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
