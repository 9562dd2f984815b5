// The posting window over akti, anfo, aakrel and the posting buckets.

#include "BOG.h"
#include "BOGMND.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "AKTICHK.h"
#include "BRIKIND.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "STATUSFILTER.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TAVOTB.h"
#include "TABOPER.h"
#include "TASTINFO.h"
#include "VALG.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "ImpTimoak.h"
#include "ressourcer.h"
#include "tavo/assert.h"

#include <cstdlib>
#include <new>

BogMndOpretter CreateMndWnd = nullptr;
uint32_t BogMedaGruppeMaske = 2147483647u;

namespace {

constexpr const char *kKlasse = "BogWndClass";
constexpr const char *kTitelK = " Aktivitets postering ";
constexpr const char *kTitelM = " Medarbejder postering ";
constexpr uint8_t kLever = 64, kSlettet = 8, kSendt = 16, kCentral = 32;
constexpr uint32_t kAlleGrupper = 2147483647u;

constexpr int kCelleBredde = 78, kCelleHoejde = 11, kKolonne = 79, kRaekke = 12;
constexpr int kToolbar = kToolbarHoejde, kHovedLinje = 14, kMaanedHoved = 24, kSortKnap = 16;
constexpr int kMndMellemrum = 2;  // between the grid's frame and the month pane
constexpr int kRaekkeHovedStd = 200;
constexpr int kSumBredde = 80;  // the partner row's sum behind its fields

// The partner rows' header: the chosen layout's fields and the row sum.
int RaekkeHoved(const BOGWS *ws) {
  const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
  const uint32_t b = ObjSwitchBredde(kBogPartnerArt, pb, ObjSwitchValgt(kBogPartnerArt, pb));
  return b ? static_cast<int>(std::min<uint32_t>(b, 1000)) + kSumBredde : kRaekkeHovedStd;
}

// The month pane's width with the gap before it; 0 while no pane module has
// installed its create function.
int MndPlads(const BOGWS *ws) { return CreateMndWnd ? MndBredde(ws->Bogstav) + kMndMellemrum : 0; }

uint8_t Egen() { return GlobalIndstillinger.insnr; }

TimoakRaekke *Post(Maaned m, uint32_t raekke) {
  TabVar *b = TimoakBucket(m);
  if (!b || raekke == 0 || raekke >= b->wRecCnt) return nullptr;
  return reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, raekke));
}

// Fradato and Tildato of a main-table record, the record's status and group.
struct ObjInfo {
  uint8_t Status = 0;
  uint32_t Gruppe = 0;
  Dato Fra = 0, Til = 0;
  bool Findes = false;
};

ObjInfo Info(char bogstav, uint32_t rec) {
  ObjInfo i;
  if (bogstav == 'K') {
    if (rec == 0 || rec >= tvakti.wRecCnt) return i;
    const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, rec));
    i = {a->Status, a->Gruppe, a->Fradato, a->Tildato, true};
  } else {
    if (rec == 0 || rec >= tvanfo.wRecCnt) return i;
    const auto *a = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, rec));
    i = {a->Status, a->Gruppe, a->Fradato, a->Tildato, true};
  }
  return i;
}

// The posting filters of the overview of postings.
bool Filtreret(const TimoakRaekke *t) {
  const StatusFilter &f = PosteringsFilter;
  if (!(t->Status & kLever) || (t->Status & kSlettet)) return false;
  if (f.Fremmed == 'd' && t->Ejer == Egen()) return false;
  if (f.FejlKode && t->Fejl != f.FejlKode) return false;
  switch (f.Tilstand) {
    case 1: return (t->Status & kCentral) != 0;
    case 2: return !(t->Status & (kSendt | kCentral));
    case 3: return (t->Status & kSendt) && !(t->Status & kCentral);
  }
  return true;
}

bool FilterPaa() { return PosteringsFilter.Tilstand || PosteringsFilter.FejlKode; }

uint32_t HovedSide(const BOGWS *ws, const TimoakRaekke *t) { return ws->Bogstav == 'K' ? t->akti_id : t->anfo_id; }
uint32_t AndenSide(const BOGWS *ws, const TimoakRaekke *t) { return ws->Bogstav == 'K' ? t->anfo_id : t->akti_id; }

// The months of the period a main object spans: false when none.
bool ObjMaaneder(const BOGWS *ws, uint32_t rec, Maaned *fra, Maaned *til) {
  const ObjInfo i = Info(ws->Bogstav, rec);
  if (!i.Findes) return false;
  const SkemaPeriodeData &p = SkemaPeriode;
  *fra = std::max(i.Fra / 100, p.FoersteMaaned);
  *til = std::min(i.Til ? i.Til / 100 : p.SidsteMaaned, p.SidsteMaaned);
  return *fra <= *til && *fra != 0;
}

Maaned NaesteMaaned(Maaned m) { return m % 100 >= 12 ? (m / 100 + 1) * 100 + 1 : m + 1; }

uint32_t Dag(const TimoakRaekke *t) { return t->Dato % 100; }

void SaetKolonneFraMaaned(BOGWS *ws) {
  const SkemaPeriodeData &p = SkemaPeriode;
  if (ws->Aktuel.Maaned >= p.FoersteMaaned && ws->Aktuel.Maaned <= p.SidsteMaaned)
    ws->AktuelKolonne = MaanedTilIndeks(ws->Aktuel.Maaned);
  if (ws->AktuelKolonne == 0 || ws->AktuelKolonne > p.AntalMaaneder) ws->AktuelKolonne = p.AntalMaaneder ? 1 : 0;
}

// The date in month m nearest to the cursor's day, inside the allowed range.
Dato DatoIMaaned(const BOGWS *ws, Maaned m) {
  uint32_t dag = ws->Aktuel.Dato % 100;
  dag = std::clamp<uint32_t>(dag, 1, std::max<uint32_t>(DageIMaaned(m), 1));
  Dato d = m * 100 + dag;
  if (ws->Aktuel.Foerste && d < ws->Aktuel.Foerste) d = ws->Aktuel.Foerste;
  if (ws->Aktuel.Sidste && d > ws->Aktuel.Sidste) d = ws->Aktuel.Sidste;
  return d;
}

BOGWS *Ws(HWND h) { return reinterpret_cast<BOGWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

void Publicer(BOGWS *ws) {
  ws->Hoved.pTv->AktuelRec = BogHovedRec(ws);
  ws->pTvPartner->AktuelRec = BogPartnerRec(ws);
  SaetAktuelDato(ws->Aktuel.Dato);
  if (ws->hwnd) {
    SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, ws->hwnd);
    if (ws->hwndMnd) SendMessageA(ws->hwndMnd, BOG_MND_FLYT, 0, 0);
  }
}

}  // namespace

// ==================================================================== lists

uint32_t BogHovedRec(const BOGWS *ws) {
  const Ens &e = ws->Hoved;
  return e.ObjTab && ws->AktuelObj && ws->AktuelObj <= e.ObjTabAntal ? e.ObjTab[ws->AktuelObj] : 0;
}

uint32_t BogPartnerRec(const BOGWS *ws) {
  return ws->AktuelPartner && ws->AktuelPartner < ws->SubObjTab.size() ? ws->SubObjTab[ws->AktuelPartner] : 0;
}

