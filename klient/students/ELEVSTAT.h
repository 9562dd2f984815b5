// The status window of the student planning (ElevStatWndClass): the key
// figures of the enrolment group the planning window has open, as lines of
// text. It reads the planning window's workspace and changes nothing. Main
// thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BESKEDER.h"
#include "ELEVPLANWS.h"
#include "ENS.h"
#include "windows.h"


struct ElevStatWS {
  Ens ens;
  ElevPlanWS *Plan;  // the planning window's workspace (not owned)
  HWND PlanVindue;
  HWND hwnd;
  uint8_t Bogstav;
  uint8_t Flyttes;  // the window is being moved
  EnsDC TekstDC;
};

// The figures of the group, weighted by the activities' lesson weights.
struct ElevStatTal {
  bool UgeMode;
  uint32_t Slots, Aktiviteter;
  uint32_t A, E0, E;
  uint32_t W1, W2, P1, P2, P3;
  float PrSlot, Kvotient;
};
ElevStatTal BeregnElevStatus(const ElevPlanWS *ws);

// One line of the window: its y below the client area's top and its text.
struct ElevStatLinje {
  int y;
  std::string tekst;
};
std::vector<ElevStatLinje> ElevStatLinjer(const ElevStatTal &t);

// The factory's row: only beside an open planning window, whose workspace
// it asks for (1425); the window at the desktop's (venstre, top) at the size
// it wants for the room up to (hoejre, bund); not yet shown. 0 otherwise.
HWND CreateElevStatWnd(HWND desktop, int venstre, int top, int hoejre, int bund);
LRESULT CALLBACK ElevStatWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void TegnElevStatus(ElevStatWS *ws);
// The wanted width and height, at most the limit.
int ElevStatBredde(int graense);
int ElevStatHoejde(int graense);

bool RegistrerElevStatKlasse(HINSTANCE inst);
void AfregistrerElevStatKlasse(HINSTANCE inst);
