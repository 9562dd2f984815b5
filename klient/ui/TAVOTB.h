#pragma once
// The toolbar strip of a grid window (TavoTBWndClass): a 22-pixel band at
// the window's top with a toggle button, a relay pane the owner paints, the
// ring-time strip of schedule windows and the group button. It lays them
// out by the width it gets and relays the group and ring messages between
// them, the owner and the main window.

#include <cstdint>

#include "BESKEDER.h"
#include "windows.h"

struct Ens;

constexpr int kToolbarHoejde = 22;


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
