// The automatic placement. Orders are decided by fixed-width digit keys
// sorted with the data store's index sort, so that ties fall the one way
// that sort lets them; every number in a key is held to its five digits.
// The work buffers live as long as the program and only grow, so a run
// allocates little and the per-student search allocates nothing.
//
// The students kept on their activities (BeholdElever) are those placed
// before the command: every run, and the replay of the best, starts from
// them, so that a run does not inherit the placements of the run before and
// the replay lays again exactly the best run's plan.
#include "AUTOPLAC.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "ELEVDLG.h"
#include "ELEVGITTER.h"
#include "ELEVPLANKMD.h"
#include "ELEVREGLER.h"
#include "ELEVTAB.h"
#include "SORTIDX.h"
#include "TILFAELDIG.h"

namespace {

constexpr const char *kIkkeUdfoert = "Kommando ikke udført";

// Five decimal digits of v, held to 99999.
void Cifre(char *p, uint32_t v) {
  if (v > 99999) v = 99999;
  for (int i = 4; i >= 0; --i) {
    p[i] = static_cast<char>('0' + v % 10);
    v /= 10;
  }
}

bool MatricerKlar(const ElevPlanWS *ws) {
  return ws->PlanGitter.Data && ws->LaSpaerring.Data && ws->ElevSpaerring.Data &&
         ws->Oensker.Data && ws->Placeringer.Data && ws->Markeringer.Data && ws->Dubletter.Data &&
         ws->Overlap.Data && ws->LaLektioner;
}

// ---- Ways of laying one activity's blocks ----

// The number of blocks of a plan row and the length of its first block.
struct BlokForm {
  uint32_t Antal = 0;
  uint32_t Laengde = 0;
};

BlokForm LaesBlokke(const uint8_t *raekke, uint32_t pp) {
  BlokForm f;
  for (uint32_t c = 1; c <= pp; ++c) {
    if (raekke[c] != PLAN_ENKELT && raekke[c] != PLAN_START) continue;
    if (f.Antal++ != 0) continue;
    f.Laengde = 1;
    if (raekke[c] == PLAN_ENKELT) continue;
    uint32_t j = c + 1;
    for (; j <= pp && raekke[j] == PLAN_MIDTE; ++j) ++f.Laengde;
    if (j <= pp && raekke[j] == PLAN_SLUT) ++f.Laengde;
  }
  return f;
}

// The code of cell i (from 0) of a block of length l.
uint8_t BlokKode(uint32_t i, uint32_t l) {
  if (l == 1) return PLAN_ENKELT;
  return i == 0 ? PLAN_START : i + 1 == l ? PLAN_SLUT : PLAN_MIDTE;
}

struct AlternativKladde {
  std::vector<uint8_t> Gyldig;  // a block may start at the slot
  std::vector<uint32_t> Plads;  // blocks that fit from the slot on
  std::vector<uint32_t> Starter;
  std::vector<uint32_t> Naeste;  // the next start to try for each block
};
AlternativKladde gAlt;

// Calls fn(starts, n, l) for each way of laying activity a's blocks, in
// lexicographic order of the starts, at most maks times. Only starts from
// which the remaining blocks still fit are tried, so every path tried ends
// in a way and the listing costs no more than the ways it lists.
template <class Fn>
uint32_t ForHverMaade(const ElevPlanWS *ws, uint32_t a, const uint32_t *g, uint32_t maks, Fn fn) {
  const uint32_t pp = ws->PpAntal;
  const BlokForm f = LaesBlokke(ws->PlanGitter.Raekke(a), pp);
  const uint32_t n = f.Antal, l = f.Laengde;
  if (n == 0 || l == 0 || l > pp) return 0;
  AlternativKladde &k = gAlt;
  k.Gyldig.assign(size_t(pp) + 2, 0);
  k.Plads.assign(size_t(pp) + l + 2, 0);
  k.Starter.assign(n, 0);
  k.Naeste.assign(n, 0);
  const uint8_t *spaerret = ws->LaSpaerring.Raekke(a);
  for (uint32_t s = 1; s + l - 1 <= pp; ++s) {
    bool ok = true;
    for (uint32_t j = s; j < s + l && ok; ++j) ok = !spaerret[j] && g[j] == g[s];
    k.Gyldig[s] = ok;
  }
  for (uint32_t s = pp; s >= 1; --s)
    k.Plads[s] = std::max(k.Plads[s + 1], k.Gyldig[s] ? 1 + k.Plads[s + l] : 0u);
  if (k.Plads[1] < n) return 0;

  uint32_t antal = 0, b = 0;
  k.Naeste[0] = 1;
  for (;;) {
    uint32_t s = k.Naeste[b];
    while (s + l - 1 <= pp && !(k.Gyldig[s] && 1 + k.Plads[s + l] >= n - b)) ++s;
    if (s + l - 1 > pp) {
      if (b == 0) break;
      --b;
      k.Naeste[b] = k.Starter[b] + 1;
      continue;
    }
    k.Starter[b] = s;
    if (b + 1 < n) {
      k.Naeste[++b] = s + l;
      continue;
    }
    fn(k.Starter.data(), n, l);
    if (++antal == maks) break;
    k.Naeste[b] = s + 1;
  }
  return antal;
}

// ---- Laying the activities on slots ----

// One activity taking part: its wish count, its capacity and its
// alternatives (Alt[Foerste .. Foerste + Antal - 1]).
struct Deltager {
  uint32_t a;
  int64_t W, C;
  uint32_t Foerste, Antal;
};
// An alternative: the cells it holds (Celle and Kode[Foerste ..]).
struct Alternativ {
  uint32_t Foerste, Antal;
};

struct LaKladde {
  std::vector<Deltager> Deltagere;
  std::vector<Alternativ> Alt;
  std::vector<uint32_t> Celle;
  std::vector<uint8_t> Kode;
  std::vector<uint32_t> G1, G2;
  std::vector<int64_t> F, K, V;
  std::vector<uint8_t> Proeve;    // the trial grid, activity x slot
  std::vector<uint32_t> Indgang;  // the entries of Deltagere with more than one alternative
  std::vector<uint32_t> Orden;    // their order (indexes into Indgang)
  std::vector<char> Noegler;
  std::vector<uint32_t> Bedste;  // the alternatives of the lowest score
};
LaKladde gLa;

void TilfoejAlternativ(LaKladde &k, uint32_t celler) {
  k.Alt.push_back({static_cast<uint32_t>(k.Celle.size() - celler), celler});
}

// The ways of activity a by slot groups g as alternatives; their number.
uint32_t AlternativerAf(const ElevPlanWS *ws, uint32_t a, const uint32_t *g, LaKladde &k) {
  return ForHverMaade(ws, a, g, ALTERNATIVER_MAKS,
                      [&](const uint32_t *starter, uint32_t n, uint32_t l) {
                        for (uint32_t b = 0; b < n; ++b)
                          for (uint32_t i = 0; i < l; ++i) {
                            k.Celle.push_back(starter[b] + i);
                            k.Kode.push_back(BlokKode(i, l));
                          }
                        TilfoejAlternativ(k, n * l);
                      });
}

// Spredning(K) + Spredning(V) with alternative x of d added.
int64_t Score(LaKladde &k, const Deltager &d, const Alternativ &x, uint32_t pp) {
  int64_t *K = k.K.data(), *V = k.V.data();
  for (uint32_t i = x.Foerste; i < x.Foerste + x.Antal; ++i) {
    K[k.Celle[i]] += d.C;
    V[k.Celle[i]] += d.W;
  }
  int64_t kMin = INT64_MAX, kMax = INT64_MIN, vMin = INT64_MAX, vMax = INT64_MIN;
  for (uint32_t s = 1; s <= pp; ++s) {
    const int64_t ks = K[s] - k.F[s], vs = V[s] - k.F[s];
    kMin = std::min(kMin, ks);
    kMax = std::max(kMax, ks);
    vMin = std::min(vMin, vs);
    vMax = std::max(vMax, vs);
  }
  for (uint32_t i = x.Foerste; i < x.Foerste + x.Antal; ++i) {
    K[k.Celle[i]] -= d.C;
    V[k.Celle[i]] -= d.W;
  }
  return pp == 0 ? 0 : (kMax - kMin) + (vMax - vMin);
}

// Alternative x of d added for good: its loads and its row of the trial grid.
void Tilfoej(LaKladde &k, const Deltager &d, const Alternativ &x, uint32_t pp) {
  uint8_t *raekke = k.Proeve.data() + size_t(d.a) * (pp + 1);
  for (uint32_t i = x.Foerste; i < x.Foerste + x.Antal; ++i) {
    const uint32_t s = k.Celle[i];
    k.K[s] += d.C;
    k.V[s] += d.W;
    raekke[s] = k.Kode[i];
  }
}

// Lays the activities taking part on their alternatives by the spread of
// the loads, and makes the trial grid the plan.
void PlacerLaPaaPp(ElevPlanWS *ws, LaKladde &k) {
  const uint32_t pp = ws->PpAntal;
  k.K.assign(size_t(pp) + 1, 0);
  k.V.assign(size_t(pp) + 1, 0);
  k.Proeve.assign((size_t(ws->LaAntal) + 1) * (pp + 1), 0);

  k.Indgang.clear();
  for (uint32_t i = 0; i < k.Deltagere.size(); ++i) {
    const Deltager &d = k.Deltagere[i];
    if (d.Antal == 1)
      Tilfoej(k, d, k.Alt[d.Foerste], pp);
    else if (d.Antal > 1)
      k.Indgang.push_back(i);
  }

  // Heaviest first, then fewest alternatives, then chance.
  const uint32_t n = static_cast<uint32_t>(k.Indgang.size());
  constexpr uint32_t kNoegle = 15;
  k.Noegler.assign(size_t(n) * kNoegle, 0);
  k.Orden.resize(n);
  for (uint32_t j = 0; j < n; ++j) {
    const Deltager &d = k.Deltagere[k.Indgang[j]];
    char *p = k.Noegler.data() + size_t(j) * kNoegle;
    Cifre(p, 5000 - std::min<uint32_t>(ws->LaLektioner[d.a], 5000));
    Cifre(p + 5, d.Antal);
    Cifre(p + 10, Tilfaeldig(1000));
    k.Orden[j] = j;
  }
  SortIdx(k.Noegler.data(), k.Orden.data(), kNoegle, n);

  // Now and then the order is stirred.
  if (Tilfaeldig(4) == 0) {
    uint32_t b = n / (Tilfaeldig(5) + 1);
    for (uint32_t byt = 0; b > 0 && byt < b; ++byt) {
      const uint32_t x = Tilfaeldig(n);
      const uint32_t y = Tilfaeldig(n);
      std::swap(k.Orden[x], k.Orden[y]);
      b = n / (Tilfaeldig(5) + 1);
    }
  }

  for (uint32_t j : k.Orden) {
    const Deltager &d = k.Deltagere[k.Indgang[j]];
    int64_t laveste = INT64_MAX;
    k.Bedste.clear();
    for (uint32_t x = d.Foerste; x < d.Foerste + d.Antal; ++x) {
      const int64_t score = Score(k, d, k.Alt[x], pp);
      if (score < laveste) {
        laveste = score;
        k.Bedste.clear();
      }
      if (score == laveste) k.Bedste.push_back(x);
    }
    const uint32_t valgt = Tilfaeldig(static_cast<uint32_t>(k.Bedste.size()));
    Tilfoej(k, d, k.Alt[k.Bedste[valgt]], pp);
  }

  for (uint32_t a = 1; a <= ws->LaAntal; ++a)
    memcpy(ws->PlanGitter.Raekke(a), k.Proeve.data() + size_t(a) * (pp + 1), size_t(pp) + 1);
}

// ---- Placing one student ----

struct Kandidat {
  uint32_t a;
  uint32_t Vaegt;
  uint32_t Fri;  // places left
  uint8_t Art;
};

struct ElevKladde {
  std::vector<uint32_t> Noterede;
  std::vector<Kandidat> Kandidater;
  std::vector<uint8_t> Konflikt;  // candidate x candidate
  std::vector<uint32_t> Stak, Bedste;
  std::vector<char> Noegler;  // the students' keys, by position
  std::vector<uint32_t> Orden;
};
ElevKladde gElev;

// The best admissible combination of the candidates, depth first in
// lexicographic order, at most SOEGESKRIDT_MAKS steps; the members in
// k.Bedste, the total lessons the answer.
uint64_t Soeg(ElevKladde &k) {
  const uint32_t m = static_cast<uint32_t>(k.Kandidater.size());
  const Kandidat *kand = k.Kandidater.data();
  const uint8_t *konflikt = k.Konflikt.data();
  k.Stak.clear();
  k.Bedste.clear();
  k.Stak.reserve(m);
  k.Bedste.reserve(m);
  uint64_t t = 0, t12 = 0, t1 = 0, bT = 0, bT12 = 0, bT1 = 0;
  uint32_t bFri = 0, skridt = 0, i = 0;

  auto vurder = [&] {
    bool ny = false;
    uint32_t fri = 0;
    if (t != bT || t12 != bT12 || t1 != bT1) {
      ny = t != bT ? t > bT : t12 != bT12 ? t12 > bT12 : t1 > bT1;
      for (uint32_t j : k.Stak) fri = std::max(fri, kand[j].Fri);
    } else {
      for (uint32_t j : k.Stak)
        if (kand[j].Fri > bFri) {
          ny = true;
          fri = kand[j].Fri;
        }
    }
    if (!ny) return;
    bT = t;
    bT12 = t12;
    bT1 = t1;
    bFri = fri;
    k.Bedste.assign(k.Stak.begin(), k.Stak.end());
  };
  auto optael = [&](const Kandidat &c, bool plus) {
    const uint64_t w = plus ? c.Vaegt : uint64_t(0) - c.Vaegt;
    t += w;
    if (c.Art <= 2) t12 += w;
    if (c.Art == 1) t1 += w;
  };

  while (skridt < SOEGESKRIDT_MAKS) {
    if (i < m) {
      const uint8_t *raekke = konflikt + size_t(i) * m;
      bool ok = true;
      for (uint32_t j : k.Stak)
        if (raekke[j]) {
          ok = false;
          break;
        }
      ++skridt;
      if (ok) {
        k.Stak.push_back(i);
        optael(kand[i], true);
        vurder();
      }
      ++i;
    } else {
      if (k.Stak.empty()) break;
      const uint32_t j = k.Stak.back();
      k.Stak.pop_back();
      optael(kand[j], false);
      ++skridt;
      i = j + 1;
    }
  }
  return bT;
}

uint32_t PlacerElevPaaPosition(ElevPlanWS *ws, uint32_t s, uint32_t *p1, uint32_t *p2, uint32_t *p3,
                               int metode) {
  ElevKladde &k = gElev;
  const uint32_t pp = ws->PpAntal;
  k.Noterede.clear();
  for (uint32_t a = 1; a <= ws->LaAntal; ++a)
    if (ws->Placeringer(a, s) == PLACERET) k.Noterede.push_back(a);

  k.Kandidater.clear();
  const uint8_t *spaerret = ws->ElevSpaerring.Raekke(s);
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    const uint8_t w = ws->Oensker(a, s);
    if (w != 1 && !(w == 2 && metode == METODE_PRIO12)) continue;
    if (ws->Placeringer(a, s) != 0) continue;
    const LaRec *l = LaRecNr(ws->LaTab[a]);
    const uint64_t placeret = uint64_t(l->akt_prio_1) + l->akt_prio_2 + l->akt_prio_3;
    if (l->aktiv == 0 || placeret >= l->max_elevantal || l->LukForNyeElever) continue;
    const uint8_t *overlap = ws->Overlap.Raekke(a);
    bool fri = true;
    for (uint32_t b : k.Noterede) fri = fri && !overlap[b];
    const uint8_t *plan = ws->PlanGitter.Raekke(a);
    for (uint32_t c = 1; c <= pp && fri; ++c) fri = plan[c] == PLAN_FRI || !spaerret[c];
    if (!fri) continue;
    k.Kandidater.push_back(
        {a, ws->LaLektioner[a], static_cast<uint32_t>(l->max_elevantal - placeret), w});
  }
  const uint32_t m = static_cast<uint32_t>(k.Kandidater.size());
  if (m == 0) return 0;
  k.Konflikt.assign(size_t(m) * m, 0);
  for (uint32_t x = 0; x < m; ++x) {
    const uint8_t *overlap = ws->Overlap.Raekke(k.Kandidater[x].a);
    const uint8_t *dubletter = ws->Dubletter.Raekke(k.Kandidater[x].a);
    for (uint32_t y = 0; y < m; ++y) {
      const uint32_t b = k.Kandidater[y].a;
      k.Konflikt[size_t(x) * m + y] = overlap[b] || dubletter[b];
    }
  }

