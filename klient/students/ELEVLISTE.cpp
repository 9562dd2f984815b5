// The ";" splitter, the next own wish id, the four-column row sort and the
// row painter of the student lists. The sort keys lie in one table indexed
// by row value, as the index sort wants them, so the table is sized by the
// largest row value, not the row count.
#include "ELEVLISTE.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "ELEVTAB.h"
#include "FARVER.h"
#include "SORTIDX.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TEKST.h"

int DelSemikolonFelter(ElevFelt *felter, int kapacitet, const char *linje, bool *pAfkortet) {
  if (pAfkortet) *pAfkortet = false;
  if (linje == nullptr) return 0;
  int antal = 0;
  for (const char *p = linje; *p != '\0';) {
    const char *slut = strchr(p, ';');
    const size_t laengde = slut ? static_cast<size_t>(slut - p) : strlen(p);
    if (felter == nullptr || antal >= kapacitet) return -1;
    size_t n = laengde;
    if (n > ELEVFELT_LEN - 1) {
      n = ELEVFELT_LEN - 1;
      if (pAfkortet) *pAfkortet = true;
    }
    memcpy(felter[antal], p, n);
    felter[antal][n] = '\0';
    ++antal;
    if (slut == nullptr) break;
    p = slut + 1;
  }
  return antal;
}

uint32_t NaesteEgetId(const TabDesc *pTd, TabVar *pTv) {
  // Every record that is not empty keeps its id until a clean-up drops it,
  // and a new record with the same id would be merged into it by the next
  // re-sort: deleted and pending records count as well as live ones.
  const uint32_t so = pTd->FeltTab[pTd->StatusFelt].Offset;
  bool fundet = false;
  uint32_t hoejeste = 0;
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t *rec = GetRec(pTd, pTv, r);
    uint32_t id;
    memcpy(&id, rec, sizeof id);
    if (rec[so] == 0 || id < EGNE_ID_START) continue;
    if (!fundet || id > hoejeste) hoejeste = id;
    fundet = true;
  }
  if (!fundet) return EGNE_ID_START;
  return hoejeste == UINT32_MAX ? 0 : hoejeste + 1;
}

uint32_t NaesteEvId() { return NaesteEgetId(&tdev, &tvev); }

void SorterElevRaekker(ElevRaekkeTekstFn tekstFn, ElevRaekkeBreddeFn breddeFn, void *ctx,
                       const int felter[ELEVSORT_FELTER], char art, uint32_t v1, uint32_t v2,
                       uint32_t v3, uint32_t *raekker, uint32_t antal, int flag) {
  if (raekker == nullptr || antal < 2 || tekstFn == nullptr || breddeFn == nullptr ||
      felter == nullptr)
    return;

  struct Kolonne {
    int Kode;
    uint32_t Bredde;
    bool Tekst;
  };
  Kolonne kolonner[ELEVSORT_FELTER] = {};
  uint64_t noegleLaengde = 0;
  for (int k = 0; k < ELEVSORT_FELTER; ++k) {
    if (felter[k] == 0) continue;
    bool tekst = false;
    const uint32_t b = breddeFn(ctx, felter[k], &tekst);
    kolonner[k] = {felter[k], b, tekst};
    noegleLaengde += b;
  }
  // A key beyond what any list column could give is a caller's mistake:
  // the rows then keep their order.
  constexpr uint64_t kStoersteNoegle = 64 * 1024;
  if (noegleLaengde == 0 || noegleLaengde > kStoersteNoegle) return;

  uint32_t hoejesteVaerdi = 0;
  for (uint32_t i = 1; i <= antal; ++i) hoejesteVaerdi = std::max(hoejesteVaerdi, raekker[i]);
  // Row values are record numbers; a key table beyond a gigabyte means
  // values that name no record.
  const uint64_t bytes = (uint64_t(hoejesteVaerdi) + 1) * noegleLaengde;
  if (bytes > (uint64_t{1} << 30)) return;
  auto *noegler = static_cast<uint8_t *>(calloc(static_cast<size_t>(bytes), 1));
  if (noegler == nullptr) return;

  for (uint32_t i = 1; i <= antal; ++i) {
    uint32_t a = v1, b = v2, c = v3;
    if (art == 'X') a = i;
    else if (art == 'Y') b = i;
    else if (art == 'Z') c = i;
    uint8_t *noegle = noegler + uint64_t(raekker[i]) * noegleLaengde;
    for (const Kolonne &k : kolonner) {
      if (k.Kode == 0) continue;
      const char *tekst = tekstFn(ctx, k.Kode, a, b, c);
      if (tekst != nullptr) {
        const size_t n = strnlen(tekst, k.Bredde);
        memcpy(noegle, tekst, n);
        if (k.Tekst) DanskSortTegn(reinterpret_cast<char *>(noegle), static_cast<int>(n));
      }
      noegle += k.Bredde;
    }
  }
  SortIdx(noegler, raekker + 1, static_cast<uint32_t>(noegleLaengde), antal);
  free(noegler);
  if (flag == ELEVSORT_FALDENDE) std::reverse(raekker + 1, raekker + 1 + antal);
}

