// The staff timesheet: every refresh walks the month's week buckets, its
// posting bucket and the working-time table for one employment; the lines
// are sorted by a byte key and then folded into week subtotals.

#include "MEDTIME.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ARRANGER.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GRIDAKSE.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "MINNORM.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "ROLLER.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "TASTINFO.h"
#include "TAVOTB.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

constexpr const char *kKlasse = "MedTimeWndClass";
constexpr const char *kTitel = " Medarbejder Timeseddel";
constexpr uint32_t kAlleMedGrupper = 2147483647u;
constexpr int kLinieHoejde = 12;
constexpr int kMndBredde = 52;

// ---- rows of a week's bucket

TabVar *UgeBucket(UgeIndeks uge) { return uge ? SkemabegBucket(IndeksTilUge(uge)) : nullptr; }

const SkeRec *Raekke(const TabVar *b, uint32_t r) {
  if (!b || r == 0 || r >= b->wRecCnt) return nullptr;
  return reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
}

// The event's rows: from its first row while the rows name it as first.
template <class Fn>
void ForHverRaekke(const TabVar *b, uint32_t raekke, Fn fn) {
  const SkeRec *s = Raekke(b, raekke);
  if (!s) return;
  const uint32_t foerste = s->Forste ? s->Forste : raekke;
  for (uint32_t r = foerste; const SkeRec *t = Raekke(b, r); ++r) {
    if (t->Forste != foerste && !(r == foerste && t->Forste == 0)) break;
    fn(r, *t);
  }
}

// The event's day: that of its first row, which every row repeats.
uint8_t BegDag(const TabVar *b, uint32_t raekke) {
  const SkeRec *s = Raekke(b, raekke);
  const SkeRec *f = s ? Raekke(b, s->Forste ? s->Forste : raekke) : nullptr;
  return f ? f->Dag : 0;
}

bool GyldigAkti(uint32_t a) { return a != 0 && a < tvakti.wRecCnt; }

const AktiRec *AktiR(uint32_t a) { return GyldigAkti(a) ? TabRec<AktiRec>(tvakti, a) : nullptr; }

int32_t DagOff(Dato d) { return DatoTilAbsDag(d) - DatoTilAbsDag(SkemaPeriode.FraDato); }

UgeIndeks UgeAf(Dato d) {
  Uge u = 0;
  uint8_t wd = 0;
  DatoTilUge(d, &u, &wd);
  return UgeTilIndeks(u);
}

// ---- sort key

uint8_t SortTegn(uint8_t c) {
  if (c == '*') return 255;
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(238 + (c - '0'));
  switch (c) {
    case 0xE6: return '{';
    case 0xF8: return '|';
    case 0xE5: return '}';
    case 0xC6: return '[';
    case 0xD8: return '\\';
    case 0xC5: return ']';
  }
  return c;
}

struct NoegleLinie {
  uint8_t n[kMedTimeNoegle];
  MedTimeLinie l;
};

// ---- growth of the tables

template <class T>
T *Voks(T *tab, uint32_t antal, const char *udtryk) {
  auto *ny = static_cast<T *>(std::realloc(tab, (static_cast<size_t>(antal) + 1) * sizeof(T)));
  if (!ny) tavo::AssertFailed(udtryk, "MEDTIME", __LINE__);
  return ny;
}

void Tilfoej(std::vector<MedTimeLinie> &v, const MedTimeLinie &l) { v.push_back(l); }

}  // namespace

// ==================================================================== split

uint32_t CountBegRows(UgeIndeks uge, uint32_t raekke) {
  uint32_t n = 0;
  ForHverRaekke(UgeBucket(uge), raekke, [&](uint32_t, const SkeRec &s) {
    if (s.akti_id) ++n;
  });
  return n;
}

uint32_t GetAktiDagElever(UgeIndeks uge, uint32_t akti, uint8_t ugedag) {
  if (!AktiDagTab || akti == 0 || uge == 0 || ugedag < 1 || ugedag > 7) return 0;
  const Dato d = UgeDagTilDato(IndeksTilUge(uge), ugedag);
  if (!d || d < SkemaPeriode.FraDato || d > SkemaPeriode.TilDato) return 0;
  return AktiDagElever(akti, DagOff(d));
}

uint32_t SumAktiListElever(UgeIndeks uge, const uint32_t *akti, uint32_t antal, uint8_t ugedag) {
  uint32_t sum = 0;
  for (uint32_t i = 0; akti && i < antal; ++i)
    if (akti[i] && !IsPlusAkti(akti[i])) sum += GetAktiDagElever(uge, akti[i], ugedag);
  return sum;
}

uint32_t SumBegElever(UgeIndeks uge, uint32_t raekke) {
  uint32_t sum = 0;
  const TabVar *b = UgeBucket(uge);
  const uint8_t dag = BegDag(b, raekke);
  ForHverRaekke(b, raekke, [&](uint32_t, const SkeRec &s) {
    if (s.akti_id && !IsPlusAkti(s.akti_id)) sum += GetAktiDagElever(uge, s.akti_id, dag);
  });
  return sum;
}

double CalcElevAndel(UgeIndeks, uint32_t del, uint32_t hel) {
  return hel ? static_cast<double>(del) / static_cast<double>(hel) : 0.0;
}

uint32_t SplitBegByElever(UgeIndeks uge, uint32_t raekke, float *pRest) {
  if (pRest) *pRest = 0;
  const uint32_t hel = SumBegElever(uge, raekke);
  if (hel == 0) return 0;
  float sum = 0;
  uint32_t flest = 0, maks = 0;
  const TabVar *b = UgeBucket(uge);
  const uint8_t dag = BegDag(b, raekke);
  ForHverRaekke(b, raekke, [&](uint32_t, const SkeRec &s) {
    if (!s.akti_id || IsPlusAkti(s.akti_id)) return;
    const uint32_t p = GetAktiDagElever(uge, s.akti_id, dag);
    sum += static_cast<float>(CalcElevAndel(uge, p, hel));
    if (p >= maks) maks = p, flest = s.akti_id;
  });
  if (pRest && sum < 1.0f) *pRest = static_cast<float>(RoundDecimals(2, 1.0 - sum));
  return flest;
}

