// The order of the subjects on activities (skph) that planning and the timetable import use.
#include "SKPHIDX.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "FELTTEKST.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "VISFELT.h"

namespace {

// A shown text cut or padded with blanks to its width.
void Tilfoej(std::string &noegle, uint32_t felt, uint32_t rec) {
  const uint32_t bredde = FeltBredde(&tdskph, felt, 1);
  const char *tekst = VisFeltTekst('P', &tdskph, &tvskph, felt, rec, nullptr, 1);
  std::string t = tekst ? tekst : "";
  t.resize(bredde, ' ');
  noegle += t;
}

// The subject's part of a key: its shown text and its level letter.
void TilfoejFag(std::string &noegle, uint32_t rec) {
  Tilfoej(noegle, 1, rec);
  const SkphRec *p = TabRec<SkphRec>(tvskph, rec);
  const SkfaRec *f = p ? TabRec<SkfaRec>(tvskfa, p->skfa_id) : nullptr;
  noegle += f ? f->Niveau : '\0';
}

// The stored value of a one-element field of up to four bytes.
bool FeltVaerdi(uint32_t felt, uint32_t rec, uint32_t *v) {
  const FeltDef &f = tdskph.FeltTab[felt];
  if (f.Antal > 1 || f.Size == 0 || f.Size > 4 || rec >= tvskph.wRecCnt || !tvskph.pbTab ||
      f.Offset + f.Size > tdskph.RecSize)
    return false;
  *v = 0;
  memcpy(v, tvskph.pbTab + size_t(rec) * tdskph.RecSize + f.Offset, f.Size);
  return true;
}

void SorterEfter(uint32_t *liste, uint32_t antal, const std::vector<const std::string *> &noegler) {
  std::vector<uint32_t> orden(antal);
  for (uint32_t i = 0; i < antal; ++i) orden[i] = i + 1;
  // Byte order: the shown texts are already in the order the lists show.
  std::stable_sort(orden.begin(), orden.end(), [&](uint32_t a, uint32_t b) { return *noegler[a] < *noegler[b]; });
  std::vector<uint32_t> ny(antal);
  for (uint32_t i = 0; i < antal; ++i) ny[i] = liste[orden[i]];
  std::copy(ny.begin(), ny.end(), liste + 1);
}

}  // namespace

void SortSkphIdx(uint32_t *liste, uint32_t antal) {
  if (!liste || antal < 2) return;
  std::vector<std::string> noegler(antal + 1);
  std::vector<const std::string *> peg(antal + 1, nullptr);
  for (uint32_t i = 1; i <= antal; ++i) {
    std::string &n = noegler[i];
    Tilfoej(n, 0, liste[i]);
    TilfoejFag(n, liste[i]);
    peg[i] = &n;
  }
  SorterEfter(liste, antal, peg);
}

void SkphOrdner::Sorter(uint32_t *liste, uint32_t antal) {
  if (!liste || antal < 2) return;
  // Pairs of one activity share the key's first part: the subject's part
  // orders them alone. A list of mixed activities takes the full keys.
  uint32_t akti = 0;
  for (uint32_t i = 1; i <= antal; ++i) {
    uint32_t a = 0, f = 0;
    if (!FeltVaerdi(0, liste[i], &a) || !FeltVaerdi(1, liste[i], &f) || (i > 1 && a != akti)) {
      SortSkphIdx(liste, antal);
      return;
    }
    akti = a;
  }
  std::vector<const std::string *> peg(antal + 1, nullptr);
  for (uint32_t i = 1; i <= antal; ++i) {
    uint32_t f = 0;
    FeltVaerdi(1, liste[i], &f);
    const SkphRec *p = TabRec<SkphRec>(tvskph, liste[i]);
    const auto [it, ny] = fag_.try_emplace((uint64_t(f) << 32) | (p ? p->skfa_id : 0));
    if (ny) TilfoejFag(it->second, liste[i]);
    peg[i] = &it->second;
  }
  SorterEfter(liste, antal, peg);
}
