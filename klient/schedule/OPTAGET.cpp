// Cell occupation and the student-overlap list. Rows and pairs come from
// files as they are: an activity outside its table, a lesson above 48 or a
// time beyond 2400 is passed over, never used as an index or a time.

#include "OPTAGET.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "AVSHJAELP.h"
#include "DATO.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "REGNING.h"
#include "SIDEFIL.h"
#include "SKEBEG.h"
#include "SKEVIS.h"
#include "STITAB.h"
#include "VALG.h"
#include "tavo/assert.h"

namespace {

constexpr Klokkeslaet kDoegnSlut = 2400;

using Celle = SkeCelle;

// The events of the cell's row key and weekday, as the visible-event layer
// lays them out; the caller frees the table.
Begivenhed *CelleBegivenheder(SkeStruct *ske, const Celle &c, uint32_t *antal) {
  *antal = 0;
  if (!ske->KaedeHoveder || c.noegle >= ske->KaedeRaekker) return nullptr;
  const uint32_t hoved = ske->KaedeHoveder[static_cast<size_t>(c.noegle) * 8 + c.dag];
  if (hoved == 0) return nullptr;
  Begivenhed *tab = nullptr;
  uint32_t kapacitet = 0, spor = 0;
  FindCelleBegivenheder(ske, &tab, antal, hoved, &spor, nullptr, &kapacitet);
  return tab;
}

// Minutes from start to end of a clock time span; 0 when it ends first.
uint32_t Minutter(Klokkeslaet start, Klokkeslaet slut) {
  if (slut < start) return 0;
  return KlokMinutter(slut) - KlokMinutter(start);
}

bool HarAkti(const AVS &avs, uint32_t akti) {
  for (uint32_t i = 0; avs.aktiTab && i < avs.aktiAntal; ++i)
    if (avs.aktiTab[i] == akti) return true;
  return false;
}

// The day's working hours, [tider] starttid and sluttid.
void Arbejdstider(Klokkeslaet *start, Klokkeslaet *slut) {
  *start = static_cast<Klokkeslaet>(GetPrivateProfileIntA("tider", "starttid", 800, StiTab.szini));
  *slut = static_cast<Klokkeslaet>(GetPrivateProfileIntA("tider", "sluttid", 1600, StiTab.szini));
}

bool GyldigAkti(uint32_t akti) { return akti != 0 && akti < tvakti.wRecCnt; }

// Appends the students of liste with the related activity to slut.
void TilfoejElever(ValgListe *slut, const ValgListe *liste, uint32_t relateret) {
  if (!liste->ObjTab || liste->Antal == 0) return;
  const size_t ny = static_cast<size_t>(slut->Antal) + liste->Antal + 1;
  auto *obj = static_cast<uint32_t *>(realloc(slut->ObjTab, ny * sizeof(uint32_t)));
  if (!obj) tavo::AssertFailed("SlutList->ListTab != NULL", "OPTAGET", __LINE__);
  slut->ObjTab = obj;
  auto *vaerdier = static_cast<uint32_t *>(realloc(slut->Vaerdier, ny * sizeof(uint32_t)));
  if (!vaerdier) tavo::AssertFailed("SlutList->EkstraListTab != NULL", "OPTAGET", __LINE__);
  slut->Vaerdier = vaerdier;
  obj[0] = vaerdier[0] = 0;
  for (uint32_t i = 1; i <= liste->Antal; ++i) {
    obj[slut->Antal + i] = liste->ObjTab[i];
    vaerdier[slut->Antal + i] = relateret;
  }
  slut->Antal += liste->Antal;
}

template <class T>
T *Alloker(size_t antal, const char *udtryk, int linje) {
  auto *p = static_cast<T *>(calloc(std::max<size_t>(antal, 1), sizeof(T)));
  if (!p) tavo::AssertFailed(udtryk, "OPTAGET", linje);
  return p;
}

}  // namespace