// ==================================================================== lists

uint32_t MedTimeAnfo(const MedTime *mt) {
  const Ens &e = mt->Hoved;
  return e.ObjTab && mt->AktuelObj && mt->AktuelObj <= e.ObjTabAntal ? e.ObjTab[mt->AktuelObj] : 0;
}

void ByggMedTimeListe(MedTime *mt) {
  Ens &e = mt->Hoved;
  const Maaned m = mt->AktuelDato / 100;
  std::vector<uint32_t> liste(1, 0);
  for (uint32_t r = 1; r < tvanfo.wRecCnt; ++r) {
    const AnfoRec *a = TabRec<AnfoRec>(tvanfo, r);
    if (!a || a->Status < 10 || a->Status > 29 || !(a->Gruppe & mt->GruppeMaske)) continue;
    if (a->Fradato / 100 > m || a->Tildato / 100 < m) continue;
    liste.push_back(r);
  }
  const uint32_t n = static_cast<uint32_t>(liste.size() - 1);
  auto *tab = static_cast<uint32_t *>(std::calloc(n + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("MedTime->Ens.ObjTab != NULL", "MEDTIME", __LINE__);
  std::copy(liste.begin(), liste.end(), tab);
  // The first three fields of the list layout, in Danish letter order.
  uint32_t felter[3];
  uint32_t antal = 0;
  if (const SwitchLayout *l = ObjSwitchLayout(kMedTimeListeArt, 'M', mt->ListeValg))
    for (const SwitchFelt *f = l->FoersteFelt; f && antal < 3; f = f->Naeste) felter[antal++] = f->FeltNr;
  if (antal == 0) felter[antal++] = 1;
  if (n > 1) SorterPaaFelter('M', tab, n, &tdanfo, &tvanfo, nullptr, 0, 1, felter, antal);
  std::free(e.ObjTab);
  e.ObjTab = tab;
  e.ObjTabAntal = n;
  e.pTd = &tdanfo;
  e.pTv = &tvanfo;

  const uint32_t valgt = tvanfo.AktuelRec;
  if (valgt == 0) {
    mt->AktuelObj = n ? 1 : 0;
    if (n) tvanfo.AktuelRec = tab[1];
  } else {
    mt->AktuelObj = FindObjIdx(tab, n, valgt);
    if (mt->AktuelObj > n) mt->AktuelObj = 0;
  }
}

void ByggMedTimeMaaneder(MedTime *mt) {
  const SkemaPeriodeData &p = SkemaPeriode;
  Maaned fra = p.FoersteMaaned, til = p.SidsteMaaned;
  if (const AnfoRec *a = TabRec<AnfoRec>(tvanfo, MedTimeAnfo(mt))) {
    const Maaned f = std::max<Maaned>(a->Fradato / 100, p.FoersteMaaned);
    const Maaned t = std::min<Maaned>(a->Tildato ? a->Tildato / 100 : p.SidsteMaaned, p.SidsteMaaned);
    if (f && f <= t) fra = f, til = t;
  }
  const MaanedIndeks i0 = MaanedTilIndeks(fra), i1 = MaanedTilIndeks(til);
  const uint32_t n = (i0 && i1 >= i0) ? i1 - i0 + 1 : 0;
  mt->MndTab = Voks(mt->MndTab, n, "MedTime->MndTab != NULL");
  mt->MndTab[0] = 0;
  for (uint32_t k = 1; k <= n; ++k) mt->MndTab[k] = i0 + k - 1;
  mt->MndAntal = n;
  mt->AktuelMnd = 0;
  const MaanedIndeks c = MaanedTilIndeks(mt->AktuelDato / 100);
  for (uint32_t k = 1; k <= n; ++k)
    if (mt->MndTab[k] == c) mt->AktuelMnd = k;
  if (!mt->AktuelMnd && n && mt->AktuelDato >= p.FraDato && mt->AktuelDato <= p.TilDato) mt->AktuelMnd = 1;
  mt->PosX.Antal = n;
  mt->PosX.Aktuel = mt->AktuelMnd;
}

namespace {

// Kind of a line from a schedule event with one activity (or none).
uint8_t BegArt(uint32_t akti, uint32_t rol) {
  if (rol && FindSlsKodeForSkemarol(rol)) return 'S';
  if (akti) return IsOvakAkti(akti) ? 'A' : 'U';
  const SkemarolRec *r = TabRec<SkemarolRec>(tvskemarol, rol);
  if (rol && r) {
    if (ErAfspadseringKode(SkemarolAktivitetstype(rol)) || r->Rolle[0] == 'A') return 'a';
    if (SkemarolErOmsorg(rol)) return 'o';
    if (SkemarolErFravaer(rol)) return 'A';
  }
  return 0;
}

// Lessons by the agreement term's standard lesson length S: whole when the
// event lasts exactly S.
float AftaleLektioner(uint32_t minutter, uint32_t s, float andel) {
  return minutter == s ? andel : static_cast<float>(minutter) / static_cast<float>(s) * andel;
}

void SkemaLinier(uint32_t anfo, Dato foerste, Dato sidste, std::vector<MedTimeLinie> &v) {
  Uge u0 = 0, u1 = 0;
  uint8_t wd = 0;
  DatoTilUge(foerste, &u0, &wd);
  DatoTilUge(sidste, &u1, &wd);
  const UgeIndeks w0 = UgeTilIndeks(u0), w1 = UgeTilIndeks(u1);
  for (UgeIndeks w = w0; w && w <= w1; ++w) {
    const TabVar *b = UgeBucket(w);
    if (!b) continue;
    const Uge uge = IndeksTilUge(w);
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec *s = Raekke(b, r);
      if (!s || s->anfo_id != anfo || !(s->Status & SKE_EGEN) || (s->Status & SKE_SLETTET)) continue;
      if (s->Dag < 1 || s->Dag > 7) continue;
      const Dato d = UgeDagTilDato(uge, s->Dag);
      if (d < foerste || d > sidste) continue;
      const SkemarolRec *rol = TabRec<SkemarolRec>(tvskemarol, s->skemarol_id);
      if (!rol || s->skemarol_id == 0) continue;
      const bool timer = rol->Genererer_timeposter == 'J';
      if (!timer && !FeltErTekst(rol->Betegnelse, sizeof rol->Betegnelse, "AK")) continue;

      const uint32_t forste = s->Forste ? s->Forste : r;
      const SkeRec *R = Raekke(b, forste);
      if (!R) continue;
      const uint32_t n = CountBegRows(w, r);
      const uint32_t minutter = MinutterMellem(R->Starttid, R->Sluttid);
      float L = R->Antal_std_lektioner;
      if (L <= 0) {
        L = 1;
        if (GlobalIndstillinger.standardlektion && GlobalIndstillinger.standardlektionslengde > 0)
          L = static_cast<float>(minutter) / static_cast<float>(GlobalIndstillinger.standardlektionslengde);
      }
      uint32_t S = 0;
      if (R->Antal_std_lektioner == 0)
        if (const AftalopRec *a = TabRec<AftalopRec>(tvaftalop, MedPerAftalop(anfo, d))) S = a->Standardlektionslaengde;
      const float beregn = s->Beregn / 60.0f;

      if (n < 2) {
        uint32_t akti = 0;
        ForHverRaekke(b, r, [&](uint32_t, const SkeRec &t) {
          if (!akti && t.akti_id) akti = t.akti_id;
        });
        MedTimeLinie l{};
        l.Uge = w;
        l.akti = akti;
        l.skfa = R->skfa_id;
        l.Art = BegArt(akti, s->skemarol_id);
        if (l.Art == 'S') l.skemarol = s->skemarol_id;
        l.Lektioner = S ? AftaleLektioner(minutter, S, 1.0f) : L;
        l.Timer = timer ? beregn * l.Lektioner : 0;
        if ((akti && IsOvakAkti(akti)) || l.Art == 'a' || l.Art == 'o' || l.Art == 'S') l.Lektioner = 0;
        Tilfoej(v, l);
        continue;
      }
      const uint32_t hel = SumBegElever(w, r);
      float rest = 0;
      const uint32_t flest = SplitBegByElever(w, r, &rest);
      ForHverRaekke(b, r, [&](uint32_t, const SkeRec &t) {
        if (!t.akti_id) return;
        double andel = 1.0 / n;
        if (hel) {
          andel = CalcElevAndel(w, GetAktiDagElever(w, t.akti_id, R->Dag), hel);
          if (t.akti_id == flest) andel += rest;
        }
        const bool ovak = IsOvakAkti(t.akti_id);
        MedTimeLinie l{};
        l.Uge = w;
        l.akti = t.akti_id;
        l.skfa = R->skfa_id;
        l.Art = ovak ? 'A' : 'U';
        l.Lektioner = S ? AftaleLektioner(minutter, S, static_cast<float>(andel)) : L * static_cast<float>(andel);
        l.Timer = timer ? beregn * l.Lektioner : 0;
        if (ovak) l.Lektioner = 0;
        Tilfoej(v, l);
      });
    }
  }
}

void PostLinier(uint32_t anfo, Maaned m, std::vector<MedTimeLinie> &v) {
  const TabVar *b = TimoakBucket(m);
  if (!b) return;
  for (uint32_t r = 1; r < b->wRecCnt; ++r) {
    const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
    if (!t || t->anfo_id != anfo || t->Status == 0 || (t->Status & SKE_SLETTET)) continue;
    if (t->akti_id && IsPlusAkti(t->akti_id)) continue;
    float M = 60;
    if (t->Type && std::strchr("FHPA", t->Type)) {
      float norm = 0;
      uint8_t plus = 0;
      if (AktiMinutnorm(t->Dato, t->akti_id, &norm, &plus)) M = norm;
    }
    MedTimeLinie l{};
    l.Uge = UgeAf(t->Dato);
    l.akti = t->akti_id;
    l.Art = t->Type == 'a' ? 'A' : static_cast<uint8_t>(t->Type);
    l.Timer = static_cast<float>(t->Timer) / 100.0f * M / 60.0f;
    Tilfoej(v, l);
  }
}

void ArbejdstidLinier(uint32_t meda, Dato foerste, Dato sidste, std::vector<MedTimeLinie> &v) {
  if (!meda) return;
  for (uint32_t r = 1; r < tvarbejdstid.wRecCnt; ++r) {
    const ArbejdstidRec *a = TabRec<ArbejdstidRec>(tvarbejdstid, r);
    if (!a || a->meda_id != meda || a->Dato < foerste || a->Dato > sidste) continue;
    MedTimeLinie l{};
    l.Uge = UgeAf(a->Dato);
    l.ArbTimer = static_cast<float>(a->Bidrag) / 60.0f;
    Tilfoej(v, l);
  }
}

void Laeg(MedTimeLinie &til, const MedTimeLinie &l) {
  til.Lektioner += l.Lektioner;
  til.Timer += l.Timer;
  til.ArbTimer += l.ArbTimer;
}

}  // namespace

void MedTimeSortNoegle(const MedTimeLinie &l, uint8_t n[kMedTimeNoegle]) {
  std::memset(n, 0, kMedTimeNoegle);
  n[0] = static_cast<uint8_t>(l.Uge >> 8);
  n[1] = static_cast<uint8_t>(l.Uge);
  n[2] = l.skfa ? 'A' : 'B';
  size_t i = 3;
  auto Skriv = [&](const char *t, size_t max) {
    for (size_t k = 0; k < max && t[k] && i < kMedTimeNoegle; ++k) n[i++] = SortTegn(static_cast<uint8_t>(t[k]));
  };
  if (const AktiRec *a = AktiR(l.akti)) Skriv(a->Aktivitet, sizeof a->Aktivitet);
  if (const SkfaRec *s = l.skfa ? TabRec<SkfaRec>(tvskfa, l.skfa) : nullptr) Skriv(s->Skolefag, sizeof s->Skolefag);
}

void ByggMedTimeLinier(MedTime *mt) {
  std::vector<MedTimeLinie> v;
  const SkemaPeriodeData &p = SkemaPeriode;
  const uint32_t anfo = MedTimeAnfo(mt);
  const Dato d = mt->AktuelDato;
  if (anfo && d >= p.FraDato && d <= p.TilDato) {
    const Maaned m = d / 100;
    const Dato foerste = std::max<Dato>(m * 100 + 1, p.FraDato);
    const Dato sidste = std::min<Dato>(SidsteDatoIMaaned(m), p.TilDato);
    SkemaLinier(anfo, foerste, sidste, v);
    PostLinier(anfo, m, v);
    if (const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo)) ArbejdstidLinier(a->meda_id, foerste, sidste, v);
  }

  std::vector<NoegleLinie> s(v.size());
  for (size_t i = 0; i < v.size(); ++i) {
    MedTimeSortNoegle(v[i], s[i].n);
    s[i].l = v[i];
  }
  std::stable_sort(s.begin(), s.end(), [](const NoegleLinie &a, const NoegleLinie &b) {
    return std::memcmp(a.n, b.n, kMedTimeNoegle) < 0;
  });

  // Totals first, then the lines (equal neighbours merged) and a subtotal
  // after each week; layout 2 keeps only the subtotals.
  std::vector<MedTimeLinie> ny(2, MedTimeLinie{});
  const bool detaljer = mt->Layout != 2;
  MedTimeLinie uge{};
  bool iUge = false, forrigeLinie = false;
  for (size_t i = 0; i < s.size(); ++i) {
    const MedTimeLinie &l = s[i].l;
    Laeg(ny[1], l);
    if (!iUge) {
      uge = MedTimeLinie{};
      uge.Uge = l.Uge;
      uge.Art = ' ';
      iUge = true;
      forrigeLinie = false;
    }
    Laeg(uge, l);
    if (detaljer) {
      MedTimeLinie &f = ny.back();
      if (forrigeLinie && f.Uge == l.Uge && f.akti == l.akti && f.skfa == l.skfa && f.Art == l.Art)
        Laeg(f, l);
      else
        ny.push_back(l);
      forrigeLinie = true;
    }
    if (i + 1 == s.size() || s[i + 1].l.Uge != l.Uge) {
      ny.push_back(uge);
      iUge = false;
    }
  }
  const uint32_t n = static_cast<uint32_t>(ny.size() - 1);
  auto *tab = static_cast<MedTimeLinie *>(std::malloc((static_cast<size_t>(n) + 1) * sizeof(MedTimeLinie)));
  if (!tab) tavo::AssertFailed("NyLinieTab != NULL", "MEDTIME", __LINE__);
  std::memcpy(tab, ny.data(), (static_cast<size_t>(n) + 1) * sizeof(MedTimeLinie));
  std::free(mt->LinieTab);
  mt->LinieTab = tab;
  mt->LinieAntal = n;
  mt->PosY.Antal = n;
  if (mt->PosY.Aktuel == 0 || mt->PosY.Aktuel > n) mt->PosY.Aktuel = 1;
}

