// Figures for the list windows and statements, computed on demand.
#include "LISTETAL.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "AKTICHK.h"
#include "BESKEDER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "MINNORM.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "TALTAB.h"
#include "win/types.h"

namespace {

constexpr uint32_t LEKTIONER_PR_DAG = 48;
constexpr uint32_t TIDSSLOTS_PR_DAG = 288;  // five-minute slots

const VisningsTilstandRec &Visning(HWND hwnd) { return VisningsTilstandFor(VisningsBogstav(hwnd)); }

int VisningsNr(HWND hwnd) {
  switch (VisningsBogstav(hwnd)) {
    case 'D': return VISNING_DAG;
    case 'T': return VISNING_TID;
    default: return VISNING_LEKTION;
  }
}

int32_t Hel(double tusindedele) {
  const double x = std::round(tusindedele / 1000.0);  // halves away from zero
  if (x > INT32_MAX) return INT32_MAX;
  if (x < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(x);
}

UgeIndeks Klem(UgeIndeks w) {
  if (SkemaPeriode.AntalUger == 0) return 0;
  return std::clamp<UgeIndeks>(w, 1, SkemaPeriode.AntalUger);
}

UgeIndeks DatoIndeks(Dato d) {
  if (d < SkemaPeriode.FraDato) return 0;
  if (d > SkemaPeriode.TilDato) return SkemaPeriode.AntalUger + 1;
  Uge u = 0;
  DatoTilUge(d, &u, nullptr);
  return UgeTilIndeks(u);
}

// A week's bucket address: the year counted from the period's first year.
bool UgeAdresse(UgeIndeks w, uint8_t *pAar, uint8_t *pUge) {
  if (w < 1 || w > SkemaPeriode.AntalUger) return false;
  const Uge u = IndeksTilUge(w);
  if (u == 0 || u / 100 < SkemaPeriode.BaseAar || u / 100 - SkemaPeriode.BaseAar >= kMaxAarIPeriode) return false;
  *pAar = static_cast<uint8_t>(u / 100 - SkemaPeriode.BaseAar);
  *pUge = static_cast<uint8_t>(u % 100);
  return true;
}

const SkeRec *Raekke(const TabVar *b, uint32_t r) { return b ? TabRec<SkeRec>(*b, r) : nullptr; }

Dato RaekkeDato(UgeIndeks w, const SkeRec &s) {
  if (s.Dag < 1 || s.Dag > 7) return 0;
  return UgeDagTilDato(IndeksTilUge(w), s.Dag);
}

bool UndervisningsRolle(uint32_t rol) {
  const SkemarolRec *r = GyldigRef(&tvskemarol, rol) ? TabRec<SkemarolRec>(tvskemarol, rol) : nullptr;
  if (!r) return false;
  const char c = r->Rolle[0];
  return c == 'U' || c == 'X' || c == 'V' || FeltErTekstI(r->Rolle, sizeof r->Rolle, "AK");
}

// The statement period of the employment around the shown day of week w.
bool OpgoerelsesPeriode(HWND hwnd, uint32_t anfo, UgeIndeks w, Dato *pFra, Dato *pTil) {
  const VisningsTilstandRec &v = Visning(hwnd);
  const uint8_t dag = v.Ugedag >= 1 && v.Ugedag <= 7 ? v.Ugedag : 1;
  const Dato d = UgeDagTilDato(IndeksTilUge(Klem(w)), dag);
  if (d == 0) return false;
  if (GlobalIndstillinger.anfosumperaar) {
    *pFra = d / 10000 * 10000 + 101;
    *pTil = d / 10000 * 10000 + 1231;
  } else {
    *pFra = GetOpgPerFra(d, anfo);
    *pTil = GetOpgPerTil(d, anfo);
  }
  return *pFra != 0 && *pFra <= *pTil && *pFra >= SkemaPeriode.FraDato && *pTil <= SkemaPeriode.TilDato;
}

// The lesson of a row: its own number, else the lesson of the ring system
// (its own, or the default one) whose span holds its start time; 0 when
// none does.
uint32_t RaekkeLektion(const SkeRec &s) {
  if (s.Lektion) return s.Lektion;
  const uint32_t risy = s.risy_id ? s.risy_id : GlobalIndstillinger.standardRingSystem;
  const RisyRec *r = GyldigRef(&tvrisy, risy) ? TabRec<RisyRec>(tvrisy, risy) : nullptr;
  if (!r) return 0;
  for (uint32_t i = 0; i < LEKTIONER_PR_DAG; ++i) {
    const uint32_t fra = r->Starttid[i], til = r->Sluttid[i];
    if (til > fra && s.Starttid >= fra && s.Starttid < til) return i + 1;
  }
  return 0;
}

// Whether a row of the period counts: dated in it, and on its last day only
// up to the lessons shown that day.
bool RaekkeTaeller(const TalPeriodeRec &p, Dato d, uint32_t lektion, const VisningsTilstandRec &v) {
  if (d < p.Fra || d > p.Til) return false;
  if (d < p.Til) return true;
  return lektion <= p.CellerPrDag || lektion <= v.AktuelSlot;
}

// The participant of a row of kind 'M', 'K' or 'L' (read by name: the row
// is packed).
uint32_t Deltager(const SkeRec &s, char art) {
  return art == 'M' ? s.anfo_id : art == 'K' ? s.akti_id : s.loka_id;
}

// Calls fn(aarIdx, uge, w, row number, row) for every live row of the
// period's weeks whose participant of kind art is obj, once per event.
template <class Fn>
void ForHverRaekke(const TalPeriodeRec &p, char art, uint32_t obj, Fn fn) {
  const UgeIndeks fra = std::max<UgeIndeks>(p.FraIdx, 1);
  const UgeIndeks til = std::min<UgeIndeks>(p.TilIdx, SkemaPeriode.AntalUger);
  for (UgeIndeks w = fra; w <= til; ++w) {
    uint8_t aar, uge;
    if (!UgeAdresse(w, &aar, &uge)) continue;
    const TabVar *b = UgeBucket(aar, uge);
    uint32_t sidsteForste = 0;
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec *s = Raekke(b, r);
      if (!s || Deltager(*s, art) != obj || !SkeRaekkeLever(s->Status)) continue;
      if (s->Forste != 0 && s->Forste == sidsteForste) continue;
      sidsteForste = s->Forste;
      fn(aar, uge, w, r, *s);
    }
  }
}

void Laeg(int32_t *p, int64_t v) {
  if (p) *p = static_cast<int32_t>(std::clamp<int64_t>(*p + v, INT32_MIN, INT32_MAX));
}

void TilfoejRolle(RolleTalListe *l, uint32_t rolle, int32_t lektioner, float timer) {
  if (!l) return;
  for (uint32_t i = 0; i < l->Antal && i < MAX_ROLLETAL; ++i) {
    if (l->Post[i].rolle == rolle) {
      Laeg(&l->Post[i].Lektioner, lektioner);
      l->Post[i].Timer += timer;
      return;
    }
  }
  if (l->Antal >= MAX_ROLLETAL) return;
  l->Post[l->Antal++] = RolleTal{rolle, lektioner, timer};
}

Dato AfMaaned(Dato d) { return d / 100; }

}  // namespace

