// The posting window over akti, anfo, aakrel and the posting buckets.

#include "BOG.h"
#include "BOGMND.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "AKTICHK.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "STATUSFILTER.h"
#include "SWITCH.h"
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
constexpr int kToolbar = 22, kHovedLinje = 14, kMaanedHoved = 24, kSortKnap = 16;
constexpr int kRaekkeHovedStd = 200;
constexpr int kSumBredde = 80;  // the partner row's sum behind its fields

// The partner rows' header: the chosen layout's fields and the row sum.
int RaekkeHoved(const BOGWS *ws) {
  const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
  const uint32_t b = ObjSwitchBredde(kBogPartnerArt, pb, ObjSwitchValgt(kBogPartnerArt, pb));
  return b ? static_cast<int>(std::min<uint32_t>(b, 1000)) + kSumBredde : kRaekkeHovedStd;
}

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
    SendTilAlleVinduer(BOG_AKTUEL_AENDRET, 0, 0, ws->hwnd);
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
    uint32_t felt = ws->SortKnap ? ObjSwitchFeltNr(kBogPartnerArt, pb, valgt, ws->SortKnap) : 0;
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
  if (const uint32_t felt = ObjSwitchFeltNr(kBogPartnerArt, pb, ObjSwitchValgt(kBogPartnerArt, pb), knap))
    ObjSwitchSaetSortFelt(kBogPartnerArt, pb, felt);
  ByggBogPartnere(ws);
}

// ==================================================================== sizes

int BogBredde(const BOGWS *ws, int plads) {
  const int fuld = kKolonne * static_cast<int>(SkemaPeriode.AntalMaaneder) + RaekkeHoved(ws) + 2 +
                   2 * GetSystemMetrics(SM_CXFRAME) + kBogMndBredde;
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

int GridTop() { return kToolbar + kHovedLinje + kSortKnap + kMaanedHoved; }
int CelleX(const BOGWS *ws, MaanedIndeks m) { return RaekkeHoved(ws) + static_cast<int>(m - 1) * kKolonne; }
int CelleY(uint32_t p) { return GridTop() + static_cast<int>(p - 1) * kRaekke; }

void Timer(char *buf, size_t n, int64_t hundrededele) { BogTimerTekst(buf, n, hundrededele); }

void Tekst(HDC dc, int x, int y, const char *t, COLORREF fg, COLORREF bg) {
  SetTextColor(dc, fg);
  SetBkColor(dc, bg);
  SetBkMode(dc, OPAQUE);
  TextOutA(dc, x, y, t, static_cast<int>(std::strlen(t)));
}

// The display text of a record through the first fields of a layout, or
// field 1 without one.
void ObjTekst(char *buf, size_t n, char bogstav, const TabDesc *pTd, const TabVar *pTv, uint32_t art,
              uint32_t rec) {
  buf[0] = 0;
  const uint8_t b = static_cast<uint8_t>(bogstav);
  const uint32_t valgt = ObjSwitchValgt(art, b);
  const uint32_t felter = ObjSwitchFeltAntal(art, b, valgt);
  size_t brugt = 0;
  for (uint32_t i = 1; i <= std::max<uint32_t>(felter, 1) && brugt + 1 < n; ++i) {
    const uint32_t felt = felter ? ObjSwitchFeltNr(art, b, valgt, i) : 1;
    const char *t = VisFeltTekst(bogstav, pTd, pTv, felt, rec, nullptr, 1);
    brugt += static_cast<size_t>(std::snprintf(buf + brugt, n - brugt, "%s%s", brugt ? " " : "", t ? t : ""));
    if (brugt >= n) break;
  }
}

void Tegn(BOGWS *ws) {
  if (!ws->hwnd) return;
  HDC dc = GetDC(ws->hwnd);
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  if (TxtFont) SelectObject(dc, TxtFont);
  FillRectIfAny(dc, FarveBrush[0], 0, 0, rc.right, rc.bottom);
  const COLORREF sort = FarveTab[16], grund = FarveTab[0];
  char linje[256], tal[32];
  // The main-object line with the current partner's sum over its span.
  if (const uint32_t h = BogHovedRec(ws)) {
    ObjTekst(linje, sizeof linje, ws->Bogstav, ws->Hoved.pTd, ws->Hoved.pTv, kBogHovedArt, h);
    Timer(tal, sizeof tal, BogHovedSum(ws));
    const size_t l = std::strlen(linje);
    std::snprintf(linje + l, sizeof linje - l, "  %s", tal);
    Tekst(dc, 4, kToolbar, linje, sort, grund);
  }
  // Sort buttons: one per field of the chosen partner layout.
  const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
  const uint32_t valgt = ObjSwitchValgt(kBogPartnerArt, pb);
  for (uint32_t i = 1; i <= ObjSwitchFeltAntal(kBogPartnerArt, pb, valgt); ++i) {
    const int x = static_cast<int>(ObjSwitchFeltStart(kBogPartnerArt, pb, valgt, i));
    const int b = static_cast<int>(ObjSwitchFeltBredde(kBogPartnerArt, pb, valgt, i));
    const bool trykket = ws->SortKnap == i && !ws->Faldende;
    FillRectIfAny(dc, FarveBrush[trykket ? 2 : 0], x, kToolbar + kHovedLinje, x + b - 1,
                  kToolbar + kHovedLinje + kSortKnap - 1);
  }
  // Month header: month and year.
  const uint32_t maaneder = SkemaPeriode.AntalMaaneder;
  for (MaanedIndeks m = 1; m <= maaneder; ++m) {
    const Maaned mm = IndeksTilMaaned(m);
    std::snprintf(linje, sizeof linje, "%02u-%04u", mm % 100, mm / 100);
    Tekst(dc, CelleX(ws, m) + 4, GridTop() - kMaanedHoved + 6, linje, sort, grund);
  }
  // Partner rows and cells.
  const uint32_t n = static_cast<uint32_t>(ws->SubObjTab.size() - 1);
  const int bund = rc.bottom;
  for (uint32_t i = 1; i <= n && CelleY(i) < bund; ++i) {
    const uint32_t p = ws->SubObjTab[i];
    ObjTekst(linje, sizeof linje, ws->PartnerBogstav, ws->pTdPartner, ws->pTvPartner, kBogPartnerArt, p);
    Timer(tal, sizeof tal, BogPartnerSum(ws, p));
    const size_t l = std::strlen(linje);
    std::snprintf(linje + l, sizeof linje - l, " %s", tal);
    Tekst(dc, 2, CelleY(i), linje, sort, grund);
    for (MaanedIndeks m = 1; m <= maaneder; ++m) {
      const BogCelle *c = BogCelleAt(ws, p, m);
      const bool aktuel = i == ws->AktuelPartner && m == ws->AktuelKolonne;
      const int tilstand = aktuel ? (ws->Aktiv && !ws->MndRude ? 1 : 2) : 0;
      FillRectIfAny(dc, FarveBrush[tilstand], CelleX(ws, m), CelleY(i), CelleX(ws, m) + kCelleBredde,
                    CelleY(i) + kCelleHoejde);
      if (c && c->Foerste) {
        Timer(tal, sizeof tal, c->Sum);
        Tekst(dc, CelleX(ws, m) + 2, CelleY(i), tal, sort, FarveTab[tilstand]);
      }
    }
  }
  ReleaseDC(ws->hwnd, dc);
}

// ==================================================================== keys

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
  if (ws->hwndMnd) SendMessageA(ws->hwndMnd, BOG_KNAP, 0, 0);
}

