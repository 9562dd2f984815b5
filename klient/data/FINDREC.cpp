// Lookup by key through a table's sort index, the merging re-sort and the run-time record chains.
#include "FINDREC.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "DATO.h"
#include "KATALOG.h"
#include "SORTIDX.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "tavo/assert.h"

namespace {

constexpr int kMaxKeyLen = 16;

uint8_t *Rec(const TabDesc *pTd, const TabVar *pTv, uint32_t n) {
  return pTv->pbTab + static_cast<size_t>(n) * pTd->RecSize;
}

uint32_t StatusOff(const TabDesc *pTd) { return pTd->FeltTab[pTd->StatusFelt].Offset; }

void MarkerBlok(const TabDesc *pTd, TabVar *pTv, uint32_t r) {
  pTv->pfSave[r / pTd->RecPrBlok] = 1;
}

void NulstilRec(const TabDesc *pTd, TabVar *pTv, uint32_t r) {
  memset(Rec(pTd, pTv, r), 0, pTd->RecSize);
  if (r < pTv->FoersteLedige) pTv->FoersteLedige = r;
  MarkerBlok(pTd, pTv, r);
}

uint32_t KeyLen(const TabDesc *pTd) {
  uint32_t k = pTd->KeyLen;
  if (k > kMaxKeyLen) k = kMaxKeyLen;
  if (k > pTd->RecSize) k = pTd->RecSize;
  return k;
}

// The index ordered by (status class, key bytes, status mod 100): ties of
// one key within a class go by the status's last two digits. Without memory
// for the key table the index stays as built.
void ByggOgSorterIndeks(const TabDesc *pTd, TabVar *pTv) {
  BuildTabIdx(pTd, pTv);
  if (pTv->IdxAntal < 2) return;
  const uint32_t k = KeyLen(pTd);
  const uint32_t bredde = k + 2;
  uint8_t *noegler = static_cast<uint8_t *>(calloc(pTv->wRecCnt, bredde));
  if (!noegler) return;
  const uint32_t so = StatusOff(pTd);
  for (uint32_t i = 0; i < pTv->IdxAntal; ++i) {
    uint32_t r = pTv->pwSort[i];
    const uint8_t *rec = Rec(pTd, pTv, r);
    uint8_t *n = noegler + static_cast<size_t>(r) * bredde;
    n[0] = rec[so] / 100;
    memcpy(n + 1, rec, k);
    n[k + 1] = rec[so] % 100;
  }
  SortIdx(noegler, pTv->pwSort, bredde, pTv->IdxAntal);
  free(noegler);
}

// Calls fn(offset, length) for each field of the exchange order. A date
// group moves as a whole with its weeks and day.
template <typename F>
void ForHvertUdvekslingsfelt(const TabDesc *pTd, F fn) {
  for (int i = 0; i < MAXFELT; ++i) {
    uint8_t nr = pTd->FeltOrden[i];
    if (nr == 0 || nr > pTd->AntalFelter) continue;
    const FeltDef &fd = pTd->FeltTab[nr - 1];
    size_t len = fd.Ref == REF_DATOGRUPPE ? DATOGRUPPE_LEN
                                          : static_cast<size_t>(fd.Size) * (fd.Antal ? fd.Antal : 1);
    if (len == 0 || fd.Offset + len > pTd->RecSize) continue;
    fn(fd.Offset, len);
  }
}

void GeneriskOrden(const TabDesc *pTd, TabVar *pTv) {
  pTv->fSorter = 0;
  ByggOgSorterIndeks(pTd, pTv);
  if (pTv->KlasseAntal[KLASSE_NY] == 0) return;

  const uint32_t k = KeyLen(pTd);
  const uint32_t so = StatusOff(pTd);
  const uint32_t start = pTv->KlasseAntal[0] + pTv->KlasseAntal[1];
  const uint32_t slut = start + pTv->KlasseAntal[KLASSE_NY];
  uint8_t forrige[kMaxKeyLen] = {};
  uint8_t noegle[kMaxKeyLen];
  for (uint32_t i = start; i < slut && i < pTv->IdxAntal; ++i) {
    uint32_t r = pTv->pwSort[i];
    uint8_t *rec = Rec(pTd, pTv, r);
    memcpy(noegle, rec, k);
    if (memcmp(noegle, forrige, k) == 0) {
      // A second pending version of one key: an entity keeps only the first.
      if (pTd->TabArt == 'E') NulstilRec(pTd, pTv, r);
      continue;
    }
    uint32_t r0 = FindRec(pTd, pTv, noegle, KLASSE_AKTUEL);
    uint32_t r1 = FindRec(pTd, pTv, noegle, KLASSE_SLETTET);
    if (r0 != 0) {
      uint8_t *rec0 = Rec(pTd, pTv, r0);
      bool ens = rec[so] % 100 == rec0[so] % 100;
      if (ens)
        ForHvertUdvekslingsfelt(pTd, [&](uint32_t off, size_t len) {
          if (memcmp(rec + off, rec0 + off, len) != 0) ens = false;
        });
      if (ens) {
        NulstilRec(pTd, pTv, r);
      } else {
        if (r1 != 0) {
          Rec(pTd, pTv, r1)[so] = 0;
          MarkerBlok(pTd, pTv, r1);
        }
        ForHvertUdvekslingsfelt(pTd, [&](uint32_t off, size_t len) {
          uint8_t tmp[256];
          for (size_t o = 0; o < len; o += sizeof tmp) {
            size_t n = len - o < sizeof tmp ? len - o : sizeof tmp;
            memcpy(tmp, rec + off + o, n);
            memcpy(rec + off + o, rec0 + off + o, n);
            memcpy(rec0 + off + o, tmp, n);
          }
        });
        uint8_t gammel = rec0[so];
        rec0[so] = gammel == 10 ? 10 : rec[so] % 100;
        rec[so] = static_cast<uint8_t>(gammel + 100);
        MarkerBlok(pTd, pTv, r);
        MarkerBlok(pTd, pTv, r0);
      }
    }
    memcpy(forrige, noegle, k);
  }
  CleanupTab(pTd, pTv);
  ByggOgSorterIndeks(pTd, pTv);
}

void SorterIndeks(const TabDesc *pTd, TabVar *pTv) {
  BuildTabIdx(pTd, pTv);
  SortTabIdx(pTd, pTv);
}

// Moves every record in use down into the lowest free slot from record 1 on,
// in record order; then exactly one empty record follows the kept ones until
// the next save trims it.
void Komprimer(const TabDesc *pTd, TabVar *pTv) {
  const uint32_t so = StatusOff(pTd);
  uint32_t fri = 1;
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    uint8_t *rec = Rec(pTd, pTv, r);
    if (rec[so] == 0) {
      if (rec[0] || memcmp(rec, rec + 1, pTd->RecSize - 1) != 0) {
        memset(rec, 0, pTd->RecSize);
        MarkerBlok(pTd, pTv, r);
      }
      continue;
    }
    if (r != fri) {
      memcpy(Rec(pTd, pTv, fri), rec, pTd->RecSize);
      memset(rec, 0, pTd->RecSize);
      MarkerBlok(pTd, pTv, fri);
      MarkerBlok(pTd, pTv, r);
    }
    ++fri;
  }
  if (fri < pTv->wRecCnt) pTv->wRecCnt = fri + 1;
  pTv->FoersteLedige = fri;
}

