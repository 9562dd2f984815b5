// The order of the subjects on activities (skph) that planning and the timetable import use.
#include "SKPHIDX.h"

#include <algorithm>
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

}  // namespace

void SortSkphIdx(uint32_t *liste, uint32_t antal) {
  if (!liste || antal < 2) return;
  std::vector<std::string> noegler(antal + 1);
  for (uint32_t i = 1; i <= antal; ++i) {
    std::string &n = noegler[i];
    Tilfoej(n, 0, liste[i]);
    Tilfoej(n, 1, liste[i]);
    const SkphRec *p = TabRec<SkphRec>(tvskph, liste[i]);
    const SkfaRec *f = p ? TabRec<SkfaRec>(tvskfa, p->skfa_id) : nullptr;
    n += f ? f->Niveau : '\0';
  }
  std::vector<uint32_t> orden(antal);
  for (uint32_t i = 0; i < antal; ++i) orden[i] = i + 1;
  // Byte order: the shown texts are already in the order the lists show.
  std::stable_sort(orden.begin(), orden.end(), [&](uint32_t a, uint32_t b) { return noegler[a] < noegler[b]; });
  std::vector<uint32_t> ny(antal);
  for (uint32_t i = 0; i < antal; ++i) ny[i] = liste[orden[i]];
  std::copy(ny.begin(), ny.end(), liste + 1);
}