bool FindSkeCelle(const SkeStruct *ske, uint32_t kolonne, uint32_t raekke, SkeCelle *c) {
  const bool v = ske->Layout == 'V';
  const uint32_t akse = v ? raekke : kolonne, indeks = v ? kolonne : raekke;
  c->noegle = SkeRaekkeNoegle(ske, akse);
  if (c->noegle == 0) return false;
  c->dag = KolonneUgedag(ske->Visning, indeks);
  c->slot = KolonneLektion(ske->Visning, ske->Vis.FoersteSlot, indeks);
  // A key was found, so the row lies on the axis the layers parallel.
  c->lag = ske->LagTabNo ? ske->LagTabNo[akse] : 1;
  return true;
}

uint32_t FindBegivenhedICelle(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, uint8_t *foersteCelle) {
  if (foersteCelle) *foersteCelle = 0;
  Celle c;
  if (!FindSkeCelle(ske, kolonne, raekke, &c)) return 0;
  uint32_t antal = 0;
  Begivenhed *tab = CelleBegivenheder(ske, c, &antal);
  uint32_t fundet = 0;
  for (uint32_t i = 0; i < antal; ++i) {
    const Begivenhed &b = tab[i];
    if (b.FoersteCelle <= c.slot && c.slot <= b.SidsteCelle && b.Spor == c.lag) {
      fundet = b.Indgang;
      if (foersteCelle) *foersteCelle = c.slot == b.FoersteCelle;
      break;
    }
  }
  free(tab);
  return fundet;
}

bool CelleSummer(SkeStruct *ske, uint32_t kolonne, uint32_t raekke, uint32_t akti, uint32_t *sidsteSlut,
                 uint32_t *minutter) {
  *sidsteSlut = 0;
  *minutter = 0;
  Celle c;
  if (!FindSkeCelle(ske, kolonne, raekke, &c)) return false;
  uint32_t antal = 0;
  Begivenhed *tab = CelleBegivenheder(ske, c, &antal);
  bool har = false;
  AVS avs{};
  CleanupAVS(&avs);
  for (uint32_t i = 0; i < antal; ++i) {
    HentVisAVS(ske, &avs, tab[i].Indgang, false);
    if (HarAkti(avs, akti)) har = true;
    // Copies: the set is packed.
    const Klokkeslaet start = avs.Starttid, slut = avs.Sluttid;
    if (start > kDoegnSlut || slut > kDoegnSlut) continue;
    *minutter += Minutter(start, slut);
    *sidsteSlut = std::max(*sidsteSlut, slut);
  }
  CleanupAVS(&avs);
  free(tab);
  return har;
}

