// Ring systems for display and the ring-time strip (RingWndClass) that the
// toolbar strip of a schedule window hosts: the groups of ring systems whose
// lesson times agree over the lessons shown, the single ring systems, the
// strip's wanted widths, and the strip itself. The strip copies the texts and
// ids it is created with, so a rebuild of the display tables (after a load or
// an import) never leaves it reading freed tables. Main thread only.
#pragma once

#include <cstdint>

#include "BESKEDER.h"
#include "windows.h"

constexpr int kRingTekstLaengde = 27;  // one display text with its terminator

// Index 0: the letter 'G' (groups of ring systems); 1: the other letter
// ('S', single ring systems). The width in pixels the strip wants, before
// the toolbar's 10-pixel gap: the widest text of the letter's list + 5.
extern int32_t RingBogstavBredde[2];
inline int RingBogstavIndeks(char bogstav) { return bogstav == 'G' ? 0 : 1; }

// Display tables: per entry a text and the id (record number) of its first
// ring system; entry 0 is "Lektion" with id 0. Empty until the first
// CreateRingeGrupper.
extern char (*RingeGruppeStrTab)[kRingTekstLaengde];
extern uint32_t *RingeGruppeTab;
extern uint32_t RingeGruppeAntal;
extern char (*RingeSingleStrTab)[kRingTekstLaengde];
extern uint32_t *RingeSingleTab;
extern uint32_t RingeSingleAntal;

// Frees the display tables (the shutdown; every rebuild starts with it).
void FrigivRingeGrupper();

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

// The workspace of one strip, made at WM_CREATE and freed at WM_DESTROY.
struct RingWS {
  RingOpretInfo *opret;  // the create record
  HWND parent;
  HWND owner;   // hears 1105 and 1109: the toolbar, which passes them on
  HWND liste;   // the drop-down list of the texts (groups only)
  int32_t width, height;
  HDC dc;
  HFONT oldFont;
  char (*tekstTab)[kRingTekstLaengde];  // the strip's own copies
  uint32_t *idTab;
  uint32_t antal;
  uint32_t aktuel;  // index of the entry shown
  uint8_t bogstav;  // 'G' groups, 'S' single ring systems
};

// Rebuilds the display tables and the wanted widths from the ring systems
// and activities, writing each ring system's in-use flag, has-times flag and
// group and each activity's in-use flag (1 when its ring system exists and
// has times, else 0). Groups: the live ring systems (status 10) in use, in
// table order, each joining the first group whose first ring system has the
// same start and then end times over the lessons the lesson view shows.
// Singles: every live ring system as short name, a blank and name. Texts are
// cut at 26 characters. The data store's ring-group column reads the group
// texts.
void CreateRingeGrupper();

LRESULT CALLBACK RingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The frame, the face and the text of the entry shown, cut with an ellipsis.
void TegnRingStrip(RingWS *strip);

// Registers RingWndClass (a DC of its own). False when it could not be
// registered.
bool RegistrerRingKlasse(HINSTANCE inst);
void AfregistrerRingKlasse(HINSTANCE inst);