ListeTalKroge ListeTalKrog = {};

LRESULT TalSpoerg(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return hwnd && ListeTalKrog.Spoerg ? ListeTalKrog.Spoerg(hwnd, msg, wParam, lParam) : 0;
}

char VisningsBogstav(HWND hwnd) {
  const char c = static_cast<char>(TalSpoerg(hwnd, VISNINGSBOGSTAV, 0, 0) & 0xFF);
  return c == 'D' || c == 'T' ? c : 'L';
}

void TalPeriode(HWND hwnd, int art, UgeIndeks w, Dato nedre, Dato oevre, TalPeriodeRec *p) {
  const VisningsTilstandRec &v = Visning(hwnd);
  auto spaend = [](uint32_t a, uint32_t b) -> uint32_t { return b >= a ? b - a + 1 : 0; };
  uint32_t celler = v.Ugedag >= 1 && v.Ugedag <= 7
                        ? spaend(v.FoersteSlot, v.SidsteSlot)
                        : spaend(v.FoersteUgedag, v.SidsteUgedag) * spaend(v.FoersteSlot, v.SidsteSlot);
  const Uge uge = IndeksTilUge(Klem(w));
  const Dato man = UgeDagTilDato(uge, 1), soen = UgeDagTilDato(uge, 7);
  Dato fra = nedre, til = oevre;
  switch (art) {
    case TALPER_UGE: fra = man; til = soen; break;
    case TALPER_AKK: til = soen; break;
    case TALPER_DAG:
      til = UgeDagTilDato(uge, v.Ugedag >= 1 && v.Ugedag <= 7 ? v.Ugedag : 7);
      celler = v.AktuelSlot;
      break;
    case TALPER_FOER: {
      til = man ? ForrigeDato(man) : 0;  // the Sunday before
      celler = 0;
      break;
    }
    case TALPER_EFTER: fra = man; celler = 0; break;
    default: break;
  }
  p->Fra = std::max(fra, nedre);
  p->Til = std::min(til, oevre);
  p->FraIdx = DatoIndeks(p->Fra);
  p->TilIdx = DatoIndeks(p->Til);
  p->CellerPrDag = celler;
}

