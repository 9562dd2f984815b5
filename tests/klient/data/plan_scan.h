// The plan list's questions answered by plain walks from entry 1, as the
// list was searched before it had an index: the oracle the index is held
// against. One walk in list order answers every key at once (the first
// entry of a key, all of them in order, the plan value walk's result).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "PLANIDX.h"
#include "TALTAB.h"

namespace plantest {

struct Svar {
  std::map<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>, uint32_t> skema;   // akti anfo skfa uge
  std::map<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t>, uint32_t> timoak;  // akti anfo uge art
  std::map<std::pair<uint32_t, uint32_t>, std::vector<uint32_t>> grund;          // ffgrund uge
  std::map<uint32_t, std::vector<uint32_t>> anfo;
  std::map<std::pair<uint32_t, uint32_t>, std::vector<uint32_t>> aktiFag;
  struct Vaerdi {
    bool fundet = false;
    float v = 0;
  };
  std::map<std::tuple<uint32_t, uint32_t, uint32_t>, Vaerdi> vaerdi;  // anfo akti skfa
};

inline Svar Gennemgang() {
  Svar s;
  for (uint32_t i = 1; PlanTal.PlanTab && i <= PlanTal.Antal; ++i) {
    const PlanTabPost &e = PlanTal.PlanTab[i];
    const uint32_t akti = e.akti, anfo = e.anfo, skfa = e.skfa, uge = e.UgeIdx, grund = e.ffgrund, art = e.Art;
    s.skema.try_emplace({akti, anfo, skfa, uge}, i);
    s.timoak.try_emplace({akti, anfo, uge, art}, i);
    if (grund) s.grund[{grund, uge}].push_back(i);
    s.anfo[anfo].push_back(i);
    s.aktiFag[{akti, skfa}].push_back(i);
    if (e.Minutnorm >= 0) {
      Svar::Vaerdi &v = s.vaerdi[{anfo, akti, skfa}];
      if (!v.fundet) v = {e.Kilde == 0, e.Minutnorm};
    }
  }
  return s;
}

template <class Foerste, class Naeste>
std::vector<uint32_t> Kaede(Foerste foerste, Naeste naeste) {
  std::vector<uint32_t> v;
  for (uint32_t i = foerste; i; i = naeste(i)) v.push_back(i);
  return v;
}

template <class K, class V>
V Af(const std::map<K, V> &m, const K &k) {
  auto it = m.find(k);
  return it == m.end() ? V{} : it->second;
}

// Every question of the index, for the keys of every entry and for keys
// one field away from those of every fourth, against the walk. Failures
// name the key.
inline void IndeksSomGennemgang() {
  const Svar s = Gennemgang();
  std::set<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t>> noegler;
  for (uint32_t i = 1; PlanTal.PlanTab && i <= PlanTal.Antal; ++i) {
    const PlanTabPost &e = PlanTal.PlanTab[i];
    const uint32_t akti = e.akti, anfo = e.anfo, skfa = e.skfa, uge = e.UgeIdx, art = e.Art;
    noegler.insert({akti, anfo, skfa, uge, art});
    if (i % 4) continue;
    noegler.insert({akti + 1, anfo, skfa, uge, art});
    noegler.insert({akti, anfo + 1, skfa, uge + 1, art ^ 1});
    noegler.insert({akti, anfo, skfa + 1, uge, 'E'});
  }
  for (const auto &[akti, anfo, skfa, uge, art] : noegler) {
    const uint32_t skema = PlanFindSkema(akti, anfo, skfa, uge);
    const uint32_t timoak = PlanFindTimoak(akti, anfo, uge, static_cast<uint8_t>(art));
    const auto it = s.vaerdi.find({anfo, akti, skfa});
    float v = -99;
    const bool fundet = PlanVaerdiFind(anfo, akti, skfa, &v);
    const bool vaerdiFundet = it != s.vaerdi.end() && it->second.fundet;
    const float vaerdi = it == s.vaerdi.end() ? -99 : it->second.v;
    if (skema == Af(s.skema, {akti, anfo, skfa, uge}) && timoak == Af(s.timoak, {akti, anfo, uge, art}) &&
        fundet == vaerdiFundet && (v == vaerdi || (v != v && vaerdi != vaerdi)))
      continue;
    SCOPED_TRACE(::testing::Message() << "akti " << akti << " anfo " << anfo << " skfa " << skfa << " uge " << uge
                                      << " art " << char(art));
    EXPECT_EQ(skema, Af(s.skema, {akti, anfo, skfa, uge}));
    EXPECT_EQ(timoak, Af(s.timoak, {akti, anfo, uge, art}));
    EXPECT_EQ(fundet, vaerdiFundet);
    EXPECT_EQ(v, vaerdi);
    return;
  }
  // The chains, each key once, and a key of none.
  for (const auto &[k, v] : s.grund) EXPECT_EQ(Kaede(PlanGrundFoerste(k.first, k.second), PlanGrundNaeste), v);
  for (const auto &[k, v] : s.anfo) EXPECT_EQ(Kaede(PlanAnfoFoerste(k), PlanAnfoNaeste), v) << "anfo " << k;
  for (const auto &[k, v] : s.aktiFag)
    EXPECT_EQ(Kaede(PlanAktiFagFoerste(k.first, k.second), PlanAktiFagNaeste), v) << "akti " << k.first;
  EXPECT_EQ(PlanGrundFoerste(0, 1), 0u);
  EXPECT_EQ(PlanAnfoFoerste(UINT32_MAX), 0u);
  EXPECT_EQ(PlanAktiFagFoerste(UINT32_MAX, 0), 0u);
}

}  // namespace plantest