void GenopbygMedTime(MedTime *mt) {
  ByggMedTimeListe(mt);
  ByggMedTimeMaaneder(mt);
  ByggMedTimeLinier(mt);
}

void FrigivMedTime(MedTime *mt) {
  std::free(mt->Hoved.ObjTab);
  mt->Hoved.ObjTab = nullptr;
  mt->Hoved.ObjTabAntal = 0;
  std::free(mt->MndTab);
  mt->MndTab = nullptr;
  std::free(mt->LinieTab);
  mt->LinieTab = nullptr;
  mt->LinieAntal = mt->MndAntal = 0;
}

// ==================================================================== window

namespace {

MedTime *Ws(HWND h) { return reinterpret_cast<MedTime *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

struct Hoved {
  const char *Tekst;
  int X;
};
// The column heads of each layout; "Arb.Timer" is added 124 pixels right of
// "Lektion" under the norm system.
const Hoved kHoveder0[] = {{"UgeNr ", 0}, {"Aktivitet   ", 57}, {"Fag   N Tekst     ", 159},
                           {"Typ", 309}, {"Lektion", 339},     {"  Timer", 401}};
const Hoved kHoveder1[] = {{"UgeNr ", 0},    {"Aktivitet   ", 57}, {"Kort betegnelse", 159},
                           {"Fag   N Tekst     ", 288}, {"Typ", 438}, {"Lektion", 468}, {"  Timer", 530}};
const Hoved kHoveder2[] = {{"UgeNr ", 0}, {"Lektion", 57}, {"  Timer", 119}};

struct HovedSaet {
  const Hoved *h;
  size_t n;
};
HovedSaet Hoveder(uint32_t layout) {
  switch (layout) {
    case 1: return {kHoveder1, std::size(kHoveder1)};
    case 2: return {kHoveder2, std::size(kHoveder2)};
  }
  return {kHoveder0, std::size(kHoveder0)};
}
int HovedX(uint32_t layout, const char *tekst) {
  const HovedSaet s = Hoveder(layout);
  for (size_t i = 0; i < s.n; ++i)
    if (std::strcmp(s.h[i].Tekst, tekst) == 0) return s.h[i].X;
  return 0;
}

uint32_t LagBredde(uint32_t art, uint32_t nr) { return ObjSwitchBredde(art, 'M', nr); }

void Tekst(EnsDC *dc, int x, int y, const char *t, uint8_t bk = 0) {
  if (dc && dc->hdc) TegnFarvetTekst(dc, x, y, 16, bk, t, static_cast<int>(std::strlen(t)), 1);
}

// The current month and line: a frame in the highlight colour, grey while
// the window is not the active one.
void Markering(HDC dc, int x0, int y0, int x1, int y1, bool aktiv) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(aktiv ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT));
  HGDIOBJ gl = SelectObject(dc, pen);
  HGDIOBJ gb = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, x0, y0, x1, y1);
  SelectObject(dc, gb);
  SelectObject(dc, gl);
  DeleteObject(pen);
}