bool SkemabegObjektTal(uint8_t aarIdx, uint8_t uge, uint32_t raekke, char art, uint32_t objekt, float *pTimer,
                       int32_t *pLektioner, int32_t *pLaererLektioner, RolleTalListe *pRoller, bool fFlag) {
  const SkeRec *s = Raekke(UgeBucket(aarIdx, uge), raekke);
  if (!s) return true;
  static AnfoAktiGrundRec g;
  const uint32_t forste = s->Forste ? s->Forste : raekke;
  if (!SaetAnfoAktiGrundHoved(aarIdx, uge, forste, &g)) return true;
  AllokerAnfoAktiGrund(&g);
  FyldAnfoAktiGrund(aarIdx, uge, forste, &g);
  BeregnAnfoTimer(&g);

  if (art == 'M') {
    const bool stjerne = g.AntalAkti > 0 && IsStjerneAkti(g.AktiGrundTab[0].akti);
    for (uint32_t i = 0; i < g.AntalAnfo; ++i) {
      const AnfoGrundPost &e = g.AnfoGrundTab[i];
      if (e.anfo != objekt || !GyldigRef(&tvskemarol, e.skemarol)) continue;
      if (pTimer) *pTimer += e.Timer;
      const SkemarolRec *r = TabRec<SkemarolRec>(tvskemarol, e.skemarol);
      const bool taeller = stjerne ? GlobalIndstillinger.taelstjernemeda != 0
                                   : (r->Genererer_timeposter == 'J' || GlobalIndstillinger.taelmedabooking);
      if (!taeller) continue;
      const int32_t L = Tusindedele(e.Faktor);
      Laeg(pLektioner, L);
      TilfoejRolle(pRoller, e.skemarol, L, e.Timer);
    }
  } else if (art == 'K') {
    const bool taeller = g.AntalLaerere > g.AntalSyge || (g.AntalLaerere == 0 && GlobalIndstillinger.taelaktibooking);
    for (uint32_t i = 0; i < g.AntalAkti; ++i) {
      const AktiGrundPost &a = g.AktiGrundTab[i];
      if (a.akti != objekt) continue;
      if (pTimer) *pTimer += a.Timer;
      const int32_t L = Tusindedele(a.Lektionsvaerdi);
      if (fFlag) Laeg(pLektioner, L);
      if (!taeller || IsOvakAkti(a.akti)) continue;
      const int64_t laerere = g.AntalLaerere > g.AntalSyge ? int64_t(g.AntalLaerere) - g.AntalSyge : 0;
      Laeg(pLaererLektioner, laerere * L);
      if (!fFlag) Laeg(pLektioner, L);
      for (uint32_t k = 0; k < g.AntalAnfo; ++k)
        TilfoejRolle(pRoller, g.AnfoGrundTab[k].skemarol, L, a.Andel * g.AnfoGrundTab[k].Timer);
    }
  } else if (art == 'L') {
    for (uint32_t i = 0; i < g.AntalLoka; ++i) {
      const LokaGrundPost &l = g.LokaGrundTab[i];
      if (l.loka != objekt) continue;
      const int32_t L = Tusindedele(l.Lektionsvaerdi);
      Laeg(pLektioner, L);
      TilfoejRolle(pRoller, l.lokrolle, L, 0.0f);
    }
  }
  return true;
}

int32_t AnfoUgeLektioner(HWND, uint32_t anfo, UgeIndeks w) {
  uint8_t aar, uge;
  if (!UgeAdresse(w, &aar, &uge)) return 0;
  const TabVar *b = UgeBucket(aar, uge);
  int64_t sum = 0;
  for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
    const SkeRec *s = Raekke(b, r);
    if (!s || s->anfo_id != anfo || !SkeRaekkeLever(s->Status) || !UndervisningsRolle(s->skemarol_id)) continue;
    sum += s->Antal_std_lektioner > 0 ? std::llround(double(s->Antal_std_lektioner) * 1000.0) : 1000;
  }
  return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