void ByggBogHovedListe(BOGWS *ws) {
  Ens &e = ws->Hoved;
  const uint32_t gammel = BogHovedRec(ws);
  std::vector<uint32_t> liste(1, 0);
  const Maaned m = ws->Aktuel.Maaned;
  const uint32_t antal = ws->Hoved.pTv ? ws->Hoved.pTv->wRecCnt : 0;
  for (uint32_t r = 1; r < antal; ++r) {
    const ObjInfo i = Info(ws->Bogstav, r);
    if (i.Status < 10 || i.Status > 29 || !(i.Gruppe & ws->GruppeMaske)) continue;
    if (m < i.Fra / 100 || m > i.Til / 100) continue;
    if (ws->Bogstav == 'K' && !IsOvakAkti(r)) continue;
    liste.push_back(r);
  }
  const uint32_t n = static_cast<uint32_t>(liste.size() - 1);
  auto *tab = static_cast<uint32_t *>(std::calloc(n + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("BOGWS->Ens.ObjTab != NULL", "BOG", __LINE__);
  std::copy(liste.begin(), liste.end(), tab);
  const SwitchLayout *l = ObjSwitchLayout(kBogHovedArt, static_cast<uint8_t>(ws->Bogstav), 0);
  const uint32_t felt = l && l->SortFelt ? l->SortFelt : 1;
  if (n > 1) SorterPaaFelter(ws->Bogstav, tab, n, e.pTd, e.pTv, nullptr, 0, 1, {felt});
  std::free(e.ObjTab);
  e.ObjTab = tab;
  e.ObjTabAntal = n;
  ws->AktuelObj = FindObjIdx(tab, n, gammel);
  if (ws->AktuelObj == 0 || ws->AktuelObj > n) ws->AktuelObj = n ? 1 : 0;
}

void ByggBogPartnere(BOGWS *ws) {
  const uint32_t gammel = BogPartnerRec(ws);
  const uint32_t hoved = BogHovedRec(ws);
  const uint32_t partnere = ws->pTvPartner ? ws->pTvPartner->wRecCnt : 0;
  std::vector<uint32_t> liste(1, 0);
  std::vector<uint8_t> ti(partnere, 0), med(partnere, 0);
  const uint32_t relationer = AakrelAntal();
  for (uint32_t r = 1; hoved && r < relationer; ++r) {
    const auto *a = reinterpret_cast<const AakrelRec *>(GetRec(&tdaakrel, &tvaakrel, r));
    if (!a || a->Status == 0) continue;
    const uint32_t h = ws->Bogstav == 'K' ? a->akti_id : a->anfo_id;
    const uint32_t p = ws->Bogstav == 'K' ? a->anfo_id : a->akti_id;
    if (h != hoved || p == 0 || p >= partnere) continue;
    if (a->Status == 10) ti[p] = 1;
    if (!med[p]) liste.push_back(p);
    med[p] = 1;
  }
  const uint32_t n = static_cast<uint32_t>(liste.size() - 1);
  if (n > 1) {
    const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
    const uint32_t valgt = ObjSwitchValgt(kBogPartnerArt, pb);
    uint32_t felt = ws->SortKnap ? ObjSwitchFeltNr(kBogPartnerArt, pb, valgt, ws->SortKnap - 1) : 0;
    if (!felt) {
      const SwitchLayout *l = ObjSwitchLayout(kBogPartnerArt, pb, 0);
      felt = l && l->SortFelt ? l->SortFelt : 1;
    }
    SorterPaaFelter(ws->PartnerBogstav, liste.data(), n, ws->pTdPartner, ws->pTvPartner, nullptr,
                    ws->Faldende ? SORT_FALDENDE : 0, 1, {felt});
  }
  ws->SubObjTab = liste;
  ws->SubObjTab3 = liste;
  ws->SubObjTab2.assign(n + 1, 0);
  for (uint32_t i = 1; i <= n; ++i) ws->SubObjTab2[i] = ti[liste[i]];
  ws->AktuelPartner = 0;
  for (uint32_t i = 1; i <= n; ++i)
    if (liste[i] == gammel) ws->AktuelPartner = i;
  if (!ws->AktuelPartner && n) ws->AktuelPartner = 1;
}

void ByggBogVisListe(BOGWS *ws) {
  const uint32_t partnere = ws->pTvPartner ? ws->pTvPartner->wRecCnt : 0;
  const uint32_t maaneder = SkemaPeriode.AntalMaaneder;
  ws->CellePartnere = partnere;
  ws->CelleMaaneder = maaneder;
  ws->Celler.assign(static_cast<size_t>(partnere) * maaneder, BogCelle{});
  ws->BogVisListe.assign(1, BogVisPost{});
  const uint32_t hoved = BogHovedRec(ws);
  Maaned fra, til;
  if (!hoved || !ObjMaaneder(ws, hoved, &fra, &til)) return;
  // The day of every entry and the last entry of every chain, so that a row
  // later in its month than the chain's end (the common case) is linked
  // without a walk, and a walk reads no rows.
  std::vector<uint8_t> dage(1, 0);
  std::vector<uint32_t> hale(ws->Celler.size(), 0);
  const uint8_t egenInst = Egen();
  for (Maaned m = fra; m <= til; m = NaesteMaaned(m)) {
    const MaanedIndeks mi = MaanedTilIndeks(m);
    TabVar *b = TimoakBucket(m);
    if (mi == 0 || mi > maaneder || !b || !b->pbTab) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
      if (HovedSide(ws, t) != hoved || !Filtreret(t)) continue;
      const uint32_t anden = AndenSide(ws, t);
      if (anden == 0 || anden >= partnere) continue;
      const size_t ci = static_cast<size_t>(anden) * maaneder + mi - 1;
      BogCelle &c = ws->Celler[ci];
      ws->BogVisListe.push_back(BogVisPost{m, r, 0});
      const uint32_t ny = static_cast<uint32_t>(ws->BogVisListe.size() - 1);
      const uint8_t dag = static_cast<uint8_t>(Dag(t));
      dage.push_back(dag);
      c.Sum += t->Timer;
      const bool egen = t->Ejer == egenInst;
      // Own rows go before the rows of their day already chained, foreign ones
      // after them.
      auto efter = [&](uint32_t i) { return dage[i] < dag || (!egen && dage[i] == dag); };
      if (!c.Foerste || efter(hale[ci])) {
        (c.Foerste ? ws->BogVisListe[hale[ci]].Naeste : c.Foerste) = ny;
        hale[ci] = ny;
        continue;
      }
      uint32_t *led = &c.Foerste;
      while (*led && efter(*led)) led = &ws->BogVisListe[*led].Naeste;
      ws->BogVisListe[ny].Naeste = *led;
      *led = ny;
    }
  }
}

void GenopbygBog(BOGWS *ws) {
  ByggBogHovedListe(ws);
  ByggBogPartnere(ws);
  SaetKolonneFraMaaned(ws);
  ByggBogVisListe(ws);
}

const BogCelle *BogCelleAt(const BOGWS *ws, uint32_t partner, MaanedIndeks m) {
  if (partner >= ws->CellePartnere || m == 0 || m > ws->CelleMaaneder) return nullptr;
  return &ws->Celler[static_cast<size_t>(partner) * ws->CelleMaaneder + m - 1];
}

namespace {

int64_t RaekkeSum(const BOGWS *ws, uint32_t partner, MaanedIndeks fra, MaanedIndeks til) {
  int64_t s = 0;
  for (MaanedIndeks m = std::max<MaanedIndeks>(fra, 1); m <= til; ++m)
    if (const BogCelle *c = BogCelleAt(ws, partner, m)) s += c->Sum;
  return s;
}

// The month indexes of a date span clipped to the period; false when they
// do not meet it.
bool Klip(Dato fra, Dato til, MaanedIndeks *a, MaanedIndeks *b) {
  const SkemaPeriodeData &p = SkemaPeriode;
  const Maaned f = std::max(fra / 100, p.FoersteMaaned), t = std::min(til / 100, p.SidsteMaaned);
  if (f > t) return false;
  *a = MaanedTilIndeks(f);
  *b = MaanedTilIndeks(t);
  return *a != 0;
}

}  // namespace

int64_t BogPartnerSum(const BOGWS *ws, uint32_t partner) {
  // The budget belongs to the pair's activity: in the activity mode that is
  // the main object, not the employment in the row.
  const uint32_t akti = ws->Bogstav == 'K' ? BogHovedRec(ws) : partner;
  Dato fra = 0, til = 0;
  MaanedIndeks a = 1, b = SkemaPeriode.AntalMaaneder;
  if (!(FindBudtPeriode(akti, &fra, &til) && Klip(fra, til, &a, &b))) {
    a = 1;
    b = SkemaPeriode.AntalMaaneder;
  }
  return RaekkeSum(ws, partner, a, b);
}

void BogHovedSpan(const BOGWS *ws, MaanedIndeks *fra, MaanedIndeks *til) {
  *fra = 1;
  *til = SkemaPeriode.AntalMaaneder;
  if (ws->Bogstav == 'K') return;
  MaanedIndeks a = 0, b = 0;
  int32_t norm = 0;
  GetOpgPerMonths(ws->Aktuel.Dato, BogHovedRec(ws), &a, &b, &norm);
  if (b == 0 || GlobalIndstillinger.anfosumperaar) {
    const uint32_t aar = ws->Aktuel.Dato / 10000;
    if (!Klip(aar * 10000 + 101, aar * 10000 + 1231, fra, til)) *fra = 1, *til = 0;
    return;
  }
  *fra = std::max<MaanedIndeks>(a, 1);
  *til = std::min<MaanedIndeks>(b, SkemaPeriode.AntalMaaneder);
}

int64_t BogHovedSum(const BOGWS *ws) {
  MaanedIndeks a, b;
  BogHovedSpan(ws, &a, &b);
  return RaekkeSum(ws, BogPartnerRec(ws), a, b);
}

// ==================================================================== cursor

bool BogFlyt(BOGWS *ws, int dPartner, int dMaaned) {
  const uint32_t partnere = static_cast<uint32_t>(ws->SubObjTab.size() - 1);
  const uint32_t maaneder = SkemaPeriode.AntalMaaneder;
  bool flyttet = false;
  if (dPartner && partnere) {
    const int p = std::clamp(static_cast<int>(ws->AktuelPartner ? ws->AktuelPartner : 1) + dPartner, 1,
                             static_cast<int>(partnere));
    flyttet |= static_cast<uint32_t>(p) != ws->AktuelPartner;
    ws->AktuelPartner = static_cast<uint32_t>(p);
  }
  if (dMaaned && maaneder) {
    const int m = std::clamp(static_cast<int>(ws->AktuelKolonne ? ws->AktuelKolonne : 1) + dMaaned, 1,
                             static_cast<int>(maaneder));
    if (static_cast<uint32_t>(m) != ws->AktuelKolonne) {
      flyttet = true;
      ws->AktuelKolonne = static_cast<uint32_t>(m);
      ws->Aktuel.Maaned = IndeksTilMaaned(ws->AktuelKolonne);
      ws->Aktuel.Dato = DatoIMaaned(ws, ws->Aktuel.Maaned);
    }
  }
  ws->Aktuel.Hoved = BogHovedRec(ws);
  ws->Aktuel.Partner = BogPartnerRec(ws);
  if (flyttet && ws->Aktiv) Publicer(ws);
  return flyttet;
}

bool BogFindNaeste(BOGWS *ws) {
  const Ens &e = ws->Hoved;
  if (!FilterPaa() || !e.ObjTabAntal) return false;
  const uint32_t start = ws->AktuelObj ? ws->AktuelObj : 1;
  const uint32_t fraPartner = BogPartnerRec(ws);
  // Main objects from the current one round to it again; the current one
  // is searched past its current partner first and from its start last.
  for (uint32_t trin = 0; trin <= e.ObjTabAntal; ++trin) {
    const uint32_t idx = (start - 1 + trin) % e.ObjTabAntal + 1;
    // The candidate's partners and postings are built apart, over the
    // shared main-object list, which the copy never frees.
    BOGWS proeve = *ws;
    proeve.hwnd = 0;
    proeve.AktuelObj = idx;
    proeve.AktuelPartner = 0;
    ByggBogPartnere(&proeve);
    ByggBogVisListe(&proeve);
    proeve.Hoved.ObjTab = nullptr;
    const uint32_t n = static_cast<uint32_t>(proeve.SubObjTab.size() - 1);
    uint32_t forbi = 0;  // partner index the search starts after
    if (trin == 0)
      for (uint32_t i = 1; i <= n; ++i)
        if (proeve.SubObjTab[i] == fraPartner) forbi = i;
    const bool sidste = trin == e.ObjTabAntal;
    for (uint32_t i = sidste ? 1 : forbi + 1; i <= n; ++i) {
      if (sidste && i > forbi) break;
      const uint32_t p = proeve.SubObjTab[i];
      for (MaanedIndeks m = 1; m <= proeve.CelleMaaneder; ++m) {
        const BogCelle *c = BogCelleAt(&proeve, p, m);
        if (!c || !c->Foerste) continue;
        const BogVisPost v = proeve.BogVisListe[c->Foerste];
        ws->AktuelObj = idx;
        ws->Aktuel.Hoved = e.ObjTab[idx];
        ws->SubObjTab.swap(proeve.SubObjTab);
        ws->SubObjTab2.swap(proeve.SubObjTab2);
        ws->SubObjTab3.swap(proeve.SubObjTab3);
        ws->BogVisListe.swap(proeve.BogVisListe);
        ws->Celler.swap(proeve.Celler);
        ws->CellePartnere = proeve.CellePartnere;
        ws->CelleMaaneder = proeve.CelleMaaneder;
        ws->AktuelPartner = i;
        ws->Aktuel.Partner = p;
        // The month with its year, as the entry keeps it.
        ws->Aktuel.Maaned = v.Maaned;
        ws->AktuelKolonne = MaanedTilIndeks(v.Maaned);
        if (const TimoakRaekke *t = Post(v.Maaned, v.Raekke)) ws->Aktuel.Dato = t->Dato;
        if (ws->Aktiv) Publicer(ws);
        return true;
      }
    }
  }
  return false;
}

void BogSorter(BOGWS *ws, uint32_t knap) {
  if (knap == ws->SortKnap) {
    ws->Faldende = !ws->Faldende;
  } else {
    ws->SortKnap = knap;
    ws->Faldende = 0;
  }
  const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
  if (const uint32_t felt = knap ? ObjSwitchFeltNr(kBogPartnerArt, pb, ObjSwitchValgt(kBogPartnerArt, pb), knap - 1) : 0)
    ObjSwitchSaetSortFelt(kBogPartnerArt, pb, felt);
  ByggBogPartnere(ws);
}

// ==================================================================== sizes

int BogBredde(const BOGWS *ws, int plads) {
  // The frame's edges, lines and vertical bar beside the panes, and the
  // month pane at the right.
  const int fuld = kKolonne * static_cast<int>(SkemaPeriode.AntalMaaneder) + RaekkeHoved(ws) + 7 +
                   2 * GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXVSCROLL) + MndPlads(ws);
  return std::max(std::min(fuld, plads), 100);
}