void TegnKolHoved(MedTime *mt) {
  Ens &e = mt->Hoved;
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  if (!dc->hdc) return;
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, e.RudeB[ENS_KOLHOVED], e.RudeH[ENS_KOLHOVED]);
  // The months of the axis, the current one marked.
  static const char *const navne[12] = {"Jan", "Feb", "Mar", "Apr", "Maj", "Jun",
                                        "Jul", "Aug", "Sep", "Okt", "Nov", "Dec"};
  for (uint32_t k = 1; k <= mt->MndAntal; ++k) {
    const Maaned m = IndeksTilMaaned(mt->MndTab[k]);
    const int x = static_cast<int>((k - 1) * kMndBredde) - static_cast<int>(e.ScrollX);
    if (m % 100 < 1 || m % 100 > 12 || x >= e.RudeB[ENS_KOLHOVED]) continue;
    char t[16];
    std::snprintf(t, sizeof t, "%s%02u", navne[m % 100 - 1], static_cast<unsigned>(m / 100 % 100));
    Tekst(dc, x + 2, 0, t);
    if (k == mt->AktuelMnd) Markering(dc->hdc, x, 0, x + kMndBredde - 1, kLinieHoejde - 1, e.Aktiv);
  }
  const HovedSaet s = Hoveder(mt->Layout);
  for (size_t i = 0; i < s.n; ++i) Tekst(dc, s.h[i].X, kLinieHoejde, s.h[i].Tekst);
  if (GlobalIndstillinger.normsystem) Tekst(dc, HovedX(mt->Layout, "Lektion") + 124, kLinieHoejde, "Arb.Timer");
}