bool AnfoTreUgerTimer(HWND, uint32_t anfo, UgeIndeks w, float *pTimer) {
  if (w < 2) return false;
  uint64_t minutter = 0;
  for (UgeIndeks u = w - 2; u <= w; ++u) {
    uint8_t aar, uge;
    if (!UgeAdresse(u, &aar, &uge)) continue;
    const TabVar *b = UgeBucket(aar, uge);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec *s = Raekke(b, r);
      if (!s || s->anfo_id != anfo || !SkeRaekkeLever(s->Status) || !UndervisningsRolle(s->skemarol_id)) continue;
      minutter += MinutterMellem(s->Starttid, s->Sluttid);
    }
  }
  if (pTimer) *pTimer = static_cast<float>(minutter / 60.0);
  return true;
}

bool AnfoPeriodeTal(HWND hwnd, uint32_t anfo, UgeIndeks w, float *pTimer, int32_t *pLektioner, int art,
                    RolleTalListe *pRoller) {
  Dato sf, st;
  if (!OpgoerelsesPeriode(hwnd, anfo, w, &sf, &st)) return false;
  TalPeriodeRec p;
  TalPeriode(hwnd, art, w, sf, st, &p);
  const VisningsTilstandRec &v = Visning(hwnd);
  ForHverRaekke(p, 'M', anfo, [&](uint8_t aar, uint8_t uge, UgeIndeks u, uint32_t r, const SkeRec &s) {
    if (!RaekkeTaeller(p, RaekkeDato(u, s), RaekkeLektion(s), v)) return;
    SkemabegObjektTal(aar, uge, r, 'M', anfo, pTimer, pLektioner, nullptr, pRoller, false);
  });
  return true;
}

void AktiPeriodeTal(HWND hwnd, uint32_t akti, float *pPostTimer, float *pBegTimer, int32_t *pLaererLektioner,
                    int32_t *pElevLektioner, int art) {
  const AktiRec *a = GyldigRef(&tvakti, akti) ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  if (!a) return;
  // An activity without dates runs the whole period.
  const Dato nedre = a->Fradato ? a->Fradato : SkemaPeriode.FraDato;
  const Dato oevre = a->Tildato ? a->Tildato : SkemaPeriode.TilDato;
  TalPeriodeRec p;
  TalPeriode(hwnd, art, SkemaPeriode.AktuelUgeIndeks, nedre, oevre, &p);
  if (art != TALPER_IALT) {
    const VisningsTilstandRec &v = Visning(hwnd);
    ForHverRaekke(p, 'K', akti, [&](uint8_t aar, uint8_t uge, UgeIndeks u, uint32_t r, const SkeRec &s) {
      if (!RaekkeTaeller(p, RaekkeDato(u, s), RaekkeLektion(s), v)) return;
      SkemabegObjektTal(aar, uge, r, 'K', akti, pBegTimer, pElevLektioner, pLaererLektioner, nullptr, false);
    });
    return;
  }
  Dato fra = 0, til = 0;
  if (GlobalIndstillinger.aktisumperaar) {
    fra = AarStartDato(VisningsNr(hwnd));
    til = AarSlutDato(VisningsNr(hwnd));
  } else if (!FindBudtPeriode(akti, &fra, &til)) {
    return;
  }
  if (!AktiTalTab || akti >= TalDim.A || fra > til) return;
  const MaanedIndeks m1 = std::max<MaanedIndeks>(MaanedTilIndeks(AfMaaned(fra)), 1);
  const MaanedIndeks m2 = std::min<MaanedIndeks>(MaanedTilIndeks(AfMaaned(til)), TalDim.M);
  if (AfMaaned(til) < SkemaPeriode.FoersteMaaned || AfMaaned(fra) > SkemaPeriode.SidsteMaaned) return;
  for (MaanedIndeks m = m1; m <= m2; ++m) {
    const AktiTalCelle &c = AktiTalTab[static_cast<size_t>(akti) * (TalDim.M + 1) + m];
    if (pPostTimer) *pPostTimer += c.TimoakTimer;
    if (pBegTimer) *pBegTimer += c.Timer;
    Laeg(pLaererLektioner, c.LaererLektioner);
    Laeg(pElevLektioner, c.ElevLektioner);
  }
}

