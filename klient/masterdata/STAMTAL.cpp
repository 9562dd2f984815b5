// The master-data window's figures. The per-role counts live in the
// window's own workspace, so two windows never share or free each other's
// counts. Event rows outside the ring system's days or lessons are skipped,
// as the counters of the data store skip them.

#include "STAMTAL.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ENS.h"
#include "ENSDC.h"
#include "FARVER.h"
#include "FELTTEKST.h"
#include "FINDREC.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTETAL.h"
#include "MEDOPG.h"
#include "MEDPER.h"
#include "MINNORM.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "ROLLER.h"
#include "SKEREC.h"
#include "SKEVIS.h"
#include "STAMTEKST.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TALTAB.h"
#include "VISFELT.h"

namespace {

constexpr uint32_t kLektionerPrDag = 48;
constexpr uint8_t kFarveTal = 8;
constexpr uint8_t kFarveGrundlag = 39;
constexpr uint8_t kFarveLabel = 16;
constexpr COLORREF kNoegleBaand = RGB(220, 190, 140);
constexpr int kVaerdiTegn = 4;  // a key figure's characters

bool Live(uint8_t st) { return st != 0 && (st < 31 || st > 39) && st != 131 && st != 132; }

template <class R>
const R *Post(const TabVar &tv, uint32_t n) {
  if (n == 0) return nullptr;
  const R *r = TabRec<R>(tv, n);
  return r && r->Status != 0 ? r : nullptr;
}

int B(uint32_t bredde) { return static_cast<int>(std::min(bredde, kSwitchMaksTegn)); }

// A stored count as a signed figure (by value: the records are packed).
int32_t Int(uint32_t v) { return static_cast<int32_t>(std::min<uint32_t>(v, INT32_MAX)); }

long HeleTimer(double t) { return std::isfinite(t) ? std::lround(std::clamp(t, -2e9, 2e9)) : 0; }

Dato AktuelMandag() {
  const Uge u = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  const Dato d = u ? UgeDagTilDato(u, 1) : 0;
  return d ? d : SkemaPeriode.FraDato;
}

// ==================================================================== event rows

uint32_t Deltager(const SkeRec &s, char art) { return art == 'M' ? s.anfo_id : art == 'K' ? s.akti_id : s.loka_id; }

struct Raekke {
  uint8_t aar, uge;
  Uge u;
  uint32_t r;
  const SkeRec *s;
  const TabVar *b;
  Dato dato;
};

// Every live row of the object in the weeks fra..til whose date lies in
// them, once per event.
template <class Fn>
void ForHverRaekke(Dato fra, Dato til, char art, uint32_t obj, Fn fn) {
  Uge uf = 0, ut = 0;
  DatoTilUge(fra, &uf, nullptr);
  DatoTilUge(til, &ut, nullptr);
  const UgeIndeks w1 = std::max<UgeIndeks>(UgeTilIndeks(uf), 1);
  const UgeIndeks w2 = std::min<UgeIndeks>(UgeTilIndeks(ut), SkemaPeriode.AntalUger);
  for (UgeIndeks w = w1; w <= w2; ++w) {
    const Uge u = IndeksTilUge(w);
    if (u == 0 || u / 100 < SkemaPeriode.BaseAar || u / 100 - SkemaPeriode.BaseAar >= kMaxAarIPeriode) continue;
    const auto aar = static_cast<uint8_t>(u / 100 - SkemaPeriode.BaseAar);
    const auto uge = static_cast<uint8_t>(u % 100);
    const TabVar *b = UgeBucket(aar, uge);
    uint32_t sidsteForste = 0;
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec *s = TabRec<SkeRec>(*b, r);
      if (!s || Deltager(*s, art) != obj || !SkeRaekkeLever(s->Status)) continue;
      if (s->Dag < 1 || s->Dag > 7 || s->Lektion > kLektionerPrDag) continue;
      const Dato d = UgeDagTilDato(u, s->Dag);
      if (d < fra || d > til) continue;
      if (s->Forste != 0 && s->Forste == sidsteForste) continue;
      sidsteForste = s->Forste;
      fn(Raekke{aar, uge, u, r, s, b, d});
    }
  }
}

// The event's activity and subject: the first of its rows that has one.
void BegFelter(const Raekke &x, uint32_t *pAkti, uint32_t *pSkfa) {
  *pAkti = x.s->akti_id;
  *pSkfa = x.s->skfa_id;
  const uint32_t start = x.s->Forste && x.s->Forste < x.b->wRecCnt ? x.s->Forste : x.r;
  for (uint32_t r = start; r < x.b->wRecCnt && (!*pAkti || !*pSkfa); ++r) {
    const SkeRec *s = TabRec<SkeRec>(*x.b, r);
    if (!s || s->id != x.s->id) break;
    if (!*pAkti) *pAkti = s->akti_id;
    if (!*pSkfa) *pSkfa = s->skfa_id;
  }
}

