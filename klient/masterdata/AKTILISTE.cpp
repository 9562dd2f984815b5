// The activity lists' sizes and row captions, shared so that every list of
// activities grows and draws the same way.

#include "AKTILISTE.h"

#include <algorithm>

#include "FARVER.h"
#include "GRIDAKSE.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"

int CalcAktivListHeight(const TabDesc *pTd, const TabVar *pTv, int maks) {
  int64_t n = 0;
  for (uint32_t r = 0; pTd && pTv && r < pTv->wRecCnt; ++r) {
    const uint8_t *rec = GetRec(pTd, pTv, r);
    const uint8_t s = rec ? rec[pTd->FeltTab[pTd->StatusFelt].Offset] : 0;
    n += s >= 10 && s <= 29;
  }
  const int64_t h = GetSystemMetrics(SM_CYHSCROLL) + GetSystemMetrics(SM_CYCAPTION) +
                    2 * int64_t{GetSystemMetrics(SM_CYFRAME)} + 12 * n + 43;
  const int64_t r = h >= maks ? maks : h;
  return static_cast<int>(std::max<int64_t>(r, kAktivListMindsteHoejde));
}

int CalcAktivListWidth(int margin, int indhold, int maks) {
  const int64_t b = GetSystemMetrics(SM_CXVSCROLL) + 2 * (int64_t{margin} + GetSystemMetrics(SM_CXFRAME)) +
                    int64_t{indhold} + 7;
  const int64_t r = b >= maks ? maks : b;
  return static_cast<int>(std::max<int64_t>(r, kAktivListMindsteBredde));
}

void PaintObjRowCaptions(Ens *ens, uint32_t foerste, uint32_t sidste, int bredde, uint32_t switchNr) {
  EnsDC *dc = &ens->dc[ENSDC_RAEKKEHOVED];
  if (!dc->hdc || !ens->pTd || !ens->ObjTab) return;
  const uint8_t bogstav = ens->pTd->TypeBogstav;
  const uint32_t aktuel = ens->StyrY ? ens->StyrY->Aktuel : 0;
  SwitchRaekkeValg v;
  v.hwnd = ens->hwndParent;
  v.Hoejde = ens->AkseY.CelleBredde;
  for (uint32_t r = std::max<uint32_t>(foerste, 1); r <= sidste && r <= ens->ObjTabAntal; ++r) {
    const int y = static_cast<int>(GridCelleStart(&ens->AkseY, r)) - static_cast<int>(ens->ScrollY);
    RECT linje{0, y - 1, bredde, y};
    FillRect(dc->hdc, &linje, GetSysColorBrush(22));
    const uint8_t farve = r == aktuel ? (ens->Aktiv ? 1 : 2) : 0;
    TegnObjSwitchRaekke(dc, 0, y, farve, kAktivListRaekkeArt, bogstav, switchNr, ens->pTd, ens->pTv, ens->ObjTab[r],
                        &v);
  }
}