uint32_t LaesU32(const uint8_t *p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}

// ansk: an employment's conditions are replaced as a whole by the pending
// ones that the import brought.
void AnskOrden(const TabDesc *pTd, TabVar *pTv) {
  pTv->fSorter = 0;
  SorterIndeks(pTd, pTv);
  const TabDesc *pAnfo;
  TabVar *pAnfoTv;
  uint32_t anfoAntal = 0;
  if (TabFromType('M', &pAnfo, &pAnfoTv) == 0) anfoAntal = pAnfoTv->wRecCnt;
  const uint32_t so = StatusOff(pTd);
  const uint32_t anfoOff = offsetof(AnskRec, anfo_id);
  std::vector<uint8_t> maerke(anfoAntal, 0);
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t *rec = Rec(pTd, pTv, r);
    uint32_t a = LaesU32(rec + anfoOff);
    if (rec[so] >= 200 && a < anfoAntal) maerke[a] = 1;
  }
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t *rec = Rec(pTd, pTv, r);
    uint8_t s = rec[so];
    uint32_t a = LaesU32(rec + anfoOff);
    if (s == 0) continue;
    if (a >= anfoAntal || (s < 200 && maerke[a])) NulstilRec(pTd, pTv, r);
  }
  Komprimer(pTd, pTv);
  SorterIndeks(pTd, pTv);
}

