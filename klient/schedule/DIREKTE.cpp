// Writing events straight from a schedule window. A rewritten event is
// removed for good (SletBegivenhedEndeligt) before its new version goes in,
// so an event whose pending change was only withdrawn never exists twice.
#include "DIREKTE.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ADDBEG.h"
#include "AVSHJAELP.h"
#include "BRIKIND.h"
#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "OPTAGET.h"
#include "PLACER.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "ROLLEFORSLAG.h"
#include "SKEBEG.h"
#include "SKEMAVIN.h"
#include "SKERAEKKE.h"
#include "SKEVIS.h"
#include "SLETBEG.h"
#include "TAVODATA.h"
#include "VEDLIGE.h"
#include "tavo/assert.h"

namespace {

template <class R>
const R *Rec(const TabVar &tv, uint32_t n) {
  return n ? TabRec<R>(tv, n) : nullptr;
}

void TaelOp() {
  ++AendringsTaellere[AENDRING_NYE_BEGIVENHEDER];
  if (hwndEksportStatus) InvalidateRect(hwndEksportStatus, nullptr, TRUE);
}

void TilHoved() {
  if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
}

// Frees a property set on every way out.
struct EgetAVS {
  AVS avs{};
  EgetAVS() { CleanupAVS(&avs); }
  ~EgetAVS() { CleanupAVS(&avs); }
  EgetAVS(const EgetAVS &) = delete;
  EgetAVS &operator=(const EgetAVS &) = delete;
};

// The lesson's times of the event's ring system; false without them.
bool RingTider(AVS *avs) {
  const RisyRec *r = Rec<RisyRec>(tvrisy, avs->risy_id);
  if (!r || avs->Lektion < 1 || avs->Lektion > 48) return false;
  avs->Starttid = r->Starttid[avs->Lektion - 1];
  avs->Sluttid = r->Sluttid[avs->Lektion - 1];
  avs->Antal_std_lektioner = r->Antal_std_lektioner[avs->Lektion - 1];
  return true;
}

uint8_t AarIdx(UgeIndeks i) { return IndeksTilAarOffset(i); }
uint8_t UgeNr(UgeIndeks i) { return static_cast<uint8_t>(IndeksTilUgeNr(i)); }

bool Skriv(AVS *avs, UgeIndeks uge, uint32_t status) {
  return AddBegivenhed(avs, avs->id, AarIdx(uge), UgeNr(uge), status, true, "", 0.0, 0.0) != 0;
}

void HuskAVS(const AVS &avs) {
  auto *ny = static_cast<AVS *>(realloc(HuskUgeAVS, (HuskUgeAVSAntal + 1) * sizeof(AVS)));
  if (!ny) tavo::AssertFailed("HuskUgeAVS != NULL", "SKEMA", __LINE__);
  HuskUgeAVS = ny;
  HuskUgeAVS[HuskUgeAVSAntal++] = avs;
}

}  // namespace

uint32_t BegivenhedStatus(const SkeStruct *ske, uint32_t indeks) {
  if (!ske || !ske->lpSkeVisListe || indeks < 1 || indeks > ske->SkeVisAntal) return 0;
  const SkeVisListe &v = ske->lpSkeVisListe[indeks];
  return RaekkeStatus(v.AarIndeks, v.Uge, v.Forste);
}

uint32_t AntalRigtigeDeltagere(const AVS *avs) {
  if (!avs) return 0;
  uint32_t n = 0;
  for (uint32_t i = 0; avs->aktiTab && i < avs->aktiAntal; ++i)
    if (const AktiRec *a = Rec<AktiRec>(tvakti, avs->aktiTab[i]); a && a->Aktivitet[0] != '*') ++n;
  for (uint32_t i = 0; avs->anfoTab && i < avs->anfoAntal; ++i) {
    const AnfoRec *f = Rec<AnfoRec>(tvanfo, avs->anfoTab[i]);
    const MedaRec *m = f ? Rec<MedaRec>(tvmeda, f->meda_id) : nullptr;
    if (m && m->Initialer[0] != '*') ++n;
  }
  for (uint32_t i = 0; avs->lokaTab && i < avs->lokaAntal; ++i)
    if (const LokaRec *l = Rec<LokaRec>(tvloka, avs->lokaTab[i]); l && l->Lokalenr[0] != '*') ++n;
  return n;
}

