#pragma once
// The event info panel (BegInfoWndClass): the detail panel (BegInfo2WndClass)
// with the state, owner, date, times, ring system, standard lessons, last
// update and number of the event selected in a schedule window, and beside
// or below it a tile info panel over the same event. Read-only; it lives in
// an element cell. Main thread only.

#include <cstdint>

#include "AVS.h"
#include "AVSHJAELP.h"
#include "BESKEDER.h"
#include "BRIKINFO.h"
#include "ENSDC.h"
#include "SKEREC.h"
#include "windows.h"


struct BegInfoWS {
  HINSTANCE hInst;
  HWND hwnd;
  HWND hwndEjer;  // the element cell
  HWND hwndBrik;
  HWND hwndDetalje;
  EnsDC dc;
  uint32_t x, y, Bredde, Hoejde;
  uint32_t BrikBredde, DetaljeBredde, BrikHoejde, DetaljeHoejde;
  uint32_t BrikX, BrikY, DetaljeX, DetaljeY;
  alignas(8) AVS avs;  // the selected event; the tile panel reads it through a pointer
  uint8_t Placering;  // 'H' stacked, 'F' side by side
  uint8_t Aktiv;
  uint32_t Vaerdi;
};

enum : int { BOKS_EJER = 0, BOKS_AENDRET, BOKS_DATO, BOKS_TID1, BOKS_TID2, BOKS_TID3, BOKS_RING, BOKS_STD, BOKS_OPD,
             kBegInfoBokse };

struct BegInfo2WS {
  HINSTANCE hInst;
  HWND hwnd;
  HWND hwndEjer;  // the event info panel
  EnsDC dc;
  uint32_t x, y, Bredde, Hoejde;
  HWND hwndBoks[kBegInfoBokse];
  EnsDC BoksDC[kBegInfoBokse];
  uint32_t Etiket;                   // L
  uint32_t BoksBredde[kBegInfoBokse];
  // The selected event's first row, as far as the panel shows it.
  uint8_t Ejer;
  uint8_t Konflikt;
  uint32_t Status;
  uint8_t Fejl;
  uint32_t Dato;  // the cursor's date, not a field of the row
  uint8_t Lektion;
  uint32_t Starttid, Sluttid;
  uint32_t risy_id;
  float Antal_std_lektioner;
  double opdtid;
  uint32_t id;
  char AEndret_af[9];
  double AEndret_tid;
  char EjerNavn[32];     // the Ejer box's tooltip
  char StatusTekst[96];  // the status line as drawn
  uint8_t AendretFarve;  // the colour index last used in the Ændret box
  uint8_t OpdFarve;      // ... and in the Opd box
  uint32_t Vaerdi;
};

using BegTekst = StatusKode;
// Ended by code 0 with the text "Slut".
extern const BegTekst BegStatusTekstTab[];
// The central system's error texts are the shared event status codes.
inline const BegTekst *const BegFejlTekstTab = StatusKodeTabF;

HWND CreateBegInfoWnd(HWND foraelder, int venstre, int top, int hoejre, int bund, uint8_t placering,
                      uint32_t vaerdi);
LRESULT CALLBACK BegInfoWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BegInfo2WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

uint32_t CalcBegInfoWidth(uint8_t placering);
uint32_t CalcBegInfoHeight(uint8_t placering);
uint32_t BegInfoEtiketBredde();
uint32_t BegInfo2Bredde(uint32_t maks);
void LayoutBegInfo(BegInfoWS *ws);
void BegInfo2FeltBredder(BegInfo2WS *ws);
void TegnBegInfo2Ramme(BegInfo2WS *ws);
void TegnBegInfo2Vaerdier(BegInfo2WS *ws);

// The status code of a row: own is the installation's number.
uint32_t BegStatusKode(uint8_t ejer, uint32_t status, uint8_t fejl, uint8_t egen, bool superTavo);
// "Status  :  %02u" and the code's text (cut to 23 characters and followed
// by 32 blanks), or nothing after the code when neither table has it.
void BegStatusLinje(uint32_t kode, char *tekst, size_t str);
// The colour index of the Ændret box and of the Opd box's change time.
uint8_t BegAendretFarve(uint8_t ejer, uint32_t status, uint8_t egen, bool superTavo, bool visBytFlyt);

// The element cell's adapters: 40154 ('H') and 40177 ('F') make the panel
// and keep its handle in hwndBrikInfo, where the schedule sends the event
// under its cursor.
HWND OpretBegInfoVindue(HWND celle, int venstre, int top, int hoejre, int bund, uint8_t placering, uint32_t type);
int32_t BegInfoHoejdeH();
int32_t BegInfoBreddeH();
int32_t BegInfoHoejdeF();
int32_t BegInfoBreddeF();