  const uint64_t total = Soeg(k);
  const uint32_t elev = ws->ElevTab[s];
  for (uint32_t j : k.Bedste) {
    const Kandidat &c = k.Kandidater[j];
    PlacerElevPaaLa(ws, ws->LaTab[c.a], elev, c.Art);
    uint32_t *sum = c.Art == 1 ? p1 : c.Art == 2 ? p2 : p3;
    if (sum) *sum += c.Vaegt;
  }
  return static_cast<uint32_t>(std::min<uint64_t>(total, UINT32_MAX));
}

// ---- The runs ----

struct Resultat {
  uint64_t P1 = 0, P2 = 0, P3 = 0;
  uint64_t Total() const { return P1 + P2 + P3; }
};

// Better by the total, then kinds 1 and 2, then kind 1.
bool Bedre(const Resultat &r, const Resultat &b) {
  if (r.Total() != b.Total()) return r.Total() > b.Total();
  if (r.P1 + r.P2 != b.P1 + b.P2) return r.P1 + r.P2 > b.P1 + b.P2;
  return r.P1 > b.P1;
}

size_t MatrixBytes(const ElevMatrix &m) {
  return (size_t(m.Raekker) + 1) * (size_t(m.Kolonner) + 1);
}

// The placements as they were before the command, so that the reset keeps
// the same students every time.
void Nulstil(ElevPlanWS *ws, const std::vector<uint8_t> &start) {
  if (ws->Placeringer.Data && MatrixBytes(ws->Placeringer) == start.size())
    memcpy(ws->Placeringer.Data, start.data(), start.size());
  NulstilPlaceringer(ws);
}