// ==================================================================== building

struct Bygger {
  StamWS *ws;
  uint32_t obj;
  std::vector<SkfaSum> fag;

  SkfaSum *Fag(uint32_t skfa) {
    for (SkfaSum &f : fag)
      if (f.id == skfa) return &f;
    return nullptr;
  }
  SkfaSum &NytFag(uint32_t skfa) {
    fag.push_back(SkfaSum{skfa, 0, 0, 0, 0});
    return fag.back();
  }

  void Roller(const Raekke &x, char art) {
    RolleTalListe l{};
    SkemabegObjektTal(x.aar, x.uge, x.r, art, obj, nullptr, nullptr, nullptr, &l, false);
    for (uint32_t i = 0; i < l.Antal && i < MAX_ROLLETAL; ++i) {
      const RolleTal &t = l.Post[i];
      if (t.rolle == 0 || t.rolle >= ws->RolleTabAntal) continue;
      StamRolleTal &e = ws->RolleTab[t.rolle];
      e.Lektioner = static_cast<uint32_t>(std::clamp<int64_t>(int64_t(e.Lektioner) + t.Lektioner, 0, UINT32_MAX));
      e.Timer += t.Timer;
    }
  }

  void Aktivitet(Dato fra, Dato til) {
    for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
      const SkphRec *p = TabRec<SkphRec>(tvskph, r);
      if (!p || p->akti_id != obj || !p->skfa_id || !Live(p->Status) || Fag(p->skfa_id)) continue;
      NytFag(p->skfa_id).Skemalagt = Int(p->AntalLektioner);
    }
    ForHverRaekke(fra, til, 'K', obj, [&](const Raekke &x) {
      uint32_t akti, skfa;
      BegFelter(x, &akti, &skfa);
      if (skfa && !Fag(skfa) && tvskph.wRecCnt) {
        const SkphRec *p = Post<SkphRec>(tvskph, FindParRec(&tdskph, &tvskph, obj, skfa));
        if (p) NytFag(skfa).Skemalagt = Int(p->AntalLektioner);
      }
      Roller(x, 'K');
    });
  }

  void Medarbejder(Dato fra, Dato til) {
    const Dato man = AktuelMandag();
    const Dato perFra = GetOpgPerFra(man, obj), perTil = GetOpgPerTil(man, obj);
    ForHverRaekke(fra, til, 'M', obj, [&](const Raekke &x) {
      uint32_t akti, skfa;
      BegFelter(x, &akti, &skfa);
      if (skfa) {
        if (SkfaSum *f = Fag(skfa)) {
          f->Skemalagt += 1000;
        } else {
          float v = 0;
          uint8_t maerke = 0;
          const bool fundet = FagfordlLektionsenheder(x.dato, akti, skfa, obj, perFra, perTil, &v, &maerke);
          SkfaSum &n = NytFag(skfa);
          n.Skemalagt = 1000;
          if (fundet) {
            n.Budget = std::isfinite(v) ? static_cast<int32_t>(std::clamp(v, -2e9f, 2e9f)) : 0;
            n.Maerke = maerke;
          }
        }
      }
      Roller(x, 'M');
    });
  }

  void Lokale(Dato fra, Dato til) {
    std::vector<uint8_t> celler(7 * kLektionerPrDag);
    Uge sidsteUge = 0;
    const uint32_t stdRing = GlobalIndstillinger.standardRingSystem;
    ForHverRaekke(fra, til, 'L', obj, [&](const Raekke &x) {
      const SkeRec &s = *x.s;
      uint32_t akti, skfa;
      BegFelter(x, &akti, &skfa);
      if (skfa) {
        double v = s.Antal_std_lektioner > 0 && std::isfinite(s.Antal_std_lektioner) ? s.Antal_std_lektioner : 1.0;
        if (GlobalIndstillinger.standardlektion && GlobalIndstillinger.standardlektionslengde > 0)
          v = double(MinutterMellem(s.Starttid, s.Sluttid)) / GlobalIndstillinger.standardlektionslengde;
        const auto tusinde = static_cast<int32_t>(std::llround(std::clamp(v * 1000.0, -2e9, 2e9)));
        if (SkfaSum *f = Fag(skfa))
          f->Skemalagt = static_cast<int32_t>(std::clamp<int64_t>(int64_t(f->Skemalagt) + tusinde, INT32_MIN, INT32_MAX));
        else
          NytFag(skfa).Skemalagt = tusinde;
      }
      if (x.u != sidsteUge) {
        std::fill(celler.begin(), celler.end(), 0);
        sidsteUge = x.u;
      }
      uint32_t lektion = s.Lektion;
      if (lektion == 0) {
        uint8_t naer = 0;
        FindLektionForTid('L', &lektion, &naer, s.Starttid, s.risy_id ? s.risy_id : stdRing);
      }
      if (lektion < 1 || lektion > kLektionerPrDag) return;
      uint8_t &c = celler[(s.Dag - 1) * kLektionerPrDag + lektion - 1];
      if (c) return;
      c = 1;
      Roller(x, 'L');
    });
  }

  // Roles of one name make one row; sickness keeps its lessons, not its
  // hours.
  void FletRoller() {
    const bool loka = ws->Bogstav == 'L';
    auto navn = [&](uint32_t i, char *buf) {
      std::memset(buf, 0, 8);
      if (loka) {
        if (const LokrolleRec *r = TabRec<LokrolleRec>(tvlokrolle, i)) buf[0] = r->Lokalerolle;
      } else if (const SkemarolRec *r = TabRec<SkemarolRec>(tvskemarol, i)) {
        std::memcpy(buf, r->Rolle, sizeof r->Rolle);
      }
    };
    char a[8], b[8];
    for (uint32_t i = 1; i < ws->RolleTabAntal; ++i) {
      StamRolleTal &e = ws->RolleTab[i];
      if (e.Lektioner == 0 && e.Timer == 0) continue;
      navn(i, a);
      for (uint32_t j = i + 1; j < ws->RolleTabAntal; ++j) {
        StamRolleTal &f = ws->RolleTab[j];
        if (f.Lektioner == 0 && f.Timer == 0) continue;
        navn(j, b);
        if (std::memcmp(a, b, sizeof a) != 0) continue;
        e.Lektioner = static_cast<uint32_t>(std::min<uint64_t>(uint64_t(e.Lektioner) + f.Lektioner, UINT32_MAX));
        e.Timer += f.Timer;
        f = StamRolleTal{};
      }
    }
    if (loka) return;
    for (uint32_t i = 1; i < ws->RolleTabAntal; ++i)
      if (SkemarolErSygdom(i)) ws->RolleTab[i].Timer = 0;
  }

  // The planning module's figures, in tenths of a lesson, of the period's
  // weeks.
  void PlanFigurer(Dato fra, Dato til) {
    if (ws->Bogstav != 'K' && ws->Bogstav != 'M') return;
    Uge uf = 0, ut = 0;
    DatoTilUge(fra, &uf, nullptr);
    DatoTilUge(til, &ut, nullptr);
    const UgeIndeks w1 = UgeTilIndeks(uf), w2 = UgeTilIndeks(ut);
    TagTalMutex();
    for (uint32_t n = 1; ::PlanTal.PlanTab && n <= ::PlanTal.Antal; ++n) {
      const PlanTabPost &e = ::PlanTal.PlanTab[n];
      if ((ws->Bogstav == 'K' ? e.akti : e.anfo) != obj || !e.skfa || !e.PlanLektioner) continue;
      if (e.UgeIdx < w1 || e.UgeIdx > w2) continue;
      const auto v = static_cast<int32_t>(std::min<uint32_t>(e.PlanLektioner / 10, INT32_MAX));
      SkfaSum *f = Fag(e.skfa);
      if (!f) f = &NytFag(e.skfa);
      f->Budget = static_cast<int32_t>(std::clamp<int64_t>(int64_t(f->Budget) + v, INT32_MIN, INT32_MAX));
      f->Planlagt = 1;
    }
    SlipTalMutex();
  }
};

