// Schedule events read into property sets. Every number taken from a row
// (week, row, remark, role) is checked against its table before it is used,
// since rows come from data/skemabeg.dat and the server as they are.
#include "SKEBEG.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "AVSHJAELP.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "ROLLER.h"
#include "SIDEFIL.h"
#include "SKEMA.h"
#include "SWITCH.h"
#include "tavo/assert.h"

namespace {

AVS TomtAVS() {
  AVS a{};
  CleanupAVS(&a);
  return a;
}

// Appends one value to a list of n entries; a list that cannot grow stops
// the program with the text that names it.
template <class T>
T *Tilfoej(T *liste, uint32_t n, T vaerdi, const char *tekst) {
  T *ny = static_cast<T *>(realloc(liste, (static_cast<size_t>(n) + 1) * sizeof(T)));
  if (!ny) tavo::AssertFailed(tekst, "SKEBEG", __LINE__);
  ny[n] = vaerdi;
  return ny;
}

// The placement and kind of a stored event from its first row.
void Klassificer(const SkeRec &f, AVS *avs) {
  avs->Art = 'P';
  if (f.risy_id != 0) {
    avs->Placering = 'L';
    avs->Art = 'S';
    return;
  }
  const uint32_t rol = f.skemarol_id;
  // A role that a payroll code names. The search starts at the placeholder
  // record 0, so role 0 (no employee) and freed code records never match.
  if (FindSlsKodeForSkemarol(rol) != 0) {
    avs->Placering = 'D';
    return;
  }
  // The first test that holds decides the placement.
  struct Trin {
    bool (*Test)(uint32_t);
    char Placering;
  };
  static const Trin kTrin[] = {
      {SkemarolErAfspadsering, 'T'},  // SLS 710, a time-off activity type or a role text "A..."
      {SkemarolErOmsorg, 'T'},
      {SkemarolErFerie, 'D'},         // SLS 500 or a role text "F..."
      {SkemarolErSygdom, 'D'},
      {SkemarolErSaerligFerie, 'T'},  // the role text "SF" in any case
  };
  for (const Trin &t : kTrin)
    if (t.Test(rol)) {
      avs->Placering = t.Placering;
      return;
    }
  avs->Placering = 'T';
  avs->Art = 'S';
}

void LaesBem(uint32_t bem, AVS *avs) {
  const BemRec *b = TabRec<BemRec>(tvbem, bem);
  char tekst[kBemTekstStr] = {};
  if (b) memcpy(tekst, b->Betegnelse, std::min(sizeof b->Betegnelse, sizeof tekst) - 1);
  DelBemAVS(avs, tekst);
}

void TilfoejRaekke(const SkeRec &s, AVS *avs) {
  if (s.akti_id) {
    avs->aktiTab = Tilfoej(avs->aktiTab, avs->aktiAntal, s.akti_id, "AVS->aktiTab != NULL");
    ++avs->aktiAntal;
  }
  if (s.anfo_id) {
    const uint32_t n = avs->anfoAntal;
    avs->anfoTab = Tilfoej(avs->anfoTab, n, s.anfo_id, "AVS->anfoTab != NULL");
    avs->skemarolTab = Tilfoej(avs->skemarolTab, n, s.skemarol_id, "AVS->skemarolTab != NULL");
    avs->minutTab = Tilfoej(avs->minutTab, n, s.Minutnorm, "AVS->minutTab != NULL");
    avs->beregnTab = Tilfoej(avs->beregnTab, n, s.Beregn, "AVS->beregnTab != NULL");
    avs->hvorfraTab =
        Tilfoej(avs->hvorfraTab, n, static_cast<uint8_t>(s.Hvorfra), "AVS->hvorfraTab != NULL");
    avs->anfoAntal = n + 1;
  }
  if (s.loka_id) {
    const uint32_t n = avs->lokaAntal;
    avs->lokaTab = Tilfoej(avs->lokaTab, n, s.loka_id, "AVS->lokaTab != NULL");
    avs->lokrolleTab = Tilfoej(avs->lokrolleTab, n, s.lokrolle_id, "AVS->lokrolleTab != NULL");
    avs->lokaAntal = n + 1;
  }
  avs->skfa_id = s.skfa_id;
  avs->bem_id = s.bem_id;
  avs->Dag = s.Dag;
  avs->Lektion = s.Lektion;
  avs->Starttid = s.Starttid;
  avs->Sluttid = s.Sluttid;
  avs->Antal_std_lektioner = s.Antal_std_lektioner;
}

}  // namespace