void MarkerSkemalagte(const SkeStruct *ske, const uint32_t *aktiviteter, uint32_t antal, uint8_t *skemalagt) {
  if (!skemalagt || !aktiviteter) return;
  memset(skemalagt, 0, antal);
  const VisningsTilstandRec &v = VisningsTilstandFor(ske->Visning);
  const TabVar *b = SkemabegBucket(IndeksTilUge(SkeAktuelUgeIndeks(ske)));
  if (antal == 0 || !b || !b->pbTab) return;
  const bool dage = ske->Visning == 'D';
  Klokkeslaet dagStart = 0, dagSlut = 0;
  if (dage) Arbejdstider(&dagStart, &dagSlut);
  for (uint32_t r = 1; r < b->wRecCnt; ++r) {
    const SkeRec &s = *reinterpret_cast<const SkeRec *>(b->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
    if (s.Status == 0 || (s.Status & SKE_SLETTET) || s.Dag != v.Ugedag || s.akti_id == 0) continue;
    if (s.Lektion > kLektionerPrDag || s.Starttid > kDoegnSlut || s.Sluttid > kDoegnSlut) continue;
    bool paa;
    if (dage) {
      paa = s.Starttid < MedSammenfaldsinterval(dagSlut) && dagStart < MedSammenfaldsinterval(s.Sluttid);
    } else {
      uint32_t foerste = 0, sidste = 0;
      uint8_t startNaer = 0, slutNaer = 0;
      FindCeller(ske, &foerste, &sidste, &startNaer, &slutNaer, s.Starttid, s.Sluttid,
                 ske->RingSystem ? ske->RingSystem : s.risy_id);
      paa = foerste <= v.AktuelSlot && v.AktuelSlot <= sidste;
    }
    if (!paa) continue;
    for (uint32_t i = 0; i < antal; ++i)
      if (aktiviteter[i] == s.akti_id) skemalagt[i] = 1;
  }
}

HWND VisElevsammenfald(HWND ejer, SkeStruct *ske) {
  auto *liste = Alloker<ValgListe>(1, "List != NULL", __LINE__);
  auto *slut = Alloker<ValgListe>(1, "SlutList != NULL", __LINE__);
  const uint32_t antalAkti = tvakti.wRecCnt;
  auto *aktiTab = Alloker<uint32_t>(antalAkti + 1, "AktiTab != NULL", __LINE__);
  auto *relateret = Alloker<uint8_t>(antalAkti + 1, "AktiAktivTab != NULL", __LINE__);
  auto *skemalagt = Alloker<uint8_t>(antalAkti + 1, "AktiSkemalagtTab != NULL", __LINE__);

  const Dato dato =
      UgeDagTilDato(IndeksTilUge(SkeAktuelUgeIndeks(ske)), VisningsTilstandFor(ske->Visning).Ugedag);
  const uint32_t *egne = AktuelAVS.aktiTab;
  const uint32_t antalEgne = egne ? AktuelAVS.aktiAntal : 0;

  // The partners of the event's activities, then not the activities
  // themselves. A free record is no pair.
  for (uint32_t i = 0; i < antalEgne; ++i)
    if (GyldigAkti(egne[i])) relateret[egne[i]] = 2;
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r) {
    const Elvrel2Rec &e = *TabRec<Elvrel2Rec>(tvelvrel2, r);
    if (e.Status == 0 || !GyldigAkti(e.akti1_id) || !GyldigAkti(e.akti2_id)) continue;
    if (relateret[e.akti1_id] == 2 && relateret[e.akti2_id] != 2) relateret[e.akti2_id] = 1;
    if (relateret[e.akti2_id] == 2 && relateret[e.akti1_id] != 2) relateret[e.akti1_id] = 1;
  }
  uint32_t antal = 0;
  for (uint32_t a = 1; a < antalAkti; ++a)
    if (relateret[a] == 1) aktiTab[antal++] = a;

  MarkerSkemalagte(ske, aktiTab, antal, skemalagt);
  for (uint32_t i = 0; i < antal; ++i) {
    if (!skemalagt[i]) continue;
    for (uint32_t j = 0; j < antalEgne; ++j) {
      FindFaellesElever(liste, aktiTab[i], egne[j], dato);
      TilfoejElever(slut, liste, aktiTab[i]);
      free(liste->ObjTab);
      free(liste->Vaerdier);
      liste->ObjTab = liste->Vaerdier = nullptr;
      liste->Antal = 0;
    }
  }
  const uint32_t foersteRelateret = antal ? aktiTab[0] : 0;
  FrigivValgListe(liste);
  free(aktiTab);
  free(relateret);
  free(skemalagt);

  if (slut->Antal == 0) {
    MessageBoxA(ejer,
                "Ingen elevsammenfald på relaterede aktiviteter på aktuel dato.\n"
                "Start skemalægningen og klik på knappen 'Check fra' for at fjerne den grønne bundfarve.",
                "Ingen elevsammenfald", MB_OK | MB_ICONINFORMATION);
    FrigivValgListe(slut);
    return 0;
  }
  slut->KildeRec = antalEgne ? egne[0] : 0;
  slut->Ubrugt[0] = foersteRelateret;
  slut->ListeArt = kSkemaSammenfaldArt;
  slut->TitelArt = kSammenfaldTitelArt;
  slut->Bogstav = 'K';
  slut->Caption = " Elevsammenfald på hold";
  return AabnElevListe(ejer, slut);
}