// The student placements of an activity within its dates, per subject:
// worked out in one pass over the placement table for a paint or a sort,
// which read it for every row, and dropped after it, as the placements may
// change in between.
struct Placeringer {
  uint32_t akti = 0;
  std::vector<std::pair<uint32_t, uint32_t>> fag;  // (subject, placements), by subject
};
Placeringer *gPlaceringer = nullptr;  // main thread only

void TaelPlaceringer(uint32_t akti, Placeringer *p) {
  p->akti = akti;
  p->fag.clear();
  const AktiRec *a = Post<AktiRec>(tvakti, akti);
  if (!a) return;
  const Dato fra = a->Fradato, til = a->Tildato;
  std::vector<uint32_t> fag;
  for (uint32_t r = 1; r < tvepsh.wRecCnt; ++r) {
    const EpshRec *e = Post<EpshRec>(tvepsh, r);
    if (e && e->akti_id == akti && e->Startdato >= fra && e->Slutdato <= til) fag.push_back(uint32_t(e->skfa_id));
  }
  std::sort(fag.begin(), fag.end());
  for (size_t i = 0; i < fag.size();) {
    size_t j = i;
    while (j < fag.size() && fag[j] == fag[i]) ++j;
    p->fag.push_back({fag[i], static_cast<uint32_t>(j - i)});
    i = j;
  }
}