void VaelgLayout(BOGWS *ws, uint32_t n) {
  const uint8_t pb = static_cast<uint8_t>(ws->PartnerBogstav);
  if (n == 0 || n > ObjSwitchAntal(kBogPartnerArt, pb)) return;
  ObjSwitchVaelg(kBogPartnerArt, pb, n - 1);
  ws->SortKnap = 0;
  ws->Faldende = 0;
  RECT r;
  if (ws->hwnd && GetWindowRect(ws->hwnd, &r)) {
    HWND parent = GetParent(ws->hwnd);
    RECT pr{};
    if (parent) GetClientRect(parent, &pr);
    SetWindowPos(ws->hwnd, 0, 0, 0, BogBredde(ws, pr.right ? pr.right : 4000), r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER);
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
        if (udfoer) SendMessageA(Toolbar(ws), BOG_TOOLBAR_GRUPPE, 31, 0);
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
        if (ws->hwndMnd) SendMessageA(ws->hwndMnd, ws->MndRude ? ENS_AKTIVER : ENS_DEAKTIVER, 0, 0);
      }
      return true;
    case VK_ESCAPE:
      if (udfoer) {
        if (ws->hwndRet) BogLukTimeCelle(ws);
        else if (ws->hwndValg) DestroyWindow(ws->hwndValg), ws->hwndValg = 0;
      }
      return true;
    case VK_SPACE:
      if (udfoer && IsIconic(h)) ShowWindow(h, SW_RESTORE);
      return true;
    case VK_APPS:
      if (udfoer) AabnGenveje(ws, 20, GridTop());
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
    if (udfoer) SendMessageA(h, BOG_KNAP, 199 + (k - '0'), 0);
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
  ws->Aktiv = 1;
  if (parent) SendMessageA(parent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  return IsWindow(h) && Ws(h) == ws;
}

void Klik(HWND h, BOGWS *ws, LPARAM lParam) {
  if (!ws->Aktiv) {
    Aktiver(h, ws);
    return;
  }
  if (ws->MndRude) {
    ws->MndRude = 0;
    if (ws->hwndMnd) SendMessageA(ws->hwndMnd, ENS_DEAKTIVER, 0, 0);
    return;
  }
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  int dp = 0, dm = 0;
  if (x >= RaekkeHoved(ws)) {
    const int m = (x - RaekkeHoved(ws)) / kKolonne + 1;
    if (m >= 1 && m <= static_cast<int>(SkemaPeriode.AntalMaaneder)) dm = m - static_cast<int>(ws->AktuelKolonne);
  }
  if (y >= GridTop()) {
    const int p = (y - GridTop()) / kRaekke + 1;
    if (p >= 1 && p < static_cast<int>(ws->SubObjTab.size())) dp = p - static_cast<int>(ws->AktuelPartner);
  }
  if (BogFlyt(ws, dp, dm)) Tegn(ws);
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
    if (CreateMndWnd) {
      RECT rc;
      GetClientRect(h, &rc);
      ws->hwndMnd = CreateMndWnd(h, &ws->Aktuel, std::max<int>(rc.right - kBogMndBredde, 0), kToolbar,
                                 kBogMndBredde, std::max<int>(rc.bottom - kToolbar, 0));
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
      if (hwndHoved && !LukkerAlleVinduer) SendMessageA(hwndHoved, BOG_LUKKET, 0, static_cast<LPARAM>(h));
      Frigiv(ws);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      Tegn(ws);
      return 0;
    }
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
        if (n < 31) SendMessageA(Toolbar(ws), BOG_TOOLBAR_GRUPPE, static_cast<WPARAM>(n), 0);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Klik(h, ws, lParam);
      if (IsWindow(h) && Ws(h) == ws) Tegn(ws);
      return 0;
    case WM_RBUTTONDOWN:
      AabnGenveje(ws, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case ENS_DEAKTIVER:
      ws->Aktiv = 0;
      Tegn(ws);
      return 0;
    case ENS_AKTIVER:
      ws->Aktiv = 1;
      Tegn(ws);
      return 0;
    case BOG_DATA_AENDRET:
    case BOG_SHELL_OPDATER:
      GenopbygBog(ws);
      ws->Aktuel.Hoved = BogHovedRec(ws);
      ws->Aktuel.Partner = BogPartnerRec(ws);
      Tegn(ws);
      if (ws->hwndMnd) SendMessageA(ws->hwndMnd, BOG_MND_FLYT, 0, 0);
      return 0;
    case BOG_GRUPPE:
      ws->GruppeMaske = wParam >= 31 ? kAlleGrupper : (1u << wParam);
      if (ws->Bogstav == 'M') BogMedaGruppeMaske = ws->GruppeMaske;
      GenopbygBog(ws);
      Tegn(ws);
      return 0;
    case BOG_AKTUEL_AENDRET:
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
      if (ws->hwndMnd) SendMessageA(ws->hwndMnd, ENS_AKTIVER, 0, 0);
      Tegn(ws);
      return 0;
    case BOG_MND_AENDRET:
      Tegn(ws);
      if (ws->hwndMnd) SendMessageA(ws->hwndMnd, BOG_MND_FLYT, 0, 0);
      return 0;
    case BOG_MND_DAG:
      if (hwndHoved) SendMessageA(hwndHoved, BOG_DATOPANE, ws->Aktuel.Dato, 0);
      Tegn(ws);
      return 0;
    case BOG_SUM: {
      const uint32_t hd = BogHovedRec(ws), p = BogPartnerRec(ws);
      if (!hd || !p) return 0;
      return ws->Bogstav == 'K' ? SumTimoak(hd, p) : SumTimoak(p, hd);
    }
    case BOG_VALG_MAERKET:
    case BOG_VALG_FJERNET: {
      const uint32_t hd = BogHovedRec(ws), id = static_cast<uint32_t>(lParam);
      if (!hd || !id) return 0;
      const uint32_t akti = ws->Bogstav == 'K' ? hd : id, anfo = ws->Bogstav == 'K' ? id : hd;
      if (msg == BOG_VALG_MAERKET) {
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
    case BOG_VALG_LUKKER: {
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
    case BOG_KNAP:
      if (lParam == 0 && wParam == 0) {
        Frys(ws);
      } else if (lParam == 0 && wParam >= 200 && wParam <= 208) {
        VaelgLayout(ws, static_cast<uint32_t>(wParam - 199));
        ByggBogPartnere(ws);
        Tegn(ws);
      } else if (lParam == 1) {
        BogSorter(ws, static_cast<uint32_t>(wParam));
        Tegn(ws);
      } else if (lParam == 4096) {
        ShowWindow(h, IsIconic(h) ? SW_RESTORE : SW_MINIMIZE);
      } else if (lParam == 8192) {
        DestroyWindow(h);
      } else if (lParam == 16384) {
        ShowWindow(h, SW_MAXIMIZE);
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
  HWND hwnd = CreateWindowExA(0, kKlasse, titel, WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_CLIPSIBLINGS |
                                                     WS_CLIPCHILDREN,
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