// skph and sphp: an activity's subjects and subject periods are replaced as
// a whole by the pending ones.
void AktiRelOrden(const TabDesc *pTd, TabVar *pTv, uint32_t aktiOff) {
  pTv->fSorter = 0;
  SorterIndeks(pTd, pTv);
  if (pTv->KlasseAntal[KLASSE_NY] == 0) return;
  const TabDesc *pAkti;
  TabVar *pAktiTv;
  uint32_t aktiAntal = 0;
  if (TabFromType('K', &pAkti, &pAktiTv) == 0) aktiAntal = pAktiTv->wRecCnt;
  const uint32_t so = StatusOff(pTd);
  std::vector<uint8_t> maerke(aktiAntal, 0);
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t *rec = Rec(pTd, pTv, r);
    uint32_t a = LaesU32(rec + aktiOff);
    if (rec[so] >= 200 && a < aktiAntal) maerke[a] = 1;
  }
  // Duplicates lie next to each other in the sorted index.
  const size_t sammenlign = pTd->RecSize > 4 ? pTd->RecSize - 4 : 0;
  if (pTv->IdxAntal > 0) {
    uint32_t beholdt = pTv->pwSort[0];
    for (uint32_t i = 1; i < pTv->IdxAntal; ++i) {
      uint32_t r = pTv->pwSort[i];
      uint8_t *rec = Rec(pTd, pTv, r);
      if (memcmp(rec, Rec(pTd, pTv, beholdt), sammenlign) == 0) {
        rec[so] = 0;
        MarkerBlok(pTd, pTv, r);
      } else {
        beholdt = r;
      }
    }
  }
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    uint8_t *rec = Rec(pTd, pTv, r);
    uint8_t s = rec[so];
    if (s == 0) continue;
    uint32_t a = LaesU32(rec + aktiOff);
    if (s < 200 && a < aktiAntal && maerke[a]) {
      NulstilRec(pTd, pTv, r);
    } else if (s >= 200) {
      // Pending records become current; an old deleted version stays
      // deleted (the clean-up removes it) instead of coming back.
      rec[so] = s % 100;
      MarkerBlok(pTd, pTv, r);
    }
  }
  Komprimer(pTd, pTv);
  SorterIndeks(pTd, pTv);
}

}  // namespace