// Keeps the counts of one activity in reach while it lives.
class PlaceringsOmfang {
 public:
  explicit PlaceringsOmfang(uint32_t akti) : forrige_(gPlaceringer) {
    TaelPlaceringer(akti, &egne_);
    gPlaceringer = &egne_;
  }
  ~PlaceringsOmfang() { gPlaceringer = forrige_; }
  PlaceringsOmfang(const PlaceringsOmfang &) = delete;
  PlaceringsOmfang &operator=(const PlaceringsOmfang &) = delete;

 private:
  Placeringer egne_;
  Placeringer *forrige_;
};

uint32_t ElevPlaceringer(uint32_t akti, uint32_t skfa) {
  if (const Placeringer *p = gPlaceringer; p && p->akti == akti) {
    const auto it = std::lower_bound(p->fag.begin(), p->fag.end(), std::make_pair(skfa, uint32_t{0}));
    return it != p->fag.end() && it->first == skfa ? it->second : 0;
  }
  const AktiRec *a = Post<AktiRec>(tvakti, akti);
  if (!a) return 0;
  uint32_t n = 0;
  for (uint32_t r = 1; r < tvepsh.wRecCnt; ++r) {
    const EpshRec *e = Post<EpshRec>(tvepsh, r);
    if (e && e->akti_id == akti && e->skfa_id == skfa && e->Startdato >= a->Fradato && e->Slutdato <= a->Tildato) ++n;
  }
  return n;
}

// The figure a computed subjects column sorts by.
int64_t SorteringsTal(StamWS *ws, const SkfaSum &s, uint32_t felt);

// Orders the subjects by the layout's sort field; a computed column by its
// figure, the subject records' own fields through the field sort.
void SorterFag(StamWS *ws) {
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  if (!d.Sort || d.Layout >= d.AntalLayouts || !d.Sort[d.Layout].Sat || d.ObjTabAntal < 2) return;
  const StamSort &s = d.Sort[d.Layout];
  const uint32_t felt = ObjSwitchFeltNr(d.Art, d.Bogstav, d.Layout, s.FeltIndeks);
  if (felt < FOERSTE_BEREGNET_FELT) {
    const VisFeltKontekst k{ws->hwnd, 0, 0, 0};
    SorterPaaFelter(static_cast<char>(d.Bogstav), d.ObjTab, d.ObjTabAntal, d.pTd, d.pTv, &k,
                    s.Stigende ? 0 : SORT_FALDENDE, 1, &felt, 1);
    std::vector<SkfaSum> gamle(d.SkfaSumTab + 1, d.SkfaSumTab + 1 + d.ObjTabAntal);
    for (uint32_t i = 1; i <= d.ObjTabAntal; ++i)
      for (SkfaSum &g : gamle)
        if (g.id == d.ObjTab[i]) {
          d.SkfaSumTab[i] = g;
          g.id = 0;
          break;
        }
    return;
  }
  SorterFagEfterTal(ws, felt, s.Stigende);
}

void BeholdMarkoer(StamRude &d, uint32_t vaerdi) {
  const uint32_t i = vaerdi ? FindObjIdx(d.ObjTab, d.ObjTabAntal, vaerdi) : 0;
  d.PosY.Aktuel = i ? i : (d.ObjTabAntal ? 1 : 0);
  d.PosY.Antal = d.ObjTabAntal;
  d.ScrollY = 0;
}

uint32_t Markoer(const StamRude &d) {
  return d.ObjTab && d.PosY.Aktuel >= 1 && d.PosY.Aktuel <= d.ObjTabAntal ? d.ObjTab[d.PosY.Aktuel] : 0;
}

void ByggFag(StamWS *ws, uint32_t obj) {
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  const uint32_t foer = Markoer(d);
  std::free(ws->RolleTab);
  ws->RolleTab = nullptr;
  const uint32_t antal = (ws->Bogstav == 'L' ? tvlokrolle : tvskemarol).wRecCnt;
  ws->RolleTabAntal = 0;
  if (antal) {
    ws->RolleTab = static_cast<StamRolleTal *>(std::calloc(antal, sizeof(StamRolleTal)));
    if (ws->RolleTab) ws->RolleTabAntal = antal;
  }
  Bygger b{ws, obj, {}};
  Dato fra = 0, til = 0;
  if (obj && StamTalPeriode(ws, &fra, &til)) {
    switch (ws->Bogstav) {
      case 'K': b.Aktivitet(fra, til); break;
      case 'M': b.Medarbejder(fra, til); break;
      case 'L': b.Lokale(fra, til); break;
    }
    b.FletRoller();
    b.PlanFigurer(fra, til);
  }
  std::free(d.ObjTab);
  std::free(d.SkfaSumTab);
  const auto n = static_cast<uint32_t>(b.fag.size());
  d.ObjTab = StamNyObjTab(STAM_FOCUS_SKFA, n);
  d.SkfaSumTab = StamNySkfaSumTab(n);
  for (uint32_t i = 0; i < n; ++i) {
    d.ObjTab[i + 1] = b.fag[i].id;
    d.SkfaSumTab[i + 1] = b.fag[i];
  }
  d.ObjTabAntal = n;
  SorterFag(ws);
  BeholdMarkoer(d, foer);
}