uint32_t HuskUge(SkeStruct *ske, uint32_t fra, uint32_t til, bool enDag) {
  CleanupAVSListe();
  if (!ske) return 0;
  const bool v = ske->Layout == 'V';
  const uint32_t tidAntal = ske->TidPos.Antal;
  const uint32_t objAntal = ske->ObjPos.Antal;
  std::vector<uint64_t> set;
  if (fra > til) std::swap(fra, til);
  for (uint32_t o = std::max<uint32_t>(fra, 1); o <= til && o <= objAntal; ++o)
    for (uint32_t t = 1; t <= tidAntal; ++t) {
      const uint32_t i = FindBegivenhedICelle(ske, v ? t : o, v ? o : t, nullptr);
      if (!i) continue;
      const SkeVisListe &e = ske->lpSkeVisListe[i];
      const uint64_t noegle = (uint64_t{e.AarIndeks} << 40) | (uint64_t{e.Uge} << 32) | e.Forste;
      if (std::find(set.begin(), set.end(), noegle) != set.end()) continue;
      set.push_back(noegle);
      const SkeRec *r = VisFoersteRaekke(e);
      if (!r) continue;
      if (!(r->Status & (SKE_KENDT | SKE_EGEN))) {
        MessageBoxA(hwndHoved,
                    "Der er begivenheder, som ikke er godkendt.\nGodkend begivenheder først inden der kopieres.",
                    "Skema", MB_OK | MB_ICONEXCLAMATION);
        CleanupAVSListe();
        return 0;
      }
      if (r->Ejer != GlobalIndstillinger.insnr) continue;
      if (enDag && r->Dag != ske->Vis.Ugedag) continue;
      AVS a{};
      CleanupAVS(&a);
      HentAVS(e.AarIndeks, e.Uge, e.Forste, &a, false);
      HuskAVS(a);
    }
  return HuskUgeAVSAntal;
}

void VisBrikInfo(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, uint32_t flags) {
  if (!ske) return;
  const uint32_t i = FindBegivenhedICelle(ske, kolonne, raekke, nullptr);
  const SkeRec *r = i ? VisFoersteRaekke(ske->lpSkeVisListe[i]) : nullptr;
  if (r && (r->Status & (SKE_KENDT | SKE_EGEN)) && r->Ejer == GlobalIndstillinger.insnr)
    HentVisAVS(ske, &BrikInfoAVS, i, true);
  if (hwndBrikInfo && IsWindow(hwndBrikInfo))
    SendMessageA(hwndBrikInfo, BRIKINFO_OPDATER, flags, reinterpret_cast<LPARAM>(ske));
}