void AnfoPostTimer(HWND hwnd, uint32_t anfo, UgeIndeks w, float *pResultat, int art) {
  Dato sf, st;
  if (!pResultat || !OpgoerelsesPeriode(hwnd, anfo, w, &sf, &st)) return;
  TalPeriodeRec p;
  TalPeriode(hwnd, art, w, sf, st, &p);
  if (p.Fra > p.Til) return;
  for (Maaned m = AfMaaned(p.Fra); m <= AfMaaned(p.Til); m = (m % 100 == 12 ? m + 89 : m + 1)) {
    const TabVar *b = TimoakBucket(m);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const TimoakRaekke *t = TabRec<TimoakRaekke>(*b, r);
      if (!t || t->anfo_id != anfo || !SkeRaekkeLever(t->Status) || t->Dato < p.Fra || t->Dato > p.Til) continue;
      float norm = 60.0f;
      if (t->Type && strchr("FHPA", t->Type)) {
        uint8_t plus = 0;
        float n = 0;
        if (AktiMinutnorm(t->Dato, t->akti_id, &n, &plus)) norm = n;
      }
      *pResultat += norm * (t->Timer / 100.0f) / 60.0f;
    }
  }
}

int32_t AnfoArbejdstidBidrag(HWND hwnd, uint32_t anfo, UgeIndeks w, int art) {
  Dato sf, st;
  if (!OpgoerelsesPeriode(hwnd, anfo, w, &sf, &st)) return 0;
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  if (!a || a->meda_id == 0) return 0;
  TalPeriodeRec p;
  TalPeriode(hwnd, art, w, sf, st, &p);
  uint64_t sum = 0;
  for (uint32_t n = 1; n < tvarbejdstid.wRecCnt; ++n) {
    const ArbejdstidRec *r = TabRec<ArbejdstidRec>(tvarbejdstid, n);
    if (!r || r->meda_id != a->meda_id || r->Status < 10 || r->Status > 29 || r->Dato < p.Fra || r->Dato > p.Til)
      continue;
    sum += r->Bidrag;
  }
  return static_cast<int32_t>(std::min<uint64_t>(sum / 60, INT32_MAX / 1000) * 1000);
}

int32_t LokaBelaegning(HWND hwnd, uint32_t loka, int art) {
  if (art == TALPER_IALT) {
    const uint8_t aar = IndeksTilAarOffset(SkemaPeriode.AktuelUgeIndeks);
    if (!LokaSumTab || loka >= TalDim.R || aar >= TalDim.Y) return 0;
    return Hel(LokaSumTab[static_cast<size_t>(loka) * TalDim.Y + aar]);
  }
  const Uge aktuel = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  const Dato d = UgeDagTilDato(aktuel, 1);
  if (d == 0) return 0;
  TalPeriodeRec p;
  TalPeriode(hwnd, art, SkemaPeriode.AktuelUgeIndeks, d / 10000 * 10000 + 101, d / 10000 * 10000 + 1231, &p);
  const VisningsTilstandRec &v = Visning(hwnd);
  const bool tid = VisningsBogstav(hwnd) == 'T';
  // One cell per lesson (or five-minute slot in the time view) of every
  // day; a row whose start lies in no lesson marks the slot of its start.
  std::vector<uint8_t> lek(7 * LEKTIONER_PR_DAG), slot(7 * TIDSSLOTS_PR_DAG);
  double sum = 0;
  UgeIndeks sidsteUge = 0;
  ForHverRaekke(p, 'L', loka, [&](uint8_t, uint8_t, UgeIndeks u, uint32_t, const SkeRec &s) {
    if (u != sidsteUge) {
      std::fill(lek.begin(), lek.end(), 0);
      std::fill(slot.begin(), slot.end(), 0);
      sidsteUge = u;
    }
    const Dato rd = RaekkeDato(u, s);
    const uint32_t l = RaekkeLektion(s);
    if (!rd || !RaekkeTaeller(p, rd, l, v)) return;
    uint8_t *celle = nullptr;
    if (!tid && l >= 1 && l <= LEKTIONER_PR_DAG) {
      celle = &lek[(s.Dag - 1) * LEKTIONER_PR_DAG + l - 1];
    } else {
      const uint32_t min = s.Starttid / 100 * 60 + s.Starttid % 100;
      if (min / 5 >= TIDSSLOTS_PR_DAG) return;
      celle = &slot[(s.Dag - 1) * TIDSSLOTS_PR_DAG + min / 5];
    }
    if (*celle) return;
    *celle = 1;
    if (s.Antal_std_lektioner > 0)
      sum += s.Antal_std_lektioner;
    else if (GlobalIndstillinger.standardlektion && GlobalIndstillinger.standardlektionslengde > 0)
      sum += double(MinutterMellem(s.Starttid, s.Sluttid)) / GlobalIndstillinger.standardlektionslengde;
    else
      sum += 1.0;
  });
  return Hel(sum * 1000.0);
}

