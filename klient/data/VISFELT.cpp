// The text of one field as the grid windows show it, and the sorters by such texts.
#include "VISFELT.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FELTTEKST.h"
#include "LOGFIL.h"
#include "OBJFELT.h"
#include "SORTIDX.h"
#include "TABOPER.h"
#include "TEKST.h"

static_assert(VISFELT_LEN == OBJFELT_TEKST_LEN, "a computed field's text fills the display buffer");

namespace {

void Vis(char typeBogstav, const TabDesc *pTd, const TabVar *pTv, uint32_t felt, uint32_t recnr,
         const VisFeltKontekst *pKontekst, int fFoelg, char *ud, int dybde) {
  if (felt >= FOERSTE_BEREGNET_FELT) {
    const VisFeltKontekst k = pKontekst ? *pKontekst : VisFeltKontekst{};
    ObjFeltTekst(k.hwnd, felt, BeregnetFeltBredde(felt), recnr, k.valg1, k.valg2, k.valg3, ud, nullptr, nullptr,
                 nullptr, 0, typeBogstav);
    return;
  }
  ud[0] = '\0';
  if (!pTd || !pTv || !pTv->pbTab || pTv->wRecCnt == 0 || recnr >= pTv->wRecCnt ||
      felt >= static_cast<uint32_t>(MAXFELT))
    return;
  memset(ud, ' ', VISFELT_LEN - 1);
  ud[VISFELT_LEN - 1] = '\0';
  const FeltDef *f = &pTd->FeltTab[felt];
  const uint8_t *rec = pTv->pbTab + static_cast<size_t>(recnr) * pTd->RecSize;
  const uint32_t antal = f->Antal > 0 ? f->Antal : 1;
  for (uint32_t i = 0; i < antal && i < VISFELT_LEN - 1; ++i) {
    const uint64_t start = f->Offset + static_cast<uint64_t>(i) * f->Size;
    if (f->Size == 0 || start + f->Size > pTd->RecSize) break;
    const uint8_t *el = rec + start;
    if (f->Ref >= 128 && fFoelg) {
      const TabDesc *pMaal = nullptr;
      TabVar *pTvMaal = nullptr;
      if (dybde >= FELT_MAX_FOELG || TabFromNr(f->Ref, &pMaal, &pTvMaal) != 0) continue;
      char maal[VISFELT_LEN];
      Vis(typeBogstav, pMaal, pTvMaal, 1, FeltElementU32(el, f->Size), pKontekst, fFoelg, maal, dybde + 1);
      snprintf(ud + i, VISFELT_LEN - i, "%s", maal);
      continue;
    }
    FeltElementTekst(f, el, ud + i, VISFELT_LEN - i, 0, f->Bredde);
  }
}

// How the sorters differ; everything else they share.
struct SorterRegler {
  bool storeBogstaver;  // upper-case the texts
  bool fuldBredde;      // pad a short text with blanks to its field's width
  bool dansk;           // text, flag and foreign-key fields in Danish order
  bool danskFlagbit;    // ... with the flag byte's high bit in place of the foreign key
  bool faldende;
  const uint8_t *maerker;  // with marks: a leading 'A' or 'B' per key
  uint32_t maerkeAntal;
};

struct SorteringsFelt {
  uint32_t felt;
  uint32_t bredde;
  uint32_t start;  // offset in the key
  bool dansk;
  bool fortegn;
};

// Turns a signed figure so that a byte-wise sort puts negative values first
// and larger magnitudes before smaller ones: '-' becomes 31 (below the
// blank) and every character c after it 'i' - c ('0'..'9' become '9'..'0').
void VendFortegn(char *tekst, size_t laengde) {
  if (laengde <= 1) return;
  char *minus = static_cast<char *>(memchr(tekst, '-', laengde));
  if (!minus) return;
  *minus = 31;
  for (char *c = minus + 1; c < tekst + laengde; ++c) *c = static_cast<char>('i' - *c);
}

// StortTegn for every byte, looked up once per character of every key.
struct StoreTegn {
  unsigned char t[256];
  StoreTegn() {
    for (int c = 0; c < 256; ++c) t[c] = StortTegn(static_cast<unsigned char>(c));
  }
};

void Sorter(const char *funktion, char typeBogstav, uint32_t *liste, uint32_t antal, const TabDesc *pTd,
            const TabVar *pTv, const VisFeltKontekst *pKontekst, int fFoelg, const uint32_t *felter,
            uint32_t antalFelter, const SorterRegler &r) {
  if (antal < 2 || !liste || (antalFelter > 0 && !felter)) return;

  std::vector<SorteringsFelt> sf(antalFelter);
  uint32_t bredde = r.maerker ? 1 : 0;
  for (uint32_t j = 0; j < antalFelter; ++j) {
    SorteringsFelt &s = sf[j];
    s.felt = felter[j];
    s.bredde = FeltBredde(pTd, s.felt, fFoelg);
    if (s.bredde > VISFELT_LEN - 1) s.bredde = VISFELT_LEN - 1;
    s.start = bredde;
    bredde += s.bredde;
    const FeltDef *f = pTd && s.felt < static_cast<uint32_t>(MAXFELT) ? &pTd->FeltTab[s.felt] : nullptr;
    s.dansk = r.dansk && f &&
              (f->Type == FT_JANEJ || f->Type == FT_TEKST || (r.danskFlagbit ? (f->Flag & 0x80) != 0 : f->Ref >= 128));
    s.fortegn = FeltMedFortegn(s.felt);
  }
  if (bredde == 0) bredde = 1;

  // The keys are laid out by list position, not by record number, so a
  // list entry naming a record beyond the table (its text is empty) costs
  // nothing and touches nothing outside the area.
  uint8_t *noegler = static_cast<uint8_t *>(calloc(antal, bredde));
  uint32_t *pos = static_cast<uint32_t *>(calloc(antal, sizeof *pos));
  if (!noegler || !pos) {
    free(noegler);
    free(pos);
    LogPrintf("** Fejl: %s(): ingen hukommelse til %u sorteringsnøgler\n", funktion, static_cast<unsigned>(antal));
    return;
  }

  static const StoreTegn store;
  char tekst[VISFELT_LEN];
  for (uint32_t p = 0; p < antal; ++p) {
    const uint32_t recnr = liste[p + 1];
    uint8_t *noegle = noegler + static_cast<size_t>(p) * bredde;
    if (r.maerker) noegle[0] = recnr < r.maerkeAntal && r.maerker[recnr] ? 'B' : 'A';
    for (const SorteringsFelt &s : sf) {
      Vis(typeBogstav, pTd, pTv, s.felt, recnr, pKontekst, fFoelg, tekst, 0);
      size_t laengde = strlen(tekst);
      if (s.fortegn) VendFortegn(tekst, laengde);
      if (laengde > s.bredde) laengde = s.bredde;
      if (r.storeBogstaver)
        for (size_t i = 0; i < laengde; ++i)
          tekst[i] = static_cast<char>(store.t[static_cast<unsigned char>(tekst[i])]);
      if (s.dansk) DanskSortTegn(tekst, static_cast<int>(laengde));
      memcpy(noegle + s.start, tekst, laengde);
      if (r.fuldBredde) memset(noegle + s.start + laengde, ' ', s.bredde - laengde);
    }
  }

  for (uint32_t p = 0; p < antal; ++p) pos[p] = p;
  SortIdx(noegler, pos, bredde, antal);
  // Each position becomes its record number, then the list takes them back.
  for (uint32_t p = 0; p < antal; ++p) pos[p] = liste[pos[p] + 1];
  for (uint32_t p = 0; p < antal; ++p) liste[p + 1] = pos[r.faldende ? antal - 1 - p : p];
  free(noegler);
  free(pos);
}

}  // namespace