void TegnListe(MedTime *mt) {
  Ens &e = mt->Hoved;
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  if (!dc->hdc) return;
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED]);
  SwitchRaekkeValg v;
  v.hwnd = mt->hwnd;
  v.Hoejde = kLinieHoejde - 1;
  for (uint32_t i = 1; i <= e.ObjTabAntal; ++i) {
    const int y = static_cast<int>((i - 1) * kLinieHoejde);
    if (y >= e.RudeH[ENS_RAEKKEHOVED]) break;
    const uint8_t farve = i == mt->AktuelObj ? (e.Aktiv ? 1 : 2) : 0;
    TegnObjSwitchRaekke(dc, 0, y, farve, kMedTimeListeArt, 'M', mt->ListeValg, &tdanfo, &tvanfo, e.ObjTab[i], &v);
  }
}

// One line at its heads: the week only on a week's first line (every line
// in layout 2), activity, subject (the role on an 'S' line), kind and the
// figures with two decimals.
// A text in its column: cut to what fits before the next head, so that a
// wide font never writes over the neighbour.
void Kolonne(EnsDC *dc, int x, int y, const char *tekst, int nesteX) {
  int n = static_cast<int>(std::strlen(tekst));
  SIZE sz{0, 0};
  while (n > 0 && GetTextExtentPoint32A(dc->hdc, tekst, n, &sz) && sz.cx > nesteX - x - 3) --n;
  if (n > 0) TegnFarvetTekst(dc, x, y, 16, 0, tekst, n, 1);
}

void TegnLinie(MedTime *mt, EnsDC *dc, uint32_t i, int y) {
  const MedTimeLinie &l = mt->LinieTab[i];
  const uint32_t lay = mt->Layout;
  const HovedSaet hs = Hoveder(lay);
  // The x of each head and of the one after it.
  auto X = [&](const char *hoved) { return HovedX(lay, hoved); };
  auto Naeste = [&](const char *hoved) {
    for (size_t k = 0; k + 1 < hs.n; ++k)
      if (std::strcmp(hs.h[k].Tekst, hoved) == 0) return hs.h[k + 1].X;
    return mt->Hoved.RudeB[ENS_CELLER];
  };
  char t[80];
  const bool foersteIUge = i <= 1 || mt->LinieTab[i - 1].Uge != l.Uge || mt->LinieTab[i - 1].Art == ' ';
  if (l.Uge && (lay == 2 || foersteIUge)) {
    std::snprintf(t, sizeof t, "%02u", IndeksTilUgeNr(l.Uge));
    Kolonne(dc, 0, y, t, Naeste("UgeNr "));
  } else if (i == 1) {
    Kolonne(dc, 0, y, "Ialt", Naeste("UgeNr "));
  }
  if (lay != 2) {
    if (const AktiRec *a = AktiR(l.akti)) {
      std::snprintf(t, sizeof t, "%.15s", a->Aktivitet);
      Kolonne(dc, X("Aktivitet   "), y, t, Naeste("Aktivitet   "));
      if (lay == 1) {
        std::snprintf(t, sizeof t, "%.15s", a->Kort_betegnelse);
        Kolonne(dc, X("Kort betegnelse"), y, t, Naeste("Kort betegnelse"));
      }
    }
    const char *fag = "Fag   N Tekst     ";
    if (l.Art == 'S') {
      if (const SkemarolRec *r = TabRec<SkemarolRec>(tvskemarol, l.skemarol)) {
        std::snprintf(t, sizeof t, "%-5.5s %.15s", r->Rolle, r->Betegnelse);
        Kolonne(dc, X(fag), y, t, Naeste(fag));
      }
    } else if (const SkfaRec *s = l.skfa ? TabRec<SkfaRec>(tvskfa, l.skfa) : nullptr) {
      std::snprintf(t, sizeof t, "%-5.5s %c %.15s", s->Skolefag, s->Niveau ? s->Niveau : ' ', s->Betegnelse);
      Kolonne(dc, X(fag), y, t, Naeste(fag));
    }
    if (l.Art > ' ') {
      const char art[3] = {static_cast<char>(l.Art), static_cast<char>(l.Art2 ? l.Art2 : 0), 0};
      Kolonne(dc, X("Typ"), y, art, Naeste("Typ"));
    }
  }
  const int lx = X("Lektion"), tx = X("  Timer");
  std::snprintf(t, sizeof t, "%7.2f", static_cast<double>(l.Lektioner));
  Kolonne(dc, lx, y, t, tx);
  std::snprintf(t, sizeof t, "%7.2f", static_cast<double>(l.Timer));
  Kolonne(dc, tx, y, t, GlobalIndstillinger.normsystem ? lx + 124 : mt->Hoved.RudeB[ENS_CELLER]);
  if (GlobalIndstillinger.normsystem) {
    std::snprintf(t, sizeof t, "%9.2f", static_cast<double>(l.ArbTimer));
    Kolonne(dc, lx + 124, y, t, mt->Hoved.RudeB[ENS_CELLER]);
  }
}