int32_t PrimotalVaerdi(uint32_t anfo, const char *kode, Dato dato) {
  if (!kode) return 0;
  const bool aa = strcmp(kode, "AA") == 0;
  for (uint32_t n = 1; n < tvprimotal.wRecCnt; ++n) {
    const PrimotalRec *p = TabRec<PrimotalRec>(tvprimotal, n);
    if (!p || p->anfo_id != anfo || !GyldigRef(&tvhontity, p->hontity_id)) continue;
    const HontityRec *h = TabRec<HontityRec>(tvhontity, p->hontity_id);
    if (!FeltErTekst(h->timetype, sizeof h->timetype, kode)) continue;
    if (aa && p->Dato != dato) continue;
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t(p->Enheder) * 10, INT32_MIN, INT32_MAX));
  }
  return 0;
}

namespace {

bool IPerioden(Dato d) { return d >= SkemaPeriode.FraDato && d <= SkemaPeriode.TilDato; }

// Sum of one MedTal slot over the months fra..til (YYYYMM) of the period.
double MaanedSum(const MedTalMaaned *mt, Maaned fra, Maaned til, int slot, int slot2 = -1) {
  double s = 0;
  const MaanedIndeks m1 = std::max<MaanedIndeks>(MaanedTilIndeks(fra), 1);
  const MaanedIndeks m2 = std::min<MaanedIndeks>(MaanedTilIndeks(til), MedTalM);
  if (til < SkemaPeriode.FoersteMaaned || fra > SkemaPeriode.SidsteMaaned) return 0;
  for (MaanedIndeks m = m1; m <= m2; ++m) {
    s += mt[m][slot];
    if (slot2 >= 0) s -= mt[m][slot2];
  }
  return s;
}

}  // namespace

bool AnfoFravaerSaldo(HWND hwnd, uint32_t anfo, UgeIndeks w, int32_t *pPrimo, int32_t *pIalt, int art) {
  const VisningsTilstandRec &v = Visning(hwnd);
  const uint8_t dag = v.Ugedag >= 1 && v.Ugedag <= 7 ? v.Ugedag : 1;
  const Dato d = UgeDagTilDato(IndeksTilUge(Klem(w)), dag);
  Dato sf, st;
  const bool inde = OpgoerelsesPeriode(hwnd, anfo, w, &sf, &st);
  if (!inde) {
    if (d == 0) return false;
    sf = GlobalIndstillinger.anfosumperaar ? d / 10000 * 10000 + 101 : GetOpgPerFra(d, anfo);
    st = GlobalIndstillinger.anfosumperaar ? d / 10000 * 10000 + 1231 : GetOpgPerTil(d, anfo);
  }
  const MedTalMaaned *mt = MedTalFor(anfo);
  if (!mt || sf == 0 || (art != 1 && art != 2)) return false;
  const Maaned m0 = AfMaaned(sf);
  const Maaned foer = m0 % 100 == 1 ? (m0 / 100 - 1) * 100 + 12 : m0 - 1;
  const Dato e = SidsteDatoIMaaned(foer);
  double primo, ialt = 0;
  if (art == 1) {
    primo = PrimotalVaerdi(anfo, "AA", e);
    if (IPerioden(e)) {
      const MaanedIndeks me = MaanedTilIndeks(foer);
      if (me >= 1 && me <= MedTalM) primo = mt[me][16];
    }
  } else {
    primo = PrimotalVaerdi(anfo, "O", e);
    if (IPerioden(e)) primo += MaanedSum(mt, SkemaPeriode.FoersteMaaned, foer, 18, 17);
  }
  if (inde) ialt = MaanedSum(mt, m0, AfMaaned(st), art == 1 ? 15 : 17);
  if (pPrimo) *pPrimo = Hel(primo);
  if (pIalt) *pIalt = Hel(ialt);
  return true;
}

bool AnfoMedTalAarSum(HWND hwnd, uint32_t anfo, UgeIndeks w, int32_t *pSum, int art) {
  Dato sf, st;
  const MedTalMaaned *mt = MedTalFor(anfo);
  if (!mt || (art != 1 && art != 2) || !OpgoerelsesPeriode(hwnd, anfo, w, &sf, &st)) return false;
  if (pSum) *pSum = Hel(MaanedSum(mt, AfMaaned(sf), AfMaaned(st), art == 1 ? 19 : 20));
  return true;
}