int BogHoejde(const BOGWS *ws, int plads) {
  uint32_t raekker = std::max<uint32_t>(31, ws->pTvPartner ? ws->pTvPartner->wRecCnt : 0);
  raekker = std::max(raekker, AakrelAntal());
  const int grid = std::min(kRaekke * static_cast<int>(std::min<uint32_t>(raekker, 1000)), 403);
  const int fuld = grid + kToolbar + kHovedLinje + kMaanedHoved + kSortKnap + GetSystemMetrics(SM_CYCAPTION) +
                   2 * GetSystemMetrics(SM_CYFRAME);
  return std::max(std::min(fuld, plads), 100);
}

// ==================================================================== painting

void BogTimerTekst(char *buf, size_t n, int64_t hundrededele) {
  const int64_t a = hundrededele < 0 ? -hundrededele : hundrededele;
  std::snprintf(buf, n, "%s%lld,%02lld", hundrededele < 0 ? "-" : "", static_cast<long long>(a / 100),
                static_cast<long long>(a % 100));
}

namespace {

// The column header's rows, top down: the main-object line, the sort
// buttons, the month names.
constexpr int kKolHoved = kHovedLinje + kSortKnap + kMaanedHoved;

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

void Timer(char *buf, size_t n, int64_t hundrededele) { BogTimerTekst(buf, n, hundrededele); }

// Opaque text in palette colours through the pane's colour cache.
void Tekst(EnsDC *dc, int x, int y, const char *t, uint8_t bk) {
  TegnFarvetTekst(dc, x, y, 16, bk, t, static_cast<int>(std::strlen(t)), 2);
}

// One record's row through the chosen layout of a kind, its figure behind
// the layout; the layout's width.
int TegnObjLinje(const BOGWS *ws, EnsDC *dc, int y, uint8_t farve, uint32_t art, char bogstav, const TabDesc *pTd,
                 const TabVar *pTv, uint32_t rec, int64_t sum) {
  const uint8_t b = static_cast<uint8_t>(bogstav);
  const uint32_t valgt = ObjSwitchValgt(art, b);
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Hoejde = kCelleHoejde;
  TegnObjSwitchRaekke(dc, 0, y, farve, art, b, valgt, pTd, pTv, rec, &v);
  const int bredde = static_cast<int>(std::min<uint32_t>(ObjSwitchBredde(art, b, valgt), 1000));
  char tal[32];
  Timer(tal, sizeof tal, sum);
  // Behind the layout, or at the right end of the row header when the
  // layout is wider than it.
  SIZE sz{};
  GetTextExtentPoint32A(dc->hdc, tal, static_cast<int>(std::strlen(tal)), &sz);
  const int maksX = static_cast<int>(ws->Hoved.RaekkeHovedBredde) - sz.cx - 2;
  Tekst(dc, std::max(0, std::min(bredde + 4, maksX)), y, tal, farve);
  return bredde;
}

uint32_t AntalPartnere(const BOGWS *ws) { return static_cast<uint32_t>(ws->SubObjTab.size() - 1); }

// The frame's axes follow the cursor: months across, partners down.
void SynkPos(BOGWS *ws) {
  ws->PosX.Antal = SkemaPeriode.AntalMaaneder;
  ws->PosX.Aktuel = ws->AktuelKolonne;
  ws->PosY.Antal = AntalPartnere(ws);
  ws->PosY.Aktuel = ws->AktuelPartner;
}

int KolX(const BOGWS *ws, MaanedIndeks m) { return EnsKolonneX(&ws->Hoved, m); }
int RaekkeY(const BOGWS *ws, uint32_t p) { return EnsRaekkeY(&ws->Hoved, p); }

void OpdaterScroll(BOGWS *ws) { EnsOpdaterScroll(&ws->Hoved, ws->PosX.Antal, ws->PosY.Antal); }

// The left corner: the main-object line with the current partner's sum over
// its span, above the sort buttons; the buttons paint themselves, so only
// the strip right of them is filled here.
void TegnHjoerne(BOGWS *ws) {
  Ens &e = ws->Hoved;
  EnsDC *dc = &e.dc[ENSDC_HJOERNE_V];
  if (!dc->hdc) return;
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, e.HjoerneB[0], kHovedLinje - 1);
  if (const uint32_t h = BogHovedRec(ws))
    TegnObjLinje(ws, dc, 1, 0, kBogHovedArt, ws->Bogstav, e.pTd, e.pTv, h, BogHovedSum(ws));
  const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
  const int knapper = static_cast<int>(ObjSwitchBredde(kBogPartnerArt, pb, ObjSwitchValgt(kBogPartnerArt, pb)));
  const int bredde = e.HjoerneB[0], hoejde = e.HjoerneH[0];
  FillRectIfAny(dc->hdc, FarveBrush[0], std::min(knapper, bredde), kHovedLinje, bredde, hoejde);
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, kHovedLinje + kSortKnap, bredde, hoejde);
}