void TegnLinier(MedTime *mt) {
  Ens &e = mt->Hoved;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  if (!dc->hdc) return;
  const int B = e.RudeB[ENS_CELLER], H = e.RudeH[ENS_CELLER];
  FillRectIfAny(dc->hdc, FarveBrush[0], 0, 0, B, H);
  const uint32_t foerste = std::max<uint32_t>(1, e.ScrollY / kLinieHoejde + 1);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
  for (uint32_t i = foerste; i <= mt->LinieAntal; ++i) {
    const int y = static_cast<int>((i - 1) * kLinieHoejde) - static_cast<int>(e.ScrollY);
    if (y >= H) break;
    TegnLinie(mt, dc, i, y);
    if (i == mt->PosY.Aktuel) Markering(dc->hdc, 0, y, B, y + kLinieHoejde - 1, e.Aktiv);
    // The rule under each week: after its subtotal, and after the totals.
    const MedTimeLinie &l = mt->LinieTab[i];
    if (l.Art == ' ' || i == 1) {
      HGDIOBJ gl = SelectObject(dc->hdc, pen);
      MoveToEx(dc->hdc, 0, y + kLinieHoejde - 1, nullptr);
      LineTo(dc->hdc, B, y + kLinieHoejde - 1);
      SelectObject(dc->hdc, gl);
    }
  }
  DeleteObject(pen);
}

void TegnAlt(MedTime *mt) {
  TegnKolHoved(mt);
  TegnListe(mt);
  TegnLinier(mt);
}

int BreddeFor(const MedTime *mt, uint32_t nr) {
  return static_cast<int>(LagBredde(kMedTimeListeArt, nr) + LagBredde(kMedTimeLinieArt, nr));
}

void Tilpas(MedTime *mt) {
  const HWND h = mt->hwnd;
  Ens &e = mt->Hoved;
  if (!h || e.Tilstand == 2) return;
  RECT pr{};
  GetClientRect(GetParent(h), &pr);
  SetWindowPos(h, 0, 0, 0, MedTimeBredde(mt, pr.right - pr.left), MedTimeHoejde(mt, pr.bottom - pr.top),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT rc;
  GetClientRect(h, &rc);
  EnsOnSize(&e, h, rc.right, rc.bottom, mt->AntalSkift);
  EnsPaintFrame(&e);
  TegnAlt(mt);
}

// The program's current date from the window's month, told to every window
// and to the main window; only while the window is active and follows.
void Publicer(MedTime *mt) {
  if (!mt->Hoved.Aktiv || mt->Hold) return;
  if (mt->AktuelMnd && mt->AktuelMnd <= mt->MndAntal) {
    const SkemaPeriodeData &p = SkemaPeriode;
    const Dato d = VistDatoIMaaned(mt->AktuelDato % 100, mt->MndTab[mt->AktuelMnd], p.FraDato, p.TilDato);
    if (d) mt->AktuelDato = d;
  }
  if (mt->AktuelDato) SaetAktuelDato(mt->AktuelDato);
  if (const uint32_t a = MedTimeAnfo(mt)) tvanfo.AktuelRec = a;
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, mt->hwnd);
  if (hwndHoved && hwndHoved != mt->hwnd) SendMessageA(hwndHoved, STATUS_DATO_SAET, mt->AktuelDato, 0);
}

void Opdater(MedTime *mt) {
  GenopbygMedTime(mt);
  TegnAlt(mt);
}

void FlytMaaned(MedTime *mt, int trin) {
  if (!mt->MndAntal || !mt->AktuelMnd) return;
  const int64_t ny = static_cast<int64_t>(mt->AktuelMnd) + trin;
  if (ny < 1 || ny > mt->MndAntal) return;
  mt->AktuelMnd = static_cast<uint32_t>(ny);
  const SkemaPeriodeData &p = SkemaPeriode;
  const Dato d = VistDatoIMaaned(mt->AktuelDato % 100, mt->MndTab[mt->AktuelMnd], p.FraDato, p.TilDato);
  mt->AktuelDato = d ? d : IndeksTilMaaned(mt->MndTab[mt->AktuelMnd]) * 100 + 1;
  Opdater(mt);
  Publicer(mt);
}

void FlytAnsaettelse(MedTime *mt, int trin) {
  const Ens &e = mt->Hoved;
  if (!e.ObjTabAntal) return;
  int64_t ny = static_cast<int64_t>(mt->AktuelObj) + trin;
  ny = std::clamp<int64_t>(ny, 1, e.ObjTabAntal);
  if (static_cast<uint32_t>(ny) == mt->AktuelObj) return;
  mt->AktuelObj = static_cast<uint32_t>(ny);
  // The shared selection names the new employment before the rebuild
  // reads it back.
  tvanfo.AktuelRec = e.ObjTab[mt->AktuelObj];
  Opdater(mt);
  Publicer(mt);
}

void VaelgLayout(MedTime *mt, uint32_t nr) {
  if (nr > 2) return;
  Ens &e = mt->Hoved;
  HWND *knap = e.hwndSwitchButtons;
  if (knap && mt->Layout < mt->AntalSkift && knap[mt->Layout]) SendMessageA(knap[mt->Layout], NYB_LAAS_OP, 0, 0);
  if (knap && nr < mt->AntalSkift && knap[nr]) SendMessageA(knap[nr], NYB_LAAS_NED, 0, 0);
  mt->Layout = mt->ListeValg = mt->LinieValg = mt->HovedValg = nr;
  ObjSwitchVaelg(kMedTimeListeArt, 'M', nr);
  ObjSwitchVaelg(kMedTimeLinieArt, 'M', nr);
  ObjSwitchVaelg(kMedTimeHovedArt, 'M', nr);
  e.RaekkeHovedBredde = LagBredde(kMedTimeListeArt, nr);
  ByggMedTimeLinier(mt);
  Tilpas(mt);
}

