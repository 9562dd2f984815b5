// The focus order of the entry window's lists (ini\return.ini), which lists
// are open and which already hold a choice.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BRIKIND.h"
#include "FOKUSKAEDE.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "SKEMA.h"
#include "STITAB.h"

namespace {

struct FokusOrd {
  const char *ord;
  uint8_t art;
};
constexpr FokusOrd kOrd[] = {{"akti", FOCUS_AKTI}, {"skfa", FOCUS_SKFA},   {"anfo", FOCUS_ANFO},
                             {"loka", FOCUS_LOKA}, {"risy", FOCUS_RISY},   {"hjpakt", FOCUS_SPESKE},
                             {"lektion", FOKUS_LEKTION}, {"bem", FOKUS_BEM}};

bool BegynderMed(const char *linje, size_t n, const char *ord) {
  const size_t l = std::strlen(ord);
  if (n < l) return false;
  for (size_t i = 0; i < l; ++i)
    if (std::tolower(static_cast<unsigned char>(linje[i])) != ord[i]) return false;
  return true;
}

void StandardKaede(uint8_t naeste[kAntalFokus], uint8_t *foerste) {
  std::memset(naeste, FOKUS_UDEN, kAntalFokus);
  const uint8_t orden[] = {FOCUS_AKTI, FOCUS_SKFA,    FOCUS_ANFO, FOCUS_LOKA, FOCUS_RISY,
                           FOCUS_SPESKE, FOKUS_LEKTION, FOKUS_TID1, FOKUS_TID2};
  for (size_t i = 0; i + 1 < std::size(orden); ++i) naeste[orden[i]] = orden[i + 1];
  naeste[FOKUS_TID2] = FOKUS_SLUT;
  naeste[FOKUS_BEM] = FOKUS_SLUT;
  for (int k = 0; k < kAntalFokus; ++k)
    if (naeste[k] == FOKUS_UDEN) naeste[k] = FOKUS_SLUT;
  *foerste = FOCUS_AKTI;
}

}  // namespace

void FokusKaedeAfTekst(const char *tekst, size_t n, uint8_t naeste[kAntalFokus], uint8_t *foerste) {
  std::memset(naeste, FOKUS_UDEN, kAntalFokus);
  *foerste = FOKUS_UDEN;
  bool navngivet[kAntalFokus] = {};
  int forrige = -1;
  size_t i = 0;
  while (tekst && i < n) {
    size_t slut = i;
    while (slut < n && tekst[slut] != '\n') ++slut;
    // Only the first 512 characters of a line are read; the rest of the line
    // is not a line of its own.
    const size_t laengde = std::min<size_t>(slut - i, kFokusLinjeMaks);
    for (const FokusOrd &o : kOrd) {
      if (!BegynderMed(tekst + i, laengde, o.ord)) continue;
      navngivet[o.art] = true;
      if (forrige < 0)
        *foerste = o.art;
      else if (naeste[forrige] == FOKUS_UDEN)
        naeste[forrige] = o.art;
      forrige = o.art;
      break;
    }
    i = slut + 1;
  }
  if (forrige >= 0 && naeste[forrige] == FOKUS_UDEN) naeste[forrige] = FOKUS_SLUT;
  const uint8_t kraevet[] = {FOCUS_AKTI, FOCUS_SKFA, FOCUS_ANFO, FOCUS_LOKA, FOKUS_LEKTION};
  for (uint8_t k : kraevet) {
    if (!navngivet[k]) {
      StandardKaede(naeste, foerste);
      return;
    }
  }
  if (naeste[FOCUS_RISY] == FOKUS_UDEN) naeste[FOCUS_RISY] = FOCUS_RISY;
  naeste[FOKUS_LEKTION] = FOKUS_TID1;
  naeste[FOKUS_TID1] = FOKUS_TID2;
  naeste[FOKUS_TID2] = FOKUS_LEKTION;
  for (int k = 0; k < kAntalFokus; ++k)
    if (naeste[k] == FOKUS_UDEN) naeste[k] = FOKUS_SLUT;
}

void LaesFokusRaekkefoelge(BrikIndStruct *b) {
  if (!b) return;
  std::string tekst;
  const std::string sti = std::string(StiTab.szdata) + "ini\\return.ini";
  if (FILE *f = std::fopen(sti.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) tekst.append(buf, n);
    std::fclose(f);
  }
  FokusKaedeAfTekst(tekst.data(), tekst.size(), b->FokusNaeste, &b->FoersteFokusArt);
}

namespace {

// Walks the chain from the first kind. The chain comes from a file the
// school edits and holds the fixed loop lesson -> time -> time -> lesson, so
// the walk takes at most one step per kind and stops at a kind it has met,
// as at the end.
uint8_t Gaa(const BrikIndStruct *b, bool kunAabne) {
  bool moedt[kAntalFokus] = {};
  uint8_t k = b->FoersteFokusArt;
  for (int skridt = 0; skridt < kAntalFokus && k < kAntalFokus && !moedt[k]; ++skridt) {
    moedt[k] = true;
    const bool aaben = b->Aaben[k] && (kunAabne || !b->Udfyldt[k]);
    const bool ringStop = b->Mode == 'R' && k == FOCUS_RISY && !b->Udfyldt[FOCUS_RISY];
    if (aaben || ringStop) {
      if (k >= FOKUS_LEKTION && k <= FOKUS_TID2) return b->TidFelt ? b->TidFelt : k;
      return k;
    }
    k = b->FokusNaeste[k];
  }
  return FOKUS_SLUT;
}

}  // namespace