// The month names over their columns.
void TegnMaanedHoved(BOGWS *ws) {
  Ens &e = ws->Hoved;
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  if (!dc->hdc) return;
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, e.RudeB[ENS_KOLHOVED], e.RudeH[ENS_KOLHOVED]);
  char linje[32];
  for (MaanedIndeks m = 1; m <= SkemaPeriode.AntalMaaneder; ++m) {
    const int x = KolX(ws, m);
    if (x >= e.RudeB[ENS_KOLHOVED]) break;
    if (x + kKolonne < 0) continue;
    const Maaned mm = IndeksTilMaaned(m);
    std::snprintf(linje, sizeof linje, "%02u-%04u", mm % 100, mm / 100);
    Tekst(dc, x + 4, kHovedLinje + kSortKnap + 6, linje, 0);
  }
}

// The partner rows through the chosen layout, each with its sum; the current
// one in the current-row colour.
void TegnPartnere(BOGWS *ws) {
  Ens &e = ws->Hoved;
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  if (!dc->hdc) return;
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED]);
  for (uint32_t i = 1; i <= AntalPartnere(ws); ++i) {
    const int y = RaekkeY(ws, i);
    if (y >= e.RudeH[ENS_RAEKKEHOVED]) break;
    if (y + kRaekke < 0) continue;
    const uint32_t p = ws->SubObjTab[i];
    const uint8_t farve = i == ws->AktuelPartner ? (ws->Aktiv && !ws->MndRude ? 1 : 2) : 0;
    TegnObjLinje(ws, dc, y + 1, farve, kBogPartnerArt, ws->PartnerBogstav, ws->pTdPartner, ws->pTvPartner, p,
                 BogPartnerSum(ws, p));
  }
}

void TegnCeller(BOGWS *ws) {
  Ens &e = ws->Hoved;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  if (!dc->hdc) return;
  const int bredde = e.RudeB[ENS_CELLER], hoejde = e.RudeH[ENS_CELLER];
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, bredde, hoejde);
  char tal[32];
  for (uint32_t i = 1; i <= AntalPartnere(ws); ++i) {
    const int y = RaekkeY(ws, i);
    if (y >= hoejde) break;
    if (y + kRaekke < 0) continue;
    const uint32_t p = ws->SubObjTab[i];
    for (MaanedIndeks m = 1; m <= SkemaPeriode.AntalMaaneder; ++m) {
      const int x = KolX(ws, m);
      if (x >= bredde) break;
      if (x + kKolonne < 0) continue;
      const BogCelle *c = BogCelleAt(ws, p, m);
      const bool aktuel = i == ws->AktuelPartner && m == ws->AktuelKolonne;
      const uint8_t tilstand = aktuel ? (ws->Aktiv && !ws->MndRude ? 1 : 2) : 0;
      FillRectIfAny(dc->hdc, FarveBrush[tilstand], x + 1, y + 1, x + 1 + kCelleBredde, y + 1 + kCelleHoejde);
      if (c && c->Foerste) {
        Timer(tal, sizeof tal, c->Sum);
        Tekst(dc, x + 3, y + 1, tal, tilstand);
      }
    }
  }
}

// The current sort button pressed while its order rises, every other one
// (and the current one once the order falls) raised.
void VisSortKnapper(const BOGWS *ws) {
  for (size_t i = 0; i < ws->SortKnapper.size(); ++i)
    if (HWND k = ws->SortKnapper[i])
      SendMessageA(k, ws->SortKnap == i + 1 && !ws->Faldende ? NYB_LAAS_NED : NYB_LAAS_OP, 0, 0);
}