void Knap(HWND h, MedTime *mt, WPARAM id) {
  if (id == 0) {
    mt->Hold = mt->Hold ? 0 : 1;
    return;
  }
  if (id >= ENS_SKIFT_ID && id <= ENS_SKIFT_ID + 2) {
    VaelgLayout(mt, static_cast<uint32_t>(id - ENS_SKIFT_ID));
    return;
  }
  switch (id) {
    case NYB_LUK: DestroyWindow(h); return;
    case NYB_MAKSIMER: EnsMaximize(h, &mt->Hoved); return;
    case NYB_MINIMER: EnsMinimize(h, &mt->Hoved); return;
  }
}

void VaelgGruppe(MedTime *mt, WPARAM gruppe) {
  if (gruppe > static_cast<WPARAM>(kGruppeAlle)) return;
  mt->GruppeMaske = gruppe == static_cast<WPARAM>(kGruppeAlle) ? kAlleMedGrupper : 1u << gruppe;
  const int i = GruppeArtIndeks('M');
  if (i >= 0) HuskGruppe[i] = mt->GruppeMaske;
  Opdater(mt);
}

bool BlivAktiv(HWND h, MedTime *mt) {
  if (mt->Hoved.Aktiv) return true;
  if (!SendMessageA(mt->Hoved.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return IsWindow(h) && Ws(h) == mt && mt->Hoved.Aktiv;
}

bool TarTast(WPARAM tast) {
  switch (tast) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT:
    case 'H': case 'R': case 'S': case 'A': case VK_APPS: case VK_ESCAPE:
      return true;
  }
  return tast >= '1' && tast <= '9';
}

// The keys, through the frame's key commands.
void Tast(HWND h, MedTime *mt, WPARAM tast) {
  if (!BlivAktiv(h, mt)) return;
  Ens &e = mt->Hoved;
  switch (tast) {
    case VK_LEFT: FlytMaaned(mt, -1); return;
    case VK_RIGHT: FlytMaaned(mt, 1); return;
    case VK_PRIOR: FlytAnsaettelse(mt, -1); return;
    case VK_NEXT: FlytAnsaettelse(mt, 1); return;
    case VK_UP:
    case VK_DOWN: {
      GridPos &p = mt->PosY;
      if (tast == VK_UP && p.Aktuel > 1) --p.Aktuel;
      if (tast == VK_DOWN && p.Aktuel < p.Antal) ++p.Aktuel;
      TegnLinier(mt);
      // The program's date goes to the line's week, on the same weekday,
      // as long as that stays in the month shown.
      if (p.Aktuel && p.Aktuel <= mt->LinieAntal && mt->LinieTab[p.Aktuel].Uge) {
        Uge u = 0;
        uint8_t wd = 0;
        DatoTilUge(mt->AktuelDato, &u, &wd);
        const Dato d = UgeDagTilDato(IndeksTilUge(mt->LinieTab[p.Aktuel].Uge), wd);
        if (d / 100 == mt->AktuelDato / 100 && d != mt->AktuelDato) {
          mt->AktuelDato = d;
          Publicer(mt);
        }
      }
      return;
    }
    case 'H':
      // The window's command: the hold flag.
      KmdSendKommando(h, 0, 0, true, KMD_UDFOER);
      return;
    case 'R':
      KmdToolbarRing(e.hwndToolbar, e.hwndToolbar != 0, KMD_UDFOER);
      return;
    case VK_APPS:
      KmdHoejreklik(h, 0, 0, KMD_UDFOER);
      return;
    case 'S':
    case VK_ESCAPE:
      // In a cell of the screen layout the cell goes with it.
      KmdLukVindue(h, GetParent(h), mt->Lille ? 1 : 0, true, KMD_UDFOER);
      return;
    case 'A':
      if (e.hwndToolbar) GridCifferIndtast(e.hwndToolbar, 'A', false, true, 0, nullptr, 0, KMD_UDFOER);
      return;
  }
  if (tast >= '1' && tast <= '9') GridCifferKommando(h, static_cast<unsigned>(tast), true, 3, KMD_UDFOER);
}

void Opret(HWND h, MedTime *mt) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(mt));
  mt->hwnd = h;
  Ens &e = mt->Hoved;
  e.hwndParent = GetParent(h);
  e.hInstance = hInst;
  e.EgenRamme = mt->Lille ? 0 : 1;
  e.ScrollFlag = mt->Lille ? 0 : (ENS_SCROLL_H | ENS_SCROLL_V);
  std::snprintf(e.Titel, sizeof e.Titel, "%s", kTitel);
  mt->AntalSkift = 3;
  e.RaekkeHovedBredde = LagBredde(kMedTimeListeArt, mt->ListeValg);
  e.KolHovedHoejde = 2 * kLinieHoejde;
  e.SkiftBredde = static_cast<uint32_t>(mt->AntalSkift * GetSystemMetrics(SM_CXVSCROLL));
  e.hdc = GetDC(h);
  e.AkseX = GridAkse{0, kMndBredde, 1, 0, 0};
  e.AkseY = GridAkse{0, kLinieHoejde, 1, 0, 0};
  RECT rc;
  GetClientRect(h, &rc);
  const int kant = mt->Lille ? 1 : CxFrame();
  e.Areal[0] = kant;
  e.Areal[1] = (mt->Lille ? 1 : CyFrame() + GetSystemMetrics(SM_CYCAPTION)) + kToolbarHoejde;
  e.Areal[2] = rc.right - 1 - kant;
  e.Areal[3] = rc.bottom - 1 - (mt->Lille ? 1 : CyFrame());
  e.StyrX = &mt->PosX;
  e.StyrY = &mt->PosY;
  EnsCalcLayout(&e);
  e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(mt->AntalSkift + 1u, sizeof(HWND)));
  const uint32_t toolbar[7] = {'M', 0, mt->GruppeMaske, 1, 1, 0, LagBredde(kMedTimeHovedArt, mt->HovedValg)};
  EnsCreateChildren(&e, h, mt->AntalSkift, toolbar, TxtFont, true, !mt->Lille, nullptr);
  // The heads stand over the lines' characters: one font for both.
  if (TxtFont && e.hwndKolHoved) SelectDCPalette(e.hwndKolHoved, &e.dc[ENSDC_KOLHOVED], TxtFont);
  if (e.hwndSwitchButtons && e.hwndSwitchButtons[mt->Layout])
    SendMessageA(e.hwndSwitchButtons[mt->Layout], NYB_LAAS_NED, 0, 0);
  // A docked timesheet belongs to its cell, not to the open-window list.
  if (!mt->Lille) VinduesListeTilfoej(h);
  GenopbygMedTime(mt);
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    e.Aktiv = e.CaptionAktiv = 1;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  }
}