// After the reset: the overlap of the slot plan and every student placed.
Resultat PlacerPaaPlan(ElevPlanWS *ws) {
  BeregnOverlap(ws);
  GenopbygMarkeringer(ws);
  Resultat r;
  if (!MatricerKlar(ws)) return r;
  uint32_t p1 = 0, p2 = 0, p3 = 0;
  PlacerAlleElever(ws, &p1, &p2, &p3, ws->PlaceringsMetode);
  r.P1 = p1;
  r.P2 = p2;
  r.P3 = p3;
  return r;
}

void Tegn(ElevPlanWS *ws, int tegn) {
  if (ws->SimuleringTegn) ws->SimuleringTegn(ws, tegn);
}

}  // namespace

void SlotGrupper(const ElevPlanWS *ws, uint32_t *g1, uint32_t *g2) {
  const TgRec &tg = ElevRef(TgRecNr, ws->Tg);
  const uint32_t pp = ws->PpAntal;
  if (tg.UgeLektionsGruppe == 'U') {
    for (uint32_t p = 1; p <= pp; ++p) {
      g1[p] = 1;
      g2[p] = 0;
    }
    return;
  }
  // Every run of one day's slots must hold whole blocks of the divisor; a
  // divisor of 0 divides nothing, and the days are taken whole.
  const uint32_t d = tg.lek_deletal;
  bool delelig = d != 0;
  for (uint32_t p = 1, start = 1; p <= pp && delelig; ++p) {
    const bool slut = p == pp || PpRecNr(ws->PpTab[p + 1])->dag != PpRecNr(ws->PpTab[p])->dag;
    if (!slut) continue;
    delelig = (p - start + 1) % d == 0;
    start = p + 1;
  }
  for (uint32_t p = 1; p <= pp; ++p) {
    const uint32_t dag = PpRecNr(ws->PpTab[p])->dag;
    // The coarse grain is the day itself: dag x 100 plus a block number
    // divided by 100 would run into the next day's number once a day's
    // block numbers pass 99.
    g1[p] = delelig ? dag * 100 + (p - 1) / d : dag;
    g2[p] = delelig ? dag : 0;
  }
}

