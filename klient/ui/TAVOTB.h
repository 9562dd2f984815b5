#pragma once
// The toolbar strip of a grid window (TavoTBWndClass): a 22-pixel band at
// the window's top with a toggle button, a relay pane the owner paints, the
// ring-time strip of schedule windows and the group button. It lays them
// out by the width it gets and relays the group and ring messages between
// them, the owner and the main window.

#include <cstdint>

#include "windows.h"

struct Ens;

constexpr int kToolbarHoejde = 22;

// Messages to the toolbar (1047-1049 are the pane's mouse relays, 1105 and
// 1109 the ring strip's, 3025-3027 the group button's).
#define TB_RUDE_DBL 1045
#define TB_RUDE_TEGN 1046      // the pane wants painting: passed to the owner
#define TB_TOOLTIP 1050        // lParam: the tooltip text; hides the tooltip
#define TB_GRUPPEKNAP 1055     // wParam: address where the group button's window is stored
#define TB_RUDE_NED 1065       // the pane was clicked
#define TB_RUDEBREDDE 1068     // the pane's width
#define TB_GRUPPE_INDEKS 1069  // wParam: a group picked as from the button's list
#define TB_RING_NAESTE 1070    // wParam: passed to the ring strip as its "next"
// Questions to the owner.
#define TB_INGEN_TOOLTIP 1276  // a low byte not 0: no tooltip over the pane
#define VINDUE_ART 1133        // the window's kind (the menu command that opened it)

struct TBWS {
  HINSTANCE instance;
  HWND owner;
  HWND gruppeKnap;
  HWND ring;
  HWND rude;
  HWND knap;  // the toggle button
  int32_t width, height;
  uint8_t gruppeBogstav;
  uint8_t gruppeNr;
  uint8_t ringBogstav;
  HDC dc;
  uint32_t knapTilstand;  // 0 or 1
  uint8_t harKnap, harGruppe, harRing, linjer;
  int32_t knapB, gruppeB, ringB, rudeB;
  int32_t knapX, gruppeX, ringX, rudeX;
  int32_t oenskeRude;
  const char *tooltip;  // current text over the pane, or null
};

// A TavoTBWndClass child of the owner at (0, 0), bredde x 22, not yet shown.
// The group number shown is the mask's (LowBitNo).
HWND CreateTavoTBWnd(HINSTANCE inst, HWND owner, char gruppeBogstav, char ringBogstav, uint32_t gruppeMaske,
                     bool knap, bool gruppeKnap, bool linjer, bool ring, int rudeBredde, int bredde);
// Stretches the toolbar over the parent's client width, 22 high, at (0, 0).
void SizeTavoTBWnd(HWND parent, HWND toolbar);
// The ring key command: false when not enabled; in execute mode (2) it
// sends the toolbar 1070 with 10.
bool KmdToolbarRing(HWND toolbar, bool aktiv, int mode);
LRESULT CALLBACK TavoTBWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The frame's toolbar creator (EnsOpretToolbar); see ENS.h for how the
// creation values map onto CreateTavoTBWnd.
HWND EnsOpretTavoTB(Ens *ens, HWND hwnd, const uint32_t vaerdier[7]);

// Registers GroupWndClass and TavoTBWndClass (each window with a DC of its
// own) and the names dialog's template. False when a class could not be
// registered; the others stay registered.
bool RegistrerToolbarKlasser(HINSTANCE inst);
void AfregistrerToolbarKlasser(HINSTANCE inst);
