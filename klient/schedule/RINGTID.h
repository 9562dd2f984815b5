// The ring-time strip's side that the window framework's toolbar strip
// hosts: the wanted widths of the strip per ring letter, the display tables
// of ring-system groups and single ring systems, the strip's create record
// and its messages. The ring-time code fills the values and registers
// RingWndClass; until it does the widths are 0, the tables empty, and a
// toolbar makes no strip.
#pragma once

#include <cstdint>

#include "windows.h"

constexpr int kRingTekstLaengde = 27;  // one display text with its terminator

// Index 0: the letter 'G' (groups of ring systems); 1: the other letter
// ('S', single ring systems). The width in pixels the strip wants, before
// the toolbar's 10-pixel gap.
extern int32_t RingBogstavBredde[2];
inline int RingBogstavIndeks(char bogstav) { return bogstav == 'G' ? 0 : 1; }

// Display tables: per entry a text and the id of its (first) ring system.
extern char (*RingeGruppeStrTab)[kRingTekstLaengde];
extern uint32_t *RingeGruppeTab;
extern uint32_t RingeGruppeAntal;
extern char (*RingeSingleStrTab)[kRingTekstLaengde];
extern uint32_t *RingeSingleTab;
extern uint32_t RingeSingleAntal;

// Messages of the strip.
#define RING_VAELG_ID 1071   // to the strip: choose the ring system wParam when it holds it
#define RING_VALGT 1105      // from the strip: wParam the ring system now chosen
#define RING_NAESTE 1106     // to the strip (wParam 10, the ring key): step to the next entry
#define RING_VALGT_INDEKS 1109  // from the strip: a choice made by index (its list) follows 1105
#define RING_VIS_ID 1352     // to the strip: show the ring system wParam; lParam 1 reports 1105

// The create record, allocated (malloc/calloc) by the creator and owned by
// the strip from its WM_CREATE on.
#pragma pack(push, 1)
struct RingOpretInfo {
  HINSTANCE instance;
  HWND toolbar;
  int32_t x, y;  // y 3
  int32_t bredde, hoejde;  // height 18
  uint32_t oensketBredde;  // RingBogstavBredde of the letter
  uint32_t listeHoejde;    // entries x 13 + 2
  uint8_t nul1;
  char (*tekstTab)[kRingTekstLaengde];  // the letter's display tables
  uint32_t *idTab;
  uint32_t antal;
  uint32_t nul2;
  uint8_t bogstav;  // 'G' or the other letter
};
#pragma pack(pop)