uint32_t LavAlternativer(const ElevPlanWS *ws, uint32_t a, const uint32_t *g, uint8_t *raekker) {
  if (a < 1 || a > ws->LaAntal || !ws->PlanGitter.Data || !ws->LaSpaerring.Data) return 0;
  const size_t bredde = size_t(ws->PpAntal) + 1;
  uint32_t i = 0;
  return ForHverMaade(ws, a, g, ALTERNATIVER_MAKS,
                      [&](const uint32_t *starter, uint32_t n, uint32_t l) {
                        if (raekker) {
                          uint8_t *r = raekker + i * bredde;
                          memset(r, 0, bredde);
                          for (uint32_t b = 0; b < n; ++b)
                            for (uint32_t c = 0; c < l; ++c) r[starter[b] + c] = BlokKode(c, l);
                        }
                        ++i;
                      });
}

bool HarPladsAlternativ(const ElevPlanWS *ws, uint32_t a) {
  if (a < 1 || a > ws->LaAntal || !ws->PlanGitter.Data || !ws->LaSpaerring.Data) return false;
  const std::vector<uint32_t> en(size_t(ws->PpAntal) + 1, 1);
  return ForHverMaade(ws, a, en.data(), 1, [](const uint32_t *, uint32_t, uint32_t) {}) != 0;
}

