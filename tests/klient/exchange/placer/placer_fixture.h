// The small school the placing and import tests share: three classes on a
// ring system of eight lessons, school Monday to Friday, with role
// proposals set, helpers to lay out lessons and rows, and the imported
// events read back from the buckets.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "../../schedule/ske_fixture.h"
#include "BRIKIND.h"
#include "ExtPlacer.h"
#include "ExtSkemaImp.h"
#include "ROLLEFORSLAG.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "VINDUER.h"
#include "tavo/test_dialog.h"

namespace placertest {


using namespace sketest;

// One lesson as the tests lay it out; the match is made from it.
struct Lek {
  uint32_t akti = 0, anfo = 0, loka = 0;
  uint32_t dag = 2, lektion = 3;
  Dato dato = 0;
  const char *fag = "DA";
  uint32_t id = 0, uge = 0;
};

// An imported event as its rows show it.
struct Beg {
  Uge uge;
  uint8_t dag;
  std::vector<uint32_t> akti, anfo, rol, loka;
  bool operator==(const Beg &) const = default;
};
inline std::ostream &operator<<(std::ostream &o, const Beg &b) {
  auto liste = [&](const char *navn, const std::vector<uint32_t> &v) {
    o << ' ' << navn;
    for (uint32_t x : v) o << x << ',';
  };
  o << b.uge << '/' << int(b.dag);
  liste("K", b.akti);
  liste("M", b.anfo);
  liste("R", b.rol);
  liste("L", b.loka);
  return o;
}

inline UINT SidsteUdsendelse = 0;

class Placer : public SkeMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    kalender = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) { return d <= 5; });
    ring = Ringesystem({});
    const char *navne[] = {"1a", "1b", "1c"};
    for (size_t i = 0; i < akti.size(); ++i) {
      AktiRec *a = Rec<AktiRec>(tvakti, akti[i]);
      a->skka_id = kalender;
      a->risy_id = ring;
      Tekst(a->Aktivitet, navne[i]);
    }
    xrolle = Rolle({"X"});
    LokrolleRec l{};
    l.id = 800;
    l.Status = 10;
    lokrolle = Ny(tdlokrolle, tvlokrolle, l);
    for (auto &r : RolleForslagene) r = laerer;
    RolleForslagene[RF_XANFO] = xrolle;
    RolleForslagene[RF_LOKA] = RolleForslagene[RF_STJERNE_LOKA] = lokrolle;
    ImportMetode = {};
    SaetImportKilde(KILDE_UNTIS);
    TabulexAntalUger = 1;
    SidsteUdsendelse = 0;
    gemtKrog = VinduesKrog;
    VinduesKrog.ForHvertElement = [](void (*)(HWND, void *), void *data) {
      SidsteUdsendelse = *static_cast<const UINT *>(data);
    };
  }
  void TearDown() override {
    VinduesKrog = gemtKrog;
    FrigivImportKonflikter();
    ImportMetode = {};
    SaetImportKilde(KILDE_UNTIS);
    TabulexAntalUger = 1;
    for (auto &r : RolleForslagene) r = 0;
    SkeMappe::TearDown();
  }

  void Tilfoej(const Lek &l) {
    if (lek.empty()) {
      lek.assign(1, ImportLektion{});
      match.assign(1, TavoSkemaPost{});
    }
    ImportLektion il{};
    snprintf(il.Klasse, sizeof il.Klasse, "K%u", l.akti);
    snprintf(il.Laerer, sizeof il.Laerer, "T%u", l.anfo);
    snprintf(il.Lokale, sizeof il.Lokale, "R%u", l.loka);
    snprintf(il.Fag, sizeof il.Fag, "%s", l.fag);
    il.Dato = l.dato;
    il.Dag = l.dag;
    il.Lektion = l.lektion;
    il.LektionsId = l.id;
    il.Uge = l.uge;
    lek.push_back(il);
    TavoSkemaPost m{};
    m.akti_id = l.akti;
    m.anfo_id = l.anfo;
    m.loka_id = l.loka;
    m.skfa_id = skfa;
    m.risy_id = ring;
    m.Dato = l.dato;
    m.Dag = l.dag;
    m.Lektion = l.lektion;
    const RisyRec *r = Rec<RisyRec>(tvrisy, ring);
    m.Starttid = r->Starttid[l.lektion - 1];
    m.Sluttid = r->Sluttid[l.lektion - 1];
    match.push_back(m);
  }

  // The imported events of the whole period, by week, day and first row.
  static std::vector<Beg> Importerede() {
    std::vector<Beg> ud;
    for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
      const Uge uge = IndeksTilUge(w);
      const TabVar *b = SkemabegBucket(uge);
      std::map<uint32_t, Beg> beg;
      for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
        const SkeRec s = Ske(uge, r);
        if ((s.Status & 0x248) != 0x240) continue;
        EXPECT_EQ(+s.Status, kImportStatus);
        Beg &e = beg.try_emplace(+s.Forste, Beg{uge, s.Dag, {}, {}, {}, {}}).first->second;
        if (s.akti_id) e.akti.push_back(+s.akti_id);
        if (s.anfo_id) e.anfo.push_back(+s.anfo_id), e.rol.push_back(+s.skemarol_id);
        if (s.loka_id) e.loka.push_back(+s.loka_id);
      }
      for (auto &[f, e] : beg) ud.push_back(e);
    }
    return ud;
  }
  static std::vector<Uge> Uger(const std::vector<Beg> &b) {
    std::vector<Uge> u;
    for (const Beg &e : b) u.push_back(e.uge);
    return u;
  }

  static SkeRec Ske(Uge uge, uint32_t r) {
    SkeRec s{};
    memcpy(&s, GetRec(&tdske, SkemabegBucket(uge), r), sizeof s);
    return s;
  }
  // An event of one row straight into the bucket of a week (YYYYWW).
  static uint32_t Raekke(Uge uge, uint8_t dag, uint32_t status, uint8_t ejer, Deltager d, uint8_t lektion = 3) {
    Faelles f;
    f.status = status;
    f.ejer = ejer;
    f.dag = dag;
    f.start = LaegMinutterTil(800, 55 * (lektion - 1));
    f.slut = LaegMinutterTil(f.start, 45);
    return SkrivRaekker({d}, f, static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), static_cast<uint8_t>(uge % 100));
  }

  uint32_t kalender = 0, ring = 0, xrolle = 0, lokrolle = 0;
  ImportLektioner lek;
  TavoSkemaListe match;
  VinduesKroge gemtKrog{};
};

}  // namespace placertest
