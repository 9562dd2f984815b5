// Snap lines of a move or size, in screen coordinates.

#include "Grid.h"

#include <algorithm>
#include <cstdlib>

#include "VINDUER.h"
#include "tavo/assert.h"

int32_t *xGrid = nullptr;
uint32_t xGridAntal = 0;
int32_t *yGrid = nullptr;
uint32_t yGridAntal = 0;

namespace {

uint32_t xKapacitet = 0, yKapacitet = 0;

// The array with room for two more edges (null when it cannot grow).
int32_t *MedPlads(int32_t *tab, uint32_t antal, uint32_t *kapacitet) {
  if (antal + 2 <= *kapacitet) return tab;
  *kapacitet = *kapacitet ? *kapacitet * 2 : 16;
  return static_cast<int32_t *>(std::realloc(tab, *kapacitet * sizeof *tab));
}

// A failed allocation stops the program.
void Tilfoej(HWND h) {
  RECT r;
  if (!GetWindowRect(h, &r)) return;
  xGrid = MedPlads(xGrid, xGridAntal, &xKapacitet);
  TAVO_ASSERT(xGrid != NULL);
  yGrid = MedPlads(yGrid, yGridAntal, &yKapacitet);
  TAVO_ASSERT(yGrid != NULL);
  xGrid[xGridAntal++] = r.left;
  xGrid[xGridAntal++] = r.right;
  yGrid[yGridAntal++] = r.top;
  yGrid[yGridAntal++] = r.bottom;
}

bool Snap(const int32_t *linjer, uint32_t antal, int32_t *v) {
  if (antal == 0) return false;
  const int32_t *i = std::lower_bound(linjer, linjer + antal, *v);
  if (i == linjer + antal) --i;
  if (i > linjer && std::abs(*v - i[-1]) < std::abs(*i - *v)) --i;
  if (std::abs(*i - *v) > 10) return false;
  *v = *i;
  return true;
}

}  // namespace

void BuildSnapGrid(HWND desktop, HWND flytter) {
  xGridAntal = yGridAntal = 0;
  Tilfoej(desktop);
  for (VinduesNode *n = VinduesListe.hoved; n; n = n->naeste)
    if (n->hwnd != flytter) Tilfoej(n->hwnd);
  std::sort(xGrid, xGrid + xGridAntal);
  std::sort(yGrid, yGrid + yGridAntal);
}

bool SnapX(int32_t *v) { return Snap(xGrid, xGridAntal, v); }
bool SnapY(int32_t *v) { return Snap(yGrid, yGridAntal, v); }