void AutoPlacerLa(ElevPlanWS *ws) {
  if (!MatricerKlar(ws)) return;
  LaKladde &k = gLa;
  const uint32_t pp = ws->PpAntal;
  k.G1.assign(size_t(pp) + 1, 0);
  k.G2.assign(size_t(pp) + 1, 0);
  SlotGrupper(ws, k.G1.data(), k.G2.data());

  k.F.assign(size_t(pp) + 1, 0);
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s) {
    const uint8_t *spaerret = ws->ElevSpaerring.Raekke(s);
    for (uint32_t c = 1; c <= pp; ++c) k.F[c] += spaerret[c] == 0;
  }

  k.Deltagere.clear();
  k.Alt.clear();
  k.Celle.clear();
  k.Kode.clear();
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    const LaRec *l = LaRecNr(ws->LaTab[a]);
    if (l->aktiv == 0) continue;
    Deltager d{a, int64_t(l->onske_prio_1) + l->onske_prio_2, int64_t(l->max_elevantal),
               static_cast<uint32_t>(k.Alt.size()), 0};
    if (l->PladsLaas) {
      const uint8_t *raekke = ws->PlanGitter.Raekke(a);
      uint32_t celler = 0;
      for (uint32_t c = 1; c <= pp; ++c)
        if (raekke[c] != PLAN_FRI) {
          k.Celle.push_back(c);
          k.Kode.push_back(raekke[c]);
          ++celler;
        }
      TilfoejAlternativ(k, celler);
      d.Antal = 1;
    } else {
      d.Antal = AlternativerAf(ws, a, k.G1.data(), k);
      if (d.Antal == 0) d.Antal = AlternativerAf(ws, a, k.G2.data(), k);
    }
    k.Deltagere.push_back(d);
  }
  PlacerLaPaaPp(ws, k);
}

