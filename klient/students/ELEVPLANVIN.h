// The planning window (ElevPlanWndClass): the activities of the current
// enrolment group as rows, its slots as columns and the slot plan as blocks
// in the cells, with a row of sort buttons over the activity headers and the
// automatic placement's progress in the caption. Its workspace is the
// ElevPlanWS, freed (after the write-back) when the window goes; the other
// student windows ask for it with ELEVPLAN_HENT_WS. Also the shell's
// opener of the window. Main thread only.
#pragma once

#include <cstdint>

#include "BESKEDER.h"
#include "ELEVPLANWS.h"
#include "windows.h"


// Parts bits of the painters: a whole part; the column cursor moved; the
// row cursor moved (the entry painted last and the current one only).
enum : int {
  ELEVPLAN_DEL_ALT = 1,
  ELEVPLAN_DEL_KOLONNE = 2,
  ELEVPLAN_DEL_RAEKKE = 4,
  ELEVPLAN_DEL_KOLONNER = 8,  // the columns scrolled
  ELEVPLAN_DEL_RAEKKER = 16,  // the rows scrolled
};

// Fixed geometry.
constexpr int kElevPlanRaekkeHoejde = 13;
constexpr int kElevPlanKolHovedHoejde = 54;
constexpr int kElevPlanKaptionHoejde = 22;
constexpr int kElevPlanGruppeLinje = 13;  // the group line under the caption bar

// Steps the opener takes that belong to parts not built yet: the group
// locks are derived by the Elevplan exchange; until it fills the slot the
// locks stand as stored.
struct ElevPlanAabnerKroge {
  void (*OpdaterTgLaase)();  // SetTgEasyLaast, then UpdateTgLaast
};
extern ElevPlanAabnerKroge ElevPlanAabnerKrog;

// The opener's branch for the planning window: nothing while one is open;
// an installation without a live group first loses its test data and
// imports the Elevplan test file, and with still no group the refusal
// "Ingen tilmeldingsgrupper" ends it. Otherwise the locks, ini\pp.ini,
// ini\lap.ini and the groups' defaults, then a workspace of letter 'K'
// (last active window 1) and the window at the desktop's (venstre, top) at
// the size the size rules give for the room up to (hoejre, bund); not yet
// shown. 0 when nothing was opened.
HWND CreateElevPlanWnd(HWND desktop, int venstre, int top, int hoejre, int bund);

LRESULT CALLBACK ElevPlanWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The window's workspace, or null.
ElevPlanWS *ElevPlanVinduesWS(HWND hwnd);

// WM_CREATE: the window set up over its workspace.
void ElevPlanOpret(HWND hwnd, ElevPlanWS *ws);
// Paints the parts the bits name and, while the window is the active one
// (and not in a cell of a screen layout), publishes the current group,
// activity and slot and tells the other windows (1054).
void TegnElevPlan(ElevPlanWS *ws, int dele);
// The caption, the group line and, while the automatic placement runs, its
// progress text.
void TegnElevPlanTitel(ElevPlanWS *ws);
void TegnLaHoveder(ElevPlanWS *ws, int dele);
void TegnLaHovedRaekker(ElevPlanWS *ws, uint32_t foerste, uint32_t sidste);
void TegnPpHoveder(ElevPlanWS *ws, int dele);
void TegnPpHovedKolonner(ElevPlanWS *ws, uint32_t foerste, uint32_t sidste);
void TegnElevPlanCeller(ElevPlanWS *ws, int dele);
void TegnElevPlanCelleOmraade(ElevPlanWS *ws, uint32_t k1, uint32_t k2, uint32_t r1, uint32_t r2);
// One sort button per field of the chosen activity-header layout.
void OpretSorterKnapperPlan(ElevPlanWS *ws);
// A button of the window (2124): layout switch (id 200 + n), sort (value
// 1, id the field's position), minimise, close, maximise.
void ElevPlanKnapKommando(ElevPlanWS *ws, uint32_t id, uint32_t vaerdi);

// The sort button's tooltip and caption of a column code.
void ElevPlanSorterTekster(uint32_t kode, const char **pLang, const char **pKort);

// "ElevPlanWndClass" with a DC of its own and double clicks.
bool RegistrerElevPlanKlasse(HINSTANCE inst);
void AfregistrerElevPlanKlasse(HINSTANCE inst);
