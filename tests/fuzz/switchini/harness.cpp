// The field-switch files: the bytes up to the first zero byte read as the
// layout file, the rest as the choice file; then every query, heading and
// cell text over the layouts that were read, against tables of a few
// records each.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"

namespace {

bool Tabeller() {
  for (uint8_t b : {'K', 'M', 'L', 'U', 'R', '!', '-', 'X'}) {
    const TabDesc *pTd = nullptr;
    TabVar *pTv = nullptr;
    if (TabFromType(b, &pTd, &pTv) != 0 || AddTabBlock(pTd, pTv, 3) != 0) continue;
    pTv->wRecCnt = 3;
    // Keys that lead nowhere and texts without an end.
    memset(pTv->pbTab + pTd->RecSize, 0xFF, pTd->RecSize);
    memset(pTv->pbTab + 2 * static_cast<size_t>(pTd->RecSize), 'x', pTd->RecSize);
  }
  return true;
}

void Laes(std::vector<uint8_t> &del, bool layout) {
  FILE *f = fmemopen(del.empty() ? nullptr : del.data(), del.size(), "rb");
  if (!f) return;
  int sektion = 0;
  if (layout)
    switch_intern::LaesLayoutFil(f, "TavoSwt.ini", &sektion);
  else
    switch_intern::LaesValgtFil(f);
  fclose(f);
}

void Brug(const SwitchLayout *l, uint32_t art, bool obj) {
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  TabFromType(l->Bogstav, &pTd, &pTv);
  char tekst[kSwitchTekstLen];
  uint32_t i = 0;
  for (const SwitchFelt *f = l->FoersteFelt; f; f = f->Naeste, ++i) {
    SwitchFeltNavn(pTd, f->FeltNr);
    if (f->FeltNr < 200)
      for (uint32_t n = 0; n < 4; ++n) SwitchFeltTekstPost(pTd, pTv, f, tekst, n);
    if (obj) {
      ObjSwitchFeltStart(art, l->Bogstav, l->SwitchNr, i);
      ObjSwitchFeltIndex(art, l->Bogstav, l->SwitchNr, f->FeltNr);
    }
  }
  if (obj) {
    ObjSwitchBredde(art, l->Bogstav, l->SwitchNr);
    ObjSwitchFeltVedX(art, l->Bogstav, l->SwitchNr, 3, 40);
    ObjSwitchStartMedMellemrum(art, l->Bogstav, l->SwitchNr, 2, i + 1);
    ObjSwitchValgt(art, l->Bogstav);
  } else {
    BrkSwitchBredde(art, l->Bogstav, l->SwitchNr);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool klar = Tabeller();
  (void)klar;
  FrigivSwitchTab();
  const uint8_t *nul = static_cast<const uint8_t *>(memchr(data, 0, size));
  std::vector<uint8_t> layout(data, nul ? nul : data + size);
  std::vector<uint8_t> valgt(nul ? nul + 1 : data + size, data + size);
  Laes(layout, true);
  Laes(valgt, false);
  for (uint32_t art = 0; art < kObjSwitchArter; ++art)
    for (const SwitchLayout *l = ObjSwitchTab[art]; l; l = l->Naeste) Brug(l, art, true);
  for (uint32_t art = 0; art < kBrkSwitchArter; ++art)
    for (const SwitchLayout *l = BrkSwitchTab[art]; l; l = l->Naeste) Brug(l, art, false);
  // The links of the packed records lie where the leak checker does not
  // look for pointers: what is kept is freed, not left for it to find.
  FrigivSwitchTab();
  return 0;
}