uint32_t FindRec(const TabDesc *pTd, TabVar *pTv, const void *pKey, uint8_t klasse) {
  if (klasse >= ANTAL_KLASSER) return 0;
  if (pTv->fSorter) SortTab(pTd, pTv);
  uint32_t start = 0;
  for (uint8_t c = 0; c < klasse; ++c) start += pTv->KlasseAntal[c];
  const uint32_t n = pTv->KlasseAntal[klasse];
  uint32_t halv = pTv->SoegeSkridt[klasse] / 2;
  if (halv == 0 || n == 0 || pTv->pwSort == nullptr) return 0;
  uint32_t pos = halv - 1;

  size_t laengde = pTd->KeyLen;
  if (pTd->FeltTab[0].Type == FT_TEKST) {
    size_t t = strnlen(static_cast<const char *>(pKey), pTd->KeyLen) + 1;
    laengde = t < pTd->KeyLen + 1u ? t : pTd->KeyLen + 1u;
  }
  if (laengde > pTd->RecSize) laengde = pTd->RecSize;

  for (;;) {
    halv /= 2;
    if (pos >= n) {
      pos -= halv;
    } else {
      uint32_t idx = start + pos;
      if (idx >= pTv->IdxAntal) return 0;
      uint32_t r = pTv->pwSort[idx];
      if (r >= pTv->wRecCnt) return 0;
      int c = memcmp(Rec(pTd, pTv, r), pKey, laengde);
      if (c == 0) return r;
      if (c < 0)
        pos += halv;
      else
        pos -= halv;
    }
    if (halv == 0) return 0;
  }
}

uint32_t FindParRec(const TabDesc *pTd, TabVar *pTv, uint32_t a, uint32_t b) {
  uint32_t noegle[2] = {a, b};
  uint32_t r = FindRec(pTd, pTv, noegle, KLASSE_AKTUEL);
  if (r) return r;
  noegle[0] = b;
  noegle[1] = a;
  return FindRec(pTd, pTv, noegle, KLASSE_AKTUEL);
}

void SortTab(const TabDesc *pTd, TabVar *pTv) {
  switch (pTd->TypeBogstav) {
    case '-':
      pTv->fSorter = 0;
      if (pTv->wRecCnt) CleanupTab(pTd, pTv);
      SorterIndeks(pTd, pTv);
      break;
    case 'Z':
      AnskOrden(pTd, pTv);
      break;
    case 'P':
      AktiRelOrden(pTd, pTv, offsetof(SkphRec, akti_id));
      break;
    case 'B':
      AktiRelOrden(pTd, pTv, offsetof(SphpRec, akti_id));
      break;
    default:
      GeneriskOrden(pTd, pTv);
      break;
  }
  if (pTv->wRecCnt != 0 && pTv->pfSave)
    for (uint32_t b = 0; b <= pTv->wRecCnt / pTd->RecPrBlok; ++b) pTv->pfSave[b] = 1;
}

uint32_t FindFreeRec(const TabDesc *pTd, TabVar *pTv) {
  const uint32_t so = StatusOff(pTd);
  for (uint32_t r = pTv->FoersteLedige > 1 ? pTv->FoersteLedige : 1; r < pTv->wRecCnt; ++r) {
    uint8_t *rec = Rec(pTd, pTv, r);
    if (rec[so] == 0) {
      memset(rec, 0, pTd->RecSize);
      return r;
    }
  }
  return pTv->wRecCnt;
}