bool HarTal(const StamRolleTal &e) { return e.Lektioner != 0 || e.Timer != 0; }

void ByggTimer(StamWS *ws) {
  StamRude &d = ws->DWnd[STAM_FOCUS_TIMER];
  const uint32_t foer = Markoer(d);
  std::vector<uint32_t> r;
  bool nogen = false;
  for (uint32_t i = 1; i < ws->RolleTabAntal; ++i) nogen = nogen || HarTal(ws->RolleTab[i]);
  if (nogen) {
    r.assign(ws->Bogstav == 'K' ? 2 : 1, 0);
    for (uint32_t i = 1; i < ws->RolleTabAntal; ++i)
      if (HarTal(ws->RolleTab[i])) r.push_back(i);
  }
  std::free(d.ObjTab);
  d.ObjTab = StamNyObjTab(STAM_FOCUS_TIMER, static_cast<uint32_t>(r.size()));
  std::copy(r.begin(), r.end(), d.ObjTab + 1);
  d.ObjTabAntal = static_cast<uint32_t>(r.size());
  BeholdMarkoer(d, foer);
}

uint32_t ObjektId(const StamWS *ws, uint32_t obj) {
  switch (ws->Bogstav) {
    case 'K': if (const AktiRec *a = Post<AktiRec>(tvakti, obj)) return a->id; break;
    case 'M': if (const AnfoRec *a = Post<AnfoRec>(tvanfo, obj)) return a->id; break;
    case 'L': if (const LokaRec *l = Post<LokaRec>(tvloka, obj)) return l->id; break;
  }
  return 0;
}

void ByggIns(StamWS *ws, uint32_t obj) {
  StamRude &d = ws->DWnd[STAM_FOCUS_INS];
  const uint32_t foer = Markoer(d);
  std::vector<uint32_t> r;
  const char art = ws->Bogstav == 'K' ? 'H' : static_cast<char>(ws->Bogstav);
  const uint32_t id = ObjektId(ws, obj);
  for (uint32_t n = 1; id && n < tvret.wRecCnt; ++n) {
    const RetRec *ret = Post<RetRec>(tvret, n);
    if (!ret || ret->Art != art || ret->Id != id || ret->Tavonr == GlobalIndstillinger.insnr) continue;
    for (uint32_t i = 1; i < tvins.wRecCnt; ++i)
      if (const InsRec *ins = Post<InsRec>(tvins, i); ins && ins->Tavonr == ret->Tavonr) r.push_back(i);
  }
  std::free(d.ObjTab);
  d.ObjTab = StamNyObjTab(STAM_FOCUS_INS, static_cast<uint32_t>(r.size()));
  std::copy(r.begin(), r.end(), d.ObjTab + 1);
  d.ObjTabAntal = static_cast<uint32_t>(r.size());
  BeholdMarkoer(d, foer);
}

// ==================================================================== cells

// The counts of the object's totals, asked of the figure functions with the
// window, which answers no display mode: lessons.
struct Total {
  long lek = 0, timer = 0;
  bool ok = false;
};

Total TotalRaekke(StamWS *ws, uint32_t obj, uint32_t raekke) {
  Total t;
  switch (ws->Bogstav) {
    case 'K': {
      float begTimer = 0;
      int32_t laerer = 0, elev = 0;
      AktiPeriodeTal(ws->hwnd, obj, nullptr, &begTimer, &laerer, &elev, TALPER_IALT);
      t.lek = RoundMilli(raekke == 1 ? elev : laerer);
      t.timer = raekke == 1 ? 0 : HeleTimer(begTimer);
      t.ok = true;
      break;
    }
    case 'M': {
      float timer = 0;
      int32_t lek = 0;
      t.ok = AnfoPeriodeTal(ws->hwnd, obj, SkemaPeriode.AktuelUgeIndeks, &timer, &lek, TALPER_PERIODE);
      t.lek = RoundMilli(lek);
      t.timer = HeleTimer(timer);
      break;
    }
    case 'L':
      t.lek = LokaBelaegning(ws->hwnd, obj, TALPER_IALT);
      t.ok = true;
      break;
  }
  return t;
}