void PlacerAlleElever(ElevPlanWS *ws, uint32_t *p1, uint32_t *p2, uint32_t *p3, int metode) {
  if (!MatricerKlar(ws)) return;
  ElevKladde &k = gElev;
  const uint32_t n = ws->ElevAntal;
  constexpr uint32_t kNoegle = 20;
  // The largest wished activity first, then fewer priority-1 and fewer
  // priority-2 lessons wished, then list order.
  std::vector<char> &noegler = k.Noegler;
  std::vector<uint32_t> &orden = k.Orden;
  noegler.assign(size_t(n + 1) * kNoegle, 0);
  orden.resize(n);
  for (uint32_t s = 1; s <= n; ++s) {
    const ElevRec *e = ElevRecNr(ws->ElevTab[s]);
    char *p = noegler.data() + size_t(s) * kNoegle;
    Cifre(p, 1000 - std::min(uint32_t{e->max_onske}, 1000u));
    Cifre(p + 5, e->onske_prio_1);
    Cifre(p + 10, e->onske_prio_2);
    Cifre(p + 15, s);
    orden[s - 1] = s;
  }
  SortIdx(noegler.data(), orden.data(), kNoegle, n);
  for (uint32_t s : orden) PlacerElevPaaPosition(ws, s, p1, p2, p3, metode);
}