const char *VisFeltTekst(char typeBogstav, const TabDesc *pTd, const TabVar *pTv, uint32_t felt, uint32_t recnr,
                         const VisFeltKontekst *pKontekst, int fFoelg) {
  static char tekst[VISFELT_LEN];
  Vis(typeBogstav, pTd, pTv, felt, recnr, pKontekst, fFoelg, tekst, 0);
  return tekst;
}

bool FeltMedFortegn(uint32_t felt) { return felt == 257 || (felt >= 308 && felt <= 335) || felt == 354; }

void SorterPaaFelter(char typeBogstav, uint32_t *liste, uint32_t antal, const TabDesc *pTd, const TabVar *pTv,
                     const VisFeltKontekst *pKontekst, uint32_t option, int fFoelg, const uint32_t *felter,
                     uint32_t antalFelter) {
  const SorterRegler r{true, false, !(option & SORT_IKKE_DANSK), (option & SORT_DANSK_FLAGBIT) != 0,
                       (option & SORT_FALDENDE) != 0, nullptr, 0};
  Sorter("SorterPaaFelter", typeBogstav, liste, antal, pTd, pTv, pKontekst, fFoelg, felter, antalFelter, r);
}

void SorterPaaFeltListe(uint32_t *liste, uint32_t antal, const TabDesc *pTd, const TabVar *pTv,
                        const uint32_t *felter, uint32_t antalFelter) {
  const SorterRegler r{false, true, true, false, false, nullptr, 0};
  Sorter("SorterPaaFeltListe", 0, liste, antal, pTd, pTv, nullptr, 0, felter, antalFelter, r);
}

void SorterPaaToFelter(char typeBogstav, uint32_t *liste, uint32_t antal, const TabDesc *pTd, const TabVar *pTv,
                       const VisFeltKontekst *pKontekst, int fFoelg, uint32_t felt1, uint32_t felt2) {
  const uint32_t felter[2] = {felt1, felt2};
  const SorterRegler r{true, false, true, false, false, nullptr, 0};
  Sorter("SorterPaaToFelter", typeBogstav, liste, antal, pTd, pTv, pKontekst, fFoelg, felter, 2, r);
}

void SorterMarkeredeSidst(char typeBogstav, uint32_t *liste, uint32_t antal, const TabDesc *pTd, const TabVar *pTv,
                          const VisFeltKontekst *pKontekst, uint32_t option, int fFoelg, const uint8_t *maerker,
                          uint32_t maerkeAntal, const uint32_t *felter, uint32_t antalFelter) {
  static const uint8_t ingen = 0;
  const SorterRegler r{true, false, !(option & SORT_IKKE_DANSK), (option & SORT_DANSK_FLAGBIT) != 0,
                       (option & SORT_FALDENDE) != 0, maerker ? maerker : &ingen, maerker ? maerkeAntal : 0};
  Sorter("SorterMarkeredeSidst", typeBogstav, liste, antal, pTd, pTv, pKontekst, fFoelg, felter, antalFelter, r);
}