bool TimerCelle(StamWS *ws, uint32_t raekke, uint32_t felt, uint32_t bredde, char *t) {
  const StamRude &d = ws->DWnd[STAM_FOCUS_TIMER];
  const uint32_t obj = StamObjekt(ws);
  if (!obj || !d.ObjTab || raekke < 1 || raekke > d.ObjTabAntal) return false;
  const uint32_t rolle = d.ObjTab[raekke];
  const int b = B(bredde);
  if (felt == 90) {
    if (rolle == 0) {
      const char *label = ws->Bogstav == 'K' ? (raekke == 1 ? "Elevlektioner:" : "Lærerlektioner:")
                          : ws->Bogstav == 'M' ? "Lærerlektioner:"
                                               : "Lektioner:";
      return StamUd(t, bredde, "%-*s", b, label);
    }
    if (ws->Bogstav == 'L') {
      const LokrolleRec *r = TabRec<LokrolleRec>(tvlokrolle, rolle);
      return StamUd(t, bredde, "Skemarolle: %c", r && r->Lokalerolle ? r->Lokalerolle : ' ');
    }
    const SkemarolRec *r = TabRec<SkemarolRec>(tvskemarol, rolle);
    char navn[sizeof r->Rolle + 1] = {};
    if (r) std::memcpy(navn, r->Rolle, sizeof r->Rolle);
    return StamUd(t, bredde, "Skemarolle: %s", navn);
  }
  if (felt != 91 && felt != 92) return false;
  if (felt == 91 && ws->Bogstav == 'K' && IsOvakAkti(obj)) return true;
  long v = 0;
  if (rolle == 0) {
    const Total tot = TotalRaekke(ws, obj, raekke);
    if (!tot.ok) return true;
    v = felt == 91 ? tot.lek : tot.timer;
  } else if (rolle < ws->RolleTabAntal) {
    const StamRolleTal &e = ws->RolleTab[rolle];
    v = felt == 91 ? RoundMilli(static_cast<int32_t>(std::min<uint32_t>(e.Lektioner, INT32_MAX))) : HeleTimer(e.Timer);
  }
  if (felt == 92 && ws->Bogstav == 'L') v = 0;
  return StamUd(t, bredde, "%*ld", b, v);
}

// The budget a subjects row shows, with whether it is the planning basis's.
int32_t VistBudget(StamWS *ws, const SkfaSum &s, bool *pGrundlag) {
  *pGrundlag = false;
  if (s.Planlagt) return s.Budget;
  // The basis records are kept per activity; an employee's or a room's
  // subjects have none of their own.
  const uint32_t akti = ws->Bogstav == 'K' ? StamObjekt(ws) : 0;
  int32_t sum = 0;
  if (FagGrundlagSum(akti, s.id, &sum) && sum != 0) {
    *pGrundlag = true;
    return sum;
  }
  return ws->Bogstav == 'K' ? 0 : s.Budget;
}


int64_t SorteringsTal(StamWS *ws, const SkfaSum &s, uint32_t felt) {
  bool g = false;
  switch (felt) {
    case 254: return ws->Bogstav == 'K' ? ElevPlaceringer(StamObjekt(ws), s.id) : 0;
    case 255: return RoundMilli(s.Skemalagt);
    case 256: return VistBudget(ws, s, &g);
    case 257: return int64_t(RoundMilli(s.Skemalagt)) - VistBudget(ws, s, &g);
  }
  return 0;
}

bool FagCelle(StamWS *ws, uint32_t raekke, uint32_t felt, uint32_t bredde, char *t, uint8_t *farve) {
  if (felt < 254 || felt > 257) return false;
  const StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  if (!StamObjekt(ws) || !d.SkfaSumTab || raekke < 1 || raekke > d.ObjTabAntal) return true;
  const SkfaSum &s = d.SkfaSumTab[raekke];
  const long skemalagt = RoundMilli(s.Skemalagt);
  bool grundlag = false;
  const long budget = VistBudget(ws, s, &grundlag);
  switch (felt) {
    case 254:
      if (ws->Bogstav != 'K') return true;
      return StamUd(t, bredde, "%3ld", static_cast<long>(ElevPlaceringer(StamObjekt(ws), s.id)));
    case 255: return StamUd(t, bredde, "%4ld", skemalagt);
    case 256:
      if (grundlag) *farve = kFarveGrundlag;
      if (ws->Bogstav != 'K' && s.Maerke && budget != 0 && !grundlag) return StamUd(t, bredde, "*%3ld", budget);
      return StamUd(t, bredde, "%4ld", budget);
    default: return StamUd(t, bredde, "%4ld", skemalagt - budget);
  }
}

bool CelleTekst(StamWS *ws, int rude, uint32_t raekke, const SwitchFelt *sf, char *tekst, uint8_t *farve) {
  if (!ws || !sf || !tekst || !farve) return false;
  if (rude == STAM_FOCUS_TIMER) {
    TimerCelle(ws, raekke, sf->FeltNr, sf->Tegn, tekst);
    return true;
  }
  if (rude == STAM_FOCUS_SKFA) return FagCelle(ws, raekke, sf->FeltNr, sf->Tegn, tekst, farve);
  return false;
}

// ==================================================================== key figures

