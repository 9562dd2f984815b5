#pragma once
// The frame of every grid window: the shared head `Ens` at the start of the
// window's workspace, its child panes, their layout, scrolling and the
// painting of the window's own frame and caption.

#include <cstdint>

#include "BESKEDER.h"
#include "ENSDC.h"
#include "GRIDAKSE.h"
#include "windows.h"

struct TabDesc;
struct TabVar;


#define ENS_SCROLL_H 2  // scroll-bar flags
#define ENS_SCROLL_V 4
#define ENS_SKIFT_ID 200  // switch button i has id 200 + i

// Pane indexes of the six-entry rectangles.
enum { ENS_RAEKKEHOVED = 0, ENS_KOLHOVED = 1, ENS_CELLER = 2, ENS_HOEJRE = 3, ENS_HSCROLL = 4,
       ENS_VSCROLL = 5 };
// EnsDC indexes.
enum { ENSDC_RAEKKEHOVED = 0, ENSDC_KOLHOVED, ENSDC_CELLER, ENSDC_HOEJRE, ENSDC_TOOLBAR,
       ENSDC_HJOERNE_V, ENSDC_HJOERNE_H };

#pragma pack(push, 1)
struct Ens {
  HWND hwndParent;
  HINSTANCE hInstance;
  HWND hwndToolbar;
  HWND hwndRaekkeHoved;
  HWND hwndKolHoved;
  HWND hwndCeller;
  HWND hwndHoejre;
  HWND hwndHjoerneV;
  HWND hwndHjoerneH;
  HWND hwndHScroll;
  HWND hwndVScroll;
  HWND *hwndSwitchButtons;
  HDC hdc;
  EnsDC dc[7];
  const TabDesc *pTd;
  TabVar *pTv;
  uint8_t ToolbarValg;
  GridAkse AkseX;
  GridAkse AkseY;
  uint32_t ScrollX;
  uint32_t ScrollY;
  int32_t RudeX[6];
  int32_t RudeB[6];
  int32_t RudeY[6];
  int32_t RudeH[6];
  int32_t HjoerneX[2];
  int32_t HjoerneB[2];
  int32_t HjoerneY[2];
  int32_t HjoerneH[2];
  uint32_t FodHoejde;
  int32_t Areal[4];  // left, top, right, bottom
  GridPos *StyrX;
  GridPos *StyrY;
  void *TredjeAkse;
  uint32_t Eget1[2];
  uint32_t SepBredde;
  uint32_t Eget2;
  uint32_t SkiftBredde;
  uint32_t KolHovedHoejde;
  uint32_t RaekkeHovedBredde;
  uint32_t HoejreBredde;
  uint32_t Eget3;
  uint32_t *ObjTab;
  uint32_t ObjTabAntal;
  uint32_t *UgeTab;
  uint8_t Aktiv;
  uint8_t CaptionAktiv;
  uint8_t Eget4;
  uint8_t Dokket;
  char SoegTekst[20];
  uint8_t SoegMaks;
  uint8_t Fod;
  HWND hwndFodV;
  HWND hwndFodH;
  EnsDC FodDC[2];
  uint8_t Eget5;
  uint8_t ScrollFlag;
  uint8_t EgenRamme;
  char Titel[100];
  HWND hwndLuk;
  HWND hwndMaks;
  HWND hwndMin;
  uint8_t Tilstand;  // 0 normal, 2 minimised
  int32_t TraekOffset[2];
  int32_t GemtPos[2];
  int32_t GemtStr[2];
  uint32_t MinSlot;
  uint8_t StatusBar;
  uint8_t Eget6;
  HWND hwndStatusBar;
};
#pragma pack(pop)

// The toolbar strip and the status bar belong to other modules; they hand
// the frame their creators when they are linked in. Without one the frame
// makes no toolbar or status bar.
//
// The toolbar strip's creator (EnsOpretTavoTB, TAVOTB.h) takes the seven
// creation values and the option byte as CreateTavoTBWnd's arguments:
//   [0] group letter of the group button ('K', 'M', 'L')
//   [1] ring letter of the ring strip ('G' groups, other: single systems)
//   [2] group mask (the group shown: LowBitNo of it)
//   [3] toggle button, [4] group button, [5] ring strip: present when not 0
//   [6] wanted width of the relay pane
//   Ens.ToolbarValg: draw the two edge lines at the top when not 0
// with the window's instance, the window as owner and its client width.
typedef HWND (*EnsToolbarFn)(Ens *ens, HWND hwnd, const uint32_t vaerdier[7]);
typedef HWND (*EnsStatusBarFn)(HWND parent, const char *tekst, int farve, int id);
extern EnsToolbarFn EnsOpretToolbar;
// What the frames reach above the window framework, filled by the wiring.
struct EnsKroge {
  // A status line of the shell's text-bar class; empty, the frame has none.
  HWND (*OpretStatusBar)(HWND parent, const char *tekst, int farve, int id);
};
extern EnsKroge EnsKrog;

void EnsCreateChildren(Ens *ens, HWND hwnd, uint8_t antalSkift, const uint32_t toolbarVaerdier[7],
                       HFONT font, bool medToolbar, bool medScrollBars, const char *hovedTip);
void EnsCalcLayout(Ens *ens);
void EnsOnSize(Ens *ens, HWND hwnd, int bredde, int hoejde, uint8_t antalSkift);
// WM_HSCROLL / WM_VSCROLL: 8 when the horizontal offset changed, 16 when the
// vertical one did, 0 otherwise.
int EnsOnScroll(Ens *ens, UINT msg, WPARAM kode);
void EnsPaintCaption(Ens *ens);
void EnsPaintFrame(Ens *ens);
// Where column kol and row raekke of the cell pane start, in pane pixels
// after the scrolling.
int EnsKolonneX(const Ens *ens, uint32_t kol);
int EnsRaekkeY(const Ens *ens, uint32_t raekke);
// The scroll bars over a cell pane of kolonner columns and raekker rows.
void EnsOpdaterScroll(Ens *ens, uint32_t kolonner, uint32_t raekker);

uint32_t FindObjIdx(const uint32_t *tab, uint32_t antal, uint32_t vaerdi);
bool SameU32Tab(uint32_t antal1, uint32_t antal2, const uint32_t *tab1, const uint32_t *tab2);
bool SameF32Tab(uint32_t antal1, uint32_t antal2, const float *tab1, const float *tab2);
// The most records active in any one week of the schedule period (status
// 10..29, the week within StartUge..SlutUge, a group bit in the mask).
uint32_t MaxAktivePrUge(const TabDesc *pTd, const TabVar *pTv, uint32_t maske);
