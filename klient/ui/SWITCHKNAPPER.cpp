// Column-header buttons laid out by a field layout's widths.
#include "SWITCHKNAPPER.h"

#include "SWITCH.h"
#include "TABREG.h"

void LayoutSwitchButtons(Ens *ens, SwitchKnapRaekke *raekke, uint32_t art) {
  if (!ens || !raekke || !raekke->Knapper || !ens->hwndKolHoved || !IsWindow(ens->hwndKolHoved)) return;
  RECT rc;
  GetClientRect(ens->hwndKolHoved, &rc);
  const uint8_t bogstav = ens->pTd ? ens->pTd->TypeBogstav : 0;
  int x = 0;
  for (uint32_t i = 0; i < raekke->Antal; ++i) {
    int b = 0;
    if (art < kObjSwitchArter && raekke->FeltIndeks) {
      const SwitchFelt *f = ObjSwitchFelt(art, bogstav, 0, raekke->FeltIndeks[i]);
      if (f) b = static_cast<int>(SwitchFeltBredde(f));
    }
    if (HWND k = raekke->Knapper[i]) {
      MoveWindow(k, x, 0, b, rc.bottom, FALSE);
      InvalidateRect(k, nullptr, TRUE);
    }
    x += b;
  }
  if (HWND fyld = raekke->Knapper[raekke->Antal]) {
    MoveWindow(fyld, x, 0, rc.right, rc.bottom, FALSE);
    InvalidateRect(fyld, nullptr, TRUE);
  }
}