void TegnNoegletal(StamWS *ws) {
  StamRude &d = ws->DWnd[STAM_NOEGLETAL];
  EnsDC *dc = &d.KropDC;
  const int B = d.Krop.right - d.Krop.left, H = d.Krop.bottom - d.Krop.top;
  if (ws->Bogstav != 'M' || !dc->hdc || B <= 0 || H <= 0) return;
  const int x[5] = {0, B / 4, B / 2, 3 * B / 4, B};
  FillRectSys(dc->hdc, COLOR_BTNFACE, 0, 0, x[1], H);
  if (HBRUSH baand = CreateSolidBrush(kNoegleBaand)) {
    FillRectIfAny(dc->hdc, baand, x[1], 0, B, H);
    DeleteObject(baand);
  }
  for (int k = 1; k < 4; ++k) FillRectSys(dc->hdc, COLOR_3DSHADOW, x[k], 0, x[k] + 1, H);
  dc->TekstFarve = dc->BkFarve = kIngenFarve;
  // Texts are cut to whole characters of the room they have.
  auto skriv = [&](int xx, int y, uint8_t farve, const char *s, int plads) {
    const int n = std::min(static_cast<int>(strnlen(s, kSwitchTekstLen)), std::max(0, plads / 8));
    if (n > 0) TegnFarvetTekst(dc, xx, y, farve, 0, s, n, 1);
  };
  const int top = 2;
  skriv(4, top, kFarveLabel, "NØGLETAL:", x[1] - 4);
  char tekst[kSwitchTekstLen];
  uint8_t farve = kFarveLabel;
  std::memset(tekst, ' ', kSwitchMaksTegn);
  tekst[kSwitchMaksTegn] = '\0';
  if (StamVaerdiTekst(ws, kStamHovedArt, 37, kSwitchMaksTegn, tekst, &farve)) {
    std::string s(tekst);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    skriv(4, top + kStamRaekke, kFarveLabel, s.c_str(), x[1] - 4);
  }
  struct Linje {
    const char *label;
    uint32_t kode;
  };
  static const Linje linjer[9] = {{"Norm:", 45},       {"Timer:", 46},   {"Resultat:", 47},
                                  {"Afsp.primo:", 48}, {"Afholdt:", 49}, {"Rest:", 50},
                                  {"Oms.primo:", 53},  {"Afholdt:", 54}, {"Rest:", 55}};
  // Per band: the label from the left, the value right-aligned.
  for (int i = 0; i < 9; ++i) {
    const int venstre = x[1 + i / 3] + 4, hoejre = x[2 + i / 3] - 4, y = top + (i % 3) * kStamRaekke;
    const int vx = std::max(venstre, hoejre - kVaerdiTegn * 8);
    skriv(venstre, y, kFarveLabel, linjer[i].label, vx - venstre - 4);
    std::memset(tekst, ' ', kSwitchMaksTegn);
    tekst[kSwitchMaksTegn] = '\0';
    uint8_t f = kFarveTal;
    if (StamNoegletalTekst(ws, linjer[i].kode, kVaerdiTegn, tekst, &f)) {
      tekst[kVaerdiTegn] = '\0';
      skriv(vx, y, f, tekst, hoejre - vx);
    }
  }
}

// ==================================================================== slots

void ByggLister(StamWS *ws) { ByggStamTal(ws); }

void EfterSkfaSort(StamWS *ws) {
  // The field sort cannot read the computed columns: order those by their
  // figures.
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  if (!d.Sort || d.Layout >= d.AntalLayouts || !d.Sort[d.Layout].Sat) return;
  if (ObjSwitchFeltNr(d.Art, d.Bogstav, d.Layout, d.Sort[d.Layout].FeltIndeks) >= FOERSTE_BEREGNET_FELT) SorterFag(ws);
}

// The subjects pane of an activity reads the placements for each row.
std::unique_ptr<PlaceringsOmfang> gTegningsPlaceringer;

void OmListeTegning(StamWS *ws, int rude, bool begynder) {
  if (rude != STAM_FOCUS_SKFA) return;
  gTegningsPlaceringer.reset();
  if (begynder && ws && ws->Bogstav == 'K' && StamObjekt(ws))
    gTegningsPlaceringer = std::make_unique<PlaceringsOmfang>(StamObjekt(ws));
}

void Frigiv(StamWS *ws) {
  std::free(ws->RolleTab);
  ws->RolleTab = nullptr;
  ws->RolleTabAntal = 0;
}

}  // namespace

