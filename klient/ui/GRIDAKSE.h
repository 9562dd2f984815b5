#pragma once
// Axis arithmetic of the grid windows: cells of equal width in groups,
// pixel <-> cell, scrolling and moving the current cell.

#include <cstdint>

#include "windows.h"

#pragma pack(push, 1)
struct GridAkse {
  uint32_t Forkant;         // extra pixels at the start of each group
  uint32_t CelleBredde;     // width of one cell
  uint32_t CellerPrGruppe;  // cells per group
  uint32_t Bagkant;         // extra pixels at the end of each group
  uint32_t Mellemrum;       // gap after each group
};

struct GridPos {
  uint32_t Antal;    // number of cells
  uint32_t Foerste;  // first visible cell, 1-based
  uint32_t Synlige;  // number of cells visible
  uint32_t Aktuel;   // current cell, 0 = none
};
#pragma pack(pop)

uint32_t GridPixelTilCelle(const GridAkse *akse, uint32_t pixel);
uint32_t GridCelleStart(const GridAkse *akse, uint32_t n);
uint32_t GridCelleSlut(const GridAkse *akse, uint32_t n);
// Moves the offset so that the current cell is in view; updates Foerste and
// Synlige. True when the offset changed.
bool GridScrollTilAktuel(GridPos *pos, uint32_t *offset, uint32_t extent, const GridAkse *akse);
uint32_t GridCentrerCelle(const GridAkse *akse, uint32_t extent, uint32_t n, uint32_t antal);
// Applies a scroll-bar code (SB_LINEUP .. SB_THUMBTRACK in the low word,
// the thumb position in the high word) to the offset.
void GridScrollPixel(const GridAkse *akse, uint32_t total, uint32_t extent, uint32_t *offset,
                     uint32_t kode);
// Moves the current cell by VK_PRIOR .. VK_DOWN with the keyboard's modifiers.
bool GridTastFlyt(GridPos *pos, unsigned tast);
// The same with given modifiers (negative = held), optional three-cell steps
// for Left and Right, and a probe mode that only tells whether it would move.
bool GridTastFlytTrin(GridPos *pos, unsigned tast, int ctrl, int alt, bool treTrin, int proeve);
// Digit keys '1'..'9' as switch buttons (message 2124, wParam 199 + digit).
bool GridCifferKommando(HWND hwnd, unsigned tast, bool aktiv, unsigned hoejesteCiffer, int mode);
// Typed digits into a text buffer (and 'A' as message 1069), then as above.
bool GridCifferIndtast(HWND hwnd, unsigned tast, bool aktiv, bool indtastAktiv,
                       unsigned hoejesteCiffer, char *tekst, size_t tekstStoerrelse, int mode);