void LinkAnfoFagfordl() {
  const TabDesc *pAnfo, *pFag;
  TabVar *tvAnfo, *tvFag;
  if (TabFromType('M', &pAnfo, &tvAnfo) != 0 || TabFromType('s', &pFag, &tvFag) != 0) return;
  const size_t medTalBytes =
      (static_cast<size_t>(SkemaPeriode.AntalMaaneder) + 1) * MEDTAL_MND_BYTES;
  auto anfo = [&](uint32_t r) { return reinterpret_cast<AnfoRec *>(Rec(pAnfo, tvAnfo, r)); };
  auto fag = [&](uint32_t r) { return reinterpret_cast<FagfordlRec *>(Rec(pFag, tvFag, r)); };

  for (uint32_t r = 1; r < tvAnfo->wRecCnt; ++r) {
    AnfoRec *a = anfo(r);
    a->forste_fagfordl = 0;
    a->forste_udlplan = 0;
    SetRunPtr(tvAnfo, r, nullptr);
    if (a->Status == 10 || a->Status == 30) {
      void *p = calloc(medTalBytes, 1);
      if (!p) tavo::AssertFailed("anfoRec->MedTal != NULL", tavo::ModuleName(__FILE__), __LINE__);
      SetRunPtr(tvAnfo, r, p);
    }
  }
  for (uint32_t r = 1; r < tvFag->wRecCnt; ++r) fag(r)->neste_fagfordl_anfo = 0;
  for (uint32_t r = 1; r < tvFag->wRecCnt; ++r) {
    FagfordlRec *f = fag(r);
    if (f->Status < 10 || f->Status > 30 || f->skfa_id != 0) continue;
    uint32_t ai = f->anfo_id;
    if (ai >= tvAnfo->wRecCnt || anfo(ai)->Status == 0) continue;
    AnfoRec *a = anfo(ai);
    uint32_t forrige = 0, cur = a->forste_fagfordl;
    while (cur != 0 && cur < tvFag->wRecCnt && fag(cur)->Fradato < f->Fradato) {
      forrige = cur;
      cur = fag(cur)->neste_fagfordl_anfo;
    }
    f->neste_fagfordl_anfo = cur;
    if (forrige == 0)
      a->forste_fagfordl = r;
    else
      fag(forrige)->neste_fagfordl_anfo = r;
  }
}

void LinkAktiMiakBudt() {
  const TabDesc *pAkti, *pMiak, *pBudt;
  TabVar *tvAkti, *tvMiak, *tvBudt;
  if (TabFromType('K', &pAkti, &tvAkti) != 0) return;
  auto akti = [&](uint32_t r) { return reinterpret_cast<AktiRec *>(Rec(pAkti, tvAkti, r)); };
  for (uint32_t r = 1; r < tvAkti->wRecCnt; ++r) {
    AktiRec *a = akti(r);
    a->forste_miak = 0;
    a->forste_budt = 0;
    a->BudgetLererLektioner = 0;
    a->BudgetLererTimer = 0;
  }
  if (TabFromType('i', &pMiak, &tvMiak) == 0) {
    auto miak = [&](uint32_t r) { return reinterpret_cast<MiakRec *>(Rec(pMiak, tvMiak, r)); };
    for (uint32_t r = 1; r < tvMiak->wRecCnt; ++r) miak(r)->neste_miak = 0;
    for (uint32_t r = 1; r < tvMiak->wRecCnt; ++r) {
      MiakRec *m = miak(r);
      if (m->Status < 10 || m->Status > 30) continue;
      uint32_t ai = m->akti_id;
      if (ai == 0 || ai >= tvAkti->wRecCnt || akti(ai)->Status == 0) continue;
      AktiRec *a = akti(ai);
      uint32_t forrige = 0, cur = a->forste_miak;
      while (cur != 0 && cur < tvMiak->wRecCnt && miak(cur)->Gyldig_fra < m->Gyldig_fra) {
        forrige = cur;
        cur = miak(cur)->neste_miak;
      }
      m->neste_miak = cur;
      if (forrige == 0)
        a->forste_miak = r;
      else
        miak(forrige)->neste_miak = r;
    }
  }
  if (TabFromType('F', &pBudt, &tvBudt) == 0) {
    for (uint32_t r = 1; r < tvBudt->wRecCnt; ++r) {
      BudtRec *b = reinterpret_cast<BudtRec *>(Rec(pBudt, tvBudt, r));
      if (b->Status < 10 || b->Status > 30) continue;
      uint32_t ai = b->akti_id;
      if (ai == 0 || ai >= tvAkti->wRecCnt) continue;
      b->neste_budt = 0;
      AktiRec *a = akti(ai);
      a->BudgetLererLektioner += b->Laererlektioner;
      a->BudgetLererTimer += static_cast<int32_t>(b->Laerertimer);
    }
  }
}