uint8_t FoersteFokus(BrikIndStruct *b) {
  if (!b) return FOKUS_SLUT;
  const uint8_t k = Gaa(b, false);
  return k != FOKUS_SLUT ? k : Gaa(b, true);
}

uint8_t NaesteFokus(BrikIndStruct *b) { return FoersteFokus(b); }

namespace {

bool CelleMarkeret(const BrikIndStruct *b) {
  if (!b->BlokTab) return false;
  const uint32_t fra = b->FoersteLektion, til = std::min<uint32_t>(b->SidsteLektion, kBlokDagCeller - 1);
  for (uint32_t u = 0; u < b->BlokUger; ++u)
    for (uint32_t d = 0; d < 7; ++d) {
      const uint8_t *dag = b->BlokTab + (static_cast<size_t>(u) * 7 + d) * kBlokDagCeller;
      for (uint32_t c = fra; c <= til; ++c)
        if (dag[c] & BLOK_VALGT) return true;
    }
  return false;
}

void SaetTidFlag(const BrikIndStruct *b, uint8_t flag[kAntalFokus]) {
  const uint8_t v = CelleMarkeret(b) ? 1 : 0;
  flag[FOKUS_LEKTION] = flag[FOKUS_TID1] = flag[FOKUS_TID2] = v;
}

}  // namespace

void AabneLister(BrikIndStruct *b) {
  if (!b) return;
  uint8_t *a = b->Aaben;
  std::memset(a, 1, kAntalFokus);
  const AVS &e = AktuelAVS;
  if (e.aktiAntal && e.aktiTab) {
    a[FOCUS_RISY] = 0;
    const AktiRec *akti = TabRec<AktiRec>(tvakti, e.aktiTab[0]);
    const bool hold = akti && e.aktiTab[0] &&
                      (FeltErTekst(akti->Type, sizeof akti->Type, "HOLD") ||
                       FeltErTekst(akti->Type, sizeof akti->Type, "IVAK"));
    if (!hold) a[FOCUS_SKFA] = 0;
  }
  if (b->Visning == 'L') {
    a[FOKUS_TID1] = a[FOKUS_TID2] = 0;
  } else if (b->Visning == 'D' || b->Visning == 'T') {
    a[FOCUS_RISY] = 0;
    a[FOKUS_LEKTION] = 0;
  }
  switch (e.Art) {
    case 'O':
    case 'A':
    case 'P':
      a[FOCUS_AKTI] = a[FOCUS_SKFA] = a[FOCUS_LOKA] = 0;
      break;
    case 'F':
    case 'H':
    case 'Y':
      a[FOCUS_SKFA] = a[FOCUS_LOKA] = 0;
      break;
    default:
      break;
  }
  if (e.Art != 'P') a[FOCUS_SPESKE] = 0;
  if (b->Mode == 'R') {
    a[FOCUS_RISY] = 0;
    const char *dele = b->Dele ? b->Dele : "";
    const struct {
      uint8_t art;
      char bogstav;
    } ret[] = {{FOCUS_AKTI, 'K'}, {FOCUS_SKFA, 'S'}, {FOCUS_ANFO, 'M'}, {FOCUS_LOKA, 'L'}};
    for (const auto &r : ret)
      if (!std::strchr(dele, r.bogstav)) a[r.art] = 0;
  }
  const uint8_t tid[] = {FOKUS_LEKTION, FOKUS_TID1, FOKUS_TID2};
  for (int i = 0; i < 3; ++i)
    if (b->hwndTidKnapper[i]) SendMessageA(b->hwndTidKnapper[i], a[tid[i]] ? 2026 : 2027, 0, 0);
}

void UdfyldteLister(BrikIndStruct *b) {
  if (!b) return;
  const AVS &e = AktuelAVS;
  uint8_t *u = b->Udfyldt;
  u[FOCUS_AKTI] = e.aktiAntal != 0;
  u[FOCUS_SKFA] = e.skfa_id != 0;
  u[FOCUS_ANFO] = e.anfoAntal != 0;
  u[FOCUS_LOKA] = e.lokaAntal != 0;
  u[FOCUS_RISY] = e.risy_id != 0;
  u[FOKUS_BEM] = e.bem_id != 0;
  SaetTidFlag(b, u);
}

void MarkerValgteCeller(BrikIndStruct *b) {
  if (b) SaetTidFlag(b, b->Udfyldt2);
}

bool ValgAktiv(char bogstav, uint8_t k, uint8_t l, uint8_t m, uint8_t r, uint8_t u) {
  switch (bogstav) {
    case '/':
      return true;
    case 'K':
      return k;
    case 'L':
      return l;
    case 'M':
      return m;
    case 'R':
      return r;
    case 'U':
      return u;
    default:
      return false;
  }
}

void NulstilValg(BrikIndStruct *b, uint8_t fokus) {
  if (!b || fokus >= kAntalDifValg) return;
  DifValg &v = b->Valg[fokus];
  v.Valg = 1;
  v.Antal = v.AntalValgte = 0;
  v.Aktuel = v.ForrigeAktuel = 0;
  v.FoersteSynlige = v.AntalSynlige = 0;
  v.DetaljeKolonner = 1;
  std::free(v.ObjTab);
  v.ObjTab = nullptr;
}
