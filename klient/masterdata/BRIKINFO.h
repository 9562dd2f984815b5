#pragma once
// The tile info panel (BrikInfoWndClass): the activities, subject, employees,
// rooms and remark lines of one event in five list windows over the event's
// property set, which the panel never owns. Embedded in the event info panel
// (placement 'I') or alone in an element cell (placement 'H'). Also the text
// measures the event info panel shares with it. Main thread only.

#include <cstdint>
#include <initializer_list>

#include "AVS.h"
#include "BESKEDER.h"
#include "ENSDC.h"
#include "windows.h"


enum : int { BRIK_AKT = 0, BRIK_FAG, BRIK_MED, BRIK_LOK, BRIK_BEM, kBrikBlokke };

struct BrikInfoWS {
  HINSTANCE hInst;
  HWND hwnd;
  HWND hwndEjer;  // the element cell or the event info panel
  EnsDC dc;
  uint32_t x, y, Bredde, Hoejde;
  uint32_t Art;  // window kind of the field layouts: 49 alone, 48 embedded
  AVS *pAVS;
  uint8_t Placering;      // 'H' alone, 'I' embedded
  uint8_t Margen;
  uint8_t Aktiv;
  uint8_t EtiketBogstav;  // 'H' lines the labels up with the event info panel's
  HWND hwndListe[kBrikBlokke];
  uint32_t Linjer[kBrikBlokke];
  uint32_t Vaerdi;  // the creator's, answered to 1133
};

// The shell's handle of the standalone panel (placement 'H'); the panel
// clears it when it goes. The event info panel's handle is hwndBrikInfo
// (the schedule sends it the event under the cursor), which an embedded
// panel clears.
extern HWND hwndHuskBrik;
// The property set of the last event the event entry window saved, over
// which the standalone panel is shown. The entry window copies into it
// when it saves; until then the panel shows empty lists.
extern AVS BrikIndGemtAVS;

HWND CreateBrikInfoWnd(HWND foraelder, int venstre, int top, int hoejre, int bund, AVS *avs, uint8_t placering,
                       uint8_t etiketBogstav, uint32_t vaerdi);
LRESULT CALLBACK BrikInfoWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

uint32_t CalcBrikInfoWidth(uint32_t maks, uint32_t art, uint8_t etiketBogstav);
uint32_t CalcBrikInfoHeight(uint32_t maks);
uint32_t BrikInfoEtiketBredde(uint8_t etiketBogstav);
uint32_t BrikInfoFeltBredde(uint32_t art);
uint32_t BrikInfoLinjer(uint8_t blok);
// The width every list gets in a panel `bredde` wide.
int32_t BrikInfoListeBredde(const BrikInfoWS *ws);
void LayoutBrikInfo(BrikInfoWS *ws);
void TegnBrikInfo(BrikInfoWS *ws);

// Pixel width of a text in the panels' font (the program's grid text font).
int32_t InfoTekstBredde(const char *tekst);
// The widest of the texts.
int32_t InfoStoersteBredde(std::initializer_list<const char *> tekster);

// The element cell's adapters: 40176 and 40178 make a standalone panel over
// BrikIndGemtAVS and keep its handle in hwndHuskBrik.
HWND OpretHuskBrikVindue(HWND celle, int venstre, int top, int hoejre, int bund, uint32_t type);
int32_t HuskBrikHoejde();
int32_t HuskBrikBredde();