bool StamTalPeriode(const StamWS *ws, Dato *pFra, Dato *pTil) {
  const uint32_t obj = ws ? StamObjekt(ws) : 0;
  if (!obj || !pFra || !pTil || SkemaPeriode.AntalUger == 0) return false;
  const Dato man = AktuelMandag();
  const Dato aar0 = man / 10000 * 10000 + 101, aar1 = man / 10000 * 10000 + 1231;
  Dato fra = 0, til = 0;
  switch (ws->Bogstav) {
    case 'M':
      fra = GetOpgPerFra(man, obj);
      til = GetOpgPerTil(man, obj);
      if (GlobalIndstillinger.anfosumperaar) {
        fra = fra / 10000 * 10000 + 101;
        til = til / 10000 * 10000 + 1231;
      }
      break;
    case 'K': {
      const AktiRec *a = Post<AktiRec>(tvakti, obj);
      if (!a) return false;
      fra = a->Fradato ? a->Fradato : SkemaPeriode.FraDato;
      til = a->Tildato ? a->Tildato : SkemaPeriode.TilDato;
      if (GlobalIndstillinger.aktisumperaar) {
        fra = std::max(fra, aar0);
        til = std::min(til, aar1);
      }
      break;
    }
    default:
      fra = aar0;
      til = aar1;
  }
  fra = std::max(fra, SkemaPeriode.FraDato);
  til = std::min(til, SkemaPeriode.TilDato);
  if (fra == 0 || fra > til) return false;
  *pFra = fra;
  *pTil = til;
  return true;
}

void ByggStamTal(StamWS *ws) {
  if (!ws) return;
  const uint32_t obj = StamObjekt(ws);
  ByggFag(ws, obj);
  ByggTimer(ws);
  ByggIns(ws, obj);
}

bool StamNoegletalTekst(StamWS *ws, uint32_t kode, uint32_t bredde, char *tekst, uint8_t *farve) {
  const uint32_t anfo = ws && ws->Bogstav == 'M' ? StamObjekt(ws) : 0;
  if (!anfo || !tekst || !farve) return false;
  const UgeIndeks w = SkemaPeriode.AktuelUgeIndeks;
  if (kode >= 45 && kode <= 47) {
    *farve = kFarveTal;
    float timer = 0;
    int32_t lek = 0;
    if (!AnfoPeriodeTal(ws->hwnd, anfo, w, &timer, &lek, TALPER_PERIODE)) return StamUd(tekst, bredde, "%4s", "--");
    float sums[MEDTAL_SLOTS] = {};
    int32_t v[10] = {};
    CalcMedOpg(anfo, sums, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], nullptr, nullptr,
               nullptr, nullptr);
    const int32_t tal = kode == 45 ? v[5] : kode == 46 ? v[2] : v[9];
    return StamUd(tekst, bredde, "%4ld", static_cast<long>(tal));
  }
  const int art = kode >= 48 && kode <= 50 ? 1 : kode >= 53 && kode <= 55 ? 2 : 0;
  if (!art) return false;
  int32_t primo = 0, ialt = 0;
  if (!AnfoFravaerSaldo(ws->hwnd, anfo, w, &primo, &ialt, art)) return false;
  *farve = kFarveTal;
  const uint32_t i = kode - (art == 1 ? 48 : 53);
  const long tal = i == 0 ? primo : i == 1 ? ialt : static_cast<long>(primo) - ialt;
  return StamUd(tekst, bredde, "%4ld", tal);
}

void StamTalByggLister(StamWS *ws) { ByggLister(ws); }
bool StamTalCelleTekst(StamWS *ws, int rude, uint32_t raekke, const SwitchFelt *sf, char *tekst, uint8_t *farve) {
  return CelleTekst(ws, rude, raekke, sf, tekst, farve);
}
void StamTalTegnNoegletal(StamWS *ws) { TegnNoegletal(ws); }
void StamTalEfterSkfaSort(StamWS *ws) { EfterSkfaSort(ws); }
void StamTalFrigiv(StamWS *ws) { Frigiv(ws); }
void StamTalOmListeTegning(StamWS *ws, int rude, bool begynder) { OmListeTegning(ws, rude, begynder); }

void SorterFagEfterTal(StamWS *ws, uint32_t felt, bool stigende) {
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  if (!d.SkfaSumTab || !d.ObjTab || d.ObjTabAntal < 2) return;
  // Each row's figure once, not once per comparison; the placements of the
  // activity in one pass over their table.
  std::unique_ptr<PlaceringsOmfang> placeringer;
  if (felt == 254 && ws->Bogstav == 'K') placeringer = std::make_unique<PlaceringsOmfang>(StamObjekt(ws));
  std::vector<std::pair<int64_t, SkfaSum>> r;
  r.reserve(d.ObjTabAntal);
  for (uint32_t i = 1; i <= d.ObjTabAntal; ++i) r.push_back({SorteringsTal(ws, d.SkfaSumTab[i], felt), d.SkfaSumTab[i]});
  std::stable_sort(r.begin(), r.end(), [&](const auto &a, const auto &b) {
    return stigende ? a.first < b.first : a.first > b.first;
  });
  for (uint32_t i = 1; i <= d.ObjTabAntal; ++i) {
    d.SkfaSumTab[i] = r[i - 1].second;
    d.ObjTab[i] = r[i - 1].second.id;
  }
}