bool PlacerDirekte(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, AVS *avs) {
  if (!ske || !avs) return false;
  if (!AlleRollerSat()) {
    MessageBoxA(hwndHoved,
                "Alle rolleforslag skal være sat for at kunne indsætte en brik !\n\nDette gøres under System / Roller ",
                "Roller mangler", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  SkeCelle c;
  if (!FindSkeCelle(ske, kolonne, raekke, &c) || c.dag < 1 || c.dag > 7) return false;
  const uint32_t objekt = SkeRaekkeObjekt(ske, ske->Layout == 'V' ? raekke : kolonne);
  avs->Ejer = GlobalIndstillinger.insnr;
  avs->Dag = c.dag;
  if (ske->Visning == 'L') avs->Lektion = static_cast<uint8_t>(std::min<uint32_t>(c.slot, 255));
  const char del = ske->ObjektArt == SKE_ANFO ? 'M' : ske->ObjektArt == SKE_LOKA ? 'L' : 'K';
  if (objekt) FjernAVSEgenskab(avs, del, objekt);
  if (avs->aktiAntal == 0) FjernAVSEgenskab(avs, 'U', 0);
  const UgeIndeks uge = SkeAktuelUgeIndeks(ske);
  const Dato dato = UgeDagTilDato(IndeksTilUge(uge), c.dag);
  if (PeriodeCheck(avs, dato)) return false;
  if (ske->Visning == 'L' && !RingTider(avs)) return false;
  if (OptagetCheck(avs, c.dag, avs->Starttid, avs->Sluttid, dato, false)) return false;
  if (!Skriv(avs, uge, SKE_EGEN)) return false;
  TaelOp();
  TilHoved();
  return true;
}

bool IndsaetBrik(SkeStruct *ske, HWND ejer, uint32_t kolonne, uint32_t raekke, AVS *avs, bool keepEvent) {
  if (!ske || !avs) return false;
  if (!CheckBrik(ske, ejer, kolonne, raekke, avs, keepEvent, false, nullptr, false)) return false;
  uint32_t status = SKE_EGEN;
  if (avs->Forste) status |= RaekkeStatus(avs->AarIndeks, avs->Uge, avs->Forste) & (SKE_AUTOSKEMA | SKE_MAERKE1);
  const UgeIndeks uge = SkeAktuelUgeIndeks(ske);
  if (avs->Art == 'P' && avs->anfoAntal >= 2) {
    for (uint32_t i = 0; i < avs->anfoAntal; ++i) {
      EgetAVS en;
      KopierAVS(avs, &en.avs);
      CleanupAVSDel(&en.avs, 'M');
      AddAVSEgenskab(&en.avs, 'M', avs->anfoTab[i], avs->skemarolTab ? avs->skemarolTab[i] : 0,
                     avs->minutTab ? avs->minutTab[i] : -1.0f);
      if (Skriv(&en.avs, uge, status)) TaelOp();
    }
  } else if (Skriv(avs, uge, status)) {
    TaelOp();
  }
  avs->id = 0;
  if (hwndBrikInfo && IsWindow(hwndBrikInfo)) SendMessageA(hwndBrikInfo, BRIKINFO_OPDATER, 0, 0);
  TilHoved();
  return true;
}

void FjernAktiFraSkema(uint32_t akti) {
  const AktiRec *a = Rec<AktiRec>(tvakti, akti);
  if (!a) return;
  const Dato aFra = a->Fradato, aTil = a->Tildato;
  const Dato fra = std::max(aFra, SkemaPeriode.FraDato), til = std::min(aTil, SkemaPeriode.TilDato);
  if (fra == 0 || fra > til) return;
  Uge foerste = 0, sidste = 0;
  uint8_t d = 0;
  DatoTilUge(fra, &foerste, &d);
  DatoTilUge(til, &sidste, &d);
  for (UgeIndeks u = UgeTilIndeks(foerste); u >= 1 && u <= UgeTilIndeks(sidste); ++u) {
    const Uge uge = IndeksTilUge(u);
    if (SkemaPeriode.LaasUge && uge <= SkemaPeriode.LaasUge) continue;
    const uint8_t aarIdx = AarIdx(u), nr = UgeNr(u);
    const TabVar *b = BegBucket(aarIdx, nr);
    if (!b || !b->pbTab) continue;
    // The events first: rewriting appends rows to the bucket being walked.
    std::vector<uint32_t> begivenheder;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec *s = BegRaekke(aarIdx, nr, r);
      if (!s || !(s->Status & SKE_EGEN) || (s->Status & SKE_SLETTET) || s->akti_id != akti) continue;
      const uint32_t f = s->Forste;
      if (std::find(begivenheder.begin(), begivenheder.end(), f) == begivenheder.end()) begivenheder.push_back(f);
    }
    for (uint32_t f : begivenheder) {
      EgetAVS gammel;
      HentAVS(aarIdx, nr, f, &gammel.avs, false);
      uint32_t andre = 0;
      for (uint32_t i = 0; gammel.avs.aktiTab && i < gammel.avs.aktiAntal; ++i) andre += gammel.avs.aktiTab[i] != akti;
      if (andre == 0) {
        SletBegivenhedEndeligt(aarIdx, nr, f);
        continue;
      }
      EgetAVS ny;
      KopierAVS(&gammel.avs, &ny.avs);
      while (FindAVSIndeks(&ny.avs, 'K', akti)) FjernAVSEgenskab(&ny.avs, 'K', akti);
      ny.avs.Ejer = GlobalIndstillinger.insnr;
      if (ny.avs.Lektion) RingTider(&ny.avs);
      const Dato dato = ny.avs.Dag >= 1 && ny.avs.Dag <= 7 ? UgeDagTilDato(uge, ny.avs.Dag) : 0;
      const bool gaar = AlleRollerSat() && dato && PeriodeCheck(&ny.avs, dato) == 0 &&
                        OptagetCheck(&ny.avs, ny.avs.Dag, ny.avs.Starttid, ny.avs.Sluttid, dato, false, f) == 0;
      if (!gaar) {
        LogPrintf("** Info: Begivenheden i uge %u, dag %u, lektion %u er bevaret med den aflyste aktivitet\n",
                  static_cast<unsigned>(uge % 100), static_cast<unsigned>(gammel.avs.Dag),
                  static_cast<unsigned>(gammel.avs.Lektion));
        continue;
      }
      SletBegivenhedEndeligt(aarIdx, nr, f);
      if (AddBegivenhed(&ny.avs, 0, aarIdx, nr, SKE_EGEN, true, "", 0.0, 0.0)) TaelOp();
      TilHoved();
    }
  }
}