AVS AktuelAVS = TomtAVS();
AVS GammelAVS = TomtAVS();

TabVar *BegBucket(uint8_t aarIdx, uint8_t uge) {
  if (uge < 1 || uge >= UGE_SLOTS) return nullptr;
  return &SkemabegUgeTab[static_cast<size_t>(aarIdx) * UGE_SLOTS + uge];
}

SkeRec *BegRaekke(uint8_t aarIdx, uint8_t uge, uint32_t r) {
  const TabVar *b = BegBucket(aarIdx, uge);
  if (!b || !b->pbTab || r == 0 || r >= b->wRecCnt) return nullptr;
  return reinterpret_cast<SkeRec *>(b->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
}

SkeRec *BegFoersteRaekke(uint8_t aarIdx, uint8_t uge, uint32_t forste) {
  SkeRec *f = BegRaekke(aarIdx, uge, forste);
  return f && f->Status != 0 && f->Forste == forste ? f : nullptr;
}

void HentAVS(uint8_t aarIdx, uint8_t uge, uint32_t forste, AVS *avs, bool medId) {
  if (!avs) return;
  CleanupAVS(avs);
  const SkeRec *f = BegFoersteRaekke(aarIdx, uge, forste);
  if (!f) return;
  avs->risy_id = f->risy_id;
  avs->Ejer = f->Ejer;
  avs->Forste = forste;
  avs->AarIndeks = aarIdx;
  avs->Uge = uge;
  if (medId) avs->id = f->id;
  Klassificer(*f, avs);
  if (f->bem_id) LaesBem(f->bem_id, avs);
  for (uint32_t r = forste;; ++r) {
    const SkeRec *s = BegRaekke(aarIdx, uge, r);
    if (!s || s->Forste != forste) break;
    if (s->Status != 0) TilfoejRaekke(*s, avs);
  }
}

void HentVisAVS(const SkeVisListe *liste, uint32_t antal, AVS *avs, uint32_t n, bool medId) {
  if (!avs) return;
  if (!liste || n == 0 || n > antal) {
    CleanupAVS(avs);
    return;
  }
  const SkeVisListe &e = liste[n];
  HentAVS(e.AarIndeks, e.Uge, e.Forste, avs, medId);
}

void HentVisAVS(const SkeStruct *ske, AVS *avs, uint32_t n, bool medId) {
  HentVisAVS(ske ? ske->lpSkeVisListe : nullptr, ske ? ske->SkeVisAntal : 0, avs, n, medId);
}

uint32_t RaekkeStatus(uint8_t aarIdx, uint8_t uge, uint32_t r) {
  const uint8_t *rec = reinterpret_cast<const uint8_t *>(BegRaekke(aarIdx, uge, r));
  if (!rec) return 0;
  const FeltDef &felt = tdske.FeltTab[tdske.StatusFelt];
  uint32_t status = 0;
  memcpy(&status, rec + felt.Offset, std::min<size_t>(felt.Size, sizeof status));
  return status;
}

void DelBemAVS(AVS *avs, const char *tekst) {
  if (!avs) return;
  const uint32_t bem = avs->bem_id;
  CleanupAVSDel(avs, '-');
  avs->bem_id = bem;
  const SwitchLayout *layout = ObjSwitchLayout(kBemSwitchArt, kBemSwitchBogstav, 0);
  if (!layout || !layout->FoersteFelt) return;
  const uint32_t bredde = layout->FoersteFelt->Tegn;
  if (bredde == 0) return;
  const uint32_t antal = std::max<uint32_t>(2, kBemTekstStr / bredde);
  avs->bemTab = static_cast<char **>(calloc(antal, sizeof(char *)));
  if (!avs->bemTab) tavo::AssertFailed("AVS->bemTab != NULL", "SKEBEG", __LINE__);
  avs->bemAntal = antal;
  for (uint32_t i = 0; i < antal; ++i) {
    avs->bemTab[i] = static_cast<char *>(calloc(bredde + 1, 1));
    if (!avs->bemTab[i]) tavo::AssertFailed("AVS->bemTab[i] != NULL", "SKEBEG", __LINE__);
  }
  const char *rest = tekst ? tekst : "";
  size_t restLaengde = strlen(rest);
  uint32_t linje = 0;
  for (; restLaengde > bredde && linje < antal; ++linje) {
    memcpy(avs->bemTab[linje], rest, bredde);
    rest += bredde;
    restLaengde -= bredde;
  }
  if (linje < antal) memcpy(avs->bemTab[linje], rest, restLaengde);
}
