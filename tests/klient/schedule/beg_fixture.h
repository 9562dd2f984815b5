// A data folder with a small school made by hand for the event tests:
// activities, employments, rooms, roles of every kind with their activity
// types and payroll codes, a remark, a ring system, and rows written
// straight into the week buckets, so what the event functions read and
// write is checked against rows the tests laid out themselves.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "AVSHJAELP.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "SKEBEG.h"
#include "SWITCH.h"
#include "TALTAB.h"
#include "VEDLIGE.h"

namespace begtest {

using predtest::Ny;
using predtest::Tekst;

constexpr uint8_t kEgen = 7;
// Week 40 of 2024, the first year of the period (year index 0).
constexpr uint8_t kAar = 0;
constexpr uint8_t kUge = 40;

// A remark of the full 54 characters, each place told apart.
constexpr const char *kBemTekst = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz01";

// One row's participants.
struct Deltager {
  uint32_t akti = 0, anfo = 0, rol = 0;
  float minut = 0;
  uint32_t loka = 0, lokrolle = 0;
  float beregn = 0;
  char hvorfra = 0;
};

// What every row of an event carries.
struct Faelles {
  uint32_t id = 11;
  uint32_t status = SKE_EGEN;
  uint8_t ejer = kEgen;
  uint32_t risy = 0, skfa = 0, bem = 0;
  uint8_t dag = 2, lektion = 0;
  uint32_t start = 800, slut = 845;
  float std = 1.0f;
};

inline SkeRec *Raekke(uint32_t r, uint8_t aarIdx = kAar, uint8_t uge = kUge) { return BegRaekke(aarIdx, uge, r); }

// Appends an event's rows at the end of its bucket, one per participant;
// its first row.
inline uint32_t SkrivRaekker(const std::vector<Deltager> &dele, const Faelles &f, uint8_t aarIdx = kAar,
                             uint8_t uge = kUge) {
  TabVar *b = BegBucket(aarIdx, uge);
  uint32_t forste = 0;
  for (const Deltager &d : dele) {
    b->FoersteLedige = b->wRecCnt;
    const uint32_t n = NewRec(&tdske, b);
    if (!forste) forste = n;
    SkeRec s;
    memset(&s, 0, sizeof s);
    s.id = f.id;
    s.Status = f.status;
    s.akti_id = d.akti;
    s.anfo_id = d.anfo;
    s.skemarol_id = d.rol;
    s.Minutnorm = d.minut;
    s.loka_id = d.loka;
    s.lokrolle_id = d.lokrolle;
    s.skfa_id = f.skfa;
    s.bem_id = f.bem;
    s.risy_id = f.risy;
    s.Dag = f.dag;
    s.Lektion = f.lektion;
    s.Starttid = f.start;
    s.Sluttid = f.slut;
    s.Antal_std_lektioner = f.std;
    s.Ejer = f.ejer;
    s.Beregn = d.beregn;
    s.Hvorfra = d.hvorfra;
    s.Forste = forste;
    memcpy(GetRec(&tdske, b, n), &s, sizeof s);
  }
  return forste;
}

// How a role is made: its text, the activity type of its loty record and a
// payroll code of sls_koder ("" for none).
struct RolleSpec {
  const char *tekst;
  const char *type = "";
  const char *sls = "";
};

class BegMappe : public storetest::DataMappe {
 protected:
  void SetUp() override {
    storetest::DataMappe::SetUp();
    StandardIndstillinger();
    GlobalIndstillinger.insnr = kEgen;
    memset(AendringsTaellere, 0, sizeof AendringsTaellere);
    VedligeKrog = {};
    ASSERT_EQ(AabnLog(), 1);
    for (int i = 0; i < 3; ++i) {
      AktiRec a{};
      a.id = 1000 + i;
      Tekst(a.Aktivitet, "hold");
      Tekst(a.Type, "UV");
      a.Status = 10;
      a.Fradato = 20240801;
      a.Tildato = 20250731;
      a.Aflyst = 'N';
      akti.push_back(Ny(tdakti, tvakti, a));
      MedaRec m{};
      m.id = 5000 + i;
      Tekst(m.Initialer, "ABC");
      m.Status = 10;
      AnfoRec f{};
      f.id = 6000 + i;
      f.meda_id = Ny(tdmeda, tvmeda, m);
      f.Status = 10;
      f.Fradato = 20240801;
      f.Tildato = 20250731;
      anfo.push_back(Ny(tdanfo, tvanfo, f));
      LokaRec l{};
      l.id = 7000 + i;
      Tekst(l.Lokalenr, "L1");
      l.Status = 10;
      loka.push_back(Ny(tdloka, tvloka, l));
    }
    tvakti.fSorter = 1;
    SkfaRec s{};
    s.id = 200;
    Tekst(s.Skolefag, "DA");
    s.Status = 10;
    skfa = Ny(tdskfa, tvskfa, s);
    BemRec b{};
    b.id = 300;
    b.Status = 10;
    Tekst(b.Betegnelse, kBemTekst);
    bem = Ny(tdbem, tvbem, b);
    RisyRec r{};
    r.id = 400;
    r.Status = 10;
    risy = Ny(tdrisy, tvrisy, r);
    laerer = Rolle({"L"});
    BemBredde(20);
  }
  void TearDown() override {
    for (AVS *a : {&avs, &avs2, &AktuelAVS, &GammelAVS}) CleanupAVS(a);
    FreeAnfoAktiGrund(&AnfoAktiGrund);
    FreeAlleTalTabeller();
    FrigivSwitchTab();
    LukLog();
    VedligeKrog = {};
    memset(AendringsTaellere, 0, sizeof AendringsTaellere);
    StandardIndstillinger();
    storetest::DataMappe::TearDown();
  }