void Nedlaeg(HWND h, MedTime *mt) {
  if (!mt->Lille) VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  FrigivMedTime(mt);
  std::free(mt->Hoved.hwndSwitchButtons);
  std::free(mt);
}

// The program's current date, unless held; while active only a message
// that insists (wParam nonzero) is taken.
void FoelgDato(MedTime *mt, WPARAM wParam) {
  if (mt->Hold || (mt->Hoved.Aktiv && wParam == 0)) return;
  mt->AktuelDato = SkemaPeriode.AktuelDato;
  Opdater(mt);
}

}  // namespace

MedTime *MedTimeVinduesWS(HWND hwnd) { return hwnd ? Ws(hwnd) : nullptr; }

int MedTimeBredde(const MedTime *mt, int plads) {
  const int to = BreddeFor(mt, mt->Layout);
  const int b = mt->Lille ? to + 4 : to + 2 * CxFrame() + GetSystemMetrics(SM_CXVSCROLL) + 4;
  return std::max(150, std::min(b, std::max(plads, 150)));
}

int MedTimeHoejde(const MedTime *mt, int plads) {
  const int linier = mt->Layout == 2 ? 7 : 30;
  // Beside the frame and the 42 pixels of caption and heads, our frame has
  // the toolbar, the month strip over the heads and the switch-button row.
  int h = kLinieHoejde * linier - 1 + 2 * CyFrame() + 42 + kToolbarHoejde + kLinieHoejde +
          GetSystemMetrics(SM_CYHSCROLL);
  if (mt->Lille) h = std::min(h, 399);
  return std::max(120, std::min(h, std::max(plads, 120)));
}

int32_t MedTimeLilleBredde() {
  MedTime mt{};
  mt.Lille = 1;
  mt.Layout = std::min<uint32_t>(ObjSwitchValgt(kMedTimeLinieArt, 'M'), 2);
  return MedTimeBredde(&mt, 1 << 20);
}

LRESULT CALLBACK MedTimeWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *mt = static_cast<MedTime *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!mt) return -1;
    Opret(h, mt);
    return 0;
  }
  MedTime *mt = Ws(h);
  if (!mt) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = mt->Hoved;
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(h, mt);
      return 0;
    case WM_SETFOCUS:
      if (hwndHoved && hwndHoved != h && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      EnsPaintFrame(&e);
      TegnAlt(mt);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), mt->AntalSkift);
        EnsPaintFrame(&e);
        TegnAlt(mt);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) TegnAlt(mt);
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      if (static_cast<HWND>(lParam) == e.hwndKolHoved || !lParam) {
        TegnKolHoved(mt);
      } else {
        // The corners hold nothing.
        const int i = static_cast<HWND>(lParam) == e.hwndHjoerneV ? 0 : 1;
        if (HDC dc = e.dc[i == 0 ? ENSDC_HJOERNE_V : ENSDC_HJOERNE_H].hdc)
          FillRectIfAny(dc, FarveBrush[0], 0, 0, e.HjoerneB[i], e.HjoerneH[i]);
      }
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnListe(mt);
      return 0;
    case ENS_CELLER_TEGN:
      TegnLinier(mt);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, lParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case ENS_BREDDE:
      return MedTimeBredde(mt, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return MedTimeHoejde(mt, static_cast<int>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_ART:
      return mt->Lille ? kMedTimeBund : kMedTimeVindue;
    case VINDUE_AKTIVER:
      e.CaptionAktiv = 1;
      if (!e.Aktiv) {
        e.Aktiv = 1;
        VinduesListeTilTop(h);
        SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
        if (Ws(h) != mt) return 0;
        EnsPaintFrame(&e);
        TegnAlt(mt);
      }
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = 0;
      EnsPaintFrame(&e);
      TegnAlt(mt);
      return 0;
    case AKTUEL_AENDRET:
      FoelgDato(mt, wParam);
      return 0;
    case DATA_AENDRET:
      Opdater(mt);
      return 0;
    case GRUPPE_VALGT:
      VaelgGruppe(mt, wParam);
      return 0;
    case NYB_KLIK:
      Knap(h, mt, wParam);
      return 0;
    case WM_KEYDOWN:
      Tast(h, mt, wParam);
      return 0;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && t->message == WM_KEYDOWN && TarTast(t->wParam) ? 1 : 0;
    }
    case TAST_MODTAG:
      if (const auto *t = reinterpret_cast<const TastInfo *>(lParam); t && t->message == WM_KEYDOWN)
        Tast(h, mt, t->wParam);
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerMedTimeKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = MedTimeWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

HWND CreateMedTimeWnd(HWND parent, int x, int y, int bredde, int hoejde, bool lille, LPARAM) {
  auto *mt = static_cast<MedTime *>(std::calloc(1, sizeof(MedTime)));
  if (!mt) return 0;
  mt->ObjBogstav = 'M';
  mt->Lille = lille ? 1 : 0;
  mt->ListeValg = ObjSwitchValgt(kMedTimeListeArt, 'M');
  mt->LinieValg = ObjSwitchValgt(kMedTimeLinieArt, 'M');
  mt->HovedValg = ObjSwitchValgt(kMedTimeHovedArt, 'M');
  mt->Layout = std::min<uint32_t>(mt->LinieValg, 2);
  const int i = GruppeArtIndeks('M');
  mt->GruppeMaske = lille || i < 0 || HuskGruppe[i] == 0 ? kAlleMedGrupper : HuskGruppe[i];
  mt->AktuelDato = SkemaPeriode.AktuelDato;
  const int b = MedTimeBredde(mt, bredde), h = MedTimeHoejde(mt, hoejde);
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, b, h, parent,
                              static_cast<HMENU>(lille ? kMedTimeBund : kMedTimeVindue),
                              hInst, mt);
  if (!hwnd) {
    if (!mt->hwnd) std::free(mt);
    return 0;
  }
  return hwnd;
}
