#pragma once
// The month posting pane (MndWndClass) of the posting window, and the rules
// by which the posting window and the pane assign partners and post, change,
// copy, move and delete hours. The pane shows the days of the schedule
// period's months for the posting window's main object and one partner; it
// reads the postings through the posting window's chains and changes them
// only through the data store's posting operations. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "BOG.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "SIDEFIL.h"
#include "TASTINFO.h"
#include "windows.h"

// Field-layout kinds of the pane: the month header, the day cells, the day
// column, and the status code drawn in front of a day's hours.
constexpr uint32_t kMndHovedArt = 40;
constexpr uint32_t kMndDagArt = 41;
constexpr uint32_t kMndDagKolonneArt = 42;
constexpr uint32_t kMndKodeArt = 47;

constexpr int kMndKolonne = 94, kMndRaekke = 11;
constexpr int kMndKodeBredde = 19;  // the status code in front of the hours


struct MNDWS {
  // The pane's grid frame: the day column as its row header, the months
  // across. ObjTab/ObjTabAntal: the partners of the main object.
  alignas(8) Ens Hoved;
  char Bogstav, PartnerBogstav;
  const TabDesc *pTdPartner;
  TabVar *pTvPartner;
  GridPos Kolonner;  // the months of the period (the frame's columns)
  GridPos Raekker;   // the days of the current month (the frame's rows)
  GridPos Partnere;  // the ObjTab entries
  BogAktuelRec *Aktuel;  // the posting window's, not owned
  HWND hwndBog, hwnd;
  uint8_t Aktiv, Frosset;
};

// The posting value buffer in hundredths of an hour: the commit of the hours
// cell writes it, so does the + key and every deletion; the Insert key posts
// it. One for the whole program, so a posting can be moved or copied to
// another window's day.
extern int32_t PosteringsVaerdi;

// The pane of posting window `bog` over its cursor record, in the rectangle
// (width limited as the day layout asks). 0 when it could not be made.
HWND OpretMndWnd(HWND bog, BogAktuelRec *aktuel, int x, int y, int bredde, int hoejde);
// The width the pane wants for mode `bogstav` (its day layout, one layout
// button and a month column; at least 150) and the height it takes at most.
int MndBredde(char bogstav);
int MndHoejde();
LRESULT CALLBACK MndWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Registers the pane's class and installs OpretMndWnd as the posting
// window's CreateMndWnd.
bool RegistrerMndKlasse(HINSTANCE inst);
MNDWS *MndVinduesWS(HWND hwnd);

// Partners of the cursor's main object from aakrel, the three axes from the
// cursor record.
void ByggMndPartnere(MNDWS *ws);
void ByggMndAkser(MNDWS *ws);
// Days of a month (YYYYMM), December running into January.
uint32_t MndDage(Maaned m);

// The day's current posting: the first of the posting window's chain for
// its current partner and month on the cursor's day whose status is not 0;
// null outside the cursor's first and last date.
TimoakRaekke *MndAktuelPost(const MNDWS *ws);

// Key routine of the pane: mode 1 only tells whether it would act, mode 2
// acts (and shows the refusals).
bool MndTast(MNDWS *ws, const TastInfo &t, int mode);

// ---- The edit rules, called from the posting window ----

// Enter in the partner grid: opens the selection window of the partner
// table with the current partners marked (mode 1 only answers).
bool BogTildel(BOGWS *ws, int mode);
// Enter in the month pane: commits an open hours cell, or runs the checks
// and opens it over the current day (mode 1 only answers).
bool BogAabnTimeCelle(BOGWS *ws, int mode);
// Enter in the open hours cell: replaces the day's posting by the cell's
// value (0 deletes it) when the value may be posted; a refused value leaves
// the day as it was. Closes the cell.
void BogGodkendTimeCelle(BOGWS *ws);
// Esc in the hours cell: closes it with no change.
void BogLukTimeCelle(BOGWS *ws);
// Insertion of PosteringsVaerdi on the cursor's day (message 1734). True
// when a posting was added.
bool BogIndsaetPost(BOGWS *ws);
// Deletion of the cursor's day's posting (message 1735). True when one was
// deleted.
bool BogSletPost(BOGWS *ws);