uint32_t PlacerElev(ElevPlanWS *ws, uint32_t elev, uint32_t *p1, uint32_t *p2, uint32_t *p3,
                    int metode) {
  const uint32_t s = ElevPosition(ws, elev);
  if (s == 0 || !MatricerKlar(ws)) return 0;
  return PlacerElevPaaPosition(ws, s, p1, p2, p3, metode);
}

void PlacerGruppenIgen(ElevPlanWS *ws) {
  NulstilPlaceringer(ws);
  PlacerPaaPlan(ws);
}

void KoerSimuleringer(ElevPlanWS *ws) {
  if (ws->AntalSimuleringer == 0 || !MatricerKlar(ws)) return;
  const std::vector<uint8_t> start(ws->Placeringer.Data,
                                   ws->Placeringer.Data + MatrixBytes(ws->Placeringer));
  std::vector<uint8_t> bedstePlan(MatrixBytes(ws->PlanGitter));
  Resultat bedste;
  ws->SimuleringKoerer = 1;
  ws->SimuleringNr = 1;
  ws->SimuleringTaeller = 1;
  for (uint32_t r = 1; r <= ws->AntalSimuleringer; ++r) {
    Nulstil(ws, start);
    if (!MatricerKlar(ws)) break;
    AutoPlacerLa(ws);
    const Resultat res = PlacerPaaPlan(ws);
    if (r == 1 || Bedre(res, bedste)) {
      bedste = res;
      memcpy(bedstePlan.data(), ws->PlanGitter.Data, bedstePlan.size());
      Tegn(ws, ELEVPLAN_TEGN_ALT);
    } else {
      Tegn(ws, ELEVPLAN_TEGN_FREMDRIFT);
    }
    ++ws->SimuleringNr;
  }
  Nulstil(ws, start);
  if (ws->PlanGitter.Data && MatrixBytes(ws->PlanGitter) == bedstePlan.size())
    memcpy(ws->PlanGitter.Data, bedstePlan.data(), bedstePlan.size());
  PlacerPaaPlan(ws);
  ws->SimuleringKoerer = 0;
}

int AutoPlacering(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int mode) {
  if (ws == nullptr || tg == 0 || la == 0 || !ctrl) return 0;
  if (TgLaast(tg)) {
    VisTgLaas(tg, kIkkeUdfoert, mode);
    return 0;
  }
  if (mode != 2) return 1;
  SimuleringValg valg{ws->AntalSimuleringer, uint8_t(ws->PlaceringsMetode == METODE_KUN_PRIO1),
                      uint8_t(ws->PlaceringsMetode != METODE_KUN_PRIO1)};
  if (VisSimuleringDialog(ws->hwnd, &valg) != 1) return 1;
  ws->AntalSimuleringer = valg.Antal;
  ws->PlaceringsMetode = valg.KunPrio1 ? METODE_KUN_PRIO1 : METODE_PRIO12;
  // Records that are rewritten get new ids, and the ids Elevplan gave would
  // come back as deletions and additions: only what a run changed is
  // written when the group is left.
  const auto kopi = [](const ElevMatrix &m) {
    return m.Data ? std::vector<uint8_t>(m.Data, m.Data + MatrixBytes(m)) : std::vector<uint8_t>();
  };
  const std::vector<uint8_t> plan = kopi(ws->PlanGitter), placeringer = kopi(ws->Placeringer);
  const uint8_t placeringAendret = ws->PlaceringAendret;
  KoerSimuleringer(ws);
  if (kopi(ws->PlanGitter) != plan) ws->PlanAendret = 1;
  if (kopi(ws->Placeringer) == placeringer) ws->PlaceringAendret = placeringAendret;
  return 1;
}