// One NYBUTTON per field of the chosen partner layout along the left
// corner, over the field's column, labelled with its heading; button i
// sends 2124 with (i, 1). The current sort button shows pressed while the
// order rises and raised once it falls.
void OpretSortKnapper(BOGWS *ws) {
  for (HWND k : ws->SortKnapper)
    if (k && IsWindow(k)) DestroyWindow(k);
  ws->SortKnapper.clear();
  const Ens &e = ws->Hoved;
  if (!e.hwndHjoerneV) return;
  const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
  const uint32_t valgt = ObjSwitchValgt(kBogPartnerArt, pb);
  const uint32_t antal = std::min<uint32_t>(ObjSwitchFeltAntal(kBogPartnerArt, pb, valgt), 100);
  for (uint32_t i = 0; i < antal; ++i) {
    const char *navn = SwitchFeltNavn(ws->pTdPartner, ObjSwitchFeltNr(kBogPartnerArt, pb, valgt, i));
    const std::string tip = std::string("Sorter efter ") + navn;
    HWND k = CreateNyButtonWnd(e.hInstance, e.hwndHjoerneV, ws->hwnd, i + 1, 1, 0,
                               static_cast<int>(ObjSwitchFeltStart(kBogPartnerArt, pb, valgt, i)), kHovedLinje,
                               static_cast<int>(ObjSwitchFeltBredde(kBogPartnerArt, pb, valgt, i)), kSortKnap,
                               tip.c_str(), navn);
    if (k) ShowWindow(k, SW_SHOW);
    ws->SortKnapper.push_back(k);
  }
  VisSortKnapper(ws);
}

// Repaint of the panes as they are scrolled.
void TegnRuder(BOGWS *ws) {
  if (!ws->hwnd) return;
  SynkPos(ws);
  OpdaterScroll(ws);
  TegnHjoerne(ws);
  TegnMaanedHoved(ws);
  TegnPartnere(ws);
  TegnCeller(ws);
}

// After the cursor or the lists changed: the current cell into view, then
// the panes.
void Tegn(BOGWS *ws) {
  if (!ws->hwnd) return;
  SynkPos(ws);
  Ens &e = ws->Hoved;
  if (e.RudeB[ENS_CELLER] > 0) {
    uint32_t off = e.ScrollX;
    GridScrollTilAktuel(&ws->PosX, &off, static_cast<uint32_t>(e.RudeB[ENS_CELLER]), &e.AkseX);
    e.ScrollX = off;
  }
  if (e.RudeH[ENS_CELLER] > 0) {
    uint32_t off = e.ScrollY;
    GridScrollTilAktuel(&ws->PosY, &off, static_cast<uint32_t>(e.RudeH[ENS_CELLER]), &e.AkseY);
    e.ScrollY = off;
  }
  TegnRuder(ws);
}