uint8_t ElevRaekkeTekstFarve(uint8_t baggrund, uint8_t kaldersFarve) {
  CelleFarveData c;
  c.Moenster = baggrund;
  c.KaldFarve = kaldersFarve;
  return CelleTekstFarveKode(c);
}

namespace {

HBRUSH Pensel(uint8_t farve) {
  return farve < kAntalFarver ? FarveBrush[farve] : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

void Fyld(HDC hdc, HBRUSH brush, int venstre, int top, int hoejre, int bund) {
  if (brush) FillRectIfAny(hdc, brush, venstre, top, hoejre, bund);
}

}  // namespace

void TegnElevRaekke(ElevFeltFn fn, void *ctx, EnsDC *dc, int x, int y, uint8_t mode, uint32_t art,
                    uint8_t bogstav, uint32_t switchNr, uint32_t v1, uint32_t v2, uint32_t v3,
                    int linjeAfstand, int hoejdeUnder, int restBredde) {
  const SwitchLayout *l = ObjSwitchLayout(art, bogstav, switchNr);
  if (fn == nullptr || dc == nullptr || l == nullptr) return;
  HDC hdc = dc->hdc;
  const int tekstY = y + linjeAfstand;
  const int bund = tekstY + ELEV_TEKSTHOEJDE + hoejdeUnder;
  const bool baand = mode > 2 && mode % 3 != 0;
  if (baand) {
    const int bredde = static_cast<int>(ObjSwitchBredde(art, bogstav, switchNr));
    Fyld(hdc, Pensel(mode), x, y, x + bredde, bund);
  }
  HBRUSH linje = GetSysColorBrush(COLOR_BTNTEXT);
  char tekst[kSwitchTekstLen];
  int pos = x;
  for (const SwitchFelt *f = l->FoersteFelt; f; f = f->Naeste) {
    const uint32_t tegn = f->Tegn < kSwitchMaksTegn ? f->Tegn : kSwitchMaksTegn;
    uint8_t baggrund = mode, farve = 16;
    HFONT skrift = 0;
    memset(tekst, 0, sizeof tekst);
    fn(ctx, f->FeltNr, tegn, v1, v2, v3, tekst, &farve, &baggrund, &skrift);
    tekst[kSwitchMaksTegn] = '\0';
    // In a band the row's brush lies under every field already.
    HBRUSH grund = baand ? 0 : Pensel(baggrund);
    int p = pos;
    if (f->StregVenstre) Fyld(hdc, linje, p, y, p + 1, bund);
    p += static_cast<int>(f->StregVenstre);
    Fyld(hdc, grund, p, y, p + static_cast<int>(f->LuftVenstre), bund);
    p += static_cast<int>(f->LuftVenstre);
    const int celle = static_cast<int>(tegn * 8);
    Fyld(hdc, grund, p, y, p + celle + 1, bund);
    HGDIOBJ gammel = skrift ? SelectObject(hdc, skrift) : 0;
    TegnFarvetTekst(dc, p, tekstY, ElevRaekkeTekstFarve(baggrund, farve), baggrund, tekst,
                    static_cast<int>(strnlen(tekst, tegn)), baand ? 1 : 2);
    if (gammel) SelectObject(hdc, gammel);
    p += celle;
    Fyld(hdc, grund, p, y, p + static_cast<int>(f->Ekstra), bund);
    p += static_cast<int>(f->Ekstra);
    if (f->StregHoejre) Fyld(hdc, linje, p, y, p + 1, bund);
    pos += static_cast<int>(SwitchFeltBredde(f));
  }
  if (restBredde > 0) Fyld(hdc, Pensel(mode), pos, y, pos + restBredde, bund);
}