  // A schedule role; its record number.
  uint32_t Rolle(const RolleSpec &spec) {
    SkemarolRec r{};
    r.id = 100 + tvskemarol.wRecCnt;
    Tekst(r.Rolle, spec.tekst);
    r.Status = 10;
    r.Genererer_timeposter = 'J';
    if (spec.type[0]) {
      LotyRec l{};
      l.id = 50 + tvloty.wRecCnt;
      Tekst(l.Aktivitetstype, spec.type);
      l.Status = 10;
      r.loty_id = Ny(tdloty, tvloty, l);
    }
    const uint32_t nr = Ny(tdskemarol, tvskemarol, r);
    if (spec.sls[0]) {
      Sls_koderRec k{};
      k.id = 900 + tvsls_koder.wRecCnt;
      Tekst(k.Sls_aarsagskode, spec.sls);
      k.Skemarolle_id = nr;
      k.Status = 10;
      Ny(tdsls_koder, tvsls_koder, k);
    }
    return nr;
  }

  // The remark column's width; below 0 there is no remark layout.
  static void BemBredde(int bredde) {
    FrigivSwitchTab();
    if (bredde < 0) return;
    char linjer[160];
    snprintf(linjer, sizeof linjer, "[ObjectSwitchField]\n48,-,0,2,0,2,0,0,%d,0,0,T,0\n", bredde);
    FILE *f = fmemopen(linjer, strlen(linjer), "r");
    int sektion = 0;
    switch_intern::LaesLayoutFil(f, "TavoSwt.ini", &sektion);
    fclose(f);
  }

  // The "** Fejl:" lines of the program log, without their stamps.
  std::vector<std::string> FejlLinjer() const {
    std::ifstream i(rod / "log" / "tavo.log", std::ios::binary);
    std::vector<std::string> ud;
    std::string linje;
    while (std::getline(i, linje)) {
      const size_t p = linje.find("** Fejl:");
      if (p == std::string::npos) continue;
      while (!linje.empty() && (linje.back() == '\r' || linje.back() == '\n')) linje.pop_back();
      ud.push_back(linje.substr(p));
    }
    return ud;
  }

  std::vector<uint32_t> akti, anfo, loka;
  uint32_t skfa = 0, bem = 0, risy = 0, laerer = 0;
  AVS avs = TomtAVS(), avs2 = TomtAVS();

  static AVS TomtAVS() {
    AVS a{};
    CleanupAVS(&a);
    return a;
  }

  // Every field the rows carry; the calculation values and source codes
  // only with medBeregn, as a counted write computes them anew.
  static void ErLig(const AVS &a, const AVS &b, bool medBeregn = true) {
    auto liste = [](const auto *p, uint32_t n) { return p ? std::vector(p, p + n) : decltype(std::vector(p, p))(); };
    EXPECT_EQ(liste(a.aktiTab, a.aktiAntal), liste(b.aktiTab, b.aktiAntal));
    EXPECT_EQ(liste(a.anfoTab, a.anfoAntal), liste(b.anfoTab, b.anfoAntal));
    EXPECT_EQ(liste(a.skemarolTab, a.anfoAntal), liste(b.skemarolTab, b.anfoAntal));
    EXPECT_EQ(liste(a.minutTab, a.anfoAntal), liste(b.minutTab, b.anfoAntal));
    if (medBeregn) {
      EXPECT_EQ(liste(a.beregnTab, a.anfoAntal), liste(b.beregnTab, b.anfoAntal));
      EXPECT_EQ(liste(a.hvorfraTab, a.anfoAntal), liste(b.hvorfraTab, b.anfoAntal));
    }
    EXPECT_EQ(liste(a.lokaTab, a.lokaAntal), liste(b.lokaTab, b.lokaAntal));
    EXPECT_EQ(liste(a.lokrolleTab, a.lokaAntal), liste(b.lokrolleTab, b.lokaAntal));
    std::vector<std::string> la, lb;
    for (uint32_t i = 0; i < a.bemAntal; ++i) la.push_back(a.bemTab[i]);
    for (uint32_t i = 0; i < b.bemAntal; ++i) lb.push_back(b.bemTab[i]);
    EXPECT_EQ(la, lb);
    // Packed fields are compared as copies.
    EXPECT_EQ(+a.skfa_id, +b.skfa_id);
    EXPECT_EQ(+a.bem_id, +b.bem_id);
    EXPECT_EQ(+a.risy_id, +b.risy_id);
    EXPECT_EQ(+a.Ejer, +b.Ejer);
    EXPECT_EQ(+a.Placering, +b.Placering);
    EXPECT_EQ(+a.Art, +b.Art);
    EXPECT_EQ(+a.Dag, +b.Dag);
    EXPECT_EQ(+a.Lektion, +b.Lektion);
    EXPECT_EQ(+a.Starttid, +b.Starttid);
    EXPECT_EQ(+a.Sluttid, +b.Sluttid);
    EXPECT_EQ(+a.Antal_std_lektioner, +b.Antal_std_lektioner);
  }
};

}  // namespace begtest