// The month pane stands beside the grid's frame, from the toolbar down to
// the frame's bottom; a minimised window hides it.
void PlacerMndRude(BOGWS *ws) {
  const Ens &e = ws->Hoved;
  if (!ws->hwndMnd || !ws->hwnd) return;
  RECT rc{};
  GetClientRect(ws->hwnd, &rc);
  const int x = e.Areal[2] + 1 + kMndMellemrum, y = e.Areal[1];
  const int b = rc.right - CxFrame() - x, h = e.Areal[3] + 1 - y;
  if (e.Tilstand == 2 || b <= 0 || h <= 0) {
    ShowWindow(ws->hwndMnd, SW_HIDE);
    return;
  }
  SetWindowPos(ws->hwndMnd, HWND_TOP, x, y, b, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// The frame's panes take the window less the month pane at its right; the
// caption with its buttons and the toolbar span the whole width.
void Anbring(HWND h, BOGWS *ws, int bredde, int hoejde) {
  Ens &e = ws->Hoved;
  EnsOnSize(&e, h, bredde - MndPlads(ws), hoejde, 0);
  const int hoejre = bredde - 1 - CxFrame();
  const int y = (GetSystemMetrics(SM_CYCAPTION) - 14) / 2 + CyFrame();
  const std::pair<HWND, int> knapper[] = {{e.hwndLuk, 18}, {e.hwndMaks, 36}, {e.hwndMin, 52}};
  for (auto [knap, dx] : knapper)
    if (knap) MoveWindow(knap, hoejre - dx, y, 16, 14, TRUE);
  if (e.hwndToolbar)
    MoveWindow(e.hwndToolbar, CxFrame(), GetSystemMetrics(SM_CYCAPTION) + CyFrame(), hoejre - CxFrame() + 1,
               kToolbar, TRUE);
  PlacerMndRude(ws);
}

// The window's frame and caption over its whole width, the grid's frame
// around its panes, and the strip between the grid and the month pane.
void TegnRamme(BOGWS *ws) {
  Ens &e = ws->Hoved;
  if (!ws->hwnd || !e.hdc) return;
  RECT rc{};
  GetClientRect(ws->hwnd, &rc);
  const int32_t hoejre = e.Areal[2];
  e.Areal[2] = rc.right - 1 - CxFrame();
  EnsPaintCaption(&e);
  e.Areal[2] = hoejre;
  e.EgenRamme = 0;
  EnsPaintFrame(&e);
  e.EgenRamme = 1;
  if (MndPlads(ws) && e.Tilstand != 2)
    FillRectIncl(e.hdc, FarveBrush[0], hoejre + 1, e.Areal[1], rc.right - 1 - CxFrame(), e.Areal[3]);
}

}  // namespace

// ==================================================================== keys

namespace {

TastInfo Genvej(int32_t shift, int32_t ctrl, uint32_t tast) { return TastInfo{shift, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0}; }

const ShortCutPost kGenvejeK[] = {
    {Genvej(0, 1, 'H'), "<Ctrl> + <h>", "Fastfrys vindue / lås."},
    {Genvej(0, 1, VK_F4), "<Ctrl> + <F4>", "Luk fokus vindue."},
    {Genvej(0, 0, VK_RETURN), "<Enter>", "Åbner valg vinduet (medarbejdere)."},
    {Genvej(0, 0, VK_TAB), "<Tab>", "Skifter mellem 'Hoved' og 'Kant' vindue."},
    {Genvej(1, 1, 'D'), "<Ctrl> + <Shift> + <d>", "Gå til aktuel dato."},
    {TastInfo{}, "", ""},
};
const ShortCutPost kGenvejeM[] = {
    {Genvej(0, 1, 'A'), "<Ctrl> + <a>", "Skift gruppe til 'Alle medarbejdere'."},
    {Genvej(0, 1, 'H'), "<Ctrl> + <h>", "Fastfrys vindue / lås."},
    {Genvej(0, 1, VK_F4), "<Ctrl> + <F4>", "Luk fokus vindue."},
    {Genvej(0, 0, VK_RETURN), "<Enter>", "Åbner valg vinduet (aktiviteter)."},
    {Genvej(0, 0, VK_TAB), "<Tab>", "Skifter mellem 'Hoved' og 'Kant' vindue."},
    {Genvej(1, 1, 'D'), "<Ctrl> + <Shift> + <d>", "Gå til aktuel dato."},
    {TastInfo{}, "", ""},
};
ShortCutTabel GenvejeK{0, kGenvejeK};
ShortCutTabel GenvejeM{0, kGenvejeM};

void AabnGenveje(BOGWS *ws, int x, int y) {
  POINT pt{x, y};
  ClientToScreen(ws->hwnd, &pt);
  CreateShortCutWnd(hInst, ws->hwnd, pt.x, pt.y, ws->Bogstav == 'K' ? &GenvejeK : &GenvejeM);
}

HWND Toolbar(const BOGWS *ws) { return ws->Hoved.hwndToolbar ? ws->Hoved.hwndToolbar : GetParent(ws->hwnd); }

void Frys(BOGWS *ws) {
  ws->Frosset = !ws->Frosset;
  if (ws->hwndMnd) SendMessageA(ws->hwndMnd, NYB_KLIK, 0, 0);
}

void VaelgLayout(BOGWS *ws, uint32_t n) {
  const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
  if (n == 0 || n > ObjSwitchAntal(kBogPartnerArt, pb)) return;
  ObjSwitchVaelg(kBogPartnerArt, pb, n - 1);
  ws->SortKnap = 0;
  ws->Faldende = 0;
  ws->Hoved.RaekkeHovedBredde = static_cast<uint32_t>(RaekkeHoved(ws));
  RECT r;
  if (ws->hwnd && GetWindowRect(ws->hwnd, &r)) {
    HWND parent = GetParent(ws->hwnd);
    RECT pr{};
    if (parent) GetClientRect(parent, &pr);
    SetWindowPos(ws->hwnd, 0, 0, 0, BogBredde(ws, pr.right ? pr.right : 4000), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    // The row header's width changed even where the window's did not.
    RECT k{};
    GetClientRect(ws->hwnd, &k);
    Anbring(ws->hwnd, ws, k.right, k.bottom);
    OpretSortKnapper(ws);
    TegnRamme(ws);
  }
}

// Key test (udfoer false) or execution. True when the window takes the key.
bool BogTast(HWND h, BOGWS *ws, const TastInfo &t, bool udfoer) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return false;
  const uint32_t k = t.wParam;
  const bool ctrl = t.ctrl != 0, shift = t.shift != 0;
  const int mode = udfoer ? 2 : 1;
  if (k == VK_RETURN && !ctrl) {
    if (ws->MndRude || (ws->hwndRet && IsWindow(ws->hwndRet))) return BogAabnTimeCelle(ws, mode);
    return BogTildel(ws, mode);
  }
  // The month pane's own keys while it has the keyboard.
  if (ws->MndRude && ws->hwndMnd && !ctrl &&
      (k == VK_UP || k == VK_DOWN || k == VK_PRIOR || k == VK_NEXT || k == VK_INSERT || k == VK_DELETE ||
       k == VK_ADD || k == VK_OEM_PLUS || k == VK_APPS)) {
    if (!udfoer) return SendMessageA(ws->hwndMnd, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&t)) != 0;
    SendMessageA(ws->hwndMnd, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
    return true;
  }
  if (ctrl) {
    switch (k) {
      case 'A':
        if (udfoer) SendMessageA(Toolbar(ws), TB_GRUPPE_INDEKS, 31, 0);
        return true;
      case 'H':
        if (udfoer) Frys(ws);
        return true;
      case 'F':
        if (!FilterPaa()) return false;
        if (udfoer) BogFindNaeste(ws);
        return true;
      case VK_F4:
        if (udfoer) DestroyWindow(h);
        return true;
    }
    if (k >= '0' && k <= '9') {
      // Ctrl with digits chooses the group when Ctrl is released.
      if (udfoer) {
        const size_t l = std::strlen(ws->Cifre);
        if (l + 1 < sizeof ws->Cifre) ws->Cifre[l] = static_cast<char>(k), ws->Cifre[l + 1] = 0;
      }
      return true;
    }
    return false;
  }
  switch (k) {
    case VK_TAB:
      if (udfoer) {
        ws->MndRude = !ws->MndRude;
        if (ws->hwndMnd) SendMessageA(ws->hwndMnd, ws->MndRude ? VINDUE_AKTIVER : VINDUE_DEAKTIVER, 0, 0);
      }
      return true;
    case VK_ESCAPE:
      if (udfoer) {
        if (ws->hwndRet) BogLukTimeCelle(ws);
        else if (ws->hwndValg) DestroyWindow(ws->hwndValg), ws->hwndValg = 0;
        // Esc also takes the program-wide status filters off, as in the
        // schedule windows.
        ResetTavoSkemaTitel();
      }
      return true;
    case VK_SPACE:
      if (udfoer && IsIconic(h)) ShowWindow(h, SW_RESTORE);
      return true;
    case VK_APPS:
      if (udfoer) AabnGenveje(ws, 20, ws->Hoved.RudeY[ENS_CELLER]);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      if (udfoer) {
        const int side = 20;
        const int dp = k == VK_UP ? -1 : k == VK_DOWN ? 1 : k == VK_PRIOR ? -side : k == VK_NEXT ? side : 0;
        const int dm = k == VK_LEFT ? -1 : k == VK_RIGHT ? 1 : 0;
        if (BogFlyt(ws, dp, dm)) Tegn(ws);
      }
      return true;
    }
  }
  if (!shift && k >= '1' && k <= '9') {
    if (udfoer) SendMessageA(h, NYB_KLIK, 199 + (k - '0'), 0);
    return true;
  }
  if (!shift && k >= 'A' && k <= 'Z') {
    GridPos raekker{static_cast<uint32_t>(ws->SubObjTab.size() - 1), 1,
                    static_cast<uint32_t>(ws->SubObjTab.size() - 1), ws->AktuelPartner};
    Ens e = ws->Hoved;
    e.ObjTab = ws->SubObjTab.data();
    e.ObjTabAntal = static_cast<uint32_t>(ws->SubObjTab.size() - 1);
    e.pTd = ws->pTdPartner;
    e.pTv = ws->pTvPartner;
    if (!udfoer) return true;
    if (EnsTypeAhead(&e, &raekker, k) && raekker.Aktuel != ws->AktuelPartner) {
      BogFlyt(ws, static_cast<int>(raekker.Aktuel) - static_cast<int>(ws->AktuelPartner), 0);
      Tegn(ws);
    }
    return true;
  }
  return false;
}

}  // namespace

void BogTagCursor(BOGWS *ws) {
  ws->Aktuel.Dato = std::clamp(SkemaPeriode.AktuelDato ? SkemaPeriode.AktuelDato : SkemaPeriode.FraDato,
                               SkemaPeriode.FraDato, SkemaPeriode.TilDato);
  ws->Aktuel.Maaned = ws->Aktuel.Dato / 100;
  const uint32_t h = ws->Hoved.pTv ? ws->Hoved.pTv->AktuelRec : 0;
  const uint32_t p = ws->pTvPartner ? ws->pTvPartner->AktuelRec : 0;
  GenopbygBog(ws);
  if (h && h != BogHovedRec(ws))
    if (const uint32_t i = FindObjIdx(ws->Hoved.ObjTab, ws->Hoved.ObjTabAntal, h); i && i <= ws->Hoved.ObjTabAntal) {
      ws->AktuelObj = i;
      ByggBogPartnere(ws);
      ByggBogVisListe(ws);
    }
  for (uint32_t i = 1; p && i < ws->SubObjTab.size(); ++i)
    if (ws->SubObjTab[i] == p) ws->AktuelPartner = i;
  ws->Aktuel.Hoved = BogHovedRec(ws);
  ws->Aktuel.Partner = BogPartnerRec(ws);
}

