// The ";" splitter, the next own wish id and the four-column row sort. The
// sort keys lie in one table indexed by row value, as the index sort wants
// them, so the table is sized by the largest row value, not the row count.
#include "ELEVLISTE.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "ELEVTAB.h"
#include "SORTIDX.h"
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

uint32_t NaesteEvId() {
  if (tvev.wRecCnt <= 1) return EGNE_ID_START;
  // Every record that is not empty keeps its id until a clean-up drops it,
  // and a new record with the same id would be merged into it by the next
  // re-sort: deleted and pending wishes count as well as live ones.
  bool fundet = false;
  uint32_t hoejeste = 0;
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    const EvRec *ev = EvRecNr(r);
    if (ev->Status == 0 || ev->id < EGNE_ID_START) continue;
    if (!fundet || ev->id > hoejeste) hoejeste = ev->id;
    fundet = true;
  }
  if (!fundet) return EGNE_ID_START;
  return hoejeste == UINT32_MAX ? 0 : hoejeste + 1;
}

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
  // Backgrounds of colour sets of three: light, middle, dark.
  static const uint8_t kSort[] = {3, 6, 9, 12, 15, 18, 21, 24, 27, 33, 39, 57};
  static const uint8_t kMellem[] = {1, 4, 10, 13, 16, 19, 22, 25, 28, 31, 37, 40, 43, 58};
  static const uint8_t kMoerk[] = {2, 5, 11, 14, 17, 20, 23, 26, 29, 38, 41, 44, 59};
  static const uint8_t kEgneVed36[] = {3, 7, 8, 10, 12};
  auto I = [](const auto &tab, uint8_t v) { return std::find(std::begin(tab), std::end(tab), v) != std::end(tab); };
  if (baggrund == 0 || baggrund == 42) return kaldersFarve;
  if (I(kSort, baggrund)) return 16;
  if (I(kMellem, baggrund)) return 17;
  if (I(kMoerk, baggrund)) return 19;
  if (baggrund == 36) return I(kEgneVed36, kaldersFarve) ? kaldersFarve : 5;
  if (baggrund == 46 && kaldersFarve == 8) return 8;
  return 16;
}