namespace {

bool Aktiver(HWND h, BOGWS *ws) {
  if (ws->Aktiv) return true;
  HWND parent = GetParent(h);
  if (parent && !SendMessageA(parent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return IsWindow(h) && Ws(h) == ws && ws->Aktiv;
}

// VINDUE_AKTIVER: the window becomes the active grid window and tells its parent.
void BlivAktiv(HWND h, BOGWS *ws, WPARAM wParam) {
  Ens &e = ws->Hoved;
  e.CaptionAktiv = 1;
  if (!ws->Aktiv) {
    ws->Aktiv = 1;
    e.Aktiv = 1;
    VinduesListeTilTop(h);
    BringWindowToTop(h);
    if (HWND parent = GetParent(h)) {
      SendMessageA(parent, ENS_BLEV_AKTIV, wParam ? wParam : 1, static_cast<LPARAM>(h));
      if (!IsWindow(h) || Ws(h) != ws) return;
    }
  }
  TegnRamme(ws);
  TegnRuder(ws);
}

// A click in the panes (pane coordinates): a month column and a partner row
// where the pane has them. The first click of an inactive window only
// activates it; one while the month pane has the keyboard takes it back.
void Klik(HWND h, BOGWS *ws, UINT rude, LPARAM lParam) {
  if (!ws->Aktiv) {
    Aktiver(h, ws);
    return;
  }
  if (ws->MndRude) {
    ws->MndRude = 0;
    if (ws->hwndMnd) SendMessageA(ws->hwndMnd, VINDUE_DEAKTIVER, 0, 0);
    TegnRuder(ws);
    return;
  }
  const Ens &e = ws->Hoved;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  int dp = 0, dm = 0;
  if (rude == ENS_CELLER_NED && x >= 0) {
    const uint32_t m = GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX);
    if (m >= 1 && m <= SkemaPeriode.AntalMaaneder) dm = static_cast<int>(m) - static_cast<int>(ws->AktuelKolonne);
  }
  if (y >= 0) {
    const uint32_t p = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
    if (p >= 1 && p <= AntalPartnere(ws)) dp = static_cast<int>(p) - static_cast<int>(ws->AktuelPartner);
  }
  if (BogFlyt(ws, dp, dm)) Tegn(ws);
}

// The grid frame with its own caption and buttons, the partner rows at the
// left, the month header above the cells and the month pane's room at the
// right.
void OpretRamme(HWND h, BOGWS *ws) {
  Ens &e = ws->Hoved;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  e.RaekkeHovedBredde = static_cast<uint32_t>(RaekkeHoved(ws));
  e.KolHovedHoejde = kKolHoved;
  e.HoejreBredde = 0;
  e.AkseX = GridAkse{1, kCelleBredde, 1, 0, 0};
  e.AkseY = GridAkse{1, kCelleHoejde, 1, 0, 0};
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  SynkPos(ws);
  ws->PosX.Foerste = ws->PosY.Foerste = 1;
  e.hdc = GetDC(h);
  RECT rc{};
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyFrame() + GetSystemMetrics(SM_CYCAPTION) + kToolbar;
  e.Areal[2] = rc.right - 1 - CxFrame() - MndPlads(ws);
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  EnsCalcLayout(&e);
  // The toolbar's toggle button is the frame button that freezes the
  // window; its group button chooses the group of the main objects.
  const uint32_t toolbar[7] = {static_cast<uint8_t>(ws->Bogstav), 0, ws->GruppeMaske, 1, 1, 0, 0};
  EnsCreateChildren(&e, h, 0, toolbar, TxtFont, true, true, nullptr);
  if (TxtFont)
    for (auto [rude, dc] : {std::pair{e.hwndRaekkeHoved, ENSDC_RAEKKEHOVED}, {e.hwndKolHoved, ENSDC_KOLHOVED},
                            {e.hwndHjoerneV, ENSDC_HJOERNE_V}})
      if (rude) SelectDCPalette(rude, &e.dc[dc], TxtFont);
  OpretSortKnapper(ws);
}

void Frigiv(BOGWS *ws) {
  BogFrigivLister(ws);
  delete ws;
}

}  // namespace

// ==================================================================== window

LRESULT CALLBACK BogWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<BOGWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    ws->hwnd = h;
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
    OpretRamme(h, ws);
    if (CreateMndWnd) {
      const Ens &e = ws->Hoved;
      ws->hwndMnd = CreateMndWnd(h, &ws->Aktuel, e.Areal[2] + 1 + kMndMellemrum, e.Areal[1], MndBredde(ws->Bogstav),
                                 std::max(0, e.Areal[3] + 1 - e.Areal[1]));
      PlacerMndRude(ws);
    }
    VinduesListeTilfoej(h);
    if (FilterPaa()) BogFindNaeste(ws);
    return 0;
  }
  BOGWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY:
      SetWindowLongPtrA(h, GWLP_USERDATA, 0);
      VinduesListeFjern(h);
      if (ws->hwndValg && IsWindow(ws->hwndValg)) DestroyWindow(ws->hwndValg);
      if (hwndHoved && !LukkerAlleVinduer) SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
      Frigiv(ws);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      TegnRamme(ws);
      TegnRuder(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        Anbring(h, ws, LOWORD(lParam), HIWORD(lParam));
        TegnRamme(ws);
        Tegn(ws);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&ws->Hoved, msg, wParam)) TegnRuder(ws);
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &ws->Hoved, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnHjoerne(ws);
      TegnMaanedHoved(ws);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnPartnere(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnCeller(ws);
      return 0;
    case TB_RUDE_TEGN:
      // The toolbar's pane carries nothing of this window's: plain ground.
      if (const EnsDC &dc = ws->Hoved.dc[ENSDC_TOOLBAR]; dc.hdc) {
        RECT r{};
        GetClientRect((HWND)lParam, &r);
        FillRectIfAny(dc.hdc, FarveBrush[0], 0, 0, r.right, r.bottom);
      }
      return 0;
    case ENS_CELLER_NED:
    case ENS_CELLER_DBL:
    case ENS_RAEKKEHOVED_NED:
    case ENS_RAEKKEHOVED_DBL:
      Klik(h, ws, msg == ENS_CELLER_DBL ? ENS_CELLER_NED : msg == ENS_RAEKKEHOVED_DBL ? ENS_RAEKKEHOVED_NED : msg,
           lParam);
      return 0;
    case ENS_HJOERNE_VENSTRE_NED:
      Aktiver(h, ws);
      return 0;
    case ENS_KOLHOVED_NED:
      Aktiver(h, ws);
      return 0;
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &ws->Hoved);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &ws->Hoved, lParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &ws->Hoved, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&ws->Hoved, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), 100, BogBredde(ws, INT32_MAX), 100,
                  BogHoejde(ws, INT32_MAX));
      return TRUE;
    case WM_EXITSIZEMOVE:
      TegnRamme(ws);
      TegnRuder(ws);
      break;
    case ENS_MINSLOT:
      return ws->Hoved.MinSlot;
    case ENS_TILSTAND:
      return ws->Hoved.Tilstand;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      if (msg == TAST_MODTAG && lParam) t = *reinterpret_cast<const TastInfo *>(lParam);
      else MakeTastInfo(&t, msg, wParam, lParam);
      if (BogTast(h, ws, t, true) || msg != WM_SYSKEYDOWN) return 0;
      break;
    }
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && BogTast(h, ws, *t, false) ? 1 : 0;
    }
    case WM_KEYUP:
      if (wParam == VK_CONTROL && ws->Cifre[0]) {
        const int n = std::atoi(ws->Cifre);
        ws->Cifre[0] = 0;
        if (n < 31) SendMessageA(Toolbar(ws), TB_GRUPPE_INDEKS, static_cast<WPARAM>(n), 0);
      }
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, GetParent(h), ws->Aktiv, ws->Hoved.Tilstand, ws->Hoved.TraekOffset, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      EnsActivateOnClick(h, &ws->Hoved);
      if (!IsWindow(h) || Ws(h) != ws) return 0;
      AabnGenveje(ws, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case VINDUE_DEAKTIVER:
      ws->Aktiv = 0;
      ws->Hoved.Aktiv = 0;
      ws->Hoved.CaptionAktiv = 0;
      TegnRamme(ws);
      TegnRuder(ws);
      return 0;
    case VINDUE_AKTIVER:
      BlivAktiv(h, ws, wParam);
      return 0;
    case DATA_AENDRET:
    case EFTER_IMPORT:
      GenopbygBog(ws);
      ws->Aktuel.Hoved = BogHovedRec(ws);
      ws->Aktuel.Partner = BogPartnerRec(ws);
      Tegn(ws);
      if (ws->hwndMnd) SendMessageA(ws->hwndMnd, BOG_MND_FLYT, 0, 0);
      return 0;
    case GRUPPE_VALGT:
      ws->GruppeMaske = wParam >= 31 ? kAlleGrupper : (1u << wParam);
      if (ws->Bogstav == 'M') BogMedaGruppeMaske = ws->GruppeMaske;
      GenopbygBog(ws);
      Tegn(ws);
      return 0;
    case AKTUEL_AENDRET:
      if ((ws->Aktiv && !wParam) || ws->Frosset) return 0;
      BogTagCursor(ws);
      Tegn(ws);
      return 0;
    case BOG_MND_FLYT: {
      for (uint32_t i = 1; i < ws->SubObjTab.size(); ++i)
        if (ws->SubObjTab[i] == ws->Aktuel.Partner) ws->AktuelPartner = i;
      SaetKolonneFraMaaned(ws);
      Tegn(ws);
      return 0;
    }
    case BOG_VISLISTE:
      return reinterpret_cast<LRESULT>(ws->BogVisListe.data());
    case BOG_KAEDE: {
      const BogCelle *c = BogCelleAt(ws, BogPartnerRec(ws), MaanedTilIndeks(ws->Aktuel.Maaned));
      const bool iPeriode = ws->Aktuel.Maaned >= SkemaPeriode.FoersteMaaned &&
                            ws->Aktuel.Maaned <= SkemaPeriode.SidsteMaaned;
      return c && iPeriode ? c->Foerste : 0;
    }
    case BOG_VISANTAL:
      return static_cast<LRESULT>(ws->BogVisListe.size() - 1);
    case BOG_MND_TASTATUR:
      ws->MndRude = 1;
      if (!ws->Aktiv && !Aktiver(h, ws)) return 0;
      if (ws->hwndMnd) SendMessageA(ws->hwndMnd, VINDUE_AKTIVER, 0, 0);
      Tegn(ws);
      return 0;
    case BOG_MND_AENDRET:
      Tegn(ws);
      if (ws->hwndMnd) SendMessageA(ws->hwndMnd, BOG_MND_FLYT, 0, 0);
      return 0;
    case BOG_MND_DAG:
      if (hwndHoved) SendMessageA(hwndHoved, STATUS_DATO_SAET, ws->Aktuel.Dato, 0);
      Tegn(ws);
      return 0;
    case BOG_SUM: {
      const uint32_t hd = BogHovedRec(ws), p = BogPartnerRec(ws);
      if (!hd || !p) return 0;
      return ws->Bogstav == 'K' ? SumTimoak(hd, p) : SumTimoak(p, hd);
    }
    case VALG_MARKERET:
    case VALG_AFMARKERET: {
      const uint32_t hd = BogHovedRec(ws), id = static_cast<uint32_t>(lParam);
      if (!hd || !id) return 0;
      const uint32_t akti = ws->Bogstav == 'K' ? hd : id, anfo = ws->Bogstav == 'K' ? id : hd;
      if (msg == VALG_MARKERET) {
        bool findes = false;
        for (uint32_t i = 1; i < ws->SubObjTab.size(); ++i) findes |= ws->SubObjTab[i] == id;
        if (findes) return 0;
        AddAakrel(akti, anfo, 20);
      } else {
        SetAakrel(akti, anfo, 0);
      }
      CleanupAakrel();
      ByggBogPartnere(ws);
      ByggBogVisListe(ws);
      Tegn(ws);
      return 0;
    }
    case VALG_AFSLUTTET: {
      // The selection window's current object becomes the current partner.
      HWND v = ws->hwndValg;
      ws->hwndValg = 0;
      if (!v || !IsWindow(v)) return 0;
      const uint32_t p = static_cast<uint32_t>(SendMessageA(v, VALG_AKTUEL, 0, 0));
      DestroyWindow(v);
      for (uint32_t i = 1; p && i < ws->SubObjTab.size(); ++i)
        if (ws->SubObjTab[i] == p && i != ws->AktuelPartner) {
          BogFlyt(ws, static_cast<int>(i) - static_cast<int>(ws->AktuelPartner), 0);
          if (!ws->Aktiv) ws->Aktuel.Partner = p;
          if (ws->hwndMnd) SendMessageA(ws->hwndMnd, BOG_MND_FLYT, 0, 0);
        }
      Tegn(ws);
      return 0;
    }
    case NYB_KLIK:
      if (lParam == 0 && wParam == 0) {
        Frys(ws);
      } else if (lParam == 0 && wParam >= 200 && wParam <= 208) {
        VaelgLayout(ws, static_cast<uint32_t>(wParam - 199));
        ByggBogPartnere(ws);
        Tegn(ws);
      } else if (lParam == 1) {
        BogSorter(ws, static_cast<uint32_t>(wParam));
        VisSortKnapper(ws);
        Tegn(ws);
      } else if (lParam == NYB_MINIMER || lParam == NYB_GENDAN) {
        EnsMinimize(h, &ws->Hoved);
      } else if (lParam == NYB_LUK) {
        DestroyWindow(h);
      } else if (lParam == NYB_MAKSIMER) {
        EnsMaximize(h, &ws->Hoved);
      }
      return 0;
    case ENS_BREDDE:
      return BogBredde(ws, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return BogHoejde(ws, static_cast<int>(wParam));
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerBogKlasse(HINSTANCE inst) {
  if (!RegistrerMndKlasse(inst)) return false;
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = BogWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(inst, MAKEINTRESOURCEA(IDC_TAVO));
  wc.hbrBackground = FarveBrush[0];
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

bool BogForbered(BOGWS *ws, char bogstav) {
  if (bogstav != 'K' && bogstav != 'M') return false;
  ws->Bogstav = bogstav;
  ws->PartnerBogstav = bogstav == 'K' ? 'M' : 'K';
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (TabFromType(static_cast<uint8_t>(bogstav), &pTd, &pTv) != 0 ||
      TabFromType(static_cast<uint8_t>(ws->PartnerBogstav), &ws->pTdPartner, &ws->pTvPartner) != 0)
    return false;
  ws->Hoved.pTd = pTd;
  ws->Hoved.pTv = pTv;
  ws->Hoved.hInstance = hInst;
  std::snprintf(ws->Hoved.Titel, sizeof ws->Hoved.Titel, "%s", bogstav == 'K' ? kTitelK : kTitelM);
  ws->GruppeMaske = bogstav == 'K' ? 32u : BogMedaGruppeMaske;
  ws->Aktuel.Foerste = SkemaPeriode.FraDato;
  ws->Aktuel.Sidste = SkemaPeriode.TilDato;
  BogTagCursor(ws);
  return true;
}

void BogFrigivLister(BOGWS *ws) {
  std::free(ws->Hoved.ObjTab);
  ws->Hoved.ObjTab = nullptr;
  ws->Hoved.ObjTabAntal = 0;
}

HWND CreateBogWnd(char bogstav, HWND parent, int x, int y, int bredde, int hoejde, HWND ejer) {
  (void)ejer;
  auto *ws = new (std::nothrow) BOGWS{};
  if (!ws) return 0;
  if (!BogForbered(ws, bogstav)) {
    delete ws;
    return 0;
  }
  ws->Hoved.hwndParent = parent;
  const char *titel = ws->Hoved.Titel;
  const int b = BogBredde(ws, std::max(bredde, 0)), hh = BogHoejde(ws, std::max(hoejde, 0));
  HWND hwnd = CreateWindowExA(0, kKlasse, titel, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              x, y, b, hh, parent,
                              static_cast<HMENU>((bogstav == 'K' ? kBogAktiType
                                                                                          : kBogMedaType)),
                              hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) Frigiv(ws);
    return 0;
  }
  return hwnd;
}

BOGWS *BogVinduesWS(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  char klasse[32] = "";
  GetClassNameA(hwnd, klasse, sizeof klasse);
  return std::strcmp(klasse, kKlasse) == 0 ? Ws(hwnd) : nullptr;
}
